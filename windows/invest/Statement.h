#pragma once
// The printed investment statement, composed as text lines.
#include "models/invest/InvestmentSheet.h"
#include "ui/TextPrinter.h"

namespace inv {

// The heading, one line per sheet row (the description's first 46 characters and the amount
// right-aligned so that it ends where the Total ends), and the Total with the currency symbol.
ui::TextDocument ComposeStatement(const InvestmentSheet& sheet, const QString& currencySymbol);

} // namespace inv

#pragma once
// A printer that prints nothing, for a build without the real one: every job reports that no
// printer could be used.
#include "ui/Printer.h"

namespace app {

class PlaceholderPrinter final : public ui::Printer {
public:
    bool printText(const ui::TextDocument&, const QString&) override { return false; }
    bool printPage(const ui::PagePainter&, const QString&, bool) override { return false; }
};

} // namespace app

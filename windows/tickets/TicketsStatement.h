#pragma once
// The printed tickets statement: per ticket its forms, each draw's matches and prize, what it
// cost and won; then the totals and the honest expectation.
#include "models/tickets/Tickets.h"
#include "ui/TextPrinter.h"

namespace core {
struct AppState;
}

namespace tickets {

ui::TextDocument ComposeTicketsStatement(const core::AppState& state, const Check& check);

} // namespace tickets

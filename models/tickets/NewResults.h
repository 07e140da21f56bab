#pragma once
// What the draws an update brought mean for the player's tickets: how many form results they
// made, and how many of those won a prize.
#include "models/tickets/Tickets.h"

#include <QDate>
#include <vector>

namespace tickets {

struct NewResults {
    int results = 0; // one for every form of a ticket that plays one of the draws
    int won = 0;     // those with a prize above nothing, or of a tier that varies not typed yet
};

// The results of `check` on the draws dated `dates` (the draws just added).
NewResults ResultsOn(const Check& check, const std::vector<QDate>& dates);

} // namespace tickets

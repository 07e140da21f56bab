#include "models/tickets/NewResults.h"

#include <algorithm>

namespace tickets {

NewResults ResultsOn(const Check& check, const std::vector<QDate>& dates)
{
    NewResults counted;
    for (const TicketResult& ticket : check.tickets) {
        for (const DrawPlayed& draw : ticket.draws) {
            if (std::find(dates.begin(), dates.end(), draw.date) == dates.end()) continue;
            for (const FormResult& form : draw.forms) {
                ++counted.results;
                // A tier that varies and is not typed yet may have paid anything.
                if (!form.prize || *form.prize > 0) ++counted.won;
            }
        }
    }
    return counted;
}

} // namespace tickets

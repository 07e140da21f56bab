#pragma once
// Posting what the tickets cost and won into the investment sheet: for the draw dates of a
// range, one row a date with what was spent on it, one a draw and tier with what it won, then a
// "Sub Total" row, through the sheet's own rules.
#include "models/invest/InvestmentSheet.h"
#include "models/tickets/Tickets.h"

#include <QDate>
#include <QString>

#include <vector>

namespace tickets {

struct PostingRow {
    QString description; // "Tickets 2026-12-05", "Prize 2026-12-05 3 of 6", "Sub Total"
    Cents amount = 0;    // spent negative, won positive
};

struct Posting {
    std::vector<PostingRow> rows; // empty when nothing was played in the range
    int unknownPrizes = 0;        // prizes that vary and are not typed yet: left out
};

// The rows for the draws dated from..to (inclusive), in date order; `picks` names the tier
// ("3 of 6").
Posting PostingFor(const Book& book, const Check& check, const QDate& from, const QDate& to,
                   int picks);

enum class PostOutcome {
    Posted,
    NothingToPost, // no draw played in the range
    WouldOverflow, // the sheet has no room for the rows; it is left as it was
};

// True when the sheet already holds a row of the posting's spending ("Tickets 2026-12-05"):
// posting again would count it twice.
bool AlreadyPosted(const inv::InvestmentSheet& sheet, const Posting& posting);

// Adds the rows after the sheet's last row in use and calculates; refused without a change when
// they do not fit in its editable rows.
PostOutcome Post(inv::InvestmentSheet& sheet, const Posting& posting);

} // namespace tickets

#pragma once
// Extraction: the database in memory is replaced by the records between two record numbers,
// so that statistics, picks and checks can work on a period of time.
#include "models/draws/DrawDatabase.h"

#include <QString>
#include <optional>

namespace extraction {

// The title of an extracted database and the file name it is offered under, so that saving it
// does not overwrite the file the records came from.
QString ExtractedTitle();
QString ExtractFileName();

// The first record number to keep must be from 1 to the record count.
bool FirstIsValid(int first, int recordCount);
// The last must be neither below the first nor above the record count.
bool LastIsValid(int last, int first, int recordCount);

struct Result {
    int kept = 0;
    // False when fewer than two records were kept: PendingAdvance then keeps its value.
    bool pendingAdvanceSet = false;
};

// Keeps records first..last (renumbered from 1), sets PendingAdvance from the spacing of the
// last two kept records and titles the database "Extracted". The header's picks, highest number
// and advance steps are kept. Nothing when the range is not valid; the database is then
// untouched.
std::optional<Result> Extract(database::DrawDatabase& db, int first, int last);

} // namespace extraction

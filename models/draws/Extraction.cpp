#include "models/draws/Extraction.h"

#include "models/draws/RecordEntry.h"

#include <vector>

namespace extraction {

QString ExtractedTitle()
{
    return QStringLiteral("Extracted");
}

QString ExtractFileName()
{
    return QStringLiteral("Extract.lto");
}

bool FirstIsValid(int first, int recordCount)
{
    return first >= 1 && first <= recordCount;
}

bool LastIsValid(int last, int first, int recordCount)
{
    return last >= first && last <= recordCount;
}

std::optional<Result> Extract(database::DrawDatabase& db, int first, int last)
{
    const int count = db.recordCount();
    if (!FirstIsValid(first, count) || !LastIsValid(last, first, count)) return std::nullopt;

    // The kept records are copied out first, then back from row 1.
    const auto all = db.records();
    std::vector<database::DrawRecord> kept(all.begin() + (first - 1), all.begin() + last);
    db.clearRecords();
    int n = 0;
    for (const database::DrawRecord& rec : kept) {
        ++n;
        database::DrawRecord& row = db.record(n);
        row = rec;
        row.RecordNo = n;
    }
    db.setRecordCount(n);

    Result result;
    result.kept = n;
    // A single record has no earlier one to measure the step from; the step in use stays.
    if (const auto pending = entry::PendingAdvanceFromLastTwo(db)) {
        db.setPendingAdvance(*pending);
        result.pendingAdvanceSet = true;
    }
    db.setTitle(ExtractedTitle());
    return result;
}

} // namespace extraction

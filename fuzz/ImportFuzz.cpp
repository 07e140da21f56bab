// Feeds arbitrary bytes to the importer as a table of draws, merged into a small database: it
// must never crash or hang, every row must be counted once, what goes in must be a well-formed
// record in date order, and the database's export must import back into an empty database of
// the same shape unchanged.
#include "models/history/Export.h"
#include "models/history/Import.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool ok, int line = __builtin_LINE())
{
    if (!ok) {
        std::fprintf(stderr, "check failed at line %d\n", line);
        std::abort();
    }
}

database::DrawDatabase Small()
{
    database::DrawDatabase db;
    db.setShape(6, 49);
    db.setRecordCount(3);
    for (int r = 1; r <= 3; ++r) {
        database::DrawRecord& rec = db.record(r);
        rec.RecordNo = r;
        rec.DrawDate = QDate(2026, 11, 7).addDays(7LL * (r - 1));
        for (int k = 0; k < 6; ++k)
            rec.Numbers[static_cast<size_t>(k)] = r + 7 * k;
    }
    return db;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const history::DecodedText text = history::DecodeSource(bytes);
    if (text.error != history::ReadError::None) return 0;
    const history::SourceTable table = history::ReadTable(text.text);
    database::DrawDatabase db = Small();
    const history::Detection d =
        history::Detect(table, db.picksPerDraw(), history::DateOrder::DayFirst);
    history::ImportOptions options;
    options.replaceConflicts = size % 2 == 1;
    options.sortNumbers = size % 3 != 0;
    const history::ImportPlan plan = history::PlanImport(table, d.mapping, db, {6, 49}, options);
    Check(plan.rows.size() == table.rows.size());
    Check(plan.added + plan.present + plan.conflicts + plan.rejected + plan.outside ==
          static_cast<int>(plan.rows.size()));
    const history::ApplyResult applied = history::ApplyPlan(plan, db, options);
    Check(applied.added == plan.added);
    Check(db.recordCount() == 3 + plan.added);
    for (int r = 1; r <= db.recordCount(); ++r) {
        const database::DrawRecord& rec = db.record(r);
        Check(rec.RecordNo == r && rec.DrawDate.isValid());
        if (r > 1) Check(db.record(r - 1).DrawDate <= rec.DrawDate);
        std::array<int, 6> n{};
        std::copy_n(rec.Numbers.begin(), 6, n.begin());
        std::sort(n.begin(), n.end());
        Check(n.front() >= 1 && n.back() <= 49 &&
              std::adjacent_find(n.begin(), n.end()) == n.end());
    }

    // The export reads back as the same records.
    const QByteArray csv = history::ExportCsv(db);
    const history::SourceTable again = history::ReadTable(history::DecodeSource(csv).text);
    database::DrawDatabase empty;
    empty.setShape(6, 49);
    const history::Detection d2 = history::Detect(again, 6, history::DateOrder::DayFirst);
    history::ImportOptions keep;
    keep.sortNumbers = false;
    const history::ImportPlan back = history::PlanImport(again, d2.mapping, empty, {6, 49}, keep);
    // Two records of one date with other numbers cannot both come back (the second conflicts).
    history::ApplyPlan(back, empty, keep);
    if (back.conflicts == 0) Check(history::ExportCsv(empty) == csv);
    return 0;
}

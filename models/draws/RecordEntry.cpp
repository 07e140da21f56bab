#include "models/draws/RecordEntry.h"

#include "text/Dates.h"

#include <algorithm>

namespace entry {

namespace {

database::DrawRecord& Row(database::DrawDatabase& db, int row)
{
    return db.record(row);
}

// Writes the date and the numbers of the boxes into a row; the columns beyond the boxes are
// left as they are.
void WriteRow(database::DrawRecord& rec, const QDate& date, const QStringList& boxes)
{
    rec.DrawDate = date;
    const int n = std::min<int>(static_cast<int>(boxes.size()), 10);
    for (int k = 0; k < n; ++k)
        rec.Numbers[static_cast<size_t>(k)] = BoxValue(boxes[k]);
}

// The date check shared by correction and insertion: the record may not be dated after the
// last record of the table.
Check CheckNotAfterLast(const database::DrawDatabase& db, const QDate& date)
{
    Check c;
    if (db.recordCount() < 1) return c;
    const QDate last = db.record(db.recordCount()).DrawDate;
    if (last.isValid() && date > last) {
        c.problem = Problem::DateAfterLast;
        c.lastDate = last;
    }
    return c;
}

} // namespace

Check CheckFirst(const QStringList& boxes)
{
    Check c;
    if (boxes.isEmpty() || BoxValue(boxes.front()) == 0) {
        c.problem = Problem::NoRecord;
        return c;
    }
    if (HasRepeat(boxes)) c.problem = Problem::Duplicate;
    return c;
}

Check CheckNumbers(const QStringList& boxes, int highNumber)
{
    const BoxFault f = FirstBoxOutOfRange(boxes, highNumber, EmptyBoxes::Missing);
    Check c;
    switch (f.fault) {
    case NumberFault::None:
        return c;
    case NumberFault::Missing:
        c.problem = Problem::Missing;
        break;
    case NumberFault::TooHigh:
        c.problem = Problem::TooHigh;
        break;
    case NumberFault::Zero:
        c.problem = Problem::Zero;
        break;
    }
    c.box = f.box;
    c.boxText = boxes[f.box];
    return c;
}

namespace {

// The checks every entry passes: the numbers, then the date, then (for a correction or an
// insertion) that the date is not after the last record's. The date is set when all pass.
Check CheckEntry(const database::DrawDatabase& db, const QString& dateText,
                 const QStringList& boxes, bool notAfterLast, QDate& date)
{
    Check c = CheckNumbers(boxes, db.highNumber());
    if (!c.ok()) return c;
    const auto parsed = text::ParseDate(dateText);
    if (!parsed) {
        c.problem = Problem::BadDate;
        return c;
    }
    if (notAfterLast) {
        c = CheckNotAfterLast(db, *parsed);
        if (!c.ok()) return c;
    }
    date = *parsed;
    return c;
}

// Writes a new record after the last one.
void AddRow(database::DrawDatabase& db, const QDate& date, const QStringList& boxes)
{
    const int row = db.recordCount() + 1;
    database::DrawRecord& rec = Row(db, row);
    rec = database::DrawRecord{};
    rec.RecordNo = row;
    WriteRow(rec, date, boxes);
    db.setRecordCount(row);
}

Check Full()
{
    Check c;
    c.problem = Problem::Full;
    return c;
}

} // namespace

Check Append(database::DrawDatabase& db, const QString& dateText, const QStringList& boxes)
{
    if (db.recordCount() >= database::DrawDatabase::MaxRecords) return Full();
    if (boxes.isEmpty() || BoxValue(boxes.front()) == 0) {
        Check c;
        c.problem = Problem::NoRecord;
        return c;
    }
    QDate date;
    const Check c = CheckEntry(db, dateText, boxes, false, date);
    if (c.ok()) AddRow(db, date, boxes);
    return c;
}

Check ApplyCorrection(database::DrawDatabase& db, int record, const QString& dateText,
                      const QStringList& boxes)
{
    QDate date;
    const Check c = CheckEntry(db, dateText, boxes, true, date);
    if (!c.ok()) return c;
    if (record < 1 || record > db.recordCount())
        return c; // nothing to correct; the caller checked the number when it was chosen
    WriteRow(Row(db, record), date, boxes);
    db.sortByDate();
    return c;
}

Check ApplyInsertion(database::DrawDatabase& db, const QString& dateText, const QStringList& boxes)
{
    if (db.recordCount() >= database::DrawDatabase::MaxRecords) return Full();
    QDate date;
    const Check c = CheckEntry(db, dateText, boxes, true, date);
    if (!c.ok()) return c;
    AddRow(db, date, boxes);
    db.sortByDate();
    return c;
}

bool DeleteRecord(database::DrawDatabase& db, int record)
{
    if (record < 1 || record > db.recordCount()) return false;
    // The record is taken out directly rather than dated far ahead and dropped by the sort, so
    // a record with a date at or beyond that marker can never be lost in its place.
    db.removeRecord(record);
    db.sortByDate();
    return true;
}

RecordChoice ChooseRecord(Option option, const QString& typed)
{
    const int value = BoxValue(typed);
    if (option == Option::None || value <= 0) return {};
    if (option == Option::Insert) return {Option::Insert, 1};
    return {option, value};
}

Advance AdvanceDate(database::DrawDatabase& db, const QDate& today)
{
    Advance a;
    if (db.pendingAdvance() == db.advanceFirst()) {
        db.setPendingAdvance(db.advanceSecond());
        a.shown = db.advanceFirst();
    } else {
        db.setPendingAdvance(db.advanceFirst());
        a.shown = db.advanceSecond();
    }
    if (db.pendingAdvance() == 0) db.setPendingAdvance(db.advanceSecond());

    const int last = db.recordCount();
    const QDate lastDate = last >= 1 ? db.record(last).DrawDate : QDate();
    a.proposed = lastDate.isValid() ? lastDate.addDays(db.pendingAdvance()) : today;
    return a;
}

std::optional<int> PendingAdvanceFromLastTwo(const database::DrawDatabase& db)
{
    const int n = db.recordCount();
    if (n < 2) return std::nullopt;
    const QDate last = db.record(n).DrawDate;
    const QDate before = db.record(n - 1).DrawDate;
    for (int d = 1; d <= 6; ++d) {
        if (last.isValid() && before.isValid() && last.addDays(-d) == before) return 7 - d;
    }
    return 0;
}

} // namespace entry

#include "models/history/Import.h"

#include "models/history/FieldNumbers.h"
#include "text/Dates.h"

#include <QHash>
#include <algorithm>

namespace history {

namespace {

QString DateText(const QDate& d)
{
    return d.toString(Qt::ISODate);
}

} // namespace

Shape ShapeFromSource(const Detection& detection)
{
    Shape s;
    s.picks = std::clamp(detection.picks, 1, 10);
    s.high = std::clamp(std::max(detection.highest, s.picks), 1, HighestPossible);
    return s;
}

namespace {

// The database's records by date, each with its numbers in ascending order.
struct KnownRecords {
    QMultiHash<qint64, int> byDate;
    std::vector<std::vector<int>> numbers; // by record number
};

KnownRecords IndexRecords(const database::DrawDatabase& db)
{
    KnownRecords known;
    const int existing = db.recordCount();
    const int dbPicks = db.picksPerDraw();
    known.byDate.reserve(existing);
    known.numbers.resize(static_cast<size_t>(existing) + 1);
    for (int r = 1; r <= existing; ++r) {
        const database::DrawRecord& rec = db.record(r);
        if (!rec.DrawDate.isValid()) continue;
        std::vector<int>& n = known.numbers[static_cast<size_t>(r)];
        n.assign(rec.Numbers.begin(), rec.Numbers.begin() + dbPicks);
        std::sort(n.begin(), n.end());
        known.byDate.insert(rec.DrawDate.toJulianDay(), r);
    }
    return known;
}

// The numbers of a row's number columns, as typed and in ascending order.
struct RowNumbers {
    std::vector<int> typed;
    std::vector<int> sorted;
};

// Reads the row's numbers as the mapping takes them. The reason in `bad` when a field is empty
// or holds a word that is not a number; the numbers that could be read are kept all the same.
bool ReadRowNumbers(const SourceRow& row, const SourceTable& table, const Mapping& mapping,
                    std::vector<int>& typed, QString& bad)
{
    typed.clear();
    bool ok = true;
    for (const NumberPick& pick : mapping.numbers) {
        // A row that ends before the column is short: the count of its numbers says so.
        if (pick.column >= row.fields.size()) continue;
        const QString& field = row.fields[pick.column];
        std::vector<int> values;
        QString word;
        if (field.isEmpty()) {
            if (ok)
                bad = QStringLiteral("no number in %1").arg(Quoted(table.columnName(pick.column)));
            ok = false;
            continue;
        }
        if (!ReadNumbers(field, values, word)) {
            if (ok) bad = QStringLiteral("%1 is not a number").arg(Quoted(word));
            ok = false;
        }
        const size_t end =
            pick.last > 0 ? std::min(static_cast<size_t>(pick.last), values.size()) : values.size();
        for (size_t k = static_cast<size_t>(pick.first) - 1; k < end; ++k)
            typed.push_back(values[k]);
    }
    return ok;
}

// The reason a date field gives no date: empty, not a date, or no real day.
QString DateProblem(const QString& dateText, const DateField& date, DateOrder order)
{
    if (dateText.isEmpty()) return QStringLiteral("no date");
    if (!date.looksLikeDate()) return QStringLiteral("%1 is not a date").arg(Quoted(dateText));
    const DateOrder other =
        order == DateOrder::DayFirst ? DateOrder::MonthFirst : DateOrder::DayFirst;
    if (date.read(other).isValid())
        return QStringLiteral("%1 is not a date when read %2")
            .arg(Quoted(dateText), order == DateOrder::DayFirst ? QStringLiteral("day-first")
                                                                : QStringLiteral("month-first"));
    return QStringLiteral("%1 is not a real date").arg(Quoted(dateText));
}

// Checks the numbers against the shape: how many, within the range, none twice. Empty when
// they pass.
QString NumbersProblem(const RowNumbers& numbers, const Shape& shape)
{
    const std::vector<int>& typed = numbers.typed;
    if (static_cast<int>(typed.size()) != shape.picks)
        return QStringLiteral("%1 numbers where a draw has %2").arg(typed.size()).arg(shape.picks);
    const auto outside = std::find_if(typed.begin(), typed.end(),
                                      [&shape](int n) { return n < 1 || n > shape.high; });
    if (outside != typed.end())
        return QStringLiteral("number %1 is not from 1 to %2").arg(*outside).arg(shape.high);
    const auto twice = std::adjacent_find(numbers.sorted.begin(), numbers.sorted.end());
    if (twice != numbers.sorted.end()) return QStringLiteral("number %1 appears twice").arg(*twice);
    return {};
}

// Reads a row's date and numbers and checks them against the shape and the date range:
// `p` gets its date and the status Rejected (with the reason), OutsideRange or New.
void CheckRow(const SourceRow& row, const SourceTable& table, const Mapping& mapping,
              const Shape& shape, const ImportOptions& options, PlannedRow& p, RowNumbers& numbers)
{
    auto reject = [&p](const QString& reason) {
        p.status = RowStatus::Rejected;
        p.reason = reason;
    };
    const int dateColumn = mapping.dateColumn();
    const QString dateText =
        dateColumn >= 0 && dateColumn < row.fields.size() ? row.fields[dateColumn] : QString();
    const DateField date = ClassifyDate(dateText);
    p.date = date.read(mapping.order);
    QString bad;
    const bool numbersRead = ReadRowNumbers(row, table, mapping, numbers.typed, bad);
    numbers.sorted = numbers.typed;
    std::sort(numbers.sorted.begin(), numbers.sorted.end());

    if (!p.date.isValid()) {
        reject(DateProblem(dateText, date, mapping.order));
    } else if (options.today.isValid() && p.date > options.today) {
        reject(QStringLiteral("%1 is after today").arg(DateText(p.date)));
    } else if ((options.from.isValid() && p.date < options.from) ||
               (options.to.isValid() && p.date > options.to)) {
        p.status = RowStatus::OutsideRange;
    } else if (!numbersRead) {
        reject(bad);
    } else if (const QString problem = NumbersProblem(numbers, shape); !problem.isEmpty()) {
        reject(problem);
    }
}

// Compares a checked row with the database's records and with the rows taken before it:
// the same draw is Present, another draw on the same date a Conflict, anything else New.
void PlaceRow(PlannedRow& p, const std::vector<int>& sorted, const KnownRecords& known,
              QHash<qint64, std::pair<int, std::vector<int>>>& taken, ImportPlan& plan)
{
    const qint64 day = p.date.toJulianDay();
    int sameDate = 0;
    int sameDraw = 0;
    for (auto it = known.byDate.constFind(day); it != known.byDate.cend() && it.key() == day;
         ++it) {
        // The hash gives the records of a date newest first; the earliest is kept.
        sameDate = sameDate == 0 ? *it : std::min(sameDate, *it);
        if (known.numbers[static_cast<size_t>(*it)] == sorted)
            sameDraw = sameDraw == 0 ? *it : std::min(sameDraw, *it);
    }
    if (sameDraw > 0) {
        p.status = RowStatus::Present;
        p.record = sameDraw;
        ++plan.present;
    } else if (sameDate > 0) {
        p.status = RowStatus::Conflict;
        p.record = sameDate;
        p.reason = QStringLiteral("%1 is record %2 with other numbers")
                       .arg(DateText(p.date))
                       .arg(sameDate);
        ++plan.conflicts;
    } else if (const auto t = taken.constFind(day); t != taken.cend()) {
        if (t->second == sorted) {
            p.status = RowStatus::Present;
            ++plan.present;
        } else {
            p.status = RowStatus::Conflict;
            p.reason = QStringLiteral("%1 is given on line %2 with other numbers")
                           .arg(DateText(p.date))
                           .arg(t->first);
            ++plan.conflicts;
        }
    } else {
        p.status = RowStatus::New;
        taken.insert(day, {p.line, sorted});
        ++plan.added;
    }
}

} // namespace

ImportPlan PlanImport(const SourceTable& table, const Mapping& mapping,
                      const database::DrawDatabase& db, const Shape& shape,
                      const ImportOptions& options)
{
    ImportPlan plan;
    plan.recordsBefore = db.recordCount();
    const KnownRecords known = IndexRecords(db);
    // The new rows taken so far, by date: their line and sorted numbers.
    QHash<qint64, std::pair<int, std::vector<int>>> taken;
    RowNumbers numbers;
    plan.rows.reserve(table.rows.size());
    for (const SourceRow& row : table.rows) {
        PlannedRow p;
        p.line = row.line;
        p.status = RowStatus::New;
        CheckRow(row, table, mapping, shape, options, p, numbers);
        if (p.status == RowStatus::Rejected) {
            ++plan.rejected;
            // The numbers as far as they were read, for the preview.
            p.numbers = numbers.typed;
        } else {
            ++plan.sourceDraws;
            if (p.status == RowStatus::OutsideRange) {
                ++plan.outside;
            } else {
                p.numbers = options.sortNumbers ? numbers.sorted : numbers.typed;
                PlaceRow(p, numbers.sorted, known, taken, plan);
            }
        }
        plan.rows.push_back(std::move(p));
    }
    return plan;
}

QDate NewestRangeStart(const ImportPlan& plan)
{
    const int room = database::DrawDatabase::MaxRecords - plan.recordsBefore;
    std::vector<QDate> dates;
    for (const PlannedRow& r : plan.rows) {
        if (r.status == RowStatus::New) dates.push_back(r.date);
    }
    if (room <= 0 || dates.empty()) return {};
    if (static_cast<int>(dates.size()) <= room)
        return *std::min_element(dates.begin(), dates.end());
    std::sort(dates.begin(), dates.end(), std::greater<>());
    QDate from = dates[static_cast<size_t>(room) - 1];
    // Draws of the same date go in together or not at all.
    if (dates[static_cast<size_t>(room)] == from) from = from.addDays(1);
    return from > dates.front() ? QDate() : from;
}

ApplyResult ApplyPlan(const ImportPlan& plan, database::DrawDatabase& db,
                      const ImportOptions& options)
{
    ApplyResult result;
    if (plan.overLimit()) return result;
    const int picks = db.picksPerDraw();
    auto write = [picks](database::DrawRecord& rec, const PlannedRow& row) {
        rec.Numbers.fill(0);
        for (size_t k = 0; k < row.numbers.size() && k < static_cast<size_t>(picks); ++k)
            rec.Numbers[k] = row.numbers[k];
    };
    if (options.replaceConflicts) {
        for (const PlannedRow& row : plan.rows) {
            if (row.status == RowStatus::Conflict && row.record >= 1 &&
                row.record <= db.recordCount()) {
                write(db.record(row.record), row);
                ++result.replaced;
            }
        }
    }

    std::vector<const PlannedRow*> fresh;
    for (const PlannedRow& row : plan.rows) {
        if (row.status == RowStatus::New) fresh.push_back(&row);
    }
    if (fresh.empty()) return result;
    std::stable_sort(fresh.begin(), fresh.end(),
                     [](const PlannedRow* a, const PlannedRow* b) { return a->date < b->date; });

    int n = db.recordCount();
    const QDate last = n >= 1 ? db.record(n).DrawDate : QDate();
    const bool allAfter = n == 0 || (last.isValid() && fresh.front()->date >= last);
    // An insertion first puts the table in date order.
    if (!allAfter) db.sortByDate();
    n = db.recordCount();
    for (const PlannedRow* row : fresh) {
        database::DrawRecord& rec = db.record(++n);
        rec = database::DrawRecord{};
        rec.RecordNo = n;
        rec.DrawDate = row->date;
        write(rec, *row);
    }
    db.setRecordCount(n);
    result.added = static_cast<int>(fresh.size());
    if (!allAfter) {
        // Each new record goes after the records of its date, as an insertion puts it; an
        // empty date sorts first, as in the sort by date.
        auto serial = [](const database::DrawRecord& r) {
            return r.DrawDate.isValid() ? text::DaySerial(r.DrawDate) : 0LL;
        };
        std::stable_sort(db.records().begin(), db.records().end(),
                         [&serial](const database::DrawRecord& a, const database::DrawRecord& b) {
                             return serial(a) < serial(b);
                         });
        for (int i = 1; i <= n; ++i)
            db.record(i).RecordNo = i;
    }
    return result;
}

} // namespace history

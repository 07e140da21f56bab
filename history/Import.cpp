#include "history/Import.h"

#include "text/Dates.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <map>

namespace history {

namespace {

constexpr int HighestPossible = 60;

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsNumberSeparator(QChar c)
{
    return c.isSpace() || c == QLatin1Char('-') || c == QLatin1Char(',') || c == QLatin1Char(';') ||
           c == QLatin1Char('/') || c == QLatin1Char('|');
}

// The numbers of one field ("5", "05 12 23 34 45", "5-12-23-34-45"). False, with the
// offending word in `bad`, when a word is not a whole number.
bool ReadNumbers(QStringView field, std::vector<int>& numbers, QString& bad)
{
    qsizetype i = 0;
    while (i < field.size()) {
        while (i < field.size() && IsNumberSeparator(field[i]))
            ++i;
        if (i >= field.size()) break;
        qsizetype j = i;
        while (j < field.size() && !IsNumberSeparator(field[j]))
            ++j;
        const QStringView word = field.mid(i, j - i);
        i = j;
        if (word.size() > 6 || !std::all_of(word.begin(), word.end(), IsDigit)) {
            bad = word.toString();
            return false;
        }
        numbers.push_back(word.toInt());
    }
    return true;
}

// Words in a column's header that name a column other than the drawn numbers.
bool IsExtraName(const QString& name)
{
    static const QRegularExpression extra(
        QStringLiteral("bonus|power|mega|extra|multi|jackpot|prize|draw\\s*(no|nr|num|#|id)|"
                       "^draw$|^no\\.?$|^nr\\.?$|^#$|^id$|seq|lucky|star|plus|winner|machine|"
                       "set|estimated|cash|sales|super|^pb$|^pp$|^mb$"),
        QRegularExpression::CaseInsensitiveOption);
    return extra.match(name.trimmed()).hasMatch();
}

struct ColumnStats {
    int filled = 0;
    int dates = 0;   // fields that read as a date
    int numeric = 0; // fields that are one number or several
    int several = 0; // fields with more than one number
    int maxValue = 0;
    int above = 0;             // fields with a number above the highest any lottery has
    int zeros = 0;             // fields holding 0, which no drawn number is
    std::map<int, int> counts; // numbers per field -> fields
    bool countsUp = true;      // one number a row, one more (or less) than the row before
    int previous = -1;
    int direction = 0;
    int steps = 0; // rows that went on counting
};

int MostCommon(const std::map<int, int>& counts)
{
    int best = 0;
    int seen = -1;
    for (const auto& [value, n] : counts) {
        if (n > seen) {
            best = value;
            seen = n;
        }
    }
    return best;
}

QString DateText(const QDate& d)
{
    return d.toString(Qt::ISODate);
}

} // namespace

int Mapping::dateColumn() const
{
    const auto it = std::find(roles.begin(), roles.end(), ColumnRole::Date);
    return it == roles.end() ? -1 : static_cast<int>(it - roles.begin());
}

QString DateOrderFinding::explanation() const
{
    if (!numericDates) return {};
    const QString name =
        order == DateOrder::DayFirst ? QStringLiteral("day-first") : QStringLiteral("month-first");
    if (ambiguous)
        return QStringLiteral("Every date reads both day-first and month-first; reading them "
                              "%1. Choose the order if that is wrong.")
            .arg(name);
    QString text = QStringLiteral("Dates are read %1: line %2 has %3, which reads no other way.")
                       .arg(name)
                       .arg(settlingLine)
                       .arg(settlingText);
    if (contrary > 0)
        text += QStringLiteral(" %1 rows read only the other way and are rejected.").arg(contrary);
    return text;
}

DateOrderFinding FindDateOrder(const SourceTable& table, int dateColumn, DateOrder preferred)
{
    DateOrderFinding f;
    f.order = preferred;
    if (dateColumn < 0) return f;
    int dayFirstOnly = 0;
    int monthFirstOnly = 0;
    int dayFirstLine = 0;
    int monthFirstLine = 0;
    QString dayFirstText;
    QString monthFirstText;
    for (const SourceRow& row : table.rows) {
        if (dateColumn >= row.fields.size()) continue;
        const QString& text = row.fields[dateColumn];
        const DateField d = ClassifyDate(text);
        if (d.kind != DateField::Kind::Numeric) continue;
        f.numericDates = true;
        const bool df = d.dayFirst.isValid();
        const bool mf = d.monthFirst.isValid();
        if (df && !mf && dayFirstOnly++ == 0) {
            dayFirstLine = row.line;
            dayFirstText = text;
        } else if (mf && !df && monthFirstOnly++ == 0) {
            monthFirstLine = row.line;
            monthFirstText = text;
        }
    }
    if (dayFirstOnly == 0 && monthFirstOnly == 0) {
        f.ambiguous = f.numericDates;
        return f;
    }
    // Both at once can only be a damaged source: the larger side wins, the other is rejected.
    const bool dayFirst = dayFirstOnly >= monthFirstOnly;
    f.order = dayFirst ? DateOrder::DayFirst : DateOrder::MonthFirst;
    f.settlingLine = dayFirst ? dayFirstLine : monthFirstLine;
    f.settlingText = dayFirst ? dayFirstText : monthFirstText;
    f.contrary = dayFirst ? monthFirstOnly : dayFirstOnly;
    return f;
}

namespace {

// Adds one field to its column's tally.
void TallyField(const QString& field, ColumnStats& s)
{
    if (field.isEmpty()) return;
    ++s.filled;
    if (ClassifyDate(field).valid()) {
        ++s.dates;
        return;
    }
    std::vector<int> numbers;
    QString bad;
    if (!ReadNumbers(field, numbers, bad) || numbers.empty()) {
        s.countsUp = false;
        return;
    }
    ++s.numeric;
    const int count = static_cast<int>(numbers.size());
    ++s.counts[count];
    if (count > 1) ++s.several;
    const int high = *std::max_element(numbers.begin(), numbers.end());
    s.maxValue = std::max(s.maxValue, high);
    if (high > HighestPossible) ++s.above;
    if (*std::min_element(numbers.begin(), numbers.end()) == 0) ++s.zeros;
    if (count == 1 && s.countsUp) {
        const int step = s.previous < 0 ? 0 : numbers[0] - s.previous;
        if (s.previous >= 0 && (step == 1 || step == -1) &&
            (s.direction == 0 || s.direction == step)) {
            s.direction = step;
            ++s.steps;
        } else if (s.previous >= 0)
            s.countsUp = false;
        s.previous = numbers[0];
    } else if (count > 1) {
        s.countsUp = false;
    }
}

std::vector<ColumnStats> TallyColumns(const SourceTable& table, size_t sampled)
{
    std::vector<ColumnStats> stats(static_cast<size_t>(table.columnCount()));
    for (size_t r = 0; r < sampled; ++r) {
        const QStringList& fields = table.rows[r].fields;
        for (qsizetype c = 0; c < fields.size(); ++c)
            TallyField(fields[c], stats[static_cast<size_t>(c)]);
    }
    return stats;
}

// Names every column and gives it its first value; returns the date column, or -1.
int NameColumnsAndFindDates(const SourceTable& table, const std::vector<ColumnStats>& stats,
                            Detection& d)
{
    const int columns = table.columnCount();
    int dateColumn = -1;
    for (int c = 0; c < columns; ++c) {
        const ColumnStats& s = stats[static_cast<size_t>(c)];
        ColumnGuess& g = d.columns[static_cast<size_t>(c)];
        // The words of a header over blank-aligned columns name them only when there is one
        // word a column.
        const bool headerFits =
            table.separator != Separator::Whitespace || table.header.size() == columns;
        g.name = headerFits && c < table.header.size() && !table.header[c].isEmpty()
                     ? table.header[c]
                     : QStringLiteral("Column %1").arg(c + 1);
        if (!table.rows.empty() && c < table.rows.front().fields.size())
            g.sample = table.rows.front().fields[c];
        if (s.dates * 2 > s.filled &&
            (dateColumn < 0 || s.dates > stats[static_cast<size_t>(dateColumn)].dates))
            dateColumn = c;
    }
    if (dateColumn >= 0) {
        d.mapping.roles[static_cast<size_t>(dateColumn)] = ColumnRole::Date;
        d.columns[static_cast<size_t>(dateColumn)].kind = QStringLiteral("date");
    }
    return dateColumn;
}

// Says what each column other than the date holds; returns the columns of drawn numbers, in
// order. Extra ones are named and left out.
std::vector<int> ClassifyColumns(const SourceTable& table, const std::vector<ColumnStats>& stats,
                                 int dateColumn, Detection& d)
{
    const int columns = table.columnCount();
    // The words of a header over blank-aligned columns need not stand over their columns, so
    // they name nothing there.
    const bool namedColumns = table.separator != Separator::Whitespace;
    // A draw number counts by one from row to row; drawn numbers do that only by chance, over
    // a few rows and in several columns at once, so one column must do it for eight rows, and
    // where a header names the columns its words decide instead.
    constexpr int CountingRows = 7;
    auto counting = [&](int c) {
        const ColumnStats& s = stats[static_cast<size_t>(c)];
        const bool named = namedColumns && c < table.header.size() && !table.header[c].isEmpty();
        return !named && s.countsUp && s.steps >= CountingRows;
    };
    int countingColumns = 0;
    for (int c = 0; c < columns; ++c)
        countingColumns += c != dateColumn && counting(c) ? 1 : 0;
    std::vector<int> mainColumns;
    for (int c = 0; c < columns; ++c) {
        if (c == dateColumn) continue;
        const ColumnStats& s = stats[static_cast<size_t>(c)];
        ColumnGuess& g = d.columns[static_cast<size_t>(c)];
        if (s.filled == 0) {
            g.kind = QStringLiteral("empty");
        } else if (s.numeric * 2 <= s.filled) {
            g.kind = QStringLiteral("text");
        } else if (s.several * 2 > s.numeric) {
            g.kind = QStringLiteral("numbers");
            if (s.above * 2 > s.numeric)
                g.kind = QStringLiteral("values above %1").arg(HighestPossible);
            else
                mainColumns.push_back(c);
        } else if (namedColumns && c < table.header.size() && IsExtraName(table.header[c])) {
            g.kind = QStringLiteral("extra (%1)").arg(table.header[c].trimmed());
        } else if (s.above * 2 > s.numeric) {
            // A few typing errors above the range are the rows' fault, not the column's.
            g.kind = QStringLiteral("values above %1").arg(HighestPossible);
        } else if (s.zeros * 10 > s.numeric) {
            g.kind = QStringLiteral("extra (holds 0)");
        } else if (countingColumns == 1 && counting(c)) {
            g.kind = QStringLiteral("draw number");
        } else {
            g.kind = QStringLiteral("number");
            mainColumns.push_back(c);
        }
    }
    return mainColumns;
}

// The numbers of a row's fields in `cols`.
std::vector<int> RowValues(const SourceRow& row, const std::vector<int>& cols)
{
    std::vector<int> values;
    QString ignored;
    for (int c : cols) {
        if (c < row.fields.size()) ReadNumbers(row.fields[c], values, ignored);
    }
    return values;
}

// A last single-number column whose value also appears among the row's other numbers is
// drawn from a pool of its own (a bonus ball): it is named and taken out of `mainColumns`.
void SetAsideBonusColumn(const SourceTable& table, size_t sampled, std::vector<int>& mainColumns,
                         Detection& d)
{
    if (mainColumns.size() <= 1 ||
        d.columns[static_cast<size_t>(mainColumns.back())].kind != QLatin1String("number"))
        return;
    const int last = mainColumns.back();
    const std::vector<int> others(mainColumns.begin(), mainColumns.end() - 1);
    for (size_t r = 0; r < sampled; ++r) {
        const SourceRow& row = table.rows[r];
        if (last >= row.fields.size()) continue;
        const std::vector<int> own = RowValues(row, {last});
        const std::vector<int> rest = RowValues(row, others);
        if (own.size() == 1 && std::find(rest.begin(), rest.end(), own[0]) != rest.end()) {
            d.columns[static_cast<size_t>(last)].kind =
                QStringLiteral("extra (repeats a drawn number)");
            mainColumns.pop_back();
            return;
        }
    }
}

// Maps the number columns; with the picks known, the first columns that give that many
// numbers are taken. Then reads the picks and the highest number off the sampled rows.
void MapNumberColumns(const SourceTable& table, const std::vector<ColumnStats>& stats,
                      size_t sampled, const std::vector<int>& mainColumns, int knownPicks,
                      Detection& d)
{
    int taken = 0;
    for (int c : mainColumns) {
        const int perField = MostCommon(stats[static_cast<size_t>(c)].counts);
        if (knownPicks > 0 && taken >= knownPicks) {
            d.columns[static_cast<size_t>(c)].kind += QStringLiteral(" (beyond the picks)");
            continue;
        }
        d.mapping.roles[static_cast<size_t>(c)] = ColumnRole::Numbers;
        taken += perField;
    }

    std::map<int, int> perRow;
    std::vector<int> mapped;
    for (int c = 0; c < table.columnCount(); ++c) {
        if (d.mapping.roles[static_cast<size_t>(c)] == ColumnRole::Numbers) mapped.push_back(c);
    }
    for (size_t r = 0; r < sampled; ++r) {
        const std::vector<int> values = RowValues(table.rows[r], mapped);
        ++perRow[static_cast<int>(values.size())];
        for (int v : values)
            d.highest = std::max(d.highest, v);
    }
    d.picks = MostCommon(perRow);
}

} // namespace

Detection Detect(const SourceTable& table, int knownPicks, DateOrder preferred)
{
    Detection d;
    // The first thousand rows tell the columns apart as well as all of them would.
    const size_t sampled = std::min<size_t>(table.rows.size(), 1000);
    const std::vector<ColumnStats> stats = TallyColumns(table, sampled);
    d.mapping.roles.assign(static_cast<size_t>(table.columnCount()), ColumnRole::Ignore);
    d.columns.resize(static_cast<size_t>(table.columnCount()));
    const int dateColumn = NameColumnsAndFindDates(table, stats, d);
    std::vector<int> mainColumns = ClassifyColumns(table, stats, dateColumn, d);
    SetAsideBonusColumn(table, sampled, mainColumns, d);
    MapNumberColumns(table, stats, sampled, mainColumns, knownPicks, d);
    d.dates = FindDateOrder(table, dateColumn, preferred);
    d.mapping.order = d.dates.order;
    return d;
}

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

// Reads a row's date and numbers and checks them against the shape and the date range:
// `p` gets its date and the status Rejected (with the reason), OutsideRange or New.
void CheckRow(const SourceRow& row, const Mapping& mapping, const Shape& shape,
              const ImportOptions& options, PlannedRow& p, RowNumbers& numbers)
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
    numbers.typed.clear();
    QString bad;
    bool numbersRead = true;
    for (qsizetype c = 0; c < row.fields.size() && numbersRead; ++c) {
        if (static_cast<size_t>(c) < mapping.roles.size() &&
            mapping.roles[static_cast<size_t>(c)] == ColumnRole::Numbers)
            numbersRead = ReadNumbers(row.fields[c], numbers.typed, bad);
    }
    const std::vector<int>& typed = numbers.typed;

    if (dateText.isEmpty()) {
        reject(QStringLiteral("no date"));
    } else if (!date.looksLikeDate()) {
        reject(QStringLiteral("\"%1\" is not a date").arg(dateText));
    } else if (!p.date.isValid()) {
        const bool otherWay = date.read(mapping.order == DateOrder::DayFirst ? DateOrder::MonthFirst
                                                                             : DateOrder::DayFirst)
                                  .isValid();
        reject(otherWay ? QStringLiteral("\"%1\" is not a date when read %2")
                              .arg(dateText, mapping.order == DateOrder::DayFirst
                                                 ? QStringLiteral("day-first")
                                                 : QStringLiteral("month-first"))
                        : QStringLiteral("\"%1\" is not a real date").arg(dateText));
    } else if ((options.from.isValid() && p.date < options.from) ||
               (options.to.isValid() && p.date > options.to)) {
        p.status = RowStatus::OutsideRange;
    } else if (!numbersRead) {
        reject(QStringLiteral("\"%1\" is not a number").arg(bad));
    } else if (static_cast<int>(typed.size()) != shape.picks) {
        reject(QStringLiteral("%1 numbers where a draw has %2").arg(typed.size()).arg(shape.picks));
    } else {
        numbers.sorted = typed;
        std::sort(numbers.sorted.begin(), numbers.sorted.end());
        const auto outside = std::find_if(typed.begin(), typed.end(),
                                          [&shape](int n) { return n < 1 || n > shape.high; });
        const auto twice = std::adjacent_find(numbers.sorted.begin(), numbers.sorted.end());
        if (outside != typed.end()) {
            reject(QStringLiteral("number %1 is not from 1 to %2").arg(*outside).arg(shape.high));
        } else if (twice != numbers.sorted.end()) {
            reject(QStringLiteral("number %1 appears twice").arg(*twice));
        }
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
        CheckRow(row, mapping, shape, options, p, numbers);
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

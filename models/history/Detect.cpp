// Telling a table's columns apart: the date, the main numbers, the extra balls and the rest.
#include "models/history/Export.h"
#include "models/history/FieldNumbers.h"
#include "models/history/Import.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <map>

namespace history {

namespace {

// Words in a column's header that name a column other than the main numbers: extra balls
// (Bonus, Supp, S1, PB, Powerball, Mega Ball, Star, Lucky Star, Chance, Extra), and the
// rest of an operator's table (a multiplier, a draw number, a jackpot, the winners).
bool IsExtraName(const QString& name)
{
    static const QRegularExpression extra(
        QStringLiteral("bonus|power|mega|extra|multi|jackpot|prize|draw\\s*(no|nr|num|#|id)|"
                       "^draw$|^no\\.?$|^nr\\.?$|^#$|^id$|seq|lucky|star|plus|winner|machine|"
                       "set|estimated|cash|sales|super|supp|chance|thunder|^pb$|^pp$|^mb$|"
                       "^s\\s*\\d+$|^sup\\s*\\d*$|^e\\s*\\d+$|^x\\s*\\d*$"),
        QRegularExpression::CaseInsensitiveOption);
    return extra.match(name.trimmed()).hasMatch();
}

// Is `extraMax` the highest number of a drum smaller than the one `mainMax` comes from? Only
// over enough rows: in a few rows a drum of 49 may by chance not show a number over 29.
bool SmallerRange(int extraMax, int mainMax, size_t rows)
{
    constexpr size_t EnoughRows = 10;
    return rows >= EnoughRows && extraMax * 5 <= mainMax * 3;
}

struct ColumnStats {
    int filled = 0;
    int dates = 0;   // fields that read as a date
    int numeric = 0; // fields that are one number or several
    int several = 0; // fields with more than one number
    int maxValue = 0;
    int zeros = 0;                 // fields holding 0, which no drawn number is
    std::map<int, int> counts;     // numbers per field -> fields
    std::map<int, int> fieldMaxes; // a field's highest number -> fields
    std::vector<int> positionMax;  // the highest number at each position of a field
    int lastRepeats = 0;           // fields whose last number repeats an earlier one
    bool countsUp = true;          // one number a row, one more (or less) than the row before
    int previous = -1;
    int direction = 0;
    int steps = 0; // rows that went on counting

    int above(int high) const
    {
        int n = 0;
        for (auto it = fieldMaxes.upper_bound(high); it != fieldMaxes.end(); ++it)
            n += it->second;
        return n;
    }
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

void TallyCounting(const std::vector<int>& numbers, ColumnStats& s)
{
    if (numbers.size() != 1) {
        s.countsUp = false;
        return;
    }
    if (!s.countsUp) return;
    const int step = s.previous < 0 ? 0 : numbers[0] - s.previous;
    if (s.previous >= 0 && (step == 1 || step == -1) && (s.direction == 0 || s.direction == step)) {
        s.direction = step;
        ++s.steps;
    } else if (s.previous >= 0) {
        s.countsUp = false;
    }
    s.previous = numbers[0];
}

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
    const size_t count = numbers.size();
    ++s.counts[static_cast<int>(count)];
    if (count > 1) ++s.several;
    const int high = *std::max_element(numbers.begin(), numbers.end());
    s.maxValue = std::max(s.maxValue, high);
    ++s.fieldMaxes[high];
    if (*std::min_element(numbers.begin(), numbers.end()) == 0) ++s.zeros;
    if (s.positionMax.size() < count) s.positionMax.resize(count, 0);
    for (size_t k = 0; k < count; ++k)
        s.positionMax[k] = std::max(s.positionMax[k], numbers[k]);
    if (count > 1 &&
        std::find(numbers.begin(), numbers.end() - 1, numbers.back()) != numbers.end() - 1)
        ++s.lastRepeats;
    TallyCounting(numbers, s);
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

// Names every column and gives it its first value; maps the date column (the one with the
// most dates, a third of its fields at least), or none.
void NameColumnsAndFindDates(const SourceTable& table, const std::vector<ColumnStats>& stats,
                             Detection& d)
{
    const int columns = table.columnCount();
    // The words of a header over blank-aligned columns name them only when there is one word a
    // column.
    const bool headerFits =
        table.separator != Separator::Whitespace || table.header.size() == columns;
    int dateColumn = -1;
    for (int c = 0; c < columns; ++c) {
        const ColumnStats& s = stats[static_cast<size_t>(c)];
        ColumnGuess& g = d.columns[static_cast<size_t>(c)];
        g.name = headerFits && c < table.header.size() && !table.header[c].isEmpty()
                     ? table.header[c]
                     : QStringLiteral("Column %1").arg(c + 1);
        if (!table.rows.empty() && c < table.rows.front().fields.size())
            g.sample = table.rows.front().fields[c];
        if (s.dates > 0 && s.dates * 3 > s.filled &&
            (dateColumn < 0 || s.dates > stats[static_cast<size_t>(dateColumn)].dates))
            dateColumn = c;
    }
    if (dateColumn >= 0) {
        d.mapping.date = dateColumn;
        d.columns[static_cast<size_t>(dateColumn)].kind = QStringLiteral("date");
    }
}

// A field of several numbers: its trailing positions are extra balls when they come from a
// smaller range than the positions before them, or repeat one of the draw's numbers.
void SetAsideExtraPositions(const ColumnStats& s, size_t sampled, ColumnGuess& g)
{
    // Two numbers in a field are more likely an amount ("2,50") than a draw with its extra.
    const int n = g.perField;
    if (n < 3 || s.positionMax.size() < static_cast<size_t>(n)) return;
    int main = n;
    while (main > 1) {
        const auto before = s.positionMax.begin() + (main - 1);
        const int rest = *std::max_element(s.positionMax.begin(), before);
        if (!SmallerRange(s.positionMax[static_cast<size_t>(main - 1)], rest, sampled)) break;
        --main;
    }
    if (main == n && s.lastRepeats > 0) main = n - 1;
    if (main == n) return;
    g.mainPositions = main;
    g.extra = true;
    g.kind = QStringLiteral("numbers (%1 main, then %2 extra)").arg(main).arg(n - main);
}

// Says what each column other than the date holds and lists, in column order, the ones that
// hold main numbers.
std::vector<int> ClassifyColumns(const SourceTable& table, const std::vector<ColumnStats>& stats,
                                 size_t sampled, int knownHigh, Detection& d)
{
    const int columns = table.columnCount();
    const int high = knownHigh > 0 ? knownHigh : HighestPossible;
    // The words of a header over blank-aligned columns need not stand over their columns, so
    // they name nothing there.
    const bool namedColumns = table.separator != Separator::Whitespace;
    auto named = [&](int c) {
        return namedColumns && c < table.header.size() && !table.header[c].isEmpty();
    };
    // A draw number counts by one from row to row; drawn numbers do that only by chance, over
    // a few rows and in several columns at once, so one column must do it for eight rows, and
    // where a header names the columns its words decide instead.
    constexpr int CountingRows = 7;
    auto counting = [&](int c) {
        const ColumnStats& s = stats[static_cast<size_t>(c)];
        return !named(c) && s.countsUp && s.steps >= CountingRows;
    };
    int countingColumns = 0;
    for (int c = 0; c < columns; ++c)
        countingColumns += c != d.mapping.date && counting(c) ? 1 : 0;
    std::vector<int> candidates;
    for (int c = 0; c < columns; ++c) {
        if (c == d.mapping.date) continue;
        const ColumnStats& s = stats[static_cast<size_t>(c)];
        ColumnGuess& g = d.columns[static_cast<size_t>(c)];
        // Every rule is a majority, so that a few bad cells never change a column's use: the
        // rows holding them are rejected with their reason instead.
        if (s.filled == 0) {
            g.kind = QStringLiteral("empty");
        } else if (s.dates * 2 > s.filled) {
            g.kind = QStringLiteral("another date");
        } else if (s.numeric * 2 <= s.filled) {
            g.kind = QStringLiteral("text");
        } else if (s.above(high) * 2 > s.numeric) {
            g.kind = QStringLiteral("values above %1").arg(high);
        } else if (named(c) && IsExtraName(table.header[c])) {
            g.kind = QStringLiteral("extra (%1)").arg(table.header[c].trimmed());
            g.extra = true;
        } else if (s.several * 2 > s.numeric) {
            g.kind = QStringLiteral("numbers");
            g.perField = MostCommon(s.counts);
            SetAsideExtraPositions(s, sampled, g);
            candidates.push_back(c);
        } else if (s.zeros * 2 > s.numeric) {
            g.kind = QStringLiteral("extra (holds 0)");
            g.extra = true;
        } else if (countingColumns == 1 && counting(c)) {
            g.kind = QStringLiteral("draw number");
        } else {
            g.kind = QStringLiteral("number");
            g.perField = 1;
            candidates.push_back(c);
        }
    }
    return candidates;
}

NumberPick MainPick(const Detection& d, int column)
{
    const ColumnGuess& g = d.columns[static_cast<size_t>(column)];
    return g.mainPositions > 0 ? NumberPick{column, 1, g.mainPositions} : NumberPick{column};
}

int MainCount(const Detection& d, int column)
{
    const ColumnGuess& g = d.columns[static_cast<size_t>(column)];
    return g.mainPositions > 0 ? g.mainPositions : g.perField;
}

// The first run of adjacent number columns (the date column between them does not break it).
std::vector<int> FirstRun(const std::vector<int>& candidates, int dateColumn)
{
    std::vector<int> run;
    for (int c : candidates) {
        if (!run.empty()) {
            int next = run.back() + 1;
            if (next == dateColumn) ++next;
            if (c != next) break;
        }
        run.push_back(c);
    }
    return run;
}

// The last single-number columns of the run that come from a smaller range than the columns
// before them, or repeat one of the row's numbers, are extra balls.
void SetAsideExtraColumns(const SourceTable& table, const std::vector<ColumnStats>& stats,
                          size_t sampled, std::vector<int>& run, Detection& d)
{
    auto maxOf = [&](int c) { return stats[static_cast<size_t>(c)].maxValue; };
    while (run.size() > 1 && d.columns[static_cast<size_t>(run.back())].perField == 1) {
        int rest = 0;
        for (size_t k = 0; k + 1 < run.size(); ++k)
            rest = std::max(rest, maxOf(run[k]));
        ColumnGuess& g = d.columns[static_cast<size_t>(run.back())];
        if (!SmallerRange(maxOf(run.back()), rest, sampled)) break;
        g.kind = QStringLiteral("extra (drawn from 1 to %1 or so)").arg(maxOf(run.back()));
        g.extra = true;
        run.pop_back();
    }
    if (run.size() <= 1 || d.columns[static_cast<size_t>(run.back())].perField != 1) return;
    const int last = run.back();
    for (size_t r = 0; r < sampled; ++r) {
        const SourceRow& row = table.rows[r];
        if (last >= row.fields.size()) continue;
        std::vector<int> own;
        std::vector<int> rest;
        QString ignored;
        ReadNumbers(row.fields[last], own, ignored);
        for (size_t k = 0; k + 1 < run.size(); ++k) {
            if (run[k] < row.fields.size()) ReadNumbers(row.fields[run[k]], rest, ignored);
        }
        if (own.size() == 1 && std::find(rest.begin(), rest.end(), own[0]) != rest.end()) {
            d.columns[static_cast<size_t>(last)].kind =
                QStringLiteral("extra (repeats a drawn number)");
            d.columns[static_cast<size_t>(last)].extra = true;
            run.pop_back();
            return;
        }
    }
}

// Maps the main numbers: with the picks known, the first number columns that give that many
// numbers, else the first run of them. Then reads the picks and the highest number off the
// sampled rows.
void MapNumberColumns(const SourceTable& table, size_t sampled, const std::vector<int>& candidates,
                      const std::vector<int>& run, int knownPicks, Detection& d)
{
    for (int c : candidates) {
        if (d.columns[static_cast<size_t>(c)].extra &&
            d.columns[static_cast<size_t>(c)].mainPositions == 0)
            continue;
        d.numberColumns.push_back(MainPick(d, c));
    }
    int taken = 0;
    for (const NumberPick& pick : d.numberColumns) {
        const int c = pick.column;
        const bool inRun = std::find(run.begin(), run.end(), c) != run.end();
        if (knownPicks > 0 ? taken >= knownPicks : !inRun) {
            d.columns[static_cast<size_t>(c)].kind += knownPicks > 0
                                                          ? QStringLiteral(" (beyond the picks)")
                                                          : QStringLiteral(" (left out)");
            continue;
        }
        d.mapping.numbers.push_back(pick);
        taken += MainCount(d, c);
    }
    std::map<int, int> perRow;
    for (size_t r = 0; r < sampled; ++r) {
        const SourceRow& row = table.rows[r];
        int count = 0;
        for (const NumberPick& pick : d.mapping.numbers) {
            if (pick.column >= row.fields.size()) continue;
            std::vector<int> values;
            QString ignored;
            ReadNumbers(row.fields[pick.column], values, ignored);
            const int end = pick.last > 0
                                ? std::min<int>(pick.last, static_cast<int>(values.size()))
                                : static_cast<int>(values.size());
            for (int k = pick.first - 1; k < end; ++k) {
                d.highest = std::max(d.highest, values[static_cast<size_t>(k)]);
                ++count;
            }
        }
        ++perRow[count];
    }
    d.picks = MostCommon(perRow);
}

} // namespace

int Detection::numbersFound() const
{
    int n = 0;
    for (const NumberPick& p : numberColumns) {
        const ColumnGuess& g = columns[static_cast<size_t>(p.column)];
        n += p.last > 0 ? p.last - p.first + 1 : g.perField;
    }
    return n;
}

Detection Detect(const SourceTable& table, int knownPicks, DateOrder preferred, int knownHigh)
{
    Detection d;
    // The first thousand rows tell the columns apart as well as all of them would.
    const size_t sampled = std::min<size_t>(table.rows.size(), 1000);
    const std::vector<ColumnStats> stats = TallyColumns(table, sampled);
    d.columns.resize(static_cast<size_t>(table.columnCount()));
    NameColumnsAndFindDates(table, stats, d);
    const std::vector<int> candidates = ClassifyColumns(table, stats, sampled, knownHigh, d);
    std::vector<int> run = FirstRun(candidates, d.mapping.date);
    // The program's own export names its columns N1..Nk: every one of them is a drawn number.
    if (!IsExport(table)) SetAsideExtraColumns(table, stats, sampled, run, d);
    MapNumberColumns(table, sampled, candidates, run, knownPicks, d);
    d.dates = FindDateOrder(table, d.mapping.date, preferred);
    d.mapping.order = d.dates.order;
    return d;
}

} // namespace history

#include "models/check/CheckModel.h"

#include "models/draws/NumberBoxes.h"
#include "text/Dates.h"
#include "text/Format.h"

#include <algorithm>
#include <cstdint>

namespace check {

namespace {

int ClampedPicks(int picks)
{
    return std::clamp(picks, 1, 10);
}

const QString& Rule()
{
    static const QString rule(70, QLatin1Char('_'));
    return rule;
}

// Moves an open print line to print position `column`; a line already past it continues on
// the next line, at that position.
void TabTo(QStringList& lines, QString& line, int column)
{
    const int target = column - 1;
    if (line.size() > target) {
        lines << line;
        line.clear();
    }
    line += QString(target - line.size(), QLatin1Char(' '));
}

} // namespace

QString OpeningMinimum(int picks)
{
    return picks < 4 ? QStringLiteral(" 1") : QStringLiteral(" 3");
}

MinimumRevision ReviseMinimum(const QString& typed, int picks)
{
    picks = ClampedPicks(picks);
    const long long value = text::IntValue(typed);
    MinimumRevision r;
    r.rewritten = text::RightAlign(text::Hashes(value), 2);
    r.outOfRange = value < 1 || value > picks;
    r.text = r.outOfRange ? text::RightAlign(text::Hashes(picks), 2) : r.rewritten;
    return r;
}

EntryCheck CheckEntries(const QStringList& boxes, int highNumber)
{
    // An empty box is left out of the search. Once every typed box lies in 1..highNumber, only
    // typed boxes can repeat one another (an empty box's value is 0).
    const entry::BoxFault f =
        entry::FirstBoxOutOfRange(boxes, highNumber, entry::EmptyBoxes::Allowed);
    if (f.fault == entry::NumberFault::TooHigh) return {EntryFault::TooHigh, boxes[f.box]};
    if (f.fault == entry::NumberFault::Zero) return {EntryFault::Zero, boxes[f.box]};
    if (entry::HasRepeat(boxes)) return {EntryFault::Duplicate, {}};
    return {};
}

std::vector<MatchRow> FindMatches(const database::DrawDatabase& db, const std::vector<int>& checks,
                                  int minimum)
{
    // The check numbers are distinct and at most 60 once they passed CheckEntries, so one bit
    // per number answers "is this one of them" for every cell of every record.
    std::uint64_t wanted = 0;
    for (int c : checks)
        if (c >= 1 && c <= 63) wanted |= std::uint64_t{1} << c;
    minimum = std::max(1, minimum);

    const int picks = db.picksPerDraw();
    const int last = db.recordCount();
    std::vector<MatchRow> found;
    for (int r = 1; r <= last; ++r) {
        const database::DrawRecord& rec = db.record(r);
        MatchRow row;
        int count = 0;
        for (int k = 0; k < picks; ++k) {
            // Without branches: a hit is as likely as not to follow a miss, so a guessed branch
            // would be wrong often. Bit 0 is never set, and damaged values outside 0..63 miss.
            const int n = rec.Numbers[static_cast<size_t>(k)];
            const auto u = static_cast<unsigned>(n);
            const int hit = u < 64 ? static_cast<int>((wanted >> u) & 1U) : 0;
            count += hit;
            row.Numbers[static_cast<size_t>(k)] = n * hit;
        }
        if (count >= minimum) {
            row.RecordNo = rec.RecordNo;
            row.DrawDate = rec.DrawDate;
            found.push_back(row);
        }
    }
    return found;
}

SearchResult Search(const database::DrawDatabase& db, const QString& minimumText,
                    const QStringList& boxes)
{
    SearchResult result;
    result.minimumText = minimumText;
    result.boxes = boxes;
    result.columnCount = db.columnCount();
    std::vector<int> checks;
    checks.reserve(static_cast<size_t>(boxes.size()));
    // An empty box, or one holding only blanks, takes part as the value 0, which never matches.
    for (const QString& box : boxes)
        checks.push_back(entry::BoxValue(box));
    result.matches = FindMatches(db, checks, static_cast<int>(text::IntValue(minimumText)));
    return result;
}

int GridRows(int matchCount)
{
    return std::max(matchCount + SpareGridRows, MinGridRows);
}

QString HeaderText(int column)
{
    if (column == 0) return QStringLiteral("Record");
    if (column == 1) return QStringLiteral("Date");
    return text::NumText(static_cast<long long>(column - 1));
}

QString CellText(const MatchRow& row, int column)
{
    if (column == 0) return text::RightAlign(text::Hashes(row.RecordNo), 4);
    if (column == 1) return row.DrawDate.isValid() ? text::ShortDate(row.DrawDate) : QString();
    if (column < 2 || column >= database::DrawDatabase::MaxPicks + 2) return {};
    const int n = row.Numbers[static_cast<size_t>(column - 2)];
    return n == 0 ? QString() : text::RightAlign(text::Hashes(n), 3);
}

QStringList PrintoutLines(const QString& title, const SearchResult& result)
{
    const QString margin(4, QLatin1Char(' ')); // Tab(5)
    const int picks = ClampedPicks(result.columnCount - 2);
    QStringList lines;
    lines << QString() << QString();
    lines << margin + QStringLiteral("Matching Numbers in ") + title + QStringLiteral(" Draw");
    lines << margin + Rule();
    lines << QString();
    lines << margin + QStringLiteral("Search each record for minimum matches of: ") +
                 result.minimumText;
    lines << QString();

    QString line = margin + QStringLiteral("Enter numbers to check:");
    for (const QString& box : result.boxes)
        line += text::RightAlign(text::Hashes(text::IntValue(box)), 4);
    lines << line;
    lines << QString();
    lines << margin + Rule();
    lines << QString();

    line = margin + QStringLiteral("Record     Date     ");
    for (int p = 1; p <= picks; ++p)
        line += text::RightAlign(text::Hashes(p), 5);
    lines << line;
    lines << margin + Rule();
    lines << QString();

    for (auto it = result.matches.rbegin(); it != result.matches.rend(); ++it) {
        line = margin + text::RightAlign(text::Hashes(it->RecordNo), 5) + QStringLiteral("    ") +
               (it->DrawDate.isValid() ? text::ShortDate(it->DrawDate) : QString());
        TabTo(lines, line, 25);
        for (int k = 0; k < picks; ++k)
            line += text::RightAlign(text::Hashes(it->Numbers[static_cast<size_t>(k)]), 5);
        lines << line;
    }
    return lines;
}

QString QuickHelpText()
{
    const QStringList paragraphs = {
        QStringLiteral("Pre-programmed on startup to search through each record in the database "
                       "for all numbers, with a minimum of 3, that match those entered in all "
                       "the 'Enter numbers to check'  yellow input boxes."),
        QStringLiteral("Change the 'Search each record for minimum matches of'  input box to "
                       "whatever minimum number of matches you require. In 'Enter numbers to "
                       "check ' boxes type in the numbers to check. Click 'Check Numbers'."),
        QStringLiteral("Each record in which a match is found will be displayed in the "
                       "spreadsheet with the Database record number, date and the original "
                       "position in which the numbers were drawn. 'No matches' message if none "
                       "found. "),
        QStringLiteral("Can be used in various ways to display numbers. Example: to find numbers "
                       "drawn in the first position."),
        QStringLiteral("Set the 'Search each record for minimum matches of'  to 1 and in the "
                       "'Enter numbers to check'  input box enter 6 - leave other boxes empty. "
                       "All records where 6 was drawn will be shown."),
    };
    const QString breaks = QStringLiteral("\r\n\r\n");
    return QString(50, QLatin1Char(' ')) + QStringLiteral("How to use Check Winners") + breaks +
           paragraphs.join(breaks);
}

} // namespace check

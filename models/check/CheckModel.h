#pragma once
// Check Numbers without its window: the rules of the minimum-matches box, the checks of the
// numbers typed in, the search of every record, and the texts of the result grid and printout.
#include "models/draws/DrawDatabase.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace check {

// The result grid never has fewer rows than this (the header row included), and a search asks
// for this many spare rows below its matches.
constexpr int MinGridRows = 20;
constexpr int SpareGridRows = 10;

// The minimum-matches box on opening: " 3", or " 1" when a draw has fewer than four picks.
QString OpeningMinimum(int picks);

// The minimum-matches box after the user typed into it: the typed value rewritten right-aligned
// in two characters, whether it lies outside 1..picks, and the box's final text (the rewritten
// value, or picks right-aligned when out of range; the window then tells the user the range).
struct MinimumRevision {
    QString rewritten;
    bool outOfRange = false;
    QString text;
};
MinimumRevision ReviseMinimum(const QString& typed, int picks);

// What is wrong with the numbers typed in, in the order the checks run: every box's range
// first, then duplicates.
enum class EntryFault {
    None,
    TooHigh,   // a value above the highest number
    Zero,      // a value below 1 ("0", "00")
    Duplicate, // two boxes with the same value (two empty boxes are no duplicate)
};
struct EntryCheck {
    EntryFault fault = EntryFault::None;
    QString typed; // the offending box's text as typed (empty for a duplicate)
};
// `boxes` are the texts of the shown number boxes; an empty box is allowed.
EntryCheck CheckEntries(const QStringList& boxes, int highNumber);

// One record that matched: its number, date, and in each drawn position the number drawn there
// if it was one of the check numbers, else 0 (an empty cell).
struct MatchRow {
    int RecordNo = 0;
    QDate DrawDate;
    std::array<int, 10> Numbers{};
};

// Every record 1..recordCount() in which at least `minimum` (at least 1) of the check numbers
// were drawn, in ascending record order. Check numbers of 0 (empty boxes) never match: an empty
// cell of a damaged record is not a drawn number.
std::vector<MatchRow> FindMatches(const database::DrawDatabase& db, const std::vector<int>& checks,
                                  int minimum);

// A search as the window runs it: the inputs as they were shown, and what they found. Kept
// until the next search, so a printout after clearing the screen prints this search.
struct SearchResult {
    QString minimumText; // the minimum-matches box as shown
    QStringList boxes;   // the shown number boxes' texts
    int columnCount = 0; // ColumnCount of the database searched
    std::vector<MatchRow> matches;

    int matchCount() const { return static_cast<int>(matches.size()); }
};
// Reads the boxes (numeric value, empty = 0) and the minimum, and searches. The entries must
// already have passed CheckEntries.
SearchResult Search(const database::DrawDatabase& db, const QString& minimumText,
                    const QStringList& boxes);

// The result grid: its row count for a number of matches (header row included), the header
// texts ("Record", "Date", " 1", " 2", ...) and the text of each cell of a match row (column 0
// the record number in four characters, 1 the short date, 2.. the matched number in three
// characters, or nothing).
int GridRows(int matchCount);
QString HeaderText(int column);
QString CellText(const MatchRow& row, int column);

// The printout's lines, newest match first, with the print positions already resolved (column 1
// is the left edge). The caller ends the page and the document.
QStringList PrintoutLines(const QString& title, const SearchResult& result);

// The Quick Help text: the title indented by 50 blanks, then the paragraphs, an empty line
// (CR LF twice) after the title and between paragraphs, nothing after the last.
QString QuickHelpText();

} // namespace check

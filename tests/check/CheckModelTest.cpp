#include "check/CheckModel.h"
#include "Printing.h"
#include "text/Dates.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace check;
using namespace Qt::StringLiterals;

namespace {

// A database whose records hold the given numbers, one record a draw, dated a week apart from
// 2 January 2024.
DrawDatabase MakeDb(int high, int picks, const std::vector<std::vector<int>>& draws)
{
    DrawDatabase db;
    db.Title = QStringLiteral("Test Lotto");
    db.HighNumber = high;
    db.ColumnCount = picks + 2;
    db.RecordCount = static_cast<int>(draws.size());
    for (size_t i = 0; i < draws.size(); ++i) {
        DrawRecord& r = db.Records[i + 1];
        r.RecordNo = static_cast<int>(i + 1);
        r.DrawDate = QDate(2024, 1, 2).addDays(7 * static_cast<int>(i));
        for (size_t c = 0; c < draws[i].size(); ++c)
            r.Numbers[c] = draws[i][c];
    }
    return db;
}

std::vector<int> RecordNumbers(const std::vector<MatchRow>& rows)
{
    std::vector<int> out;
    for (const MatchRow& r : rows)
        out.push_back(r.RecordNo);
    return out;
}

} // namespace

TEST(CheckEntries, RangeThenDuplicatesBoxByBox)
{
    struct Case {
        QStringList boxes;
        EntryFault fault;
        QString typed;
    };
    const QString none;
    const std::vector<Case> cases = {
        {{u""_s, u""_s, u""_s, u""_s, u""_s, u""_s}, EntryFault::None, none},
        {{u""_s, u"6"_s, u""_s, u""_s, u""_s, u""_s},
         EntryFault::None,
         none}, // two empty boxes are no duplicate
        {{u"1"_s, u"49"_s, u""_s, u""_s, u""_s, u""_s}, EntryFault::None, none},
        {{u"0"_s, u""_s, u""_s, u""_s, u""_s, u""_s}, EntryFault::Zero, u"0"_s},
        {{u""_s, u"00"_s, u""_s, u""_s, u""_s, u""_s}, EntryFault::Zero, u"00"_s},
        {{u"75"_s, u""_s, u""_s, u""_s, u""_s, u""_s}, EntryFault::TooHigh, u"75"_s},
        {{u""_s, u"050"_s, u""_s, u""_s, u""_s, u""_s},
         EntryFault::TooHigh,
         u"050"_s}, // quoted exactly as typed
        {{u"5"_s, u""_s, u"5"_s, u""_s, u""_s, u""_s}, EntryFault::Duplicate, none},
        {{u"5"_s, u"05"_s, u""_s, u""_s, u""_s, u""_s},
         EntryFault::Duplicate,
         none}, // equal by value
        // every box's range is checked before any duplicate is looked for
        {{u"5"_s, u"5"_s, u""_s, u""_s, u""_s, u"75"_s}, EntryFault::TooHigh, u"75"_s},
        {{u"5"_s, u"5"_s, u"0"_s, u""_s, u""_s, u""_s}, EntryFault::Zero, u"0"_s},
        // box by box from the left
        {{u"0"_s, u"75"_s, u""_s, u""_s, u""_s, u""_s}, EntryFault::Zero, u"0"_s},
        {{u"80"_s, u"0"_s, u""_s, u""_s, u""_s, u""_s}, EntryFault::TooHigh, u"80"_s},
    };
    for (const Case& c : cases) {
        const EntryCheck r = CheckEntries(c.boxes, 49);
        EXPECT_EQ(r.fault, c.fault) << c.boxes.join(QLatin1Char(',')).toStdString();
        EXPECT_EQ(r.typed, c.typed) << c.boxes.join(QLatin1Char(',')).toStdString();
    }
}

TEST(Minimum, OpeningValueAndRevision)
{
    EXPECT_EQ(OpeningMinimum(3), u" 1"_s);
    EXPECT_EQ(OpeningMinimum(1), u" 1"_s);
    EXPECT_EQ(OpeningMinimum(4), u" 3"_s);
    EXPECT_EQ(OpeningMinimum(6), u" 3"_s);

    struct Case {
        QString typed;
        int picks;
        QString rewritten;
        bool outOfRange;
        QString text;
    };
    const std::vector<Case> cases = {
        {u"9"_s, 6, u" 9"_s, true, u" 6"_s},   {u"4"_s, 6, u" 4"_s, false, u" 4"_s},
        {u"04"_s, 6, u" 4"_s, false, u" 4"_s}, {u"6"_s, 6, u" 6"_s, false, u" 6"_s},
        {u"7"_s, 6, u" 7"_s, true, u" 6"_s},   {u"0"_s, 6, u"  "_s, true, u" 6"_s},
        {u""_s, 6, u"  "_s, true, u" 6"_s},    {u"10"_s, 10, u"10"_s, false, u"10"_s},
        {u"2"_s, 1, u" 2"_s, true, u" 1"_s},
    };
    for (const Case& c : cases) {
        const MinimumRevision r = ReviseMinimum(c.typed, c.picks);
        EXPECT_EQ(r.rewritten, c.rewritten) << c.typed.toStdString();
        EXPECT_EQ(r.outOfRange, c.outOfRange) << c.typed.toStdString();
        EXPECT_EQ(r.text, c.text) << c.typed.toStdString();
    }
}

TEST(FindMatches, SingleNumberWithMinimumOneListsItInItsDrawnPosition)
{
    const DrawDatabase db = MakeDb(49, 6,
                                   {{6, 11, 12, 13, 14, 15},
                                    {1, 2, 3, 4, 5, 7},
                                    {1, 2, 6, 4, 5, 7},
                                    {1, 2, 3, 4, 5, 6},
                                    {16, 26, 36, 46, 8, 9}});
    const std::vector<MatchRow> rows = FindMatches(db, {6, 0, 0, 0, 0, 0}, 1);
    ASSERT_EQ(RecordNumbers(rows), (std::vector<int>{1, 3, 4}));
    const int position[] = {0, 2, 5}; // where 6 was drawn in records 1, 3, 4
    for (size_t i = 0; i < rows.size(); ++i) {
        for (int k = 0; k < 10; ++k)
            EXPECT_EQ(rows[i].Numbers[static_cast<size_t>(k)], k == position[i] ? 6 : 0)
                << "record " << rows[i].RecordNo << " position " << k + 1;
        EXPECT_EQ(rows[i].DrawDate, db.Records[static_cast<size_t>(rows[i].RecordNo)].DrawDate);
    }
}

TEST(FindMatches, CountsAgainstTheMinimumAndIgnoresEmptyChecks)
{
    const DrawDatabase db = MakeDb(49, 6,
                                   {{1, 2, 3, 10, 11, 12},  // three of 1 2 3
                                    {1, 2, 20, 21, 22, 23}, // two
                                    {3, 2, 1, 9, 8, 7},     // three, other positions
                                    {40, 41, 42, 43, 44, 45}});
    const std::vector<int> checks = {1, 2, 3, 0, 0, 0};
    EXPECT_EQ(RecordNumbers(FindMatches(db, checks, 3)), (std::vector<int>{1, 3}));
    EXPECT_EQ(RecordNumbers(FindMatches(db, checks, 2)), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(FindMatches(db, checks, 4).empty());
    // A minimum below 1 would list every record with nothing matched.
    EXPECT_EQ(RecordNumbers(FindMatches(db, checks, 0)), (std::vector<int>{1, 2, 3}));

    const std::vector<MatchRow> three = FindMatches(db, checks, 3);
    EXPECT_EQ(three[1].Numbers, (std::array<int, 10>{3, 2, 1, 0, 0, 0, 0, 0, 0, 0}));

    // All boxes empty: nothing matches, not even a record with empty cells.
    DrawDatabase damaged = MakeDb(49, 6, {{1, 0, 0, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
    EXPECT_TRUE(FindMatches(damaged, {0, 0, 0, 0, 0, 0}, 1).empty());
    EXPECT_EQ(RecordNumbers(FindMatches(damaged, {0, 0, 0, 0, 0, 1}, 1)), std::vector<int>{1});
}

TEST(FindMatches, OnlyTheDrawnPositionsAndRecordsInUse)
{
    // Numbers left beyond the picks of a draw, or in rows past RecordCount, are not searched.
    DrawDatabase db = MakeDb(49, 3, {{1, 2, 3, 9}, {4, 5, 6}});
    db.Records[3].RecordNo = 3;
    db.Records[3].Numbers = {9, 9, 9};
    EXPECT_TRUE(FindMatches(db, {9, 0, 0}, 1).empty());
    db.RecordCount = 99999; // a damaged count never reads past the table
    EXPECT_EQ(RecordNumbers(FindMatches(db, {9, 0, 0}, 1)), std::vector<int>{3});
}

TEST(FindMatches, AgreesWithAPlainComparisonOfEveryCell)
{
    // Random draws over the whole number range, against the search written as the plain nested
    // comparison of every record cell with every check number.
    std::mt19937 gen(11);
    std::uniform_int_distribution<int> number(1, 60);
    std::vector<std::vector<int>> draws(300, std::vector<int>(10));
    for (auto& d : draws)
        for (int& n : d)
            n = number(gen);
    const DrawDatabase db = MakeDb(60, 10, draws);
    const std::vector<int> checks = {60, 1, 33, 0, 59, 2, 0, 17, 32, 31};
    for (int minimum = 1; minimum <= 3; ++minimum) {
        std::vector<int> expected;
        for (int r = 1; r <= db.RecordCount; ++r) {
            int count = 0;
            for (int k = 0; k < 10; ++k)
                for (int c : checks)
                    if (c != 0 &&
                        db.Records[static_cast<size_t>(r)].Numbers[static_cast<size_t>(k)] == c)
                        ++count;
            if (count >= minimum)
                expected.push_back(r);
        }
        EXPECT_EQ(RecordNumbers(FindMatches(db, checks, minimum)), expected) << minimum;
    }
}

TEST(Search, ReadsTheBoxesAndKeepsTheInputs)
{
    const DrawDatabase db = MakeDb(49, 3, {{5, 6, 7}, {8, 9, 10}, {7, 1, 2}});
    const QStringList boxes = {u""_s, u"07"_s, u""_s};
    const SearchResult r = Search(db, QStringLiteral(" 1"), boxes);
    EXPECT_EQ(RecordNumbers(r.matches), (std::vector<int>{1, 3}));
    EXPECT_EQ(r.minimumText, u" 1"_s);
    EXPECT_EQ(r.boxes, boxes);
    EXPECT_EQ(r.columnCount, 5);
    EXPECT_EQ(Search(db, QStringLiteral(" 2"), boxes).matchCount(), 0);
}

TEST(Grid, RowsHeadersAndCells)
{
    EXPECT_EQ(GridRows(0), 20);
    EXPECT_EQ(GridRows(3), 20);
    EXPECT_EQ(GridRows(10), 20);
    EXPECT_EQ(GridRows(11), 21);
    EXPECT_EQ(GridRows(15), 25);
    EXPECT_EQ(GridRows(2000), 2010);

    EXPECT_EQ(HeaderText(0), u"Record"_s);
    EXPECT_EQ(HeaderText(1), u"Date"_s);
    EXPECT_EQ(HeaderText(2), u" 1"_s);
    EXPECT_EQ(HeaderText(11), u" 10"_s);

    MatchRow row;
    row.RecordNo = 7;
    row.DrawDate = QDate(2024, 3, 5);
    row.Numbers = {0, 6, 0, 0, 0, 0, 0, 0, 0, 49};
    EXPECT_EQ(CellText(row, 0), u"   7"_s);
    EXPECT_EQ(CellText(row, 1), u"3/5/2024"_s);
    EXPECT_EQ(CellText(row, 2), u""_s);
    EXPECT_EQ(CellText(row, 3), u"  6"_s);
    EXPECT_EQ(CellText(row, 11), u" 49"_s);
    row.RecordNo = 2000;
    EXPECT_EQ(CellText(row, 0), u"2000"_s);
}

TEST(Printout, LinesColumnByColumnNewestFirst)
{
    SearchResult r;
    r.minimumText = QStringLiteral(" 1");
    r.boxes = QStringList{u"6"_s, u""_s, u"12"_s};
    r.columnCount = 5;
    MatchRow a;
    a.RecordNo = 3;
    a.DrawDate = QDate(2024, 1, 16);
    a.Numbers = {6, 0, 0};
    MatchRow b;
    b.RecordNo = 1234;
    b.DrawDate = QDate(2025, 11, 28);
    b.Numbers = {0, 12, 6};
    r.matches = {a, b};

    const QString rule(70, QLatin1Char('_'));
    const QString m(4, QLatin1Char(' '));
    const QStringList expected = {
        u""_s,
        u""_s,
        m + u"Matching Numbers in Test Lotto Draw"_s,
        m + rule,
        u""_s,
        m + u"Search each record for minimum matches of:  1"_s,
        u""_s,
        m + u"Enter numbers to check:"_s + u"   6"_s + u"    "_s + u"  12"_s,
        u""_s,
        m + rule,
        u""_s,
        m + u"Record     Date     "_s + u"    1"_s + u"    2"_s + u"    3"_s,
        m + rule,
        u""_s,
        //   record     gap   date         numbers from column 25
        m + u" 1234"_s + u"    "_s + u"11/28/2025"_s + u" "_s + u"     "_s + u"   12"_s +
            u"    6"_s,
        m + u"    3"_s + u"    "_s + u"1/16/2024"_s + u"  "_s + u"    6"_s + u"     "_s +
            u"     "_s,
    };
    const QStringList lines = PrintoutLines(QStringLiteral("Test Lotto"), r);
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i;

    // Every matched number ends in the same column as its position in the header line.
    const QString& header = lines[11];
    for (qsizetype i : {qsizetype{14}, qsizetype{15}})
        for (int p = 1; p <= 3; ++p) {
            const qsizetype end = header.indexOf(QString::number(p), 24) + 1;
            const QString cell = lines[i].mid(end - 5, 5).trimmed();
            const int n = r.matches[i == 14 ? 1 : 0].Numbers[static_cast<size_t>(p - 1)];
            EXPECT_EQ(cell, n == 0 ? QString() : QString::number(n)) << i << " " << p;
        }
}

TEST(QuickHelp, TitleAndFiveParagraphs)
{
    const QString help = QuickHelpText();
    EXPECT_TRUE(
        help.startsWith(QString(50, QLatin1Char(' ')) + u"How to use Check Winners\r\n\r\n"_s));
    EXPECT_FALSE(help.endsWith(QLatin1Char('\n')));
    const QStringList parts = help.split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(parts.size(), 6);
    EXPECT_TRUE(parts[1].startsWith(u"Pre-programmed on startup"_s));
    EXPECT_TRUE(parts[3].endsWith(u"'No matches' message if none found. "_s));
    EXPECT_TRUE(parts[5].endsWith(u"All records where 6 was drawn will be shown."_s));
}

#include "models/check/CheckModel.h"
#include "support/Draws.h"
#include "support/QStringPrinting.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace check;
using namespace Qt::StringLiterals;

namespace {

// A database whose records hold the given numbers, dated a week apart from 2 January 2024.
database::DrawDatabase MakeDb(int high, int picks, const std::vector<std::vector<int>>& draws)
{
    return MakeDrawDatabase(high, picks, draws, QDate(2024, 1, 2));
}

std::vector<int> RecordNumbers(const std::vector<MatchRow>& rows)
{
    std::vector<int> out;
    for (const MatchRow& r : rows)
        out.push_back(r.RecordNo);
    return out;
}

} // namespace

TEST(CheckEntries, EveryRangeBoxByBoxThenDuplicates)
{
    const struct {
        const char16_t* boxes; // comma-separated box texts
        EntryFault fault;
        const char16_t* typed;
    } cases[] = {
        {u",,,,,", EntryFault::None, u""},
        {u",6,,,,", EntryFault::None, u""}, // empty boxes are no duplicates
        {u"1,49,,,,", EntryFault::None, u""},
        {u"0,,,,,", EntryFault::Zero, u"0"},
        {u",00,,,,", EntryFault::Zero, u"00"},
        {u"75,,,,,", EntryFault::TooHigh, u"75"},
        {u",050,,,,", EntryFault::TooHigh, u"050"}, // quoted exactly as typed
        {u"5,,5,,,", EntryFault::Duplicate, u""},
        {u"5,05,,,,", EntryFault::Duplicate, u""},  // equal by value
        {u"5,5,,,,75", EntryFault::TooHigh, u"75"}, // ranges before duplicates
        {u"0,75,,,,", EntryFault::Zero, u"0"},      // from the left
        {u"80,0,,,,", EntryFault::TooHigh, u"80"},
    };
    for (const auto& c : cases) {
        const QString boxes = QString::fromUtf16(c.boxes);
        const EntryCheck r = CheckEntries(boxes.split(u','), 49);
        EXPECT_EQ(r.fault, c.fault) << boxes.toStdString();
        EXPECT_EQ(r.typed, QString::fromUtf16(c.typed)) << boxes.toStdString();
    }
}

TEST(Minimum, OpeningValueAndRevision)
{
    EXPECT_EQ(OpeningMinimum(3), u" 1"_s);
    EXPECT_EQ(OpeningMinimum(4), u" 3"_s);
    EXPECT_EQ(OpeningMinimum(6), u" 3"_s);

    const struct {
        QString typed;
        int picks;
        QString rewritten;
        bool outOfRange;
        QString text;
    } cases[] = {
        {u"9"_s, 6, u" 9"_s, true, u" 6"_s},  {u"04"_s, 6, u" 4"_s, false, u" 4"_s},
        {u"6"_s, 6, u" 6"_s, false, u" 6"_s}, {u"0"_s, 6, u"  "_s, true, u" 6"_s},
        {u""_s, 6, u"  "_s, true, u" 6"_s},   {u"10"_s, 10, u"10"_s, false, u"10"_s},
    };
    for (const auto& c : cases) {
        const MinimumRevision r = ReviseMinimum(c.typed, c.picks);
        EXPECT_EQ(r.rewritten, c.rewritten) << c.typed.toStdString();
        EXPECT_EQ(r.outOfRange, c.outOfRange) << c.typed.toStdString();
        EXPECT_EQ(r.text, c.text) << c.typed.toStdString();
    }
}

TEST(FindMatches, EachMatchUnderItsDrawnPositionCountedAgainstTheMinimum)
{
    const database::DrawDatabase db = MakeDb(49, 6,
                                             {{6, 11, 12, 13, 14, 15},
                                              {1, 2, 3, 4, 5, 7},
                                              {1, 2, 6, 4, 5, 7},
                                              {7, 2, 3, 4, 5, 6},
                                              {16, 26, 36, 46, 8, 9}});
    const std::vector<MatchRow> sixes = FindMatches(db, {6, 0, 0, 0, 0, 0}, 1);
    ASSERT_EQ(RecordNumbers(sixes), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(sixes[0].Numbers, (std::array<int, 10>{6}));
    EXPECT_EQ(sixes[1].Numbers, (std::array<int, 10>{0, 0, 6}));
    EXPECT_EQ(sixes[2].Numbers, (std::array<int, 10>{0, 0, 0, 0, 0, 6}));
    EXPECT_EQ(sixes[1].DrawDate, QDate(2024, 1, 16));

    const std::vector<int> checks = {6, 7, 1, 0, 0, 0};
    EXPECT_EQ(RecordNumbers(FindMatches(db, checks, 3)), (std::vector<int>{3}));
    EXPECT_EQ(RecordNumbers(FindMatches(db, checks, 2)), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(FindMatches(db, checks, 2)[2].Numbers, (std::array<int, 10>{7, 0, 0, 0, 0, 6}));
    EXPECT_TRUE(FindMatches(db, checks, 4).empty());
    // A minimum below 1 never lists records in which nothing matched.
    EXPECT_EQ(FindMatches(db, checks, 0).size(), 4U);
}

TEST(FindMatches, EmptyBoxesAndCellsOutsideTheDrawNeverMatch)
{
    database::DrawDatabase db = MakeDb(49, 3, {{1, 0, 3, 9}, {4, 5, 6}});
    EXPECT_TRUE(FindMatches(db, {0, 0, 0}, 1).empty()); // not even record 1's empty cell
    EXPECT_TRUE(FindMatches(db, {9, 0, 0}, 1).empty()); // 9 lies beyond the three picks
    db.record(3).RecordNo = 3;
    db.record(3).Numbers = {9, 9, 9};
    EXPECT_TRUE(FindMatches(db, {9, 0, 0}, 1).empty()); // past RecordCount
    db.setRecordCount(99999);                           // a damaged count stays in the table
    EXPECT_EQ(RecordNumbers(FindMatches(db, {9, 0, 0}, 1)), std::vector<int>{3});
}

TEST(FindMatches, AgreesWithComparingEveryCellWithEveryCheckNumber)
{
    std::mt19937 gen(11);
    std::uniform_int_distribution<int> number(1, 60);
    std::vector<std::vector<int>> draws(300, std::vector<int>(10));
    for (auto& d : draws)
        for (int& n : d)
            n = number(gen);
    const database::DrawDatabase db = MakeDb(60, 10, draws);
    const std::vector<int> checks = {60, 1, 33, 0, 59, 2, 0, 17, 32, 31};
    for (int minimum = 1; minimum <= 3; ++minimum) {
        std::vector<int> expected;
        for (size_t r = 0; r < draws.size(); ++r) {
            int count = 0;
            for (int n : draws[r])
                count += static_cast<int>(std::count(checks.begin(), checks.end(), n));
            if (count >= minimum) expected.push_back(static_cast<int>(r + 1));
        }
        EXPECT_EQ(RecordNumbers(FindMatches(db, checks, minimum)), expected) << minimum;
    }
}

TEST(Printout, LinesColumnByColumnNewestFirst)
{
    const database::DrawDatabase db = MakeDb(49, 3, {{5, 6, 7}, {12, 6, 1}, {8, 9, 10}});
    SearchResult r = Search(db, u" 1"_s, {u"6"_s, u""_s, u"12"_s});
    ASSERT_EQ(r.matchCount(), 2);
    r.matches[1].RecordNo = 1234; // a record number of four digits
    r.matches[1].DrawDate = QDate(2025, 11, 28);

    const QString rule(70, u'_');
    const QString m(4, u' ');
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
        // record, four blanks, date, then the positions from column 25
        m + u" 1234"_s + u"    "_s + u"11/28/2025"_s + u" "_s + u"   12"_s + u"    6"_s +
            u"     "_s,
        m + u"    1"_s + u"    "_s + u"1/2/2024"_s + u"   "_s + u"     "_s + u"    6"_s +
            u"     "_s,
    };
    EXPECT_EQ(PrintoutLines(u"Test Lotto"_s, r), expected);
}

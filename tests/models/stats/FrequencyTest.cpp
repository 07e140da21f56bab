#include "models/stats/Frequency.h"
#include "models/draws/DrawDatabase.h"
#include "support/Draws.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A database whose records hold the given numbers, one record a draw, dated a week apart.
database::DrawDatabase MakeDb(int high, int picks, const std::vector<std::vector<int>>& draws)
{
    return MakeDrawDatabase(high, picks, draws, QDate(2020, 1, 1));
}

std::vector<int> RankedOrder(const stats::Statistics& s, int high)
{
    std::vector<int> out;
    for (int k = 1; k <= high; ++k)
        out.push_back(s.RankedNumbers[static_cast<size_t>(k)].number);
    return out;
}

stats::Statistics WithMeasures(const std::vector<int>& measures)
{
    stats::Statistics s;
    for (size_t i = 0; i < measures.size(); ++i)
        s.FrequencyTable[i + 1] = {static_cast<int>(i + 1), measures[i]};
    return s;
}

} // namespace

TEST(RecomputeFrequencies, TimesDrawnCountsEveryOccurrenceWithinRange)
{
    const database::DrawDatabase db = MakeDb(6, 2, {{1, 2}, {2, 2}, {7, 0}, {6, 3}});
    stats::Statistics s;
    stats::RecomputeFrequencies(db, s.measure, s);
    EXPECT_EQ(s.FrequencyTable[2].value, 3);
    EXPECT_EQ(s.FrequencyTable[2].number, 2);
    EXPECT_EQ(s.FrequencyTable[1].value, 1);
    EXPECT_EQ(s.FrequencyTable[4].value, 0);
    EXPECT_EQ(s.FrequencyTable[4].number, 0);
    EXPECT_EQ(s.FrequencyTable[7].value, 0); // above HighNumber: ignored
}

TEST(RecomputeFrequencies, DrawsSinceWithTenRecords)
{
    std::vector<std::vector<int>> draws(10, std::vector<int>{9});
    draws[9] = {1};    // only in record 10
    draws[2] = {2, 3}; // 2 only in record 3; 3 in records 3 and 8
    draws[7] = {3};
    const database::DrawDatabase db = MakeDb(10, 2, draws);
    stats::Statistics s;
    s.measure = stats::Measure::DrawsSince;
    stats::RecomputeFrequencies(db, s.measure, s);
    EXPECT_EQ(s.FrequencyTable[1].value, 0);
    EXPECT_EQ(s.FrequencyTable[2].value, 7);
    EXPECT_EQ(s.FrequencyTable[3].value, 2);
    EXPECT_EQ(s.FrequencyTable[4].value, 10); // never drawn: all draws
    EXPECT_EQ(s.FrequencyTable[4].number, 0);
}

TEST(RecomputeFrequencies, EmptyDatabase)
{
    const database::DrawDatabase db = MakeDb(49, 6, {});
    stats::Statistics s;
    stats::RecomputeFrequencies(db, s.measure, s);
    for (int n = 1; n <= 49; ++n)
        EXPECT_EQ(s.FrequencyTable[static_cast<size_t>(n)].value, 0);
    s.measure = stats::Measure::DrawsSince;
    stats::RecomputeFrequencies(db, s.measure, s);
    for (int n = 1; n <= 49; ++n)
        EXPECT_EQ(s.FrequencyTable[static_cast<size_t>(n)].value, 0);
}

TEST(RankNumbers, TellingOrders)
{
    const struct {
        std::vector<int> measures;
        stats::RankOrder order;
        std::vector<int> expected;
    } cases[] = {
        {{2, 5, 2, 5, 0, 2}, stats::RankOrder::Ranked, {2, 4, 1, 3, 6, 5}},
        {{0, 0, 0, 0, 1, 0, 0, 0, 1}, stats::RankOrder::Ranked, {5, 9, 2, 1, 3, 4, 6, 7, 8}},
        {{3, 3, 3, 3, 3}, stats::RankOrder::Ranked, {1, 2, 3, 4, 5}},
        {{2, 5, 2, 5, 0, 2}, stats::RankOrder::NumberOrder, {1, 2, 3, 4, 5, 6}},
        {{4}, stats::RankOrder::Ranked, {1}},
    };
    for (const auto& c : cases) {
        stats::Statistics s = WithMeasures(c.measures);
        const int high = static_cast<int>(c.measures.size());
        stats::RankNumbers(s, high, c.order);
        EXPECT_EQ(RankedOrder(s, high), c.expected);
        for (int k = 1; k <= high; ++k) {
            const auto& row = s.RankedNumbers[static_cast<size_t>(k)];
            EXPECT_EQ(row.value, c.measures[static_cast<size_t>(row.number - 1)]);
        }
        EXPECT_EQ(s.RankedNumbers[0].number, 0);
    }
}

TEST(ThirdBounds, TellingValues)
{
    using B = std::pair<int, int>;
    const struct {
        int n;
        B top, middle, bottom;
    } cases[] = {
        {1, {1, 0}, {1, 1}, {2, 1}},       {2, {1, 1}, {2, 1}, {2, 2}},
        {10, {1, 3}, {4, 7}, {8, 10}},     {25, {1, 8}, {9, 16}, {18, 25}},
        {40, {1, 13}, {14, 26}, {27, 40}}, {49, {1, 16}, {17, 32}, {33, 49}},
        {50, {1, 17}, {18, 33}, {34, 50}}, {60, {1, 20}, {21, 40}, {41, 60}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stats::ThirdBounds(c.n, stats::Third::Top), c.top) << c.n;
        EXPECT_EQ(stats::ThirdBounds(c.n, stats::Third::Middle), c.middle) << c.n;
        EXPECT_EQ(stats::ThirdBounds(c.n, stats::Third::Bottom), c.bottom) << c.n;
    }
}

TEST(TopNumbers, HeadingAndListPerMode)
{
    stats::Statistics s = WithMeasures({2, 5, 2, 5, 0, 2});
    stats::RankNumbers(s, 6, stats::RankOrder::Ranked);
    stats::TopNumbersLine line = stats::ComposeTopNumbers(s, 3);
    EXPECT_EQ(line.heading, QStringLiteral("Showing the count of times numbers drawn. Top  3 =  "));
    EXPECT_EQ(line.numbers, QStringLiteral(" 2   4   1  "));
    s.measure = stats::Measure::DrawsSince;
    line = stats::ComposeTopNumbers(s, 2);
    EXPECT_EQ(line.heading,
              QStringLiteral("Number of draws since last drawn/not drawn. Top  2 =  "));

    stats::Statistics zero = WithMeasures({0, 0, 0});
    stats::RankNumbers(zero, 3, stats::RankOrder::Ranked);
    line = stats::ComposeTopNumbers(zero, 2);
    EXPECT_TRUE(line.heading.isEmpty());
    EXPECT_TRUE(line.numbers.isEmpty());
}

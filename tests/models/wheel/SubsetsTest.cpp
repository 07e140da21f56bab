#include "models/wheel/Subsets.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <vector>

using wheel::Mask;

// Colex numbers are what the search's tables are indexed by: every subset of one size must get
// its own number below C(n, size), and unranking must give the subset back.
TEST(WheelSubsets, RanksNumberEverySubsetOfOneSizeOnce)
{
    for (const auto& [n, size] :
         std::vector<std::pair<int, int>>{{7, 3}, {10, 4}, {12, 1}, {9, 9}, {16, 5}}) {
        std::set<std::uint64_t> ranks;
        for (Mask subset = 0; subset < (Mask{1} << n); ++subset) {
            if (std::popcount(subset) != size) continue;
            const std::uint64_t rank = wheel::SubsetRank(subset);
            EXPECT_LT(rank, wheel::Binomial(n, size)) << n << ' ' << size;
            EXPECT_EQ(wheel::SubsetUnrank(rank, size), subset);
            ranks.insert(rank);
        }
        EXPECT_EQ(ranks.size(), wheel::Binomial(n, size)) << n << ' ' << size;
    }
}

TEST(WheelSubsets, VisitsEverySubsetOfASetAndStopsWhenAsked)
{
    const Mask set = 0b1011'0100'1001; // six members
    std::set<Mask> seen;
    wheel::ForEachSubset(set, 3, [&](Mask subset) {
        EXPECT_EQ(subset & ~set, 0U);
        EXPECT_EQ(std::popcount(subset), 3);
        seen.insert(subset);
    });
    EXPECT_EQ(seen.size(), 20U); // C(6, 3)

    int visits = 0;
    EXPECT_TRUE(wheel::ForEachSubset(set, 2, [&](Mask) { return ++visits == 4; }));
    EXPECT_EQ(visits, 4);
    EXPECT_FALSE(wheel::ForEachSubset(set, 7, [](Mask) { return true; }));
}

TEST(WheelSubsets, LexicographicOrderOfMemberLists)
{
    auto mask = [](std::initializer_list<int> members) {
        Mask m = 0;
        for (const int x : members)
            m |= wheel::Bit(x);
        return m;
    };
    EXPECT_TRUE(wheel::LexLess(mask({0, 1, 5}), mask({0, 2, 3})));
    EXPECT_FALSE(wheel::LexLess(mask({0, 2, 3}), mask({0, 1, 5})));
    EXPECT_TRUE(wheel::LexLess(mask({1, 2, 9}), mask({1, 3, 4})));
    EXPECT_FALSE(wheel::LexLess(mask({4, 5, 6}), mask({4, 5, 6})));
}

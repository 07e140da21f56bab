#include "models/odds/Odds.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Every draw of k from 1..n as bits, the slow way: every mask with k bits set.
template <class Visit> void EveryDraw(int n, int k, Visit visit)
{
    for (std::uint64_t bits = 0; bits < (std::uint64_t{1} << n); ++bits)
        if (std::popcount(bits) == k) visit(bits << 1); // bit i stands for number i
}

std::uint64_t Mask(const odds::Form& form)
{
    std::uint64_t m = 0;
    for (int n : form)
        m |= std::uint64_t{1} << n;
    return m;
}

} // namespace

TEST(Odds, SixOfSixFromFortyNineIsOneInAlmostFourteenMillion)
{
    EXPECT_EQ(odds::Choose(49, 6), 13'983'816U);
    const auto rows = odds::SingleFormOdds(49, 6, 6);
    ASSERT_EQ(rows.size(), 7U);
    EXPECT_EQ(rows[6].ways, 1U);
    EXPECT_NEAR(rows[6].probability * 13'983'816.0, 1.0, 1e-9);
    // Three matches: C(6,3) C(43,3) = 20 * 12341.
    EXPECT_EQ(rows[3].ways, 246'820U);
    EXPECT_EQ(odds::OneInText(rows[6].probability), QStringLiteral("1 in 13,983,816"));
    // The set of one form gives the same chance of all six.
    const auto set = odds::SetOfFormsOdds({{3, 9, 17, 28, 40, 49}}, 49, 6);
    ASSERT_TRUE(set.exact);
    ASSERT_EQ(set.atLeast.size(), 6U);
    EXPECT_NEAR(set.atLeast[5].probability * 13'983'816.0, 1.0, 1e-9);
    EXPECT_EQ(set.covered, 6);
}

TEST(Odds, SmallShapesAgreeWithCountingEveryDraw)
{
    struct Case {
        int n, k;
        std::vector<odds::Form> forms;
    };
    const std::vector<Case> cases{
        {10, 4, {{1, 2, 3}}},
        {12, 5, {{1, 2, 3, 4, 5}, {4, 5, 6, 7, 8}, {9, 12}}},
        {15, 3, {{1, 2, 3}, {1, 2, 4}, {13, 14, 15}, {7}}},
        {8, 8, {{1, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n * 100 + c.k);
        std::vector<std::uint64_t> masks;
        for (const auto& f : c.forms)
            masks.push_back(Mask(f));
        const int largest = static_cast<int>(
            std::max_element(c.forms.begin(), c.forms.end(), [](const auto& a, const auto& b) {
                return a.size() < b.size();
            })->size());
        std::vector<double> firstForm(static_cast<size_t>(largest) + 1, 0);
        std::vector<double> best(static_cast<size_t>(c.k) + 1, 0);
        double draws = 0;
        EveryDraw(c.n, c.k, [&](std::uint64_t drawn) {
            draws += 1;
            firstForm[static_cast<size_t>(std::popcount(drawn & masks[0]))] += 1;
            int b = 0;
            for (auto m : masks)
                b = std::max(b, std::popcount(drawn & m));
            best[static_cast<size_t>(b)] += 1;
        });
        const int f0 = static_cast<int>(c.forms[0].size());
        const auto single = odds::SingleFormOdds(c.n, c.k, f0);
        ASSERT_EQ(single.size(), static_cast<size_t>(f0) + 1);
        for (int m = 0; m <= f0; ++m) {
            EXPECT_EQ(static_cast<double>(
                          static_cast<std::uint64_t>(single[static_cast<size_t>(m)].ways)),
                      firstForm[static_cast<size_t>(m)]);
            EXPECT_NEAR(single[static_cast<size_t>(m)].probability,
                        firstForm[static_cast<size_t>(m)] / draws, 1e-12);
        }
        const auto set = odds::SetOfFormsOdds(c.forms, c.n, c.k);
        ASSERT_TRUE(set.exact);
        ASSERT_EQ(set.atLeast.size(), static_cast<size_t>(largest));
        for (int m = 1; m <= largest; ++m) {
            double atLeast = 0;
            for (int v = m; v <= c.k; ++v)
                atLeast += best[static_cast<size_t>(v)];
            EXPECT_NEAR(set.atLeast[static_cast<size_t>(m - 1)].probability, atLeast / draws, 1e-12)
                << "m " << m;
        }
    }
}

TEST(Odds, EstimateAgreesWithEnumerationWithinItsStandardErrors)
{
    const std::vector<odds::Form> forms{
        {1, 5, 9, 13, 17}, {2, 6, 10, 14, 18}, {1, 2, 3, 4, 5}, {20, 21, 22, 23, 24}};
    const auto exact = odds::SetOfFormsOdds(forms, 24, 5);
    odds::SetOddsOptions simulate;
    simulate.exactLimit = 0;
    simulate.nearLimit = 0;
    simulate.seed = 12345;
    const auto estimate = odds::SetOfFormsOdds(forms, 24, 5, simulate);
    ASSERT_TRUE(exact.exact);
    ASSERT_FALSE(estimate.exact);
    EXPECT_EQ(estimate.draws, odds::SimulatedDraws);
    ASSERT_EQ(estimate.atLeast.size(), exact.atLeast.size());
    for (size_t i = 0; i < exact.atLeast.size(); ++i) {
        const auto& e = estimate.atLeast[i];
        const double p = exact.atLeast[i].probability;
        // Two standard errors of a proportion from a million draws.
        EXPECT_NEAR(e.plusMinus, 2 * std::sqrt(p * (1 - p) / 1e6), 1e-4);
        EXPECT_NEAR(e.probability, p, 1.5 * e.plusMinus + 1e-6) << "m " << i + 1;
    }
    // The same seed repeats the estimate.
    EXPECT_EQ(odds::SetOfFormsOdds(forms, 24, 5, simulate).atLeast[2].probability,
              estimate.atLeast[2].probability);
}

TEST(Odds, WordsForThePlayer)
{
    EXPECT_EQ(odds::OneInText(1.0 / 43.2), QStringLiteral("1 in 43.2"));
    EXPECT_EQ(odds::OneInText(0), QStringLiteral("never"));
    EXPECT_EQ(odds::OneInText(1), QStringLiteral("certain"));
    const auto set = odds::SetOfFormsOdds({{1, 2}, {3, 4}}, 10, 2);
    // Some number of the four: 30 of the 45 draws; both numbers of some form: 2 of them.
    EXPECT_EQ(odds::SetOddsText(set, 10, 2).toStdString(),
              QStringLiteral("Odds against one draw of 2 from 1 to 10 (exact): 1 or more on some "
                             "form: 1 in 1.5; all 2: 1 in 22.5. The forms cover 4 of "
                             "the 10 numbers.")
                  .toStdString());
}

TEST(Odds, RowsCountedNearTheFormsAgreeWithEveryDraw)
{
    // Too many draws to walk (as far as the options say): the rows are counted over the draws
    // near the forms instead, and must agree with walking every draw. Forms that overlap, one
    // given twice, one smaller than the draw; and a lottery past 63 numbers (128-bit masks).
    struct Case {
        int n, k;
        std::vector<odds::Form> forms;
    };
    const std::vector<Case> cases{
        {24, 5, {{1, 5, 9, 13, 17}, {2, 6, 10, 14, 18}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}}},
        {20, 6, {{1, 2, 3}, {2, 3, 4, 5, 6, 7}, {10, 11, 12, 13, 14, 15}}},
        {70, 3, {{1, 64, 70}, {64, 65, 66}, {2, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n * 100 + c.k);
        const auto walked = odds::SetOfFormsOdds(c.forms, c.n, c.k);
        ASSERT_TRUE(walked.exact);
        odds::SetOddsOptions near;
        near.exactLimit = 0;
        near.nearLimit = 1'000'000'000;
        const auto counted = odds::SetOfFormsOdds(c.forms, c.n, c.k, near);
        EXPECT_TRUE(counted.exact);
        ASSERT_EQ(counted.atLeast.size(), walked.atLeast.size());
        for (size_t i = 0; i < walked.atLeast.size(); ++i) {
            EXPECT_EQ(counted.atLeast[i].matches, walked.atLeast[i].matches);
            EXPECT_NEAR(counted.atLeast[i].probability, walked.atLeast[i].probability, 1e-12)
                << "m " << i + 1;
        }
    }
    // A form of three from 70: the single form's table agrees with the set of one form.
    const auto one = odds::SetOfFormsOdds({{62, 66, 70}}, 70, 3);
    EXPECT_NEAR(one.atLeast[2].probability * 54'740.0, 1.0, 1e-9);
}

TEST(Odds, EstimatesAreHonestAtTheirEdges)
{
    // Ten forms of 6 from 60 (50,063,860 draws): all six is ten distinct draws, counted exactly;
    // so are the rows below it as far as the draws near the forms allow.
    std::vector<odds::Form> ten;
    for (int f = 0; f < 10; ++f)
        ten.push_back({6 * f + 1, 6 * f + 2, 6 * f + 3, 6 * f + 4, 6 * f + 5, 6 * f + 6});
    const auto set = odds::SetOfFormsOdds(ten, 60, 6);
    EXPECT_FALSE(set.exact);
    ASSERT_EQ(set.atLeast.size(), 6u);
    EXPECT_TRUE(set.atLeast[5].exact);
    EXPECT_EQ(odds::ChanceText(set.atLeast[5]), QStringLiteral("1 in 5,006,386"));
    // Five or more: 10 * (1 + 6 * 54) draws, none shared between forms that share no number.
    EXPECT_TRUE(set.atLeast[4].exact);
    EXPECT_NEAR(set.atLeast[4].probability * 50'063'860.0, 3'250.0, 1e-6);
    EXPECT_FALSE(set.atLeast[0].exact);
    EXPECT_EQ(odds::SetOddsText(set, 60, 6).left(110),
              QStringLiteral("Odds against one draw of 6 from 1 to 60 (3 or more exact, the rest "
                             "estimated from 1,000,000 simulated draws): "));

    // Nothing counted exactly and no simulated draw had it: a bound, never "never".
    odds::SetOddsOptions simulated;
    simulated.exactLimit = 0;
    simulated.nearLimit = 0;
    simulated.simulatedDraws = 10'000;
    const auto rare = odds::SetOfFormsOdds({{1, 2, 3, 4, 5, 6}}, 60, 6, simulated);
    const odds::AtLeast& all = rare.atLeast[5];
    EXPECT_EQ(all.hits, 0u);
    EXPECT_FALSE(all.exact);
    // The exact interval's upper end for no hit in n draws: 1 - 0.025^(1/n).
    EXPECT_NEAR(all.upper, 1.0 - std::pow(0.025, 1.0 / 10'000), 1e-9);
    EXPECT_EQ(odds::ChanceText(all), QStringLiteral("rarer than 1 in 2,711, estimated"));
    EXPECT_TRUE(odds::SetOddsText(rare, 60, 6)
                    .contains(QStringLiteral("all 6: rarer than 1 in 2,711, estimated")));
}

TEST(Odds, EveryLotteryUpTo99NumbersAnd20Drawn)
{
    EXPECT_TRUE(odds::ValidShape(99, 20));
    EXPECT_TRUE(odds::ValidShape(80, 20));
    EXPECT_FALSE(odds::ValidShape(100, 6));
    EXPECT_FALSE(odds::ValidShape(80, 21));
    // Keno: ten spots against 20 of 80, and the counts past 2^64.
    const auto keno = odds::SingleFormOdds(80, 20, 10);
    ASSERT_EQ(keno.size(), 11u);
    EXPECT_EQ(odds::CountText(keno[10].ways), QStringLiteral("396704524216")); // C(70, 10)
    EXPECT_EQ(odds::GroupedCount(odds::ChooseCount(99, 20)),
              QStringLiteral("428,786,696,323,047,746,376"));
    EXPECT_EQ(odds::OneInText(keno[10].probability), QStringLiteral("1 in 8,911,711"));
    double total = 0;
    for (const auto& row : keno)
        total += row.probability;
    EXPECT_NEAR(total, 1.0, 1e-12);
}

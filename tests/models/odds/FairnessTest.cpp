#include "models/odds/Fairness.h"

#include "models/stats/Frequency.h"
#include "support/Draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

TEST(Fairness, RiggedDrawsFailAndFairOnesAverageTheDegreesOfFreedom)
{
    const std::vector<std::vector<int>> rigged(200, {1, 2, 3, 4, 5, 6});
    const odds::Fairness bad =
        odds::TestFairness(MakeDrawDatabase(49, 6, rigged, QDate(2020, 1, 1)));
    ASSERT_EQ(bad.status, odds::Fairness::Status::Ok);
    EXPECT_EQ(bad.df, 48);
    EXPECT_LT(bad.pValue, 1e-12);
    EXPECT_TRUE(
        odds::FairnessVerdict(bad).startsWith(QStringLiteral("not consistent with a fair draw")));

    // Over many fair databases the corrected statistic averages N - 1 = 48; the uncorrected
    // one would average 48 (N - K)/(N - 1) = 43. p-values below 0.05 come one time in twenty.
    std::mt19937 gen(2024);
    double sum = 0;
    int small = 0;
    constexpr int Replicates = 400;
    for (int i = 0; i < Replicates; ++i) {
        const odds::Fairness f = odds::TestFairness(
            MakeDrawDatabase(49, 6, ShuffledDraws(49, 6, 300, gen), QDate(2020, 1, 1)));
        ASSERT_EQ(f.status, odds::Fairness::Status::Ok);
        sum += f.chiSquare;
        small += f.pValue < 0.05 ? 1 : 0;
    }
    EXPECT_NEAR(sum / Replicates, 48.0, 2.0); // the mean's standard error is 0.5
    EXPECT_GE(small, 8);
    EXPECT_LE(small, 35);
}

TEST(Fairness, ExpectedCountSpreadAndTheDrawsTheTestNeeds)
{
    std::mt19937 gen(7);
    // 6 of 49: E >= 5 needs 5 * 49 / 6 = 40.8, so 41 draws.
    const auto forty = odds::TestFairness(
        MakeDrawDatabase(49, 6, ShuffledDraws(49, 6, 40, gen), QDate(2020, 1, 1)));
    EXPECT_EQ(forty.minimumDraws, 41);
    EXPECT_EQ(forty.status, odds::Fairness::Status::TooFewDraws);
    EXPECT_EQ(
        odds::FairnessVerdict(forty),
        QStringLiteral("too few draws for a fairness verdict: the test needs 41, there are 40"));
    const auto enough = odds::TestFairness(
        MakeDrawDatabase(49, 6, ShuffledDraws(49, 6, 41, gen), QDate(2020, 1, 1)));
    EXPECT_EQ(enough.status, odds::Fairness::Status::Ok);
    EXPECT_NEAR(enough.expected, 41 * 6 / 49.0, 1e-12);
    EXPECT_NEAR(enough.sd, std::sqrt(41 * 6 / 49.0 * 43 / 49.0), 1e-12);

    // The test counts what the Graphs window's bars count: a record typed with fewer numbers
    // counts with the numbers it has, and its expected share is that many over N.
    auto draws = ShuffledDraws(49, 6, 50, gen);
    for (int r = 0; r < 20; ++r)
        draws.push_back({r + 1, r + 2, 0, 0, 0, 0});
    draws.push_back({1, 2, 3, 4, 5, 50});
    const database::DrawDatabase mixed = MakeDrawDatabase(49, 6, draws, QDate(2020, 1, 1));
    const auto withShort = odds::TestFairness(mixed);
    EXPECT_EQ(withShort.draws, 71);
    stats::Statistics bars;
    stats::RecomputeFrequencies(mixed, stats::Measure::TimesDrawn, bars);
    int counted = 0;
    for (int n = 1; n <= 49; ++n) {
        EXPECT_EQ(withShort.counts[static_cast<size_t>(n)],
                  bars.FrequencyTable[static_cast<size_t>(n)].value);
        counted += bars.FrequencyTable[static_cast<size_t>(n)].value;
    }
    EXPECT_EQ(counted, 50 * 6 + 20 * 2 + 5);
    EXPECT_NEAR(withShort.expected, counted / 49.0, 1e-12);
    EXPECT_NEAR(withShort.sd * withShort.sd,
                50 * 6 / 49.0 * 43 / 49.0 + 20 * 2 / 49.0 * 47 / 49.0 + 5 / 49.0 * 44 / 49.0,
                1e-12);

    // A hand-checked case: 2 of 4, draws {1,2} and {1,3}; E = 1, counts 2,1,1,0;
    // sum (O-E)^2/E = 2, corrected by 3/2 to 3 on 3 degrees of freedom.
    const auto tiny =
        odds::TestFairness(MakeDrawDatabase(4, 2, {{1, 2}, {1, 3}}, QDate(2020, 1, 1)));
    EXPECT_NEAR(tiny.chiSquare, 3.0, 1e-12);
    EXPECT_NEAR(tiny.pValue, 0.3916251762710877, 1e-9); // 1 - P(chi2_3 <= 3), from tables
    EXPECT_EQ(odds::PValueText(0.4316), QStringLiteral("0.43"));
    EXPECT_EQ(odds::PValueText(0.002149), QStringLiteral("0.0021"));
}

TEST(Fairness, TheVerdictSaysWhatPMeans)
{
    struct Case {
        double p;
        const char* verdict;
    };
    const Case cases[] = {
        {0.31, "consistent with a fair draw, p = 0.31: a fair lottery is this uneven 31 % of the "
               "time"},
        {0.052, "consistent with a fair draw, p = 0.052: a fair lottery is this uneven 5.2 % of "
                "the time"},
        {0.0021, "not consistent with a fair draw, p = 0.0021: a fair lottery is this uneven "
                 "0.21 % of the time"},
        {0.00001, "not consistent with a fair draw, p < 0.0001: a fair lottery is this uneven "
                  "less than 0.01 % of the time"},
        {0.996, "consistent with a fair draw, p = 0.996: a fair lottery is this uneven 99.6 % of "
                "the time; unusually even"},
    };
    for (const Case& c : cases) {
        odds::Fairness f;
        f.status = odds::Fairness::Status::Ok;
        f.pValue = c.p;
        EXPECT_EQ(odds::FairnessVerdict(f).toStdString(), std::string(c.verdict));
    }
}

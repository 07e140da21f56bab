#include "models/odds/BackTest.h"

#include "support/Draws.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <numeric>
#include <random>

TEST(BackTest, FairDrawsGiveTheRandomMeanAndASeedRepeatsTheRun)
{
    const database::DrawDatabase db = Fair649(400, 11);
    odds::BackTestOptions options;
    options.seed = 99;
    int calls = 0;
    const odds::BackTest run = odds::RunBackTest(db, options, [&](int done, int total) {
        ++calls;
        EXPECT_EQ(total, 381);
        return done <= total;
    });
    ASSERT_EQ(run.status, odds::BackTest::Status::Done);
    EXPECT_EQ(calls, 381);
    EXPECT_EQ(run.firstDraw, 20);
    EXPECT_EQ(run.drawsTested, 381);
    ASSERT_EQ(run.strategies.size(), 7U);
    for (const odds::StrategyResult& s : run.strategies) {
        SCOPED_TRACE(odds::StrategyCaption(s.strategy).toStdString());
        EXPECT_EQ(s.draws, 381);
        EXPECT_EQ(s.forms, 3810);
        // A random form of 6 matches 6 * 6 / 49 of a draw of 6 from 49 on average.
        EXPECT_NEAR(s.expectedMean(), 36.0 / 49.0, 1e-12);
        EXPECT_LT(std::abs(s.z()), 4.0);
        ASSERT_EQ(s.cumulativeExcess.size(), 381U);
        EXPECT_NEAR(s.cumulativeExcess.back(), static_cast<double>(s.matches) - s.expectedMatches,
                    1e-9);
    }
    // Full range: forms independent of each other; the variance is forms times the
    // hypergeometric 6 (6/49)(43/49)(43/48).
    const double perForm = 6.0 * 6 / 49 * 43 / 49 * 43 / 48;
    EXPECT_NEAR(run.strategies[0].variance, 3810 * perForm, 1e-6);
    // Three or more of six: (20*12341 + 15*903 + 6*43 + 1) / 13983816 per form.
    EXPECT_NEAR(run.strategies[0].expectedCounted, 3810 * 260624.0 / 13983816.0, 1e-6);

    const odds::BackTest again = odds::RunBackTest(db, options);
    odds::BackTestOptions other = options;
    other.seed = 100;
    const odds::BackTest different = odds::RunBackTest(db, other);
    bool anyDifferent = false;
    for (size_t i = 0; i < run.strategies.size(); ++i) {
        EXPECT_EQ(again.strategies[i].matches, run.strategies[i].matches);
        EXPECT_EQ(again.strategies[i].countedForms, run.strategies[i].countedForms);
        anyDifferent |= different.strategies[i].matches != run.strategies[i].matches;
    }
    EXPECT_TRUE(anyDifferent);
}

TEST(BackTest, RiggedDrawsLiftTheTopThirdFarAboveChance)
{
    const database::DrawDatabase db = MakeDrawDatabase(
        49, 6, std::vector<std::vector<int>>(200, {1, 2, 3, 4, 5, 6}), QDate(2000, 1, 1));
    odds::BackTestOptions options;
    options.seed = 5;
    const odds::BackTest run = odds::RunBackTest(db, options);
    ASSERT_EQ(run.status, odds::BackTest::Status::Done);
    const odds::StrategyResult& top = run.strategies[1];
    ASSERT_EQ(top.strategy.source, picks::Source::Top);
    ASSERT_EQ(top.strategy.measure, stats::Measure::TimesDrawn);
    // The top sixteen hold the six drawn every time: 6 * 6 / 16 matches a form.
    EXPECT_NEAR(top.meanMatches(), 2.25, 0.1);
    EXPECT_GT(top.z(), 20.0);
    // The bottom third never holds a drawn number.
    EXPECT_EQ(run.strategies[3].matches, 0);
    EXPECT_LT(run.strategies[3].z(), -10.0);
    EXPECT_TRUE(
        odds::BackTestReading(run).contains(QStringLiteral("not look like a fair lottery")));
}

TEST(BackTest, TooFewRecordsAndAStop)
{
    odds::BackTestOptions options;
    options.start = 30;
    EXPECT_EQ(odds::RunBackTest(Fair649(29, 1), options).status, odds::BackTest::Status::NoDraws);
    options.start = 1; // the thirds need a record before the draw: the run starts at 2
    const auto run =
        odds::RunBackTest(Fair649(10, 1), options, [](int done, int) { return done < 3; });
    EXPECT_EQ(run.firstDraw, 2);
    EXPECT_EQ(run.status, odds::BackTest::Status::Cancelled);
}

TEST(BackTest, EveryShapeRunsAndThirdsTooSmallForAFormSitOut)
{
    struct Case {
        int high, picks;
        bool thirdsPlay;
    };
    for (const Case c :
         {Case{49, 10, true}, Case{42, 1, true}, Case{60, 8, true}, Case{6, 3, false}}) {
        SCOPED_TRACE(c.high * 100 + c.picks);
        const auto draws = ShuffledDraws(c.high, c.picks, 60, static_cast<unsigned>(c.high));
        odds::BackTestOptions options;
        options.seed = 8;
        const auto run =
            odds::RunBackTest(MakeDrawDatabase(c.high, c.picks, draws, QDate(2000, 1, 1)), options);
        ASSERT_EQ(run.status, odds::BackTest::Status::Done);
        for (const auto& s : run.strategies) {
            const bool plays = c.thirdsPlay || s.strategy.source == picks::Source::FullRange;
            EXPECT_EQ(s.draws, plays ? 41 : 0);
            EXPECT_EQ(s.noPool(), !plays);
            if (plays) {
                EXPECT_NEAR(s.expectedMean(), static_cast<double>(c.picks * c.picks) / c.high,
                            1e-12);
                EXPECT_GE(s.expectedCounted, 0.0);
                EXPECT_LE(s.expectedCounted, static_cast<double>(s.forms));
            }
        }
    }
}

TEST(BackTest, WordsForNoPoolNoRecordsAndChance)
{
    // Thirds of six numbers cannot fill a form of three: "no pool", not zeros.
    const auto run = odds::RunBackTest(
        MakeDrawDatabase(6, 3, ShuffledDraws(6, 3, 40, 6), QDate(2000, 1, 1)), {});
    const QStringList table = odds::BackTestTable(run);
    EXPECT_EQ(table[2], QStringLiteral("Top third, times drawn    no pool"));
    // Headings keep two blanks between them: eight apart.
    EXPECT_EQ(table[0].split(QRegularExpression(QStringLiteral("\\s{2,}"))).size(), 8)
        << table[0].toStdString();
    EXPECT_TRUE(odds::BackTestReading(run).contains(QStringLiteral("up to 3 is chance")));
    EXPECT_TRUE(odds::BackTestExplanation().contains(QStringLiteral("up to 3 either way")));

    odds::BackTest none;
    EXPECT_EQ(odds::BackTestReading(none),
              QStringLiteral("No draws to test: the database holds no records."));
    none.firstDraw = 20;
    none.lastDraw = 1;
    EXPECT_EQ(odds::BackTestReading(none), QStringLiteral("No draws to test: the back-test starts "
                                                          "at record 20 and the database holds 1 "
                                                          "record."));
}

#include "models/stats/GraphModel.h"
#include "models/stats/Frequency.h"
#include "support/Databases.h"

#include <gtest/gtest.h>

namespace {

// Numbers 1..6 drawn 2, 5, 2, 5, 0 and 2 times in five draws; last drawn 2, 0, 1, 0, never and
// 2 draws ago.
database::DrawDatabase SixNumbers()
{
    return graphs_test::MakeDb(6, 4, {{1, 2, 3, 4}, {2, 4, 6}, {1, 2, 4, 6}, {2, 3, 4}, {2, 4}});
}

std::vector<int> Numbers(const stats::GraphData& data)
{
    std::vector<int> out;
    for (const QString& label : data.labels)
        out.push_back(label.toInt());
    return out;
}

} // namespace

TEST(GraphTitle, NamesTheMeasureTheRecordCountAndTheTitle)
{
    database::DrawDatabase db = SixNumbers();
    stats::Statistics stats;
    EXPECT_EQ(stats::GraphTitle(db, stats),
              QStringLiteral("No. times drawn in 5 draws. Test Lotto"));
    stats.measure = stats::Measure::DrawsSince;
    EXPECT_EQ(stats::GraphTitle(db, stats),
              QStringLiteral("No. draws since drawn/not drawn in 5 draws. Test Lotto"));
    db.erase();
    stats.measure = stats::Measure::TimesDrawn;
    EXPECT_EQ(stats::GraphTitle(db, stats), QStringLiteral("No. times drawn in 0 draws. "));
}

TEST(GraphView, OpensOnTimesDrawnInNumberOrderWhateverWasChosenBefore)
{
    const database::DrawDatabase db = SixNumbers();
    stats::Statistics stats;
    stats.measure = stats::Measure::DrawsSince;
    stats.RankedNumbers[7] = {7, 99}; // left over from a larger lottery
    stats::GraphView view;
    view.toggleBars();
    view.open(db, stats);

    EXPECT_TRUE(view.timesDrawn());
    EXPECT_FALSE(view.ranked());
    EXPECT_FALSE(view.threeD());
    EXPECT_EQ(stats.measure, stats::Measure::TimesDrawn);
    EXPECT_EQ(stats.RankedNumbers[7].value, 0);
    const stats::GraphData data = stats::ComposeGraphData(db, stats);
    EXPECT_EQ(Numbers(data), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(data.values, (std::vector<int>{2, 5, 2, 5, 0, 2}));
}

TEST(GraphView, DrawsSinceInNumberOrderShowsRecordCountForANeverDrawnNumber)
{
    const database::DrawDatabase db = SixNumbers();
    stats::Statistics stats;
    stats::GraphView view;
    view.open(db, stats);
    view.toggleMeasure(db, stats);
    EXPECT_EQ(stats.measure, stats::Measure::DrawsSince);
    EXPECT_EQ(view.order(), stats::RankOrder::NumberOrder);
    const stats::GraphData data = stats::ComposeGraphData(db, stats);
    EXPECT_EQ(Numbers(data), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(data.values, (std::vector<int>{2, 0, 1, 0, 5, 2}));

    view.toggleMeasure(db, stats);
    EXPECT_EQ(stats.measure, stats::Measure::TimesDrawn);
    EXPECT_EQ(stats::ComposeGraphData(db, stats).values, (std::vector<int>{2, 5, 2, 5, 0, 2}));
}

TEST(GraphView, TwoOrderSwitchesReturnToTheOrderBeforeWithoutRecomputing)
{
    database::DrawDatabase db = SixNumbers();
    stats::Statistics stats;
    stats::GraphView view;
    view.open(db, stats);
    const stats::GraphData before = stats::ComposeGraphData(db, stats);
    // A draw added behind the window's back: only a recompute would count it.
    db.setRecordCount(6);
    db.record(6).Numbers = {5, 5, 5};

    view.toggleOrder(db, stats);
    view.toggleOrder(db, stats);
    EXPECT_FALSE(view.ranked());
    EXPECT_EQ(view.order(), stats::RankOrder::NumberOrder);
    const stats::GraphData after = stats::ComposeGraphData(db, stats);
    EXPECT_EQ(after.labels, before.labels);
    EXPECT_EQ(after.values, before.values);
}

TEST(GraphView, TheNextTopNumbersLineIsRankedWhateverTheGraphShowed)
{
    const database::DrawDatabase db = SixNumbers();
    stats::Statistics stats;
    stats::GraphView view;
    view.open(db, stats);
    view.toggleOrder(db, stats);
    view.toggleOrder(db, stats);
    ASSERT_EQ(view.order(), stats::RankOrder::NumberOrder);
    stats::RankNumbers(stats, db.highNumber(), stats::RankOrder::Ranked);
    EXPECT_EQ(stats::ComposeTopNumbers(stats, 4).numbers, QStringLiteral(" 2   4   1   3  "));
}

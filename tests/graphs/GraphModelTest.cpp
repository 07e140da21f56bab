#include "Databases.h"
#include "stats/Frequency.h"
#include "stats/GraphModel.h"

#include <gtest/gtest.h>

using graphs_test::MakeDb;

namespace {

// Six numbers drawn 2, 5, 2, 5, 0 and 2 times in five draws of up to four picks.
DrawDatabase SixNumbers()
{
    return MakeDb(6, 4, {{1, 2, 3, 4}, {2, 4, 6}, {1, 2, 4, 6}, {2, 3, 4}, {2, 4}});
}

std::vector<int> Numbers(const GraphData& data)
{
    std::vector<int> out;
    for (const QString& label : data.labels)
        out.push_back(label.toInt());
    return out;
}

} // namespace

TEST(GraphTitle, NamesTheMeasureTheRecordCountAndTheTitle)
{
    DrawDatabase db = SixNumbers();
    Statistics stats;
    stats.TimesDrawnMode = 1.0f;
    EXPECT_EQ(GraphTitle(db, stats), QStringLiteral("No. times drawn in 5 draws. Test Lotto"));
    stats.TimesDrawnMode = 0.0f;
    EXPECT_EQ(GraphTitle(db, stats), QStringLiteral("No. draws since drawn/not drawn in 5 draws. Test Lotto"));
    // Any value but 1 selects draws since.
    stats.TimesDrawnMode = 2.0f;
    EXPECT_EQ(GraphTitle(db, stats), QStringLiteral("No. draws since drawn/not drawn in 5 draws. Test Lotto"));

    db.erase();
    stats.TimesDrawnMode = 1.0f;
    EXPECT_EQ(GraphTitle(db, stats), QStringLiteral("No. times drawn in 0 draws. "));
}

TEST(GraphView, OpensOnTimesDrawnInNumberOrderWhateverWasChosenBefore)
{
    const DrawDatabase db = SixNumbers();
    Statistics stats;
    stats.TimesDrawnMode = 0.0f;
    stats.UnsortedSwitch = 1;
    stats.RankedNumbers[7] = {7, 99}; // left over from a larger lottery
    GraphView view;
    view.toggleBars();
    view.open(db, stats);

    EXPECT_TRUE(view.timesDrawn());
    EXPECT_FALSE(view.ranked());
    EXPECT_FALSE(view.threeD());
    EXPECT_EQ(stats.TimesDrawnMode, 1.0f);
    EXPECT_EQ(stats.UnsortedSwitch, 1); // opening does not rank, so it leaves the switch alone
    EXPECT_EQ(stats.RankedNumbers[7].Number, 0);
    EXPECT_EQ(stats.RankedNumbers[7].Measure, 0);

    const GraphData data = ComposeGraphData(db, stats);
    EXPECT_EQ(Numbers(data), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(data.values, (std::vector<int>{2, 5, 2, 5, 0, 2}));
    EXPECT_EQ(data.title, QStringLiteral("No. times drawn in 5 draws. Test Lotto"));
}

TEST(GraphView, DrawsSinceInNumberOrderShowsRecordCountForANeverDrawnNumber)
{
    const DrawDatabase db = SixNumbers();
    Statistics stats;
    GraphView view;
    view.open(db, stats);
    view.toggleMeasure(db, stats);

    EXPECT_FALSE(view.timesDrawn());
    EXPECT_EQ(stats.TimesDrawnMode, 0.0f);
    EXPECT_EQ(stats.UnsortedSwitch, 10);
    const GraphData data = ComposeGraphData(db, stats);
    EXPECT_EQ(Numbers(data), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    // 1 and 6 last in record 3, 3 in record 4, 2 and 4 in record 5, 5 never.
    EXPECT_EQ(data.values, (std::vector<int>{2, 0, 1, 0, 5, 2}));
    EXPECT_EQ(data.title, QStringLiteral("No. draws since drawn/not drawn in 5 draws. Test Lotto"));

    view.toggleMeasure(db, stats);
    EXPECT_TRUE(view.timesDrawn());
    EXPECT_EQ(stats.TimesDrawnMode, 1.0f);
    EXPECT_EQ(ComposeGraphData(db, stats).values, (std::vector<int>{2, 5, 2, 5, 0, 2}));
}

TEST(GraphView, RankedViewOrdersByMeasureWithTiesInNumberOrder)
{
    const DrawDatabase db = SixNumbers();
    Statistics stats;
    GraphView view;
    view.open(db, stats);
    view.toggleOrder(db, stats);
    EXPECT_TRUE(view.ranked());
    EXPECT_EQ(stats.UnsortedSwitch, 0);
    GraphData data = ComposeGraphData(db, stats);
    EXPECT_EQ(Numbers(data), (std::vector<int>{2, 4, 1, 3, 6, 5}));
    EXPECT_EQ(data.values, (std::vector<int>{5, 5, 2, 2, 2, 0}));

    // Switching the measure keeps the ranked order.
    view.toggleMeasure(db, stats);
    EXPECT_EQ(stats.UnsortedSwitch, 0);
    data = ComposeGraphData(db, stats);
    EXPECT_EQ(Numbers(data), (std::vector<int>{5, 1, 6, 3, 2, 4}));
    EXPECT_EQ(data.values, (std::vector<int>{5, 2, 2, 1, 0, 0}));
}

TEST(GraphView, TwoOrderSwitchesReturnToTheOrderBeforeWithoutRecomputing)
{
    DrawDatabase db = SixNumbers();
    Statistics stats;
    GraphView view;
    view.open(db, stats);
    const GraphData before = ComposeGraphData(db, stats);

    // A record added behind the window's back: only a recompute would count it.
    db.RecordCount = 6;
    db.Records[6].RecordNo = 6;
    db.Records[6].Numbers = {5, 5, 5};

    view.toggleOrder(db, stats);
    EXPECT_EQ(stats.UnsortedSwitch, 0);
    view.toggleOrder(db, stats);
    EXPECT_FALSE(view.ranked());
    EXPECT_EQ(stats.UnsortedSwitch, 10);
    const GraphData after = ComposeGraphData(db, stats);
    EXPECT_EQ(after.labels, before.labels);
    EXPECT_EQ(after.values, before.values);
}

TEST(GraphView, BarStyleKeepsOrderAndMeasure)
{
    const DrawDatabase db = SixNumbers();
    Statistics stats;
    GraphView view;
    view.open(db, stats);
    view.toggleMeasure(db, stats);
    view.toggleOrder(db, stats);
    const GraphData before = ComposeGraphData(db, stats);
    const Statistics statsBefore = stats;

    view.toggleBars();
    EXPECT_TRUE(view.threeD());
    EXPECT_TRUE(view.ranked());
    EXPECT_FALSE(view.timesDrawn());
    const GraphData after = ComposeGraphData(db, stats);
    EXPECT_EQ(after.labels, before.labels);
    EXPECT_EQ(after.values, before.values);
    EXPECT_EQ(after.title, before.title);
    EXPECT_EQ(stats.UnsortedSwitch, statsBefore.UnsortedSwitch);
    EXPECT_EQ(stats.TimesDrawnMode, statsBefore.TimesDrawnMode);

    view.toggleBars();
    EXPECT_FALSE(view.threeD());
}

TEST(GraphView, EmptyDatabaseGivesZeroBarsForEveryNumber)
{
    DrawDatabase db;
    db.HighNumber = 49;
    Statistics stats;
    GraphView view;
    view.open(db, stats);
    GraphData data = ComposeGraphData(db, stats);
    ASSERT_EQ(data.values.size(), 49u);
    EXPECT_EQ(data.labels.front(), QStringLiteral("1"));
    EXPECT_EQ(data.labels.back(), QStringLiteral("49"));
    for (const int v : data.values)
        EXPECT_EQ(v, 0);

    view.toggleMeasure(db, stats); // never drawn: RecordCount, which is 0
    data = ComposeGraphData(db, stats);
    for (const int v : data.values)
        EXPECT_EQ(v, 0);
}

TEST(GraphView, LeavingRanksTheNextTopNumbersLine)
{
    const DrawDatabase db = SixNumbers();
    Statistics stats;
    GraphView view;
    view.open(db, stats);
    view.toggleOrder(db, stats);
    view.toggleOrder(db, stats);
    ASSERT_EQ(stats.UnsortedSwitch, 10);
    GraphView::leave(stats);
    EXPECT_EQ(stats.UnsortedSwitch, 0);
    RankNumbers(stats, db.HighNumber);
    EXPECT_EQ(ComposeTopNumbers(stats, 4).numbers, QStringLiteral(" 2   4   1   3  "));
}

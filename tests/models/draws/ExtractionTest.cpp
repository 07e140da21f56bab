#include "models/draws/Extraction.h"

#include "support/Draws.h"

#include <gtest/gtest.h>

namespace {

// Draws on Wednesdays and Saturdays from Wednesday 7 January 2026; record r's first number is r.
database::DrawDatabase WednesdaysAndSaturdays(int count)
{
    std::vector<std::vector<int>> draws;
    for (int r = 1; r <= count; ++r)
        draws.push_back({r, 10, 20, 30, 40, 49});
    database::DrawDatabase db =
        MakeDrawDatabase(49, 6, draws, DrawDates(QDate(2026, 1, 7), draws.size(), {3, 4}),
                         QStringLiteral("Twice weekly"));
    db.setAdvance(3, 4, 3);
    return db;
}

} // namespace

TEST(Extraction, KeepsTheRangeRenumberedFromOne)
{
    database::DrawDatabase db = WednesdaysAndSaturdays(20);
    const QDate fifth = db.record(5).DrawDate;
    const auto result = extraction::Extract(db, 5, 12);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->kept, 8);
    ASSERT_EQ(db.recordCount(), 8);
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(db.record(r).RecordNo, r);
        EXPECT_EQ(db.record(r).Numbers[0], r + 4);
    }
    EXPECT_EQ(db.record(1).DrawDate, fifth);
    EXPECT_FALSE(db.record(9).DrawDate.isValid());
    EXPECT_EQ(db.title(), QStringLiteral("Extracted"));
    // The header's shape and steps are kept.
    EXPECT_EQ(db.columnCount(), 8);
    EXPECT_EQ(db.highNumber(), 49);
    EXPECT_EQ(db.advanceFirst(), 3);
    EXPECT_EQ(db.advanceSecond(), 4);
}

TEST(Extraction, StepFollowsTheSpacingOfTheLastTwoRecords)
{
    // Ending on a Saturday (3 days after the Wednesday before it) gives 4, so the next date
    // proposed is the following Wednesday; ending on a Wednesday gives 3.
    database::DrawDatabase db = WednesdaysAndSaturdays(20);
    ASSERT_EQ(db.record(10).DrawDate.dayOfWeek(), Qt::Saturday);
    ASSERT_TRUE(extraction::Extract(db, 1, 10)->pendingAdvanceSet);
    EXPECT_EQ(db.pendingAdvance(), 4);

    database::DrawDatabase wednesday = WednesdaysAndSaturdays(20);
    ASSERT_TRUE(extraction::Extract(wednesday, 2, 9).has_value());
    EXPECT_EQ(wednesday.pendingAdvance(), 3);

    // Weekly draws are 7 days apart: no step from 1 to 6 matches, so 0.
    database::DrawDatabase weekly = WednesdaysAndSaturdays(4);
    for (int r = 1; r <= 4; ++r)
        weekly.record(r).DrawDate = QDate(2026, 1, 7).addDays(7 * (r - 1));
    ASSERT_TRUE(extraction::Extract(weekly, 1, 4).has_value());
    EXPECT_EQ(weekly.pendingAdvance(), 0);
}

TEST(Extraction, TheWholeRangeChangesOnlyTheTitle)
{
    database::DrawDatabase db = WednesdaysAndSaturdays(7);
    const database::DrawDatabase before = db;
    ASSERT_TRUE(extraction::Extract(db, 1, 7).has_value());
    EXPECT_EQ(db.recordCount(), 7);
    for (int r = 1; r <= 7; ++r) {
        EXPECT_EQ(db.record(r).DrawDate, before.record(r).DrawDate);
        EXPECT_EQ(db.record(r).Numbers, before.record(r).Numbers);
    }
    EXPECT_EQ(db.title(), QStringLiteral("Extracted"));
}

TEST(Extraction, ASingleRecordKeepsTheStepInUse)
{
    database::DrawDatabase db = WednesdaysAndSaturdays(6);
    db.setPendingAdvance(4);
    const auto result = extraction::Extract(db, 3, 3);
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->pendingAdvanceSet);
    EXPECT_EQ(db.recordCount(), 1);
    EXPECT_EQ(db.record(1).Numbers[0], 3);
    EXPECT_EQ(db.pendingAdvance(), 4);
    EXPECT_EQ(db.title(), QStringLiteral("Extracted"));
}

TEST(Extraction, AnInvalidRangeLeavesTheDatabaseUntouched)
{
    struct Case {
        int first;
        int last;
    };
    for (const Case c : {Case{0, 5}, Case{6, 5}, Case{3, 11}, Case{11, 11}}) {
        database::DrawDatabase db = WednesdaysAndSaturdays(10);
        EXPECT_FALSE(extraction::Extract(db, c.first, c.last).has_value())
            << c.first << ".." << c.last;
        EXPECT_EQ(db.recordCount(), 10);
        EXPECT_EQ(db.title(), QStringLiteral("Twice weekly"));
        EXPECT_EQ(db.record(10).Numbers[0], 10);
    }
}

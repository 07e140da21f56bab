#include "models/draws/DrawDatabase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <utility>

namespace {
const QByteArray kExample = "2,8,49,\"My Lottery\",3,4,3\r\n"
                            "1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n"
                            "2,#1998-01-07#,2,9,17,30,38,44,0,0,0,0\r\n";
}

TEST(LtoFile, ExampleReadsAndWritesByteForByte)
{
    database::DrawDatabase db;
    ASSERT_EQ(lto::LoadBytes(kExample, db), lto::LoadResult::Ok);
    EXPECT_EQ(db.recordCount(), 2);
    EXPECT_EQ(db.columnCount(), 8);
    EXPECT_EQ(db.highNumber(), 49);
    EXPECT_EQ(db.title(), QStringLiteral("My Lottery"));
    EXPECT_EQ(db.advanceFirst(), 3);
    EXPECT_EQ(db.advanceSecond(), 4);
    EXPECT_EQ(db.pendingAdvance(), 3);
    EXPECT_EQ(db.record(1).DrawDate, QDate(1998, 1, 3));
    EXPECT_EQ(db.record(2).Numbers[5], 44);
    EXPECT_EQ(db.record(2).Numbers[6], 0);
    EXPECT_EQ(lto::Serialize(db), kExample);
}

TEST(LtoFile, FourItemHeaderIsTheOlderLayout)
{
    database::DrawDatabase db;
    const QByteArray old = "1,6,40,\"Old\"\r\n1,#2001-05-05#,1,2,3,4,0,0,0,0,0,0\r\n";
    ASSERT_EQ(lto::LoadBytes(old, db), lto::LoadResult::OkOldFormat);
    EXPECT_EQ(db.recordCount(), 1);
    EXPECT_EQ(db.title(), QStringLiteral("Old"));
    EXPECT_EQ(db.advanceFirst(), 0);
    EXPECT_EQ(db.advanceSecond(), 7);
    EXPECT_EQ(db.pendingAdvance(), 7);
    EXPECT_EQ(db.record(1).Numbers[3], 4);

    // An advance step too wide for its 16 bits fails the current layout; with no records the
    // older layout then reads and the steps take their old-layout values.
    database::DrawDatabase wide;
    ASSERT_EQ(lto::LoadBytes("0,8,49,\"T\",3,4,99999\r\n", wide), lto::LoadResult::OkOldFormat);
    EXPECT_EQ(wide.advanceFirst(), 0);
    EXPECT_EQ(wide.advanceSecond(), 7);
    EXPECT_EQ(wide.pendingAdvance(), 7);
}

TEST(LtoFile, DamagedFilesFailAndEmptyTheDatabase)
{
    const QByteArray cases[] = {
        "2,8,49,\"T\",0,7,7\r\n1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n", // truncated
        "2001,8,49,\"T\",0,7,7\r\n",                                         // count too large
        "-1,8,49,\"T\",0,7,7\r\n",                                           // negative count
        "x,8,49,\"T\"\r\n",
        "1,8,49,\"T\",0,7,7\r\n1,5,1,2,3,4,5,6,0,0,0,0\r\n", // a number where the date belongs
        // a header number wider than 16 bits is unreadable, not cut to fit
        "1,40008,49,\"T\",0,7,7\r\n1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n",
        "1,8,-32769,\"T\",0,7,7\r\n1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n",
        "",
    };
    for (const QByteArray& bytes : cases) {
        database::DrawDatabase db;
        db.setTitle(QStringLiteral("before"));
        db.setRecordCount(1);
        EXPECT_EQ(lto::LoadBytes(bytes, db), lto::LoadResult::Failed) << bytes.constData();
        EXPECT_EQ(db.recordCount(), 0);
        EXPECT_TRUE(db.title().isEmpty());
    }
}

TEST(LtoFile, TitleWithCommasAndFourPicks)
{
    database::DrawDatabase db;
    // Windows-1252 holds the euro sign and the OE ligature.
    db.setTitle(QString::fromUtf8("Pick 4, evening, \u20ac \u0152uvre"));
    db.setShape(4, 9);
    db.setRecordCount(1);
    db.record(1) = {1, QDate(2020, 2, 29), {1, 2, 3, 4}};
    const QByteArray bytes = lto::Serialize(db);
    EXPECT_TRUE(bytes.contains("1,#2020-02-29#,1,2,3,4,0,0,0,0,0,0\r\n"));
    EXPECT_TRUE(bytes.contains("\"Pick 4, evening, \x80 \x8Cuvre\""));
    database::DrawDatabase back;
    ASSERT_EQ(lto::LoadBytes(bytes, back), lto::LoadResult::Ok);
    EXPECT_EQ(back.title(), db.title());
    EXPECT_EQ(back.record(1).Numbers, db.record(1).Numbers);
}

TEST(LtoFile, FailedSaveLeavesOldFileIntact)
{
    TempDir dir;
    dir.write(QStringLiteral("a.lto"), kExample);
    database::DrawDatabase db;
    db.setRecordCount(1);
    db.record(1) = {1, QDate(2020, 1, 1), {1}};
    // A path inside a folder that does not exist cannot be written.
    EXPECT_FALSE(lto::Save(dir.path(QStringLiteral("missing/a.lto")), db));
    EXPECT_EQ(dir.read(QStringLiteral("a.lto")), kExample);
    ASSERT_TRUE(lto::Save(dir.path(QStringLiteral("a.lto")), db));
    EXPECT_EQ(dir.read(QStringLiteral("a.lto")), lto::Serialize(db));
}

TEST(DrawDatabase, SortKeepsEqualDatesAndDropsTheDeletionMarker)
{
    database::DrawDatabase db;
    db.setRecordCount(5);
    db.record(1) = {1, QDate(2020, 1, 8), {1}};
    db.record(2) = {2, database::DrawDatabase::DeletionMarker, {2}};
    db.record(3) = {3, QDate(2020, 1, 1), {3}};
    db.record(4) = {4, QDate(2020, 1, 8), {4}};
    db.record(5) = {5, QDate(2020, 1, 4), {5}};
    db.sortByDate();
    ASSERT_EQ(db.recordCount(), 4);
    // The halving-gap exchanges carry record 4 past record 1 on the way (they share a date but
    // are never compared with each other directly), so the order is not the stable one.
    const int expectedFirstNumber[] = {3, 5, 4, 1};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(db.record(i).RecordNo, i);
        EXPECT_EQ(db.record(i).Numbers[0], expectedFirstNumber[i - 1]);
    }
    EXPECT_FALSE(db.record(5).DrawDate.isValid());

    // The common case: a record added after others of its date stays after them.
    database::DrawDatabase added;
    added.setRecordCount(4);
    added.record(1) = {1, QDate(2020, 1, 1), {1}};
    added.record(2) = {2, QDate(2020, 1, 8), {2}};
    added.record(3) = {3, QDate(2020, 1, 15), {3}};
    added.record(4) = {4, QDate(2020, 1, 8), {4}};
    added.sortByDate();
    const int order[] = {1, 2, 4, 3};
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(added.record(i).Numbers[0], order[i - 1]);
}

TEST(DrawDatabase, EraseKeepsShapeAndAdvance)
{
    database::DrawDatabase db;
    ASSERT_EQ(lto::LoadBytes(kExample, db), lto::LoadResult::Ok);
    db.erase();
    EXPECT_EQ(db.recordCount(), 0);
    EXPECT_TRUE(db.title().isEmpty());
    EXPECT_EQ(db.columnCount(), 8);
    EXPECT_EQ(db.highNumber(), 49);
    EXPECT_EQ(db.advanceFirst(), 3);
    EXPECT_FALSE(db.record(1).DrawDate.isValid());
}

TEST(LtoFile, ARecordWhoseLastItemIsEmptyReadsItAsZero)
{
    database::DrawDatabase db;
    ASSERT_EQ(lto::LoadBytes("2,8,49,\"Mine\",0,7,7\r\n"
                             "1,#2020-01-04#,1,2,3,4,5,6,0,0,0,\r\n"
                             "2,#2020-01-11#,7,8,9,10,11,12,0,0,0,0\r\n",
                             db),
              lto::LoadResult::Ok);
    EXPECT_EQ(db.record(1).Numbers[9], 0);
    EXPECT_EQ(db.record(2).RecordNo, 2);
    EXPECT_EQ(db.record(2).Numbers[5], 12);
}

TEST(DrawDatabase, KeepsItsShapeCountAndRowsInsideTheTable)
{
    database::DrawDatabase db;
    struct Shape {
        int picks, high, expectedPicks, expectedHigh;
    };
    for (const Shape s : {Shape{6, 49, 6, 49}, Shape{0, 0, 1, 1}, Shape{38, 99, 10, 60},
                          Shape{-5, -1, 1, 1}, Shape{10, 60, 10, 60}}) {
        db.setShape(s.picks, s.high);
        EXPECT_EQ(db.picksPerDraw(), s.expectedPicks) << s.picks;
        EXPECT_EQ(db.columnCount(), s.expectedPicks + 2) << s.picks;
        EXPECT_EQ(db.highNumber(), s.expectedHigh) << s.high;
    }
    // A damaged header's shape is taken as the nearest shape the table can hold.
    ASSERT_EQ(lto::LoadBytes("0,15,70,\"T\",0,7,7\r\n", db), lto::LoadResult::Ok);
    EXPECT_EQ(db.columnCount(), 12);
    EXPECT_EQ(db.highNumber(), 60);

    db.setRecordCount(99999);
    EXPECT_EQ(db.recordCount(), database::DrawDatabase::MaxRecords);
    EXPECT_EQ(db.records().size(), static_cast<size_t>(database::DrawDatabase::MaxRecords));
    db.setRecordCount(-3);
    EXPECT_EQ(db.recordCount(), 0);
    EXPECT_TRUE(db.records().empty());

    // A row outside the table reads empty, and writing it changes no record.
    db.record(database::DrawDatabase::MaxRecords + 1).Numbers[0] = 7;
    db.record(0).Numbers[0] = 7;
    EXPECT_EQ(std::as_const(db).record(database::DrawDatabase::MaxRecords + 1).Numbers[0], 0);
    EXPECT_EQ(std::as_const(db).record(0).Numbers[0], 0);
    EXPECT_EQ(std::as_const(db).record(-1).RecordNo, 0);
}

TEST(DrawDatabase, RemoveRecordMovesTheLaterRecordsUp)
{
    database::DrawDatabase db;
    db.setRecordCount(3);
    for (int r = 1; r <= 3; ++r)
        db.record(r) = {r, QDate(2020, 1, r), {r}};
    EXPECT_FALSE(db.removeRecord(0));
    EXPECT_FALSE(db.removeRecord(4));
    ASSERT_TRUE(db.removeRecord(2));
    ASSERT_EQ(db.recordCount(), 2);
    EXPECT_EQ(db.records()[0].Numbers[0], 1);
    EXPECT_EQ(db.records()[1].Numbers[0], 3);
    // The row the last record left is empty again.
    EXPECT_FALSE(db.record(3).DrawDate.isValid());
}

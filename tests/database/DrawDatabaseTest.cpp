#include "database/DrawDatabase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {
const QByteArray kExample = "2,8,49,\"My Lottery\",3,4,3\r\n"
                            "1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n"
                            "2,#1998-01-07#,2,9,17,30,38,44,0,0,0,0\r\n";
}

TEST(LtoFile, ExampleReadsAndWritesByteForByte)
{
    DrawDatabase db;
    ASSERT_EQ(lto::LoadBytes(kExample, db), lto::LoadResult::Ok);
    EXPECT_EQ(db.RecordCount, 2);
    EXPECT_EQ(db.ColumnCount, 8);
    EXPECT_EQ(db.HighNumber, 49);
    EXPECT_EQ(db.Title, QStringLiteral("My Lottery"));
    EXPECT_EQ(db.AdvanceFirst, 3);
    EXPECT_EQ(db.AdvanceSecond, 4);
    EXPECT_EQ(db.PendingAdvance, 3);
    EXPECT_EQ(db.Records[1].DrawDate, QDate(1998, 1, 3));
    EXPECT_EQ(db.Records[2].Numbers[5], 44);
    EXPECT_EQ(db.Records[2].Numbers[6], 0);
    EXPECT_EQ(lto::Serialize(db), kExample);
}

TEST(LtoFile, FourItemHeaderIsTheOlderLayout)
{
    DrawDatabase db;
    const QByteArray old = "1,6,40,\"Old\"\r\n1,#2001-05-05#,1,2,3,4,0,0,0,0,0,0\r\n";
    ASSERT_EQ(lto::LoadBytes(old, db), lto::LoadResult::OkOldFormat);
    EXPECT_EQ(db.RecordCount, 1);
    EXPECT_EQ(db.Title, QStringLiteral("Old"));
    EXPECT_EQ(db.AdvanceFirst, 0);
    EXPECT_EQ(db.AdvanceSecond, 7);
    EXPECT_EQ(db.PendingAdvance, 7);
    EXPECT_EQ(db.Records[1].Numbers[3], 4);

    // An advance step too wide for its 16 bits fails the current layout; with no records the
    // older layout then reads and the steps take their old-layout values.
    DrawDatabase wide;
    ASSERT_EQ(lto::LoadBytes("0,8,49,\"T\",3,4,99999\r\n", wide), lto::LoadResult::OkOldFormat);
    EXPECT_EQ(wide.AdvanceFirst, 0);
    EXPECT_EQ(wide.AdvanceSecond, 7);
    EXPECT_EQ(wide.PendingAdvance, 7);
}

TEST(LtoFile, DamagedFilesFailAndEmptyTheDatabase)
{
    const QByteArray cases[] = {
        "2,8,49,\"T\",0,7,7\r\n1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n", // truncated
        "2001,8,49,\"T\",0,7,7\r\n",                                          // count too large
        "-1,8,49,\"T\",0,7,7\r\n",                                            // negative count
        "x,8,49,\"T\"\r\n",
        "1,8,49,\"T\",0,7,7\r\n1,5,1,2,3,4,5,6,0,0,0,0\r\n", // a number where the date belongs
        // a header number wider than 16 bits is unreadable, not cut to fit
        "1,40008,49,\"T\",0,7,7\r\n1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n",
        "1,8,-32769,\"T\",0,7,7\r\n1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n",
        "",
    };
    for (const QByteArray& bytes : cases) {
        DrawDatabase db;
        db.Title = QStringLiteral("before");
        db.RecordCount = 1;
        EXPECT_EQ(lto::LoadBytes(bytes, db), lto::LoadResult::Failed) << bytes.constData();
        EXPECT_EQ(db.RecordCount, 0);
        EXPECT_TRUE(db.Title.isEmpty());
    }
}

TEST(LtoFile, TitleWithCommasAndFourPicks)
{
    DrawDatabase db;
    // Windows-1252 holds the euro sign and the OE ligature.
    db.Title = QString::fromUtf8("Pick 4, evening, \u20ac \u0152uvre");
    db.ColumnCount = 6;
    db.HighNumber = 9;
    db.RecordCount = 1;
    db.Records[1] = {1, QDate(2020, 2, 29), {1, 2, 3, 4}};
    const QByteArray bytes = lto::Serialize(db);
    EXPECT_TRUE(bytes.contains("1,#2020-02-29#,1,2,3,4,0,0,0,0,0,0\r\n"));
    EXPECT_TRUE(bytes.contains("\"Pick 4, evening, \x80 \x8Cuvre\""));
    DrawDatabase back;
    ASSERT_EQ(lto::LoadBytes(bytes, back), lto::LoadResult::Ok);
    EXPECT_EQ(back.Title, db.Title);
    EXPECT_EQ(back.Records[1].Numbers, db.Records[1].Numbers);
}

TEST(LtoFile, FailedSaveLeavesOldFileIntact)
{
    TempDir dir;
    dir.write(QStringLiteral("a.lto"), kExample);
    DrawDatabase db;
    db.RecordCount = 1;
    db.Records[1] = {1, QDate(2020, 1, 1), {1}};
    // A path inside a folder that does not exist cannot be written.
    EXPECT_FALSE(lto::Save(dir.path(QStringLiteral("missing/a.lto")), db));
    EXPECT_EQ(dir.read(QStringLiteral("a.lto")), kExample);
    ASSERT_TRUE(lto::Save(dir.path(QStringLiteral("a.lto")), db));
    EXPECT_EQ(dir.read(QStringLiteral("a.lto")), lto::Serialize(db));
}

TEST(DrawDatabase, SortKeepsEqualDatesAndDropsTheDeletionMarker)
{
    DrawDatabase db;
    db.RecordCount = 5;
    db.Records[1] = {1, QDate(2020, 1, 8), {1}};
    db.Records[2] = {2, DrawDatabase::DeletionMarker, {2}};
    db.Records[3] = {3, QDate(2020, 1, 1), {3}};
    db.Records[4] = {4, QDate(2020, 1, 8), {4}};
    db.Records[5] = {5, QDate(2020, 1, 4), {5}};
    db.sortByDate();
    ASSERT_EQ(db.RecordCount, 4);
    // The halving-gap exchanges carry record 4 past record 1 on the way (they share a date but
    // are never compared with each other directly), so the order is not the stable one.
    const int expectedFirstNumber[] = {3, 5, 4, 1};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(db.Records[static_cast<size_t>(i)].RecordNo, i);
        EXPECT_EQ(db.Records[static_cast<size_t>(i)].Numbers[0], expectedFirstNumber[i - 1]);
    }
    EXPECT_FALSE(db.Records[5].DrawDate.isValid());

    // The common case: a record added after others of its date stays after them.
    DrawDatabase added;
    added.RecordCount = 4;
    added.Records[1] = {1, QDate(2020, 1, 1), {1}};
    added.Records[2] = {2, QDate(2020, 1, 8), {2}};
    added.Records[3] = {3, QDate(2020, 1, 15), {3}};
    added.Records[4] = {4, QDate(2020, 1, 8), {4}};
    added.sortByDate();
    const int order[] = {1, 2, 4, 3};
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(added.Records[static_cast<size_t>(i)].Numbers[0], order[i - 1]);
}

TEST(DrawDatabase, EraseKeepsShapeAndAdvance)
{
    DrawDatabase db;
    ASSERT_EQ(lto::LoadBytes(kExample, db), lto::LoadResult::Ok);
    db.erase();
    EXPECT_EQ(db.RecordCount, 0);
    EXPECT_TRUE(db.Title.isEmpty());
    EXPECT_EQ(db.ColumnCount, 8);
    EXPECT_EQ(db.HighNumber, 49);
    EXPECT_EQ(db.AdvanceFirst, 3);
    EXPECT_FALSE(db.Records[1].DrawDate.isValid());
}

TEST(LtoFile, ARecordWhoseLastItemIsEmptyReadsItAsZero)
{
    DrawDatabase db;
    ASSERT_EQ(lto::LoadBytes("2,8,49,\"Mine\",0,7,7\r\n"
                             "1,#2020-01-04#,1,2,3,4,5,6,0,0,0,\r\n"
                             "2,#2020-01-11#,7,8,9,10,11,12,0,0,0,0\r\n",
                             db),
              lto::LoadResult::Ok);
    EXPECT_EQ(db.Records[1].Numbers[9], 0);
    EXPECT_EQ(db.Records[2].RecordNo, 2);
    EXPECT_EQ(db.Records[2].Numbers[5], 12);
}

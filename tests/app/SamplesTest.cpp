// The sample databases shipped beside the program load as ordinary databases of the expected
// shape, and are written exactly as the program itself would write them.
#include "database/DrawDatabase.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <set>

namespace {

QString SamplePath(const char* name)
{
    return QDir(QStringLiteral(TALLIMO_SAMPLES_DIR)).filePath(QLatin1String(name));
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Shape {
    const char* file;
    int picks;
    int high;
    const char* titleWord;
};

const Shape kSamples[] = {
    {"Sample.Lto", 6, 49, "6/49"},
    {"USPballW.Lto", 5, 49, "White"},
    {"USPballR.Lto", 1, 42, "Red"},
};

} // namespace

TEST(Samples, EachLoadsWithTheExpectedShape)
{
    for (const Shape& shape : kSamples) {
        SCOPED_TRACE(shape.file);
        DrawDatabase db;
        ASSERT_EQ(lto::Load(SamplePath(shape.file), db), lto::LoadResult::Ok);
        EXPECT_EQ(db.ColumnCount, shape.picks + 2);
        EXPECT_EQ(db.HighNumber, shape.high);
        EXPECT_TRUE(db.Title.contains(QLatin1String(shape.titleWord))) << db.Title.toStdString();
        EXPECT_LE(db.Title.size(), 40);
        EXPECT_GE(db.RecordCount, 200);
        EXPECT_LE(db.RecordCount, DrawDatabase::MaxRecords);
        // Two draws a week, Wednesday and Saturday: 3 days on from a Wednesday, 4 from a
        // Saturday, and the pending step leads from the last draw to the next one.
        EXPECT_EQ(db.AdvanceFirst, 3);
        EXPECT_EQ(db.AdvanceSecond, 4);
        const QDate last = db.Records[static_cast<size_t>(db.RecordCount)].DrawDate;
        EXPECT_EQ(last.year(), 2026);
        EXPECT_EQ(db.PendingAdvance, last.dayOfWeek() == Qt::Saturday ? 4 : 3);

        QDate previous;
        for (int row = 1; row <= db.RecordCount; ++row) {
            const DrawRecord& rec = db.Records[static_cast<size_t>(row)];
            ASSERT_EQ(rec.RecordNo, row);
            ASSERT_TRUE(rec.DrawDate.dayOfWeek() == Qt::Wednesday ||
                        rec.DrawDate.dayOfWeek() == Qt::Saturday)
                << row;
            if (previous.isValid()) {
                ASSERT_EQ(previous.daysTo(rec.DrawDate),
                          previous.dayOfWeek() == Qt::Wednesday ? 3 : 4)
                    << row;
            }
            previous = rec.DrawDate;
            std::set<int> seen;
            for (int c = 0; c < 10; ++c) {
                const int n = rec.Numbers[static_cast<size_t>(c)];
                if (c < shape.picks) {
                    ASSERT_GE(n, 1) << row;
                    ASSERT_LE(n, shape.high) << row;
                    ASSERT_TRUE(seen.insert(n).second) << "repeated number in row " << row;
                } else {
                    ASSERT_EQ(n, 0) << row;
                }
            }
        }
        // Byte for byte what the program writes: the header of seven items, twelve items per
        // record, CR LF line ends.
        EXPECT_EQ(lto::Serialize(db), ReadAll(SamplePath(shape.file)));
    }
}

TEST(Samples, PowerballHalvesShareTheirDrawDates)
{
    DrawDatabase white;
    DrawDatabase red;
    ASSERT_EQ(lto::Load(SamplePath("USPballW.Lto"), white), lto::LoadResult::Ok);
    ASSERT_EQ(lto::Load(SamplePath("USPballR.Lto"), red), lto::LoadResult::Ok);
    ASSERT_EQ(white.RecordCount, red.RecordCount);
    for (int row = 1; row <= white.RecordCount; ++row)
        ASSERT_EQ(white.Records[static_cast<size_t>(row)].DrawDate,
                  red.Records[static_cast<size_t>(row)].DrawDate);
}

TEST(Samples, NumbersAreSpreadOverTheWholeRange)
{
    // A believable history: nearly every number of the range turns up, none dominates.
    for (const Shape& shape : kSamples) {
        SCOPED_TRACE(shape.file);
        DrawDatabase db;
        ASSERT_EQ(lto::Load(SamplePath(shape.file), db), lto::LoadResult::Ok);
        std::vector<int> counts(static_cast<size_t>(shape.high) + 1, 0);
        for (int row = 1; row <= db.RecordCount; ++row)
            for (int c = 0; c < shape.picks; ++c)
                ++counts[static_cast<size_t>(db.Records[static_cast<size_t>(row)].Numbers[static_cast<size_t>(c)])];
        const double mean = static_cast<double>(db.RecordCount * shape.picks) / shape.high;
        int seen = 0;
        for (int n = 1; n <= shape.high; ++n) {
            seen += counts[static_cast<size_t>(n)] > 0 ? 1 : 0;
            EXPECT_LT(counts[static_cast<size_t>(n)], mean * 2.5) << n;
        }
        EXPECT_GE(seen, shape.high * 9 / 10);
        EXPECT_GT(counts[static_cast<size_t>(shape.high)] + counts[1], 0);
    }
}

// The sample databases shipped beside the program load as ordinary databases of the expected
// shape, and are written exactly as the program itself writes databases.
#include "models/draws/DrawDatabase.h"

#include <QFile>
#include <gtest/gtest.h>
#include <set>

TEST(Samples, EachLoadsWithTheExpectedShape)
{
    struct Shape {
        const char* file;
        int picks, high;
        const char* titleWord;
    };
    const Shape samples[] = {
        {"Sample.Lto", 6, 49, "6/49"},
        {"USPballW.Lto", 5, 49, "White"},
        {"USPballR.Lto", 1, 42, "Red"},
    };
    std::vector<QDate> powerballDates;
    for (const Shape& shape : samples) {
        SCOPED_TRACE(shape.file);
        const QString path = QStringLiteral(TALLIMO_SAMPLES_DIR "/") + QLatin1String(shape.file);
        database::DrawDatabase db;
        ASSERT_EQ(lto::Load(path, db), lto::LoadResult::Ok);
        EXPECT_EQ(db.columnCount(), shape.picks + 2);
        EXPECT_EQ(db.highNumber(), shape.high);
        EXPECT_TRUE(db.title().contains(QLatin1String(shape.titleWord)));
        EXPECT_GE(db.recordCount(), 200);
        // Wednesday and Saturday draws: 3 days on from a Wednesday, 4 from a Saturday, and the
        // pending step leads from the last draw to the next one.
        EXPECT_EQ(db.advanceFirst(), 3);
        EXPECT_EQ(db.advanceSecond(), 4);
        const QDate last = db.record(db.recordCount()).DrawDate;
        EXPECT_EQ(last.year(), 2026);
        EXPECT_EQ(db.pendingAdvance(), last.dayOfWeek() == Qt::Saturday ? 4 : 3);

        std::set<int> drawn;
        std::vector<QDate> dates;
        for (int row = 1; row <= db.recordCount(); ++row) {
            const database::DrawRecord& rec = db.record(row);
            ASSERT_EQ(rec.RecordNo, row);
            if (!dates.empty()) {
                ASSERT_EQ(dates.back().daysTo(rec.DrawDate),
                          dates.back().dayOfWeek() == Qt::Wednesday ? 3 : 4)
                    << row;
            }
            dates.push_back(rec.DrawDate);
            std::set<int> draw;
            for (int c = 0; c < 10; ++c) {
                const int n = rec.Numbers[static_cast<size_t>(c)];
                if (c >= shape.picks) {
                    ASSERT_EQ(n, 0) << row;
                    continue;
                }
                ASSERT_TRUE(n >= 1 && n <= shape.high) << row;
                ASSERT_TRUE(draw.insert(n).second) << "a number twice in row " << row;
                drawn.insert(n);
            }
        }
        // A believable history covers (nearly) the whole range.
        EXPECT_GE(static_cast<int>(drawn.size()), shape.high * 9 / 10);
        if (shape.file[0] == 'U') {
            if (!powerballDates.empty()) {
                EXPECT_EQ(dates, powerballDates) << "the two Powerball halves share their dates";
            }
            powerballDates = dates;
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(lto::Serialize(db), file.readAll());
    }
}

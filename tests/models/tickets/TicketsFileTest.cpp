#include "models/tickets/TicketsFile.h"
#include "support/QStringPrinting.h"
#include "support/TempDir.h"

#include <QFile>
#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace tickets;

TEST(TicketsFile, SitsBesideItsDatabase)
{
    EXPECT_EQ(SideFilePath(QStringLiteral("/a/b/Week.lto")),
              QStringLiteral("/a/b/Week.tickets.json"));
    EXPECT_EQ(SideFilePath(QStringLiteral("/a/Week.LTO")), QStringLiteral("/a/Week.tickets.json"));
    EXPECT_EQ(SideFilePath(QStringLiteral("/a/my.week.lto")),
              QStringLiteral("/a/my.week.tickets.json"));
    EXPECT_EQ(SideFilePath(QStringLiteral("/a/Week")), QStringLiteral("/a/Week.tickets.json"));
}

TEST(TicketsFile, RoundTripsEverythingAndRemovesItselfWhenEmpty)
{
    Book book;
    book.tickets.push_back({QStringLiteral("Eight weeks, Zoë"),
                            {{1, 2, 3, 4, 5, 6}, {7, 8, 9}},
                            QDate(2026, 12, 5),
                            8,
                            250});
    book.prizes[3] = {PrizeKind::Fixed, 1000};
    book.prizes[4] = {PrizeKind::Varies, 0};
    book.won.push_back({1, 2, QDate(2026, 12, 5), 5520});
    book.seenUpTo = QDate(2026, 12, 5);
    book.source =
        QJsonObject{{QStringLiteral("location"), QStringLiteral("https://example.org/d.csv")}};

    TempDir dir;
    const QString path = dir.path(QStringLiteral("Week.tickets.json"));
    ASSERT_TRUE(Save(path, book));
    Book read;
    ASSERT_EQ(Load(path, read).code(), LoadResult::Ok);
    EXPECT_EQ(Serialize(read), Serialize(book));
    EXPECT_EQ(read.tickets[0].label, book.tickets[0].label);
    EXPECT_EQ(read.tickets[0].forms, book.tickets[0].forms);
    EXPECT_EQ(read.prizes[4].kind, PrizeKind::Varies);
    EXPECT_EQ(read.won[0].amount, 5520);
    EXPECT_EQ(read.source, book.source);
    // Human-readable, with its version.
    EXPECT_TRUE(dir.read(QStringLiteral("Week.tickets.json")).contains("\"version\": 1"));

    ASSERT_TRUE(Save(path, Book{}));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(Load(path, read).code(), LoadResult::NoFile);
}

TEST(TicketsFile, ADamagedFileIsRefusedWithItsReasonAndLeftAlone)
{
    const QByteArray good = R"({"format": "Tallimo Win9 tickets", "version": 1, "tickets": [
        {"label": "", "first_draw": "2026-12-05", "draws": 1, "price": "1.00", "forms": [[1, 2, 3]]}]})";
    Book book;
    ASSERT_EQ(Parse(good, book).code(), LoadResult::Ok);
    ASSERT_EQ(book.tickets.size(), 1u);
    const struct {
        QByteArray from, to;
        const char* reason;
    } cases[] = {
        {"\"tickets\": [", "\"tickets\": [[", "not JSON at byte"},
        {"Win9 tickets", "Win9 notes", "not a tickets file"},
        {"\"version\": 1", "\"version\": 2", "version 2, this program reads version 1"},
        {"[[1, 2, 3]]", "[[1, 2, 61]]", "ticket 1: a number is not a whole number from 1 to 60"},
        {"[[1, 2, 3]]", "[[1, 2, 2]]", "ticket 1: form 1: 2 is on the form twice"},
        {"\"draws\": 1", "\"draws\": 0", "ticket 1: draws is not a whole number from 1 to 520"},
        {"\"1.00\"", "\"1,00\"", "ticket 1: price is not an amount"},
        {"2026-12-05", "5.12.2026", "ticket 1: first_draw is not a date (yyyy-mm-dd)"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        QByteArray bytes = good;
        bytes.replace(c.from, c.to);
        dir.write(QStringLiteral("t.json"), bytes);
        const text::Result<LoadResult> r = Load(dir.path(QStringLiteral("t.json")), book);
        EXPECT_EQ(r.code(), LoadResult::Damaged) << c.reason;
        EXPECT_TRUE(r.reason().startsWith(QString::fromLatin1(c.reason)))
            << r.reason().toStdString();
        EXPECT_TRUE(book.tickets.empty());
        EXPECT_EQ(dir.read(QStringLiteral("t.json")), bytes);
        EXPECT_TRUE(LoadProblem(dir.path(QStringLiteral("t.json")), r)
                        .startsWith(QStringLiteral("t.json is damaged: ")));
    }
}

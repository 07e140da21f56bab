#include "text/CsvTokenizer.h"

#include <gtest/gtest.h>

using namespace text;

TEST(CsvTokenizer, ReadsEachKindOfItem)
{
    CsvTokenizer in("2,8, 49,\"My, Lottery\",#1998-01-03#,\"\"\r\n  x y ,5.5\r\n");
    const auto expectItem = [&in](CsvItem::Kind kind, const char* text) {
        const auto item = in.next();
        ASSERT_TRUE(item.has_value());
        EXPECT_EQ(item->kind, kind);
        EXPECT_EQ(item->text, QLatin1String(text));
    };
    expectItem(CsvItem::Kind::Plain, "2");
    expectItem(CsvItem::Kind::Plain, "8");
    expectItem(CsvItem::Kind::Plain, "49");
    expectItem(CsvItem::Kind::Quoted, "My, Lottery");
    expectItem(CsvItem::Kind::Date, "1998-01-03");
    expectItem(CsvItem::Kind::Quoted, "");
    expectItem(CsvItem::Kind::Plain, "x y");
    expectItem(CsvItem::Kind::Plain, "5.5");
    EXPECT_FALSE(in.next().has_value());
    EXPECT_TRUE(in.atEnd());
}

TEST(CsvTokenizer, NumbersAndDates)
{
    CsvTokenizer in("12,abc,5.0,#2024-02-30#,#2024-02-29#,\"7\"");
    EXPECT_EQ(in.next()->integer(), 12);
    EXPECT_FALSE(in.next()->integer().has_value());
    EXPECT_EQ(in.next()->integer(), 5);
    EXPECT_FALSE(in.next()->date.isValid());
    EXPECT_EQ(in.next()->date, QDate(2024, 2, 29));
    EXPECT_FALSE(in.next()->integer().has_value()); // quoted text is not a number
}

TEST(CsvTokenizer, HugeNumbersAreNotWholeNumbers)
{
    // Found by fuzzing: a long run of digits reads as a double far beyond any integer.
    CsvTokenizer in("0" + QByteArray(90, '2') + ",1e300,-1e300,99999999999999999999");
    EXPECT_FALSE(in.next()->integer().has_value());
    EXPECT_FALSE(in.next()->integer().has_value());
    EXPECT_FALSE(in.next()->integer().has_value());
    EXPECT_FALSE(in.next()->integer().has_value());
}

TEST(CsvTokenizer, UnterminatedQuoteRunsToEnd)
{
    CsvTokenizer in("\"abc");
    const auto item = in.next();
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->text, QStringLiteral("abc"));
    EXPECT_FALSE(in.next().has_value());
}

TEST(CsvTokenizer, WritersQuoteAndDate)
{
    EXPECT_EQ(QuoteItem(QStringLiteral("a\"b")), QByteArray("\"ab\""));
    EXPECT_EQ(DateItem(QDate(1998, 1, 3)), QByteArray("#1998-01-03#"));
}

TEST(CsvTokenizer, AnEmptyLastItemOfALineIsEmptyText)
{
    // Record lines whose last number is missing: the line end does not shift what follows.
    CsvTokenizer in("1,2,\r\n3,,\n4, \r\n5,");
    QStringList items;
    while (const auto item = in.next())
        items << (item->text.isEmpty() ? QStringLiteral("_") : item->text);
    EXPECT_EQ(items, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("_"),
                                  QStringLiteral("3"), QStringLiteral("_"), QStringLiteral("_"),
                                  QStringLiteral("4"), QStringLiteral("_"), QStringLiteral("5"),
                                  QStringLiteral("_")}));
}

TEST(CsvTokenizer, TextIsWindows1252)
{
    // Bytes as a Windows 9x program writes them: euro sign, OE ligature, curly quotes, e acute.
    const QByteArray bytes("\"\x80 \x8C \x93x\x94 \xE9\"");
    const QString text = QString::fromUtf8("\u20ac \u0152 \u201cx\u201d \u00e9");
    EXPECT_EQ(CsvTokenizer(bytes).next()->text, text);
    EXPECT_EQ(QuoteItem(text), bytes);
    // What the code page cannot hold is written as "?".
    EXPECT_EQ(QuoteItem(QString::fromUtf8("a\u2192b\U0001F600")), QByteArray("\"a?b?\""));
}

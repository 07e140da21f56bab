#include "text/Dates.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace text;

TEST(Dates, ShortDateHasFourDigitYear)
{
    EXPECT_EQ(ShortDateFormat(), QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(ShortDate(QDate(1998, 1, 3)), QStringLiteral("1/3/1998"));
    EXPECT_EQ(ShortDate(QDate()), QString());
}

TEST(Dates, ParseIsForgivingAboutSeparators)
{
    const struct {
        const char* in;
        QDate out;
    } cases[] = {{"1/3/1998", QDate(1998, 1, 3)},   {"1-3-1998", QDate(1998, 1, 3)},
                 {"1.3.1998", QDate(1998, 1, 3)},   {"12/31/05", QDate(2005, 12, 31)},
                 {"2/29/2024", QDate(2024, 2, 29)}, {"6/15/45", QDate(1945, 6, 15)}};
    for (const auto& c : cases) {
        const auto d = ParseDate(QLatin1String(c.in));
        ASSERT_TRUE(d.has_value()) << c.in;
        EXPECT_EQ(*d, c.out) << c.in;
    }
    for (const char* bad : {"", "1/3", "13/1/1998", "2/30/2023", "a/b/c", "1//1998"})
        EXPECT_FALSE(ParseDate(QLatin1String(bad)).has_value()) << bad;
}

TEST(Dates, ParseFollowsLocaleOrder)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto d = ParseDate(QStringLiteral("3.1.1998"));
    QLocale::setDefault(saved);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(*d, QDate(1998, 1, 3));
}

TEST(Dates, ShortDateIsAlwaysNumericAndReadsBack)
{
    const QLocale saved;
    const struct {
        QLocale locale;
        const char* format;
    } cases[] = {
        {QLocale::c(), "d/M/yyyy"}, // the C locale spells the month: numbers are shown instead
        {QLocale(QLocale::German, QLocale::Germany), "dd.MM.yyyy"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), "dd/MM/yyyy"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "M/d/yyyy"},
    };
    for (const auto& c : cases) {
        QLocale::setDefault(c.locale);
        EXPECT_EQ(ShortDateFormat(), QLatin1String(c.format)) << c.locale.name().toStdString();
        const QDate d(2026, 3, 28);
        EXPECT_EQ(ParseDate(ShortDate(d)), d) << c.locale.name().toStdString();
    }
    QLocale::setDefault(saved);
}

TEST(Dates, SerialCountsFrom30December1899)
{
    EXPECT_EQ(DaySerial(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(DaySerial(QDate(2500, 2, 19)), 219197);
    EXPECT_EQ(DateFromSerial(219197), QDate(2500, 2, 19));
}

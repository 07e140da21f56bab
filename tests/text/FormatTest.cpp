#include "text/Format.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace text;

TEST(RightAlign, PadsOrKeepsLeftmost)
{
    EXPECT_EQ(RightAlign(QStringLiteral("5"), 2), QStringLiteral(" 5"));
    EXPECT_EQ(RightAlign(QStringLiteral("12"), 4), QStringLiteral("  12"));
    EXPECT_EQ(RightAlign(QStringLiteral("EUR"), 2), QStringLiteral("EU"));
    EXPECT_EQ(RightAlign(QString(), 3), QStringLiteral("   "));
}

TEST(NumText, LeadingBlankUnlessNegative)
{
    EXPECT_EQ(NumText(5LL), QStringLiteral(" 5"));
    EXPECT_EQ(NumText(0LL), QStringLiteral(" 0"));
    EXPECT_EQ(NumText(-3LL), QStringLiteral("-3"));
    EXPECT_EQ(NumText(24.5), QStringLiteral(" 24.5"));
}

TEST(Hashes, ZeroGivesNothing)
{
    EXPECT_EQ(Hashes(0), QString());
    EXPECT_EQ(Hashes(7), QStringLiteral("7"));
    EXPECT_EQ(Hashes(2000), QStringLiteral("2000"));
    EXPECT_EQ(HashesOneDecimal(24.5), QStringLiteral("24.5"));
    EXPECT_EQ(HashesOneDecimal(16.0), QStringLiteral("16."));
    EXPECT_EQ(HashesOneDecimal(0.25), QStringLiteral(".2")); // half to even
}

TEST(RoundHalfEven, HalvesGoToEvenNeighbour)
{
    const struct {
        double in;
        long long out;
    } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},    {16.5, 16},
                 {17.5, 18}, {-2.5, -2}, {16.34, 16}, {0.66, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Money, ThreePatterns)
{
    const struct {
        double v;
        const char* amount;
        const char* typing;
        const char* total;
    } cases[] = {
        {0.5, ".50", ".50", "0.50"},
        {1234.5, "1,234.50", "1,234.50", "1,234.50"},
        {-2, "-2.00", "-2.00", "-2.00"},
        {0, ".00", ".00", "0.00"},
        {1234567.891, "1,234,567.89", "1,234,567.89", "1,234,567.89"},
        {-0.25, "-.25", "-.25", "-0.25"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Money(c.v, MoneyPattern::Amount), QLatin1String(c.amount)) << c.v;
        EXPECT_EQ(Money(c.v, MoneyPattern::Typing), QLatin1String(c.typing)) << c.v;
        EXPECT_EQ(Money(c.v, MoneyPattern::Total), QLatin1String(c.total)) << c.v;
    }
}

TEST(Money, HugeAndNonFiniteValuesNeitherOverflowNorCrash)
{
    // Past the range of an integer count of cents the digits still come out grouped.
    EXPECT_EQ(Money(1e20, MoneyPattern::Amount), QLatin1String("100,000,000,000,000,000,000.00"));
    EXPECT_EQ(Money(-1e20, MoneyPattern::Total), QLatin1String("-100,000,000,000,000,000,000.00"));
    EXPECT_EQ(Money(123456789012.34, MoneyPattern::Amount), QLatin1String("123,456,789,012.34"));
    EXPECT_FALSE(Money(std::numeric_limits<double>::infinity(), MoneyPattern::Amount).isEmpty());
    EXPECT_FALSE(Money(std::nan(""), MoneyPattern::Total).isEmpty());
}

TEST(Money, GroupingNeverUsesTheDecimalPoint)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString german = Money(1234.5, MoneyPattern::Amount);
    QLocale::setDefault(saved);
    EXPECT_EQ(german.count(QLatin1Char('.')), 1) << german.toStdString();
    EXPECT_TRUE(german.endsWith(QLatin1String(".50")));
}

TEST(AmountValue, LongestLeadingNumber)
{
    const struct {
        const char* in;
        double out;
    } cases[] = {{"", 0},    {"-", 0},   {".5", 0.5}, {"1-2", 1},     {"12.507", 12.507},
                 {"-5", -5}, {"abc", 0}, {"12.", 12}, {"3.4.5", 3.4}, {" 7", 7}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(AmountValue(QLatin1String(c.in)), c.out) << c.in;
}

TEST(IntValue, LeadingDigits)
{
    EXPECT_EQ(IntValue(QStringLiteral(" 12")), 12);
    EXPECT_EQ(IntValue(QStringLiteral("")), 0);
    EXPECT_EQ(IntValue(QStringLiteral("7x")), 7);
    EXPECT_EQ(IntValue(QStringLiteral("00")), 0);
}

TEST(Format, SixteenBitRange)
{
    struct Case {
        long long value;
        bool fits;
        int clamped;
    };
    for (const Case c : {Case{0, true, 0}, Case{32767, true, 32767}, Case{32768, false, 32767},
                         Case{-32768, true, -32768}, Case{-32769, false, -32768},
                         Case{99999999999LL, false, 32767}}) {
        EXPECT_EQ(FitsInt16(c.value), c.fits) << c.value;
        EXPECT_EQ(ClampToInt16(c.value), c.clamped) << c.value;
    }
}

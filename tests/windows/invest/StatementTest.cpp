#include "windows/invest/Statement.h"

#include <gtest/gtest.h>

using namespace inv;

TEST(Statement, HeadingRowsAndTotalLineUp)
{
    InvestmentSheet s;
    const QString longText = QStringLiteral("Season ticket, six draws a week, two boards each, "
                                            "paid ahead");
    ASSERT_EQ(longText.size(), 60);
    s.setCell(1, 0, Cell::Text(longText));
    s.setCell(1, 1, Cell::Number(-1234.5));
    s.setCell(2, 0, Cell::Text(QStringLiteral("Note")));
    s.setCell(3, 0, Cell::Text(QStringLiteral("Sub Total")));
    s.calculate();

    const ui::TextDocument doc = ComposeStatement(s, QStringLiteral("$"));
    ASSERT_EQ(doc.pages.size(), 1u);
    const QStringList& lines = doc.pages.front();
    const QStringList expected = {
        QString(),
        QString(),
        QString(),
        QString(),
        QString(29, QLatin1Char(' ')) + QStringLiteral("INVESTMENT STATEMENT"),
        QString(),
        QString(),
        QString(7, QLatin1Char(' ')) +
            QStringLiteral("DESCRIPTION                                           AMOUNT"),
        QString(7, QLatin1Char(' ')) +
            QStringLiteral("___________                                           ______"),
        QString(),
        QString(7, QLatin1Char(' ')) + longText.left(46) + QString(2, QLatin1Char(' ')) +
            QStringLiteral("   -1,234.50"),
        QString(7, QLatin1Char(' ')) + QStringLiteral("Note") + QString(44, QLatin1Char(' ')) +
            QString(12, QLatin1Char(' ')),
        QString(7, QLatin1Char(' ')) + QStringLiteral("Sub Total") + QString(39, QLatin1Char(' ')) +
            QStringLiteral("   -1,234.50"),
        QString(),
        QString(),
        QString(),
        QString(7, QLatin1Char(' ')) + QStringLiteral("Total") + QString(42, QLatin1Char(' ')) +
            QStringLiteral("   $-1,234.50"),
    };
    EXPECT_EQ(lines, expected);
    // The amounts and the Total end in the same column, the heading's AMOUNT too.
    EXPECT_EQ(lines.at(10).size(), 67);
    EXPECT_EQ(lines.at(16).size(), 67);
    EXPECT_EQ(lines.at(7).size(), 67);
}

TEST(Statement, EmptySheetPrintsHeadingAndZeroTotal)
{
    InvestmentSheet s;
    s.calculate();
    const ui::TextDocument doc = ComposeStatement(s, QStringLiteral("EUR"));
    ASSERT_EQ(doc.pages.size(), 1u);
    const QStringList& lines = doc.pages.front();
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines.last(), QString(7, QLatin1Char(' ')) + QStringLiteral("Total") +
                                QString(42, QLatin1Char(' ')) + QStringLiteral("       EUR.00"));
}

TEST(Statement, NeverCutsAnAmountTooLongForItsField)
{
    InvestmentSheet s;
    s.setCell(1, 0, Cell::Text(QStringLiteral("Jackpot")));
    s.setCell(1, 1, Cell::Number(12345678.9));
    s.calculate();
    const QStringList lines = ComposeStatement(s, QStringLiteral("$")).pages.front();
    EXPECT_TRUE(lines.at(10).endsWith(QLatin1String("  12,345,678.90")));
    EXPECT_TRUE(lines.last().endsWith(QLatin1String("  $12,345,678.90")));
}

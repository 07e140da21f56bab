#include "ui/TextPrinter.h"
#include "support/FakePrinter.h"
#include "ui/Printer.h"

#include <gtest/gtest.h>

namespace {
QStringList Lines(const ui::TextDocument& doc)
{
    QStringList all;
    for (const QStringList& page : doc.pages)
        all += page;
    return all;
}
} // namespace

TEST(TextPrinter, TabMovesToTheColumnOrToItOnTheNextLine)
{
    struct Case {
        const char* before; // printed before the tab
        int column;
        QStringList lines; // the lines after the tab and an "X"
    };
    const Case cases[] = {
        // Column 1 is the left edge.
        {"", 1, {QStringLiteral("X")}},
        {"", 5, {QStringLiteral("    X")}},
        // Already at the column: stays on the line.
        {"abcd", 5, {QStringLiteral("abcdX")}},
        {"ab", 5, {QStringLiteral("ab  X")}},
        // Past the column: the same column of the next line.
        {"abcdef", 5, {QStringLiteral("abcdef"), QStringLiteral("    X")}},
        {"abcde", 1, {QStringLiteral("abcde"), QStringLiteral("X")}},
        // Column 0 or below counts as the left edge.
        {"", 0, {QStringLiteral("X")}},
    };
    for (const Case& c : cases) {
        ui::TextPrinter p;
        p.print(QString::fromLatin1(c.before));
        p.tab(c.column);
        p.print(QStringLiteral("X"));
        p.finish();
        EXPECT_EQ(Lines(p.document()), c.lines) << c.before << " tab " << c.column;
    }
}

TEST(TextPrinter, LinesStayOpenUntilEnded)
{
    ui::TextPrinter p;
    p.tab(5);
    p.print(QStringLiteral("1/3/1998"));
    EXPECT_EQ(p.column(), 13);
    for (int k = 0; k < 3; ++k) {
        p.tab(20 + 5 * k);
        p.print(QStringLiteral("  %1").arg(k + 1));
    }
    p.endLine();
    p.endLine(); // nothing printed: an empty line
    p.print(QStringLiteral("a"));
    p.print(QStringLiteral("b"));
    p.finish();
    EXPECT_EQ(Lines(p.document()), (QStringList{QStringLiteral("    1/3/1998         1    2    3"),
                                                QString(), QStringLiteral("ab")}));
}

TEST(TextPrinter, NewPageAndFinishLeaveNoEmptyPages)
{
    // A new page ends an open line on the old page.
    ui::TextPrinter p;
    p.print(QStringLiteral("first"));
    p.newPage();
    EXPECT_EQ(p.pageNumber(), 2);
    p.tab(3);
    p.print(QStringLiteral("second"));
    // The closing new page of every printout, then the end: no empty sheet, the open line
    // ended.
    p.newPage();
    p.finish();
    EXPECT_TRUE(p.finished());
    ASSERT_EQ(p.document().pages.size(), 2u);
    EXPECT_EQ(p.document().pages[0], QStringList{QStringLiteral("first")});
    EXPECT_EQ(p.document().pages[1], QStringList{QStringLiteral("  second")});
    // Nothing printed after the end counts.
    p.print(QStringLiteral("late"));
    p.endLine();
    p.newPage();
    EXPECT_EQ(p.document().pages.size(), 2u);

    // A page that ends exactly at its last line does not start an empty one.
    ui::TextPrinter full(2);
    full.endLine();
    full.endLine();
    full.newPage();
    full.finish();
    ASSERT_EQ(full.document().pages.size(), 1u);
    EXPECT_EQ(full.document().pages[0].size(), 2);

    // A printout with nothing in it is one empty page.
    ui::TextPrinter empty;
    empty.newPage();
    empty.finish();
    ASSERT_EQ(empty.document().pages.size(), 1u);
    EXPECT_TRUE(empty.document().pages[0].isEmpty());
}

TEST(TextPrinter, PageOverflowContinuesOnTheNextPage)
{
    ui::TextPrinter p(3);
    EXPECT_EQ(p.document().linesPerPage, 3);
    for (int i = 1; i <= 3; ++i) {
        p.print(QString::number(i));
        p.endLine();
    }
    // A full page: the next line is not there yet, so still page 1.
    EXPECT_EQ(p.pageNumber(), 1);
    p.tab(40);
    EXPECT_EQ(p.pageNumber(), 2); // the open line comes out on page 2
    p.print(QStringLiteral("Page"));
    p.endLine();
    p.print(QStringLiteral("5"));
    p.endLine();
    // A tab past its column at the foot of a page: the pushed-out line is the page's last,
    // the text after the tab opens the next page.
    p.print(QStringLiteral("Record     Date"));
    p.tab(5);
    EXPECT_EQ(p.pageNumber(), 3);
    p.print(QStringLiteral("wrapped"));
    p.finish();
    const auto& pages = p.document().pages;
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 3);
    EXPECT_EQ(pages[1], (QStringList{QString(39, QLatin1Char(' ')) + QStringLiteral("Page"),
                                     QStringLiteral("5"), QStringLiteral("Record     Date")}));
    EXPECT_EQ(pages[2], QStringList{QStringLiteral("    wrapped")});
}

TEST(PrintLines, EachLineAsItIsOnPagesOfTheUsualLengthUnderTheJobName)
{
    // 67 lines: a full page and one more; an empty line and a tab-like run of spaces kept.
    QStringList lines;
    for (int i = 1; i <= 67; ++i)
        lines << QStringLiteral("  line %1").arg(i);
    lines[1].clear();
    for (const bool accepted : {true, false}) {
        FakePrinter printer;
        printer.accept = accepted;
        EXPECT_EQ(ui::PrintLines(printer, lines, QStringLiteral("Check Numbers")), accepted);
        ASSERT_EQ(printer.texts.size(), 1u);
        const auto& pages = printer.texts.front().pages;
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_EQ(pages[0], lines.mid(0, ui::TextPrinter::DefaultLinesPerPage));
        EXPECT_EQ(pages[1], QStringList{QStringLiteral("  line 67")});
        EXPECT_EQ(printer.jobs, std::vector<QString>{QStringLiteral("Check Numbers")});
    }
}

#include "ui/QtPrinter.h"

#include "support/TempDir.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Word {
    double x0, x1, y;
    QString text;
};

// The words of a PDF, page by page, with the boxes pdftotext finds for them.
std::optional<std::vector<std::vector<Word>>> PdfWords(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(tool, {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    std::vector<std::vector<Word>> pages;
    if (!process.waitForFinished(30000)) return pages;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression item(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            pages.emplace_back();
            continue;
        }
        QString text = m.captured(4);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        pages.back().push_back(
            {m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(2).toDouble(), text});
    }
    return pages;
}

// A page's words set back into character columns: the width of a cell is read off the words
// themselves, and the leftmost word of the page starts in column 1. Empty lines are not seen.
QStringList Columns(const std::vector<Word>& words)
{
    if (words.empty()) return {};
    double cell = 0;
    double left = words.front().x0;
    for (const Word& w : words) {
        cell = std::max(cell, (w.x1 - w.x0) / static_cast<double>(w.text.size()));
        left = std::min(left, w.x0);
    }
    std::vector<Word> sorted = words;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Word& a, const Word& b) {
        return std::abs(a.y - b.y) > 0.5 ? a.y < b.y : a.x0 < b.x0;
    });
    QStringList lines;
    double y = -1;
    for (const Word& w : sorted) {
        if (lines.isEmpty() || std::abs(w.y - y) > 0.5) {
            lines.append(QString());
            y = w.y;
        }
        const int column = static_cast<int>(std::lround((w.x0 - left) / cell));
        QString& line = lines.last();
        if (line.size() < column) line += QString(column - line.size(), QLatin1Char(' '));
        line += w.text;
    }
    return lines;
}

// The document's page as the PDF should show it: without empty lines and trailing blanks,
// shifted so that its leftmost text is in column 1.
QStringList Expected(const QStringList& page)
{
    QStringList lines;
    int indent = 1000;
    for (const QString& line : page) {
        if (line.trimmed().isEmpty()) continue;
        int lead = 0;
        while (line.at(lead) == QLatin1Char(' '))
            ++lead;
        indent = std::min(indent, lead);
        QString trimmed = line;
        while (trimmed.endsWith(QLatin1Char(' ')))
            trimmed.chop(1);
        lines.append(trimmed);
    }
    for (QString& line : lines)
        line.remove(0, indent);
    return lines;
}

// Two pages in the way the printouts place their text: a heading at column 5, dates at 5 and
// numbers right-aligned in four characters at columns 20, 25, ...
ui::TextDocument TwoPages()
{
    ui::TextPrinter p;
    p.endLine();
    p.tab(5);
    p.print(QStringLiteral("Winning numbers in Test Draw"));
    p.endLine();
    p.tab(5);
    p.print(QString(45, QLatin1Char('_')));
    p.endLine();
    for (int r = 1; r <= 3; ++r) {
        p.tab(5);
        p.print(QStringLiteral("1/%1/1998").arg(r));
        for (int k = 0; k < 6; ++k) {
            p.tab(20 + 5 * k);
            p.print(QString::number(r + 7 * k).rightJustified(4));
        }
        p.endLine();
    }
    p.endLine();
    p.tab(40);
    p.print(QStringLiteral("Page %1").arg(p.pageNumber()));
    p.newPage();
    p.tab(2);
    p.print(QStringLiteral("Second"));
    p.tab(60);
    p.print(QStringLiteral("far"));
    p.endLine();
    p.newPage();
    p.finish();
    return p.document();
}

} // namespace

TEST(QtPrinter, PdfReadsBackInTheDocumentsColumns)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("two.pdf"));
    const ui::TextDocument doc = TwoPages();
    ASSERT_EQ(doc.pages.size(), 2u);
    ASSERT_TRUE(ui::PrintTextToPdf(doc, path, QStringLiteral("Test")));
    // Word boxes rather than "-layout": the layout mode narrows wide gaps by guesswork, while
    // the boxes show where each word really starts.
    const auto pages = PdfWords(path);
    if (!pages) GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_EQ(pages->size(), 2u) << "one sheet per page, no empty sheet at the end";
    for (size_t p = 0; p < 2; ++p)
        EXPECT_EQ(Columns((*pages)[p]), Expected(doc.pages[p]))
            << "page " << p + 1 << ":\n"
            << Columns((*pages)[p]).join(QLatin1Char('\n')).toStdString();

    // The heading stays on the first line of the page and the lines keep their spacing: the
    // record lines lie one line apart, the page line two below the last record.
    const auto& first = (*pages)[0];
    auto yOf = [&](const QString& text) {
        for (const Word& w : first)
            if (w.text == text) return w.y;
        return -1.0;
    };
    const double step = yOf(QStringLiteral("1/2/1998")) - yOf(QStringLiteral("1/1/1998"));
    EXPECT_GT(step, 0);
    EXPECT_NEAR(yOf(QStringLiteral("Page")) - yOf(QStringLiteral("1/3/1998")), 2 * step, 0.5);
    EXPECT_NEAR(yOf(QStringLiteral("Winning")) - yOf(QStringLiteral("1/1/1998")), -2 * step, 0.5);
}

TEST(QtPrinter, FontFitsEightyColumnsAndAFullPage)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    for (const QPageSize::PageSizeId size : {QPageSize::Letter, QPageSize::A4}) {
        printer.setPageSize(QPageSize(size));

        ui::TextDocument doc; // 66 lines a page, short lines
        doc.pages.push_back({QStringLiteral("x")});
        const ui::TextLayout normal = ui::LayOutText(doc, printer);
        EXPECT_EQ(normal.columns, ui::MinimumColumns);
        EXPECT_EQ(normal.lines, 66);
        EXPECT_LE(normal.cellWidth * 80, normal.area.width());
        EXPECT_LE(normal.lineHeight * 66, normal.area.height());
        EXPECT_LE(normal.font.pointSizeF(), 12.0);
        // Every character takes one cell.
        const QFontMetricsF metrics(normal.font, &printer);
        for (const char c : {'i', 'W', '_', ' ', '1', '/'})
            EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QLatin1Char(c)), normal.cellWidth) << c;
        // Readable: not much smaller than the page allows.
        EXPECT_GT(normal.font.pointSizeF(), 7.0);

        // A longer line or a longer page makes the font smaller, and it still fits.
        doc.pages.push_back(QStringList(90, QString(120, QLatin1Char('_'))));
        const ui::TextLayout wide = ui::LayOutText(doc, printer);
        EXPECT_EQ(wide.columns, 120);
        EXPECT_EQ(wide.lines, 90);
        EXPECT_LT(wide.font.pointSizeF(), normal.font.pointSizeF());
        EXPECT_LE(wide.cellWidth * 120, wide.area.width());
        EXPECT_LE(wide.lineHeight * 90, wide.area.height());
    }
}

TEST(QtPrinter, PagePainterGetsThePrintableArea)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("graph.pdf"));
    QRectF seen;
    const bool ok = ui::PrintPageToPdf(
        [&](QPainter& painter, const QRectF& page) {
            seen = page;
            painter.drawText(page.topLeft() + QPointF(0, page.height() / 2),
                             QStringLiteral("Graph page"));
        },
        path, true);
    ASSERT_TRUE(ok);
    // Half-inch margins on a sheet at least 8 inches wide and 11 inches high (A4 or Letter).
    QPrinter printer(QPrinter::HighResolution);
    EXPECT_GE(seen.width(), 7.0 * printer.resolution());
    EXPECT_GE(seen.height(), 10.0 * printer.resolution());
    EXPECT_EQ(seen.topLeft(), QPointF(0, 0));

    const auto pages = PdfWords(path);
    if (!pages) GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_EQ(pages->size(), 1u);
    QStringList words;
    for (const Word& w : (*pages)[0])
        words.append(w.text);
    EXPECT_EQ(words, (QStringList{QStringLiteral("Graph"), QStringLiteral("page")}));
}

TEST(QtPrinter, EmptyDocumentSendsNothing)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("empty.pdf"));
    ui::TextDocument doc;
    doc.pages.emplace_back();
    EXPECT_TRUE(ui::PrintTextToPdf(doc, path));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(QtPrinter, EachPrintoutToAFileProposesItsOwnTitleInTheLastFolder)
{
    const QString before = QStringLiteral("/home/me/prints/Investment Statement.pdf");
    EXPECT_EQ(ui::PrintFileProposal(before, QStringLiteral("Winning numbers in Lotto 6/49 Draw")),
              QStringLiteral("/home/me/prints/Winning numbers in Lotto 6_49 Draw.pdf"));
    EXPECT_EQ(ui::PrintFileProposal(before, QStringLiteral("Check Numbers")),
              QStringLiteral("/home/me/prints/Check Numbers.pdf"));
}

// Every printout's preview shows exactly the pages that are printed: the same page count and the
// same first page as the PDF printed from it, the samples giving the printouts real content.
#include "models/check/CheckModel.h"
#include "models/invest/InvestmentSheet.h"
#include "models/picks/PickEngine.h"
#include "models/state/AppState.h"
#include "ui/BarGraph.h"
#include "ui/TextPrinter.h"
#include "windows/invest/Statement.h"
#include "windows/printouts/DatabasePrintout.h"

#include "support/PreviewCheck.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

QString Sample(const char* name)
{
    return QStringLiteral(TALLIMO_SAMPLES_DIR "/") + QLatin1String(name);
}

ui::TextDocument Document(const QStringList& lines)
{
    ui::TextPrinter printer;
    for (const QString& line : lines) {
        printer.print(line);
        printer.endLine();
    }
    printer.finish();
    return printer.document();
}

database::DrawDatabase SampleDatabase()
{
    database::DrawDatabase db;
    EXPECT_EQ(lto::Load(Sample("Sample.Lto"), db), lto::LoadResult::Ok);
    return db;
}

} // namespace

TEST(PrintPreview, DatabasePrintoutOfSeveralPages)
{
    core::AppState state;
    state.database = SampleDatabase();
    state.stats.measure = stats::Measure::TimesDrawn;
    stats::RecomputeFrequencies(state.database, state.stats.measure, state.stats);
    stats::RankNumbers(state.stats, state.database.highNumber(), stats::RankOrder::Ranked);
    const ui::TextDocument document = app::ComposeDatabasePrintout(state);
    ASSERT_GT(document.pages.size(), 2u); // 312 records run to several pages
    preview_check::ExpectPreviewShowsThePrintedPages(ui::TextRenderer(document), false);
}

TEST(PrintPreview, Picks)
{
    picks::PickSession session{picks::PickGenerator(7)};
    session.PickCount = 6;
    session.EntryFormCount = 10;
    session.SourceText = QStringLiteral(" Picked from numbers ");
    session.PoolText = QStringLiteral("  1 to  49  ");
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 6; ++c)
            session.PickGrid.set(r, c, (r * 7 + c * 5) % 49 + 1);
    const std::optional<QStringList> lines = session.printout();
    ASSERT_TRUE(lines);
    preview_check::ExpectPreviewShowsThePrintedPages(ui::TextRenderer(Document(*lines)), false);
}

TEST(PrintPreview, CheckResults)
{
    const database::DrawDatabase db = SampleDatabase();
    const check::SearchResult result = check::Search(
        db, QStringLiteral(" 1"),
        {QStringLiteral("6"), QStringLiteral("12"), QStringLiteral("23"), QStringLiteral("41")});
    ASSERT_GT(result.matchCount(), 60); // more than a page of matches
    const ui::TextDocument document = Document(check::PrintoutLines(db.title(), result));
    preview_check::ExpectPreviewShowsThePrintedPages(ui::TextRenderer(document), false);
}

TEST(PrintPreview, InvestmentStatement)
{
    inv::InvestmentSheet sheet;
    ASSERT_EQ(inv::Load(Sample("Sample.INV"), sheet), inv::LoadResult::Ok);
    sheet.calculate();
    const ui::TextDocument document = inv::ComposeStatement(sheet, QStringLiteral("$"));
    preview_check::ExpectPreviewShowsThePrintedPages(ui::TextRenderer(document), false);
}

TEST(PrintPreview, GraphInColourAndInBlackAndWhite)
{
    ui::BarGraph graph;
    QStringList labels;
    std::vector<double> values;
    for (int n = 1; n <= 49; ++n) {
        labels << QString::number(n);
        values.push_back((n * 17) % 23 + 3);
    }
    graph.setTitle(QStringLiteral("Times drawn"));
    graph.setBars(labels, values);
    graph.resize(800, 480);
    for (const bool colour : {false, true}) {
        SCOPED_TRACE(colour);
        // The graph across the page's width, as the Graphs window prints it.
        const ui::PagePainter paint = [&graph, colour](QPainter& painter, const QRectF& page) {
            graph.paint(painter, QRectF(page.left(), page.top(), page.width(), page.width() * 0.6),
                        colour);
        };
        preview_check::ExpectPreviewShowsThePrintedPages(ui::PageRenderer(paint), colour);
    }
}

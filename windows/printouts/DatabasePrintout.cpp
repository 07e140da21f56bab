#include "windows/printouts/DatabasePrintout.h"

#include "models/state/AppState.h"
#include "text/Dates.h"
#include "text/Format.h"
#include "ui/Printer.h"
#include "ui/Services.h"

#include <algorithm>

namespace app {

namespace {

constexpr int StatisticsPerRow = 18;
// Where the heading and the dates start, the first number column and the spacing of numbers.
constexpr int HeadingColumn = 5;
constexpr int FirstNumberColumn = 20;
constexpr int NumberSpacing = 5;
constexpr int PageColumn = 40;

QString Entry(long long value)
{
    return text::RightAlign(text::Hashes(value), 4);
}

} // namespace

QString PrintoutTitle(const database::DrawDatabase& db)
{
    return QStringLiteral("Winning numbers in ") + db.title() + QStringLiteral(" Draw");
}

std::array<QString, 8> StatisticsRows(const database::DrawDatabase& db,
                                      const stats::Statistics& stats)
{
    std::array<QString, 8> rows;
    const int high = db.highNumber();
    for (int n = 1; n <= high; ++n) {
        const size_t group = static_cast<size_t>((n - 1) / StatisticsPerRow);
        rows[2 * group] += Entry(n);
        rows[2 * group + 1] += Entry(stats.FrequencyTable[static_cast<size_t>(n)].value);
    }
    return rows;
}

namespace {

// One line at a column: tab, text, end of line.
void PrintLine(ui::TextPrinter& out, int column, const QString& text)
{
    out.tab(column);
    out.print(text);
    out.endLine();
}

// The records, one a line under the heading, with a page number and the heading again after
// every page.
void PrintRecords(ui::TextPrinter& out, const database::DrawDatabase& db, const QString& title)
{
    const int columns = db.columnCount();
    const QString rule(NumberSpacing * (columns + 1), QLatin1Char('_'));
    auto heading = [&] {
        PrintLine(out, HeadingColumn, title);
        PrintLine(out, HeadingColumn, rule);
    };
    out.endLine();
    out.endLine();
    heading();
    out.endLine();
    int counter = 6;
    // A damaged count never reads past the table.
    const int records = db.recordCount();
    for (int i = 1; i <= records; ++i) {
        const database::DrawRecord& record = db.record(i);
        ++counter;
        out.tab(HeadingColumn);
        out.print(text::ShortDate(record.DrawDate));
        for (int k = 0; k < columns - 2; ++k) {
            out.tab(FirstNumberColumn + NumberSpacing * k);
            out.print(Entry(record.Numbers[static_cast<size_t>(k)]));
        }
        if (counter % LinesPerPage == 0) {
            out.endLine();
            out.endLine();
            out.tab(PageColumn);
            out.print(QStringLiteral("Page ") + QString::number(out.pageNumber()));
            out.newPage();
            out.endLine();
            heading();
            counter = 4;
        }
        // After a page break this is the empty line under the new page's heading.
        out.endLine();
    }
}

} // namespace

ui::TextDocument ComposeDatabasePrintout(const core::AppState& state)
{
    const database::DrawDatabase& db = state.database;
    ui::TextPrinter out;
    PrintRecords(out, db, PrintoutTitle(db));

    out.endLine();
    out.endLine();
    const std::array<QString, 8> rows = StatisticsRows(db, state.stats);
    const QString indent = QStringLiteral("  ");
    PrintLine(out, 1, indent + state.topNumbersHeading);
    out.endLine();
    PrintLine(out, 1, indent + state.topNumbersList);
    PrintLine(out, 1, indent + QString(70, QLatin1Char('_')));
    out.endLine();
    for (size_t pair = 0; pair < 4; ++pair) {
        if (pair > 0) out.endLine();
        PrintLine(out, 1, rows[2 * pair]);
        PrintLine(out, 1, rows[2 * pair + 1]);
    }

    out.newPage();
    out.finish();
    return out.document();
}

PrintDatabaseResult PrintDatabase(core::AppState& state, ui::Services& services)
{
    if (state.database.recordCount() < 1) return PrintDatabaseResult::NoRecords;
    if (!ui::ConfirmPrintout(services.dialogs)) return PrintDatabaseResult::Declined;
    const ui::TextDocument document = ComposeDatabasePrintout(state);
    return services.printer.printText(document, PrintoutTitle(state.database))
               ? PrintDatabaseResult::Printed
               : PrintDatabaseResult::NotPrinted;
}

} // namespace app

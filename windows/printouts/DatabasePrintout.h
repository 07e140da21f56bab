#pragma once
// The printout of the draw database in memory: a heading, every record with its date and
// numbers in fixed columns, a "Page" line wherever the line count closes a page, then the
// top-numbers line and the count of every number in eight rows.
#include "ui/TextPrinter.h"

#include <QString>
#include <array>

namespace core {
struct AppState;
}
namespace database {
class DrawDatabase;
}
namespace stats {
struct Statistics;
}

namespace ui {
struct Services;
}

namespace app {

// The line count at which the printout closes a page of records.
constexpr int LinesPerPage = 53;

// "Winning numbers in " + title + " Draw".
QString PrintoutTitle(const database::DrawDatabase& db);

// The statistics rows, in pairs: numbers 1..18 and their values, 19..36 and theirs, 37..54,
// 55..60. Every entry is four characters wide, right-aligned; a value of 0 is left blank, and
// numbers above the database's highest number are left out.
std::array<QString, 8> StatisticsRows(const database::DrawDatabase& db,
                                      const stats::Statistics& stats);

// The whole printout as pages of text lines, from the database, the frequency table as last
// computed and the top-numbers line the database window last composed.
ui::TextDocument ComposeDatabasePrintout(const core::AppState& state);

enum class PrintDatabaseResult {
    NoRecords,  // nothing to print; the caller shows the no-records help
    Declined,   // the user answered No to "Continue with Printout."
    Printed,    // sent to the printer
    NotPrinted, // the print dialog was cancelled or no printer could be used
};

// "Print &Current Database": needs a record, asks "Continue with Printout." and sends the
// printout to services.printer.
PrintDatabaseResult PrintDatabase(core::AppState& state, ui::Services& services);

} // namespace app

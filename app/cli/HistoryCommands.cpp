#include "app/cli/HistoryCommands.h"

#include "app/cli/Command.h"

namespace cli {

// Placeholders until the history model lands.
int RunImport(const QStringList& arguments, QTextStream&, QTextStream& err)
{
    err << arguments.value(0) << ": not available yet\n";
    return Failed;
}

int RunExport(const QStringList& arguments, QTextStream&, QTextStream& err)
{
    err << arguments.value(0) << ": not available yet\n";
    return Failed;
}

int RunStats(const QStringList& arguments, QTextStream&, QTextStream& err)
{
    err << arguments.value(0) << ": not available yet\n";
    return Failed;
}

} // namespace cli

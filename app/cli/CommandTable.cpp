// The one table of subcommands: a new command is one line here.
#include "app/cli/Command.h"
#include "app/cli/HistoryCommands.h"

namespace cli {

const std::vector<Command>& Commands()
{
    static const std::vector<Command> table = {
        {QStringLiteral("import"),
         QStringLiteral("Merge draws from a CSV or text table into a database"), &RunImport},
        {QStringLiteral("export"), QStringLiteral("Write a database's draws as CSV"), &RunExport},
        {QStringLiteral("stats"), QStringLiteral("Print the frequency table of a database"),
         &RunStats},
    };
    return table;
}

} // namespace cli

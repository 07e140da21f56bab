// The one table of subcommands: a new command is one line here.
#include "cli/Command.h"
#include "cli/HistoryCommands.h"
#include "cli/HonestCommands.h"
#include "cli/TicketCommands.h"
#include "cli/UpdateCommand.h"
#include "cli/WheelCommands.h"

namespace cli {

const std::vector<Command>& Commands()
{
    static const std::vector<Command> table = {
        {QStringLiteral("import"),
         QStringLiteral("Merge draws from a CSV or text table into a database"), &RunImport},
        {QStringLiteral("update"),
         QStringLiteral("Merge the new draws of the source a database remembers"), &RunUpdate},
        {QStringLiteral("export"), QStringLiteral("Write a database's draws as CSV"), &RunExport},
        {QStringLiteral("stats"), QStringLiteral("Print the frequency table of a database"),
         &RunStats},
        {QStringLiteral("odds"), QStringLiteral("Print the odds of one form or of a set of forms"),
         &RunOdds},
        {QStringLiteral("fairness"),
         QStringLiteral("Test whether a database's draws look like a fair draw"), &RunFairness},
        {QStringLiteral("backtest"),
         QStringLiteral("Replay the pick strategies against a database's draws"), &RunBacktest},
        {QStringLiteral("tickets"),
         QStringLiteral("Add, list and check the tickets played, with what they cost and won"),
         &RunTickets},
        {QStringLiteral("wheel"),
         QStringLiteral("The fewest forms that keep a promise on your numbers"), &RunWheel},
    };
    return table;
}

} // namespace cli

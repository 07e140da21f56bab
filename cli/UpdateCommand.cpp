#include "cli/UpdateCommand.h"

#include "cli/Command.h"
#include "cli/CommandSupport.h"
#include "cli/ImportSteps.h"
#include "cli/LoadDatabase.h"
#include "models/history/Export.h"
#include "models/history/RememberedSource.h"
#include "models/tickets/NewResults.h"
#include "models/tickets/TicketsFile.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace cli {

namespace {

const QString UpdateCommand = QStringLiteral("update");

QString RememberAgain(const QString& dbPath)
{
    return QStringLiteral("remember one with tallimo import SOURCE --into %1 --remember")
        .arg(dbPath);
}

// The remembered source of the database, from its side file; the status to end with when
// there is none or it cannot be read (its line written).
std::optional<int> RememberedOf(const QString& dbPath, QTextStream& err, tickets::Book& book,
                                history::RememberedSource& remembered)
{
    if (!LoadSideFile(dbPath, book, err)) return Failed;
    if (book.source.isEmpty()) {
        err << "tallimo update: " << dbPath << " has no remembered source; "
            << RememberAgain(dbPath) << '\n';
        return Usage;
    }
    QString problem;
    const std::optional<history::RememberedSource> read = history::FromJson(book.source, problem);
    if (!read)
        return FileError(err, tickets::SideFilePath(dbPath),
                         QStringLiteral("the remembered source is damaged (%1); %2")
                             .arg(problem, RememberAgain(dbPath)));
    remembered = *read;
    return std::nullopt;
}

// The source read as it was when remembered, and its columns found again; the status to end
// with when that fails (its line written).
std::optional<int> ReadRemembered(const history::RememberedSource& remembered, bool allowHttp,
                                  const QString& dbPath, QTextStream& err,
                                  history::SourceTable& table, history::Mapping& mapping)
{
    const QString& location = remembered.location;
    if (!history::IsWebAddress(location) && !QFileInfo::exists(location))
        return FileError(err, location,
                         QStringLiteral("the remembered source no longer exists; ") +
                             RememberAgain(dbPath));
    const SourceRead source = ReadSource(location, allowHttp);
    if (const auto failed = SourceFailure(source, err)) return failed;
    table = history::ReadRememberedTable(source.text.text, remembered);
    if (!table.problem.isEmpty()) return FileError(err, location, table.problem);
    if (table.rows.empty())
        return FileError(err, location, history::ReadErrorText(history::ReadError::Empty));
    QString problem;
    if (!history::ResolveMapping(remembered, table, mapping, problem))
        return FileError(
            err, location,
            QStringLiteral("%1 (the table changed); %2").arg(problem, RememberAgain(dbPath)));
    return std::nullopt;
}

} // namespace

int RunUpdate(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Merges the new draws of the source DB.lto remembers (tallimo import SOURCE --into DB.lto "
        "--remember), read the same way as then."));
    parser.addPositionalArgument(QStringLiteral("DB.lto"), QStringLiteral("The database."));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    QStringLiteral("Report what would change; write nothing."));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("A row whose date is in the database with "
                                                    "other numbers replaces that record."));
    const QCommandLineOption skipBad(
        QStringLiteral("skip-bad"),
        QStringLiteral("Write the rows that pass; rejected and conflicting rows are still listed "
                       "and counted."));
    const QCommandLineOption allowHttp(
        QStringLiteral("allow-http"),
        QStringLiteral("Accept a remembered plain http:// address (not encrypted)."));
    parser.addOptions({dryRun, replace, skipBad, allowHttp});
    int status = Done;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("update DB.lto [--dry-run] [--replace] [--skip-bad] "
                                     "[--allow-http]"),
                      out, err, status))
        return status;
    if (parser.positionalArguments().size() != 1)
        return UsageError(err, UpdateCommand, QStringLiteral("name one database (DB.lto)"));
    const QString dbPath = parser.positionalArguments().front();
    database::DrawDatabase db;
    if (!LoadDatabase(dbPath, db, err)) return Failed;
    tickets::Book book;
    history::RememberedSource remembered;
    if (const auto ended = RememberedOf(dbPath, err, book, remembered)) return *ended;
    history::SourceTable table;
    history::Mapping mapping;
    if (const auto ended =
            ReadRemembered(remembered, parser.isSet(allowHttp), dbPath, err, table, mapping))
        return *ended;

    MergeSettings settings{
        dbPath, remembered.location, {}, parser.isSet(skipBad), parser.isSet(dryRun)};
    settings.options.replaceConflicts = parser.isSet(replace);
    settings.options.sortNumbers = remembered.sortNumbers && !history::IsExport(table);
    settings.options.today = QDate::currentDate();
    const Merged merged = MergeTable(table, mapping, db, settings, err);
    if (merged.summary.isEmpty()) return merged.status;
    out << merged.summary;
    // The tickets are checked against the database as it now stands.
    if (!merged.addedDates.empty() && !book.tickets.empty()) {
        const tickets::NewResults results =
            tickets::ResultsOn(tickets::CheckTickets(db, book), merged.addedDates);
        out << "; tickets: " << results.results
            << (results.results == 1 ? " new result, " : " new results, ") << results.won
            << " won a prize";
    }
    out << '\n';
    return merged.status;
}

} // namespace cli

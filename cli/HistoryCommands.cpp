#include "cli/HistoryCommands.h"

#include "cli/Command.h"
#include "cli/CommandSupport.h"
#include "cli/ImportSteps.h"
#include "cli/LoadDatabase.h"
#include "models/draws/DrawDatabase.h"
#include "models/history/Export.h"
#include "models/history/Import.h"
#include "models/history/RememberedSource.h"
#include "models/stats/Frequency.h"
#include "text/AtomicFile.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace cli {

namespace {

std::optional<QDate> OptionDate(const QString& text)
{
    const QDate d = QDate::fromString(text, Qt::ISODate);
    if (d.isValid()) return d;
    const history::DateField f = history::ClassifyDate(text);
    if (f.kind == history::DateField::Kind::Spelled && f.dayFirst.isValid()) return f.dayFirst;
    return std::nullopt;
}

const QString ImportCommand = QStringLiteral("import");

// The import command's parser and its options.
struct ImportLine {
    ImportLine();
    QCommandLineParser parser;
    const QCommandLineOption into{QStringLiteral("into"),
                                  QStringLiteral("The database to merge into."),
                                  QStringLiteral("DB.lto")};
    const QCommandLineOption picks{QStringLiteral("picks"),
                                   QStringLiteral("Numbers per draw, for a new database (1-10)."),
                                   QStringLiteral("K")};
    const QCommandLineOption high{QStringLiteral("high"),
                                  QStringLiteral("Highest number, for a new database (1-60)."),
                                  QStringLiteral("N")};
    const QCommandLineOption title{QStringLiteral("title"),
                                   QStringLiteral("Title of a new database."), QStringLiteral("T")};
    const QCommandLineOption replace{QStringLiteral("replace"),
                                     QStringLiteral("A row whose date is in the database with "
                                                    "other numbers replaces that record.")};
    const QCommandLineOption skipBad{
        QStringLiteral("skip-bad"),
        QStringLiteral("Write the rows that pass; rejected and conflicting rows are still "
                       "listed and counted.")};
    const QCommandLineOption from{QStringLiteral("from"),
                                  QStringLiteral("Take only draws on or after DATE (2026-12-05)."),
                                  QStringLiteral("DATE")};
    const QCommandLineOption to{QStringLiteral("to"),
                                QStringLiteral("Take only draws on or before DATE."),
                                QStringLiteral("DATE")};
    const QCommandLineOption dryRun{QStringLiteral("dry-run"),
                                    QStringLiteral("Report what would change; write nothing.")};
    const QCommandLineOption keepOrder{
        QStringLiteral("keep-order"),
        QStringLiteral("Keep each draw's numbers in the source's order (sorted by default, "
                       "except in a table written by tallimo export).")};
    const QCommandLineOption dayFirst{QStringLiteral("day-first"),
                                      QStringLiteral("Read numeric dates day first (05/12/2026 "
                                                     "is 5 December).")};
    const QCommandLineOption monthFirst{QStringLiteral("month-first"),
                                        QStringLiteral("Read numeric dates month first "
                                                       "(05/12/2026 is 12 May).")};
    const QCommandLineOption columns{
        QStringLiteral("columns"),
        QStringLiteral("The columns that hold a draw's numbers, in order, separated by commas: "
                       "header names (any case) or column numbers from 1; positions in a field "
                       "of several numbers in brackets: \"Winning Numbers[1-5]\"."),
        QStringLiteral("LIST")};
    const QCommandLineOption dateColumn{
        QStringLiteral("date-column"),
        QStringLiteral("The column that holds the draw date: a header name or a number."),
        QStringLiteral("REF")};
    const QCommandLineOption remember{
        QStringLiteral("remember"),
        QStringLiteral("Remember SOURCE and how it was read, for tallimo update DB.lto (kept in "
                       "the tickets file beside the database).")};
    const QCommandLineOption allowHttp{
        QStringLiteral("allow-http"),
        QStringLiteral("Accept a plain http:// address (not encrypted: what comes can be read "
                       "and changed on its way).")};
};

ImportLine::ImportLine()
{
    parser.setApplicationDescription(
        QStringLiteral("Merges the draws of SOURCE (a CSV or text table or a JSON archive, a "
                       "file or an https:// address; - reads standard input) into DB.lto, "
                       "creating it when missing."));
    parser.addPositionalArgument(QStringLiteral("SOURCE"), QStringLiteral("The table of draws."));
    parser.addOptions({into, picks, high, title, replace, skipBad, from, to, dryRun, keepOrder,
                       dayFirst, monthFirst, columns, dateColumn, remember, allowHttp});
}

// Checks the arguments that need no file and reads the import options from them; the usage
// status when they are wrong (its line written).
std::optional<int> ReadImportOptions(const ImportLine& line, QTextStream& err,
                                     history::ImportOptions& options)
{
    const QCommandLineParser& parser = line.parser;
    const QString& command = ImportCommand;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return UsageError(err, command,
                          positional.isEmpty() ? QStringLiteral("no SOURCE given")
                                               : QStringLiteral("one SOURCE only"));
    if (!parser.isSet(line.into))
        return UsageError(err, command, QStringLiteral("--into DB.lto is required"));
    if (parser.isSet(line.dayFirst) && parser.isSet(line.monthFirst))
        return UsageError(err, command,
                          QStringLiteral("--day-first and --month-first exclude each other"));
    if (parser.isSet(line.remember) && positional.front() == QLatin1String("-"))
        return UsageError(err, command,
                          QStringLiteral("--remember needs a file or an address, not standard "
                                         "input"));
    options.replaceConflicts = parser.isSet(line.replace);
    options.sortNumbers = !parser.isSet(line.keepOrder);
    for (const auto& [option, bound] :
         {std::pair{&line.from, &options.from}, std::pair{&line.to, &options.to}}) {
        if (!parser.isSet(*option)) continue;
        const auto d = OptionDate(parser.value(*option));
        if (!d)
            return UsageError(err, command,
                              QStringLiteral("--%1 %2 is not a date (write 2026-12-05)")
                                  .arg(option->names().front(), parser.value(*option)));
        *bound = *d;
    }
    return std::nullopt;
}

// The database to merge into: read, or new with the shape given. The status to end with when
// it can be neither (its line written).
std::optional<int> OpenTargetDatabase(const ImportLine& line, QTextStream& err,
                                      database::DrawDatabase& db)
{
    const QCommandLineParser& parser = line.parser;
    const QString& command = ImportCommand;
    const QString dbPath = parser.value(line.into);
    if (QFileInfo::exists(dbPath)) {
        if (!LoadDatabase(dbPath, db, err)) return Failed;
        // A shape given for an existing database must be its own: it is never changed.
        for (const auto& [option, value, what] :
             {std::tuple{&line.picks, db.picksPerDraw(), QStringLiteral("numbers a draw")},
              std::tuple{&line.high, db.highNumber(), QStringLiteral("as its highest number")}}) {
            if (parser.isSet(*option) && parser.value(*option) != QString::number(value))
                return UsageError(err, command,
                                  QStringLiteral("--%1 %2 does not match %3, which has %4 %5")
                                      .arg(option->names().front(), parser.value(*option), dbPath)
                                      .arg(value)
                                      .arg(what));
        }
        return std::nullopt;
    }
    if (!parser.isSet(line.picks) || !parser.isSet(line.high))
        return UsageError(
            err, command,
            QStringLiteral("%1 does not exist; --picks and --high are needed to create it")
                .arg(dbPath));
    bool okPicks = false;
    bool okHigh = false;
    const int k = parser.value(line.picks).toInt(&okPicks);
    const int n = parser.value(line.high).toInt(&okHigh);
    if (!okPicks || k < 1 || k > 10)
        return UsageError(err, command, QStringLiteral("--picks must be 1 to 10"));
    if (!okHigh || n < k || n > 60)
        return UsageError(err, command, QStringLiteral("--high must be from the picks to 60"));
    const QString t = parser.value(line.title);
    // The file keeps the title between double quotes, without escaping.
    if (t.size() > 40 || t.contains(QLatin1Char('"')))
        return UsageError(
            err, command,
            QStringLiteral("--title takes at most 40 characters and no double quote"));
    db.setShape(k, n);
    db.setTitle(t);
    db.setAdvance(0, 7, 7);
    return std::nullopt;
}

// The number columns as the command line lists them: "Ball 1, Ball 2", and the extra balls.
QString NumberColumnsText(const history::SourceTable& table, const history::Detection& d)
{
    QStringList found;
    for (const history::NumberPick& p : d.numberColumns)
        found << history::ColumnRefText(table, p);
    QStringList extras;
    for (int c = 0; c < static_cast<int>(d.columns.size()); ++c) {
        const history::ColumnGuess& g = d.columns[static_cast<size_t>(c)];
        if (!g.extra) continue;
        extras << history::ColumnRefText(
            table, g.mainPositions > 0 ? history::NumberPick{c, g.mainPositions + 1, g.perField}
                                       : history::NumberPick{c});
    }
    QString text = found.isEmpty() ? QStringLiteral("none") : found.join(QStringLiteral(", "));
    if (!extras.isEmpty())
        text += QStringLiteral("; extra balls, left out: ") + extras.join(QStringLiteral(", "));
    return text;
}

// The columns named by --columns and --date-column, in place of the detected ones; the usage
// status when one names no column.
std::optional<int> ApplyColumnOptions(const ImportLine& line, const history::SourceTable& table,
                                      QTextStream& err, history::Detection& detection)
{
    const QCommandLineParser& parser = line.parser;
    history::NumberPick pick;
    QString error;
    if (parser.isSet(line.dateColumn)) {
        if (!history::ParseColumnRef(parser.value(line.dateColumn), table, pick, error) ||
            !pick.wholeField())
            return UsageError(err, ImportCommand,
                              error.isEmpty() ? QStringLiteral("--date-column takes no positions")
                                              : QStringLiteral("--date-column: ") + error);
        detection.mapping.date = pick.column;
        detection.dates = history::FindDateOrder(table, pick.column, detection.dates.order);
        detection.mapping.order = detection.dates.order;
    }
    if (!parser.isSet(line.columns)) return std::nullopt;
    detection.mapping.numbers.clear();
    for (const QString& ref : parser.value(line.columns).split(QLatin1Char(','))) {
        if (!history::ParseColumnRef(ref, table, pick, error))
            return UsageError(err, ImportCommand, QStringLiteral("--columns: ") + error);
        detection.mapping.numbers.push_back(pick);
    }
    return std::nullopt;
}

// The source read and its columns found; the status to end with when that fails.
std::optional<int> ReadImportSource(const ImportLine& line, const database::DrawDatabase& db,
                                    QTextStream& err, SourceRead& source,
                                    history::SourceTable& table, history::Detection& detection)
{
    const QCommandLineParser& parser = line.parser;
    source = ReadSource(parser.positionalArguments().front(), parser.isSet(line.allowHttp));
    if (const auto failed = SourceFailure(source, err)) return failed;
    table = history::ReadTable(source.text.text);
    if (!table.problem.isEmpty()) return FileError(err, source.name, table.problem);
    if (table.rows.empty())
        return FileError(err, source.name, history::ReadErrorText(history::ReadError::Empty));
    const bool orderGiven = parser.isSet(line.dayFirst) || parser.isSet(line.monthFirst);
    const history::DateOrder preferred = parser.isSet(line.monthFirst)
                                             ? history::DateOrder::MonthFirst
                                             : history::DateOrder::DayFirst;
    detection = history::Detect(table, db.picksPerDraw(), preferred, db.highNumber());
    if (const auto ended = ApplyColumnOptions(line, table, err, detection)) return ended;
    if (detection.mapping.dateColumn() < 0)
        return FileError(err, source.name,
                         QStringLiteral("no column of dates found; name it with --date-column"));
    if (detection.dates.ambiguous && !orderGiven)
        return FileError(err, source.name,
                         QStringLiteral("every date reads both day-first and month-first; "
                                        "choose with --day-first or --month-first"));
    // Without --columns the number columns must be exactly the database's picks: a guess that
    // took some of them, or took an extra ball, would store wrong numbers without a word.
    if (!parser.isSet(line.columns) && detection.numbersFound() != db.picksPerDraw())
        return FileError(err, source.name,
                         QStringLiteral("holds %1 numbers a draw in its number columns (%2) where "
                                        "the database has %3; choose them with --columns")
                             .arg(detection.numbersFound())
                             .arg(NumberColumnsText(table, detection))
                             .arg(db.picksPerDraw()));
    if (orderGiven)
        detection.mapping.order = preferred;
    else if (detection.dates.rule == history::DateOrderRule::Dots ||
             detection.dates.rule == history::DateOrderRule::Spacing)
        err << source.name << ": " << detection.dates.explanation() << '\n';
    if (!table.skipped.empty())
        err << source.name << ": not draws: " << history::DescribeSkipped(table.skipped) << '\n';
    return std::nullopt;
}

} // namespace

int RunImport(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    ImportLine line;
    int status = Done;
    if (!ParseCommand(line.parser, arguments,
                      QStringLiteral("import SOURCE --into DB.lto [options]"), out, err, status))
        return status;
    history::ImportOptions options;
    if (const auto ended = ReadImportOptions(line, err, options)) return *ended;
    options.today = QDate::currentDate();
    const QCommandLineParser& parser = line.parser;
    const QString dbPath = parser.value(line.into);
    database::DrawDatabase db;
    if (const auto ended = OpenTargetDatabase(line, err, db)) return *ended;
    // The side file is read before anything is written: one that cannot be read is never
    // written over.
    tickets::Book book;
    if (parser.isSet(line.remember) && !LoadSideFile(dbPath, book, err)) return Failed;
    SourceRead source;
    history::SourceTable table;
    history::Detection detection;
    if (const auto ended = ReadImportSource(line, db, err, source, table, detection)) return *ended;
    // The program's own export keeps its order, so that it imports back as the same records.
    if (history::IsExport(table)) options.sortNumbers = false;

    const bool dryRun = parser.isSet(line.dryRun);
    const Merged merged =
        MergeTable(table, detection.mapping, db,
                   {dbPath, source.name, options, parser.isSet(line.skipBad), dryRun}, err);
    if (merged.summary.isEmpty()) return merged.status;
    out << merged.summary << '\n';
    // Remembered once the import went through and the database is on disk.
    if (parser.isSet(line.remember) && merged.status == Done && !dryRun &&
        QFileInfo::exists(dbPath)) {
        const QString location = history::IsWebAddress(source.name)
                                     ? source.name
                                     : QFileInfo(source.name).absoluteFilePath();
        book.source = history::ToJson(history::RememberSource(
            location, table, detection, detection.mapping, !parser.isSet(line.keepOrder)));
        if (!SaveSideFile(dbPath, book, err)) return Failed;
    }
    return merged.status;
}

int RunExport(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the draws of DB.lto as CSV: a header row Date,N1,...,Nk, then "
                       "one draw a line, oldest first."));
    parser.addPositionalArgument(QStringLiteral("DB.lto"), QStringLiteral("The database."));
    const QCommandLineOption outFile(QStringLiteral("out"),
                                     QStringLiteral("Write to FILE (standard output by default)."),
                                     QStringLiteral("FILE"));
    parser.addOption(outFile);
    int status = Done;
    if (!ParseCommand(parser, arguments, QStringLiteral("export DB.lto [--out FILE]"), out, err,
                      status))
        return status;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return UsageError(err, QStringLiteral("export"),
                          QStringLiteral("name one database (DB.lto)"));
    database::DrawDatabase db;
    if (!LoadDatabase(positional.front(), db, err)) return Failed;
    const QByteArray csv = history::ExportCsv(db);
    if (!parser.isSet(outFile)) {
        out << QString::fromUtf8(csv);
        return Done;
    }
    const text::WriteResult written = text::WriteFileAtomically(parser.value(outFile), csv);
    if (!written) return FileError(err, parser.value(outFile), WriteFailure(written));
    return Done;
}

int RunStats(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints for every number from 1 to the highest number how often it was "
                       "drawn, how many draws ago it was last drawn, and its place in the "
                       "Database window's ranking by each."));
    parser.addPositionalArgument(QStringLiteral("DB.lto"), QStringLiteral("The database."));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("Comma-separated, with a header row."));
    parser.addOption(csv);
    int status = Done;
    if (!ParseCommand(parser, arguments, QStringLiteral("stats DB.lto [--csv]"), out, err, status))
        return status;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return UsageError(err, QStringLiteral("stats"),
                          QStringLiteral("name one database (DB.lto)"));
    database::DrawDatabase db;
    if (!LoadDatabase(positional.front(), db, err)) return Failed;

    const int high = db.highNumber();
    // For each measure: the value of every number and its place in the ranking.
    std::array<std::array<int, stats::Statistics::Rows>, 2> measure{};
    std::array<std::array<int, stats::Statistics::Rows>, 2> rank{};
    for (int m = 0; m < 2; ++m) {
        stats::Statistics stats;
        stats::RecomputeFrequencies(
            db, m == 0 ? stats::Measure::TimesDrawn : stats::Measure::DrawsSince, stats);
        stats::RankNumbers(stats, high, stats::RankOrder::Ranked);
        for (int n = 1; n <= high; ++n)
            measure[static_cast<size_t>(m)][static_cast<size_t>(n)] =
                stats.FrequencyTable[static_cast<size_t>(n)].value;
        for (int pos = 1; pos <= high; ++pos)
            rank[static_cast<size_t>(m)]
                [static_cast<size_t>(stats.RankedNumbers[static_cast<size_t>(pos)].number)] = pos;
    }
    const QStringList names = {QStringLiteral("number"), QStringLiteral("times_drawn"),
                               QStringLiteral("draws_since"), QStringLiteral("rank_times_drawn"),
                               QStringLiteral("rank_draws_since")};
    const bool asCsv = parser.isSet(csv);
    if (asCsv) {
        out << names.join(QLatin1Char(',')) << '\n';
    } else {
        out << names.join(QStringLiteral("  ")) << '\n';
    }
    for (int n = 1; n <= high; ++n) {
        const std::array<int, 5> values = {
            n, measure[0][static_cast<size_t>(n)], measure[1][static_cast<size_t>(n)],
            rank[0][static_cast<size_t>(n)], rank[1][static_cast<size_t>(n)]};
        QStringList cells;
        for (size_t c = 0; c < values.size(); ++c)
            cells << (asCsv ? QString::number(values[c])
                            : QString::number(values[c]).rightJustified(
                                  names[static_cast<qsizetype>(c)].size()));
        out << cells.join(asCsv ? QStringLiteral(",") : QStringLiteral("  ")) << '\n';
    }
    return Done;
}

} // namespace cli

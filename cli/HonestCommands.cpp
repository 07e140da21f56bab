#include "cli/HonestCommands.h"
#include "models/odds/FormsFile.h"

#include "cli/Command.h"
#include "cli/CommandSupport.h"
#include "cli/LoadDatabase.h"
#include "models/draws/DrawDatabase.h"
#include "models/odds/BackTest.h"
#include "models/odds/Fairness.h"
#include "models/odds/Odds.h"
#include "text/FileRead.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <optional>

namespace cli {

namespace {

// A form holds at most ten numbers, as Pick-a-Winner's do (Keno's spots included).
constexpr int MaxFormSize = 10;

// Probabilities to twelve significant digits, in the C locale whatever the user's.
QString Real(double value, int digits = 12)
{
    return QString::number(value, 'g', digits);
}

std::optional<QString> OnePositional(const QCommandLineParser& parser, const QString& command,
                                     QTextStream& err)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        UsageError(err, command,
                   positional.isEmpty() ? QStringLiteral("a database file is needed")
                                        : QStringLiteral("only one database file, please"));
        return std::nullopt;
    }
    return positional.first();
}

// The odds of one form of `size` numbers, by matches.
void PrintSingleFormOdds(int high, int picks, int size, bool csv, QTextStream& out)
{
    const std::vector<odds::MatchOdds> rows = odds::SingleFormOdds(high, picks, size);
    const odds::Count all = odds::ChooseCount(high, picks);
    auto oneIn = [all](odds::Count ways) {
        return ways == 0 ? QStringLiteral("inf")
                         : Real(static_cast<double>(static_cast<long double>(all) /
                                                    static_cast<long double>(ways)),
                                10);
    };
    if (csv) {
        out << "matches,ways,one_in,probability\n";
        for (const odds::MatchOdds& r : rows)
            out << r.matches << ',' << odds::CountText(r.ways) << ',' << oneIn(r.ways) << ','
                << Real(r.probability) << '\n';
        return;
    }
    std::vector<QStringList> table{{QStringLiteral("matches"), QStringLiteral("ways"),
                                    QStringLiteral("one in"), QStringLiteral("probability")}};
    for (const odds::MatchOdds& r : rows)
        table.push_back({QString::number(r.matches), odds::GroupedCount(r.ways),
                         r.ways == 0 ? QStringLiteral("never") : odds::OneInNumber(r.probability),
                         Real(r.probability)});
    out << Aligned(table);
    out << QStringLiteral("One form of %1 %2 against a draw of %3 from 1 to %4 (%5 possible "
                          "%6): all %1 right is %7.\n")
               .arg(size)
               .arg(size == 1 ? QStringLiteral("number") : QStringLiteral("numbers"))
               .arg(picks)
               .arg(high)
               .arg(odds::GroupedCount(all))
               .arg(all == 1 ? QStringLiteral("draw") : QStringLiteral("draws"))
               .arg(odds::OneInText(rows.back().probability));
}

// The odds that a set of forms matches at least so many numbers of one draw.
void PrintSetOdds(const std::vector<odds::Form>& forms, int high, int picks, bool csv,
                  QTextStream& out)
{
    const odds::SetOdds set = odds::SetOfFormsOdds(forms, high, picks);
    if (csv) {
        // An estimated row gives the exact 95 % interval of its chance; an exact row leaves it
        // blank.
        out << "at_least,probability,exact,lower,upper\n";
        for (const odds::AtLeast& r : set.atLeast)
            out << r.matches << ',' << Real(r.probability) << ',' << (r.exact ? 1 : 0) << ','
                << (r.exact ? QString() : Real(r.lower)) << ','
                << (r.exact ? QString() : Real(r.upper)) << '\n';
        out << "covered," << set.covered << '\n';
        return;
    }
    std::vector<QStringList> table{
        {QStringLiteral("at least"), QStringLiteral("probability"), QStringLiteral("chance")}};
    for (const odds::AtLeast& r : set.atLeast)
        table.push_back({QString::number(r.matches), Real(r.probability, 10),
                         odds::ChanceText(r) + (r.exact ? QStringLiteral(", exact") : QString())});
    out << Aligned(table);
    const int exactRows = static_cast<int>(std::count_if(
        set.atLeast.begin(), set.atLeast.end(), [](const odds::AtLeast& r) { return r.exact; }));
    QString how = QStringLiteral("exact over every possible draw");
    if (!set.exact)
        how = QStringLiteral("%1estimated from %2 simulated draws (the range is the exact 95 % "
                             "interval)")
                  .arg(exactRows > 0 ? QStringLiteral("the top %1 exact, the rest ").arg(exactRows)
                                     : QString())
                  .arg(odds::Grouped(set.draws));
    out << QStringLiteral("%1 %2 against a draw of %3 from 1 to %4, %5; they cover %6 of the %4 "
                          "numbers.\n")
               .arg(forms.size())
               .arg(forms.size() == 1 ? QStringLiteral("form") : QStringLiteral("forms"))
               .arg(picks)
               .arg(high)
               .arg(how)
               .arg(set.covered);
}

// The back-test command's options that take a value.
struct BackTestValueOptions {
    const QCommandLineOption& forms;
    const QCommandLineOption& seed;
    const QCommandLineOption& start;
};

// Reads the number of forms, the first record and the seed; false (the line written) when one
// of them is wrong.
bool ReadBackTestOptions(const QCommandLineParser& parser, const BackTestValueOptions& which,
                         QTextStream& err, odds::BackTestOptions& result)
{
    if (parser.isSet(which.forms)) {
        const std::optional<int> forms = WholeNumber(parser.value(which.forms));
        if (!forms || *forms < 1 || *forms > odds::MaxBackTestForms) {
            UsageError(err, QStringLiteral("backtest"),
                       QStringLiteral("--forms must be a whole number from 1 to %1")
                           .arg(odds::MaxBackTestForms));
            return false;
        }
        result.forms = *forms;
    }
    if (parser.isSet(which.start)) {
        const std::optional<int> start = WholeNumber(parser.value(which.start));
        if (!start || *start < 1 || *start > database::DrawDatabase::MaxRecords) {
            UsageError(err, QStringLiteral("backtest"),
                       QStringLiteral("--start must be a record number from 1 to %1")
                           .arg(database::DrawDatabase::MaxRecords));
            return false;
        }
        result.start = *start;
    }
    if (parser.isSet(which.seed)) {
        bool ok = false;
        const qulonglong seed = parser.value(which.seed).toULongLong(&ok);
        if (!ok) {
            UsageError(err, QStringLiteral("backtest"),
                       QStringLiteral("--seed must be a whole number from 0 to "
                                      "18446744073709551615"));
            return false;
        }
        result.seed = seed;
    }
    return true;
}

void PrintBackTest(const odds::BackTest& test, bool csv, QTextStream& out)
{
    if (csv) {
        out << "strategy,measure,draws,forms,mean_matches,expected_mean,z\n";
        // A way of picking that never had a pool has no results: its cells are blank.
        for (const odds::StrategyResult& r : test.strategies) {
            out << odds::SourceName(r.strategy.source) << ','
                << odds::MeasureName(r.strategy.measure) << ',';
            if (r.noPool()) {
                out << ",,,,\n";
                continue;
            }
            out << r.draws << ',' << r.forms << ',' << Real(r.meanMatches()) << ','
                << Real(r.expectedMean()) << ',' << Real(r.z(), 6) << '\n';
        }
        return;
    }
    std::vector<QStringList> table{
        {QStringLiteral("strategy"), QStringLiteral("measure"), QStringLiteral("draws"),
         QStringLiteral("forms"), QStringLiteral("mean_matches"), QStringLiteral("expected_mean"),
         QStringLiteral("z"), QStringLiteral("3_or_more"), QStringLiteral("expected")}};
    for (const odds::StrategyResult& r : test.strategies) {
        if (r.noPool()) {
            table.push_back({odds::SourceName(r.strategy.source),
                             odds::MeasureName(r.strategy.measure), QStringLiteral("no pool")});
            continue;
        }
        table.push_back({odds::SourceName(r.strategy.source), odds::MeasureName(r.strategy.measure),
                         QString::number(r.draws), QString::number(r.forms),
                         QString::number(r.meanMatches(), 'f', 4),
                         QString::number(r.expectedMean(), 'f', 4), QString::number(r.z(), 'f', 2),
                         QString::number(r.countedForms),
                         QString::number(r.expectedCounted, 'f', 1)});
    }
    out << Aligned(table);
    out << odds::BackTestReading(test) << " Seed " << test.seed << " (repeat with --seed "
        << test.seed << ").\n";
}

} // namespace

namespace {

// The odds command's lottery: K of N, both given and supported; the usage status when not
// (its line written).
std::optional<int> ReadOddsShape(const QCommandLineParser& parser,
                                 const QCommandLineOption& picksOption,
                                 const QCommandLineOption& highOption, QTextStream& err, int& picks,
                                 int& high)
{
    if (!parser.positionalArguments().isEmpty())
        return UsageError(
            err, QStringLiteral("odds"),
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    const std::optional<int> k = WholeNumber(parser.value(picksOption));
    const std::optional<int> n = WholeNumber(parser.value(highOption));
    if (!k || !n)
        return UsageError(err, QStringLiteral("odds"),
                          QStringLiteral("--picks K and --high N are needed, as whole numbers"));
    if (!odds::ValidShape(*n, *k))
        return UsageError(err, QStringLiteral("odds"),
                          QStringLiteral("a draw of %1 from 1 to %2 is not supported (1 <= K <= "
                                         "20, K <= N <= 99)")
                              .arg(*k)
                              .arg(*n));
    picks = *k;
    high = *n;
    return std::nullopt;
}

} // namespace

int RunOdds(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString usage =
        QStringLiteral("odds --picks K --high N [--form-size F] [--forms FILE] [--csv]");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The odds of one form, or of a set of forms, against one draw."));
    const QCommandLineOption picksOption(QStringLiteral("picks"),
                                         QStringLiteral("Numbers drawn, K."), QStringLiteral("K"));
    const QCommandLineOption highOption(QStringLiteral("high"),
                                        QStringLiteral("Highest number, N (at most 99)."),
                                        QStringLiteral("N"));
    const QCommandLineOption sizeOption(QStringLiteral("form-size"),
                                        QStringLiteral("Numbers on the form, F (default K)."),
                                        QStringLiteral("F"));
    const QCommandLineOption formsOption(
        QStringLiteral("forms"),
        QStringLiteral("File of forms, one a line, numbers separated by commas or blanks (at most "
                       "10 numbers a form)."),
        QStringLiteral("FILE"));
    const QCommandLineOption csvOption(QStringLiteral("csv"),
                                       QStringLiteral("Comma-separated rows for scripts."));
    parser.addOptions({picksOption, highOption, sizeOption, formsOption, csvOption});
    int code = Done;
    if (!ParseCommand(parser, arguments, usage, out, err, code)) return code;
    int picks = 0;
    int high = 0;
    if (const auto ended = ReadOddsShape(parser, picksOption, highOption, err, picks, high))
        return *ended;
    const bool csv = parser.isSet(csvOption);

    if (!parser.isSet(formsOption)) {
        const std::optional<int> size =
            parser.isSet(sizeOption) ? WholeNumber(parser.value(sizeOption)) : picks;
        if (!size || *size < 1 || *size > std::min(picks, MaxFormSize))
            return UsageError(err, QStringLiteral("odds"),
                              QStringLiteral("--form-size must be a whole number from 1 to %1")
                                  .arg(std::min(picks, MaxFormSize)));
        PrintSingleFormOdds(high, picks, *size, csv, out);
        return Done;
    }
    const QString path = parser.value(formsOption);
    QString reason;
    const std::optional<std::vector<odds::Form>> forms =
        odds::ReadFormsFile(path, high, picks, MaxFormSize, reason);
    if (!forms) return FileError(err, path, reason);
    PrintSetOdds(*forms, high, picks, csv, out);
    return Done;
}

int RunFairness(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString usage = QStringLiteral("fairness DB.lto [--csv]");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Chi-square test of the times each number was drawn against a fair draw."));
    parser.addPositionalArgument(QStringLiteral("DB.lto"), QStringLiteral("The database."));
    const QCommandLineOption csvOption(QStringLiteral("csv"),
                                       QStringLiteral("Comma-separated rows for scripts."));
    parser.addOption(csvOption);
    int code = Done;
    if (!ParseCommand(parser, arguments, usage, out, err, code)) return code;
    const std::optional<QString> path = OnePositional(parser, QStringLiteral("fairness"), err);
    if (!path) return Usage;
    database::DrawDatabase db;
    if (!LoadDatabase(*path, db, err)) return Failed;
    const odds::Fairness f = odds::TestFairness(db);
    // Below the draws the test needs there is no p-value to trust, so none is given.
    const bool verdict = f.status == odds::Fairness::Status::Ok;
    const QString p = verdict ? Real(f.pValue) : QString();
    if (parser.isSet(csvOption)) {
        out << "draws,numbers,picks,chi_square,df,p_value\n";
        out << f.draws << ',' << f.numbers << ',' << f.picks << ',' << Real(f.chiSquare) << ','
            << f.df << ',' << p << '\n';
        return Done;
    }
    out << Aligned({{QStringLiteral("draws"), QStringLiteral("numbers"), QStringLiteral("picks"),
                     QStringLiteral("chi_square"), QStringLiteral("df"), QStringLiteral("p_value")},
                    {QString::number(f.draws), QString::number(f.numbers), QString::number(f.picks),
                     QString::number(f.chiSquare, 'f', 3), QString::number(f.df),
                     verdict ? odds::PValueText(f.pValue) : QStringLiteral("-")}});
    out << QFileInfo(*path).fileName() << ": " << odds::FairnessVerdict(f) << ".\n";
    return Done;
}

int RunBacktest(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString usage =
        QStringLiteral("backtest DB.lto [--forms F] [--seed S] [--start R] [--csv]");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "How the pick strategies would have done on the database's draws, against random forms."));
    parser.addPositionalArgument(QStringLiteral("DB.lto"), QStringLiteral("The database."));
    const QCommandLineOption formsOption(
        QStringLiteral("forms"),
        QStringLiteral("Entry forms per strategy and draw (default 10, at most 100)."),
        QStringLiteral("F"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed of the generator, to repeat a run."),
                                        QStringLiteral("S"));
    const QCommandLineOption startOption(QStringLiteral("start"),
                                         QStringLiteral("First record tested (default 20)."),
                                         QStringLiteral("R"));
    const QCommandLineOption csvOption(QStringLiteral("csv"),
                                       QStringLiteral("Comma-separated rows for scripts."));
    parser.addOptions({formsOption, seedOption, startOption, csvOption});
    int code = Done;
    if (!ParseCommand(parser, arguments, usage, out, err, code)) return code;
    const std::optional<QString> path = OnePositional(parser, QStringLiteral("backtest"), err);
    if (!path) return Usage;

    odds::BackTestOptions options;
    if (!ReadBackTestOptions(parser, {formsOption, seedOption, startOption}, err, options))
        return Usage;
    database::DrawDatabase db;
    if (!LoadDatabase(*path, db, err)) return Failed;
    const odds::BackTest test = odds::RunBackTest(db, options);
    if (test.status != odds::BackTest::Status::Done) {
        return FileError(err, *path, odds::BackTestReading(test));
    }
    PrintBackTest(test, parser.isSet(csvOption), out);
    return Done;
}

} // namespace cli

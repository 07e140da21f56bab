#include "cli/WheelCommands.h"

#include "cli/Command.h"
#include "cli/CommandSupport.h"
#include "models/wheel/WheelSearch.h"
#include "models/wheel/WheelShape.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <optional>
#include <vector>

namespace cli {

namespace {

// The wheel may take numbers past the databases' 60: any lottery of up to 99.
constexpr int HighestNumber = 99;
constexpr double MaxSeconds = 3600;

const QString Name = QStringLiteral("wheel");

struct WheelOptions {
    const QCommandLineOption& numbers;
    const QCommandLineOption& count;
    const QCommandLineOption& formSize;
    const QCommandLineOption& guarantee;
    const QCommandLineOption& seconds;
    const QCommandLineOption& seed;
};

// The player's numbers, ascending: a list of distinct numbers from 1 to 99, or 1 to V; nothing
// (the line written) when they are wrong.
std::optional<std::vector<int>> ReadNumbers(const QCommandLineParser& parser,
                                            const WheelOptions& which, QTextStream& err)
{
    if (parser.isSet(which.numbers) == parser.isSet(which.count)) {
        UsageError(err, Name, QStringLiteral("give either --numbers LIST or --count V"));
        return std::nullopt;
    }
    std::vector<int> numbers;
    if (parser.isSet(which.count)) {
        const std::optional<int> count = WholeNumber(parser.value(which.count));
        if (!count || *count < 1 || *count > HighestNumber) {
            UsageError(err, Name,
                       QStringLiteral("--count must be a whole number from 2 to %1")
                           .arg(wheel::MaxNumbers));
            return std::nullopt;
        }
        for (int n = 1; n <= *count; ++n)
            numbers.push_back(n);
        return numbers;
    }
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    for (const QString& item : parser.value(which.numbers).split(separators, Qt::SkipEmptyParts)) {
        const std::optional<int> n = WholeNumber(item);
        QString reason;
        if (!n)
            reason = QStringLiteral("\"%1\" in --numbers is not a number").arg(item);
        else if (*n < 1 || *n > HighestNumber)
            reason =
                QStringLiteral("%1 in --numbers is outside 1 to %2").arg(*n).arg(HighestNumber);
        else if (std::find(numbers.begin(), numbers.end(), *n) != numbers.end())
            reason = QStringLiteral("%1 is in --numbers twice").arg(*n);
        if (!reason.isEmpty()) {
            UsageError(err, Name, reason);
            return std::nullopt;
        }
        numbers.push_back(*n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// The form size and the promise M/T on v numbers; nothing (the line written) when the promise
// cannot be kept or the wheel is too large.
std::optional<wheel::Shape> ReadShape(const QCommandLineParser& parser, const WheelOptions& which,
                                      int numbers, QTextStream& err)
{
    const std::optional<int> formSize = WholeNumber(parser.value(which.formSize));
    if (!formSize) {
        UsageError(err, Name, QStringLiteral("--form-size K is needed, as a whole number"));
        return std::nullopt;
    }
    static const QRegularExpression promise(QStringLiteral("^\\s*(\\d+)\\s*/\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch match = promise.match(parser.value(which.guarantee));
    if (!match.hasMatch()) {
        UsageError(err, Name,
                   QStringLiteral("--guarantee M/T is needed, as 3/4: at least M "
                                  "numbers on some form whenever T are drawn"));
        return std::nullopt;
    }
    const wheel::Shape shape{numbers, *formSize, match.captured(1).toInt(),
                             match.captured(2).toInt()};
    if (const std::optional<QString> problem = wheel::ShapeProblem(shape)) {
        UsageError(err, Name, *problem);
        return std::nullopt;
    }
    return shape;
}

// The time budget and the seed; false (the line written) when one of them is wrong.
bool ReadSearchOptions(const QCommandLineParser& parser, const WheelOptions& which,
                       QTextStream& err, wheel::WheelOptions& options)
{
    if (parser.isSet(which.seconds)) {
        bool ok = false;
        const double seconds = parser.value(which.seconds).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > MaxSeconds) {
            UsageError(
                err, Name,
                QStringLiteral("--seconds must be a number above 0, at most %1").arg(MaxSeconds));
            return false;
        }
        options.seconds = seconds;
    }
    if (parser.isSet(which.seed)) {
        bool ok = false;
        const qulonglong seed = parser.value(which.seed).toULongLong(&ok);
        if (!ok) {
            UsageError(err, Name,
                       QStringLiteral("--seed must be a whole number from 0 to "
                                      "18446744073709551615"));
            return false;
        }
        options.seed = seed;
    }
    return true;
}

void PrintWheel(const wheel::WheelResult& result, const std::vector<int>& numbers, bool csv,
                QTextStream& out)
{
    std::vector<QStringList> table{{QStringLiteral("form"), QStringLiteral("numbers")}};
    for (std::size_t i = 0; i < result.forms.size(); ++i) {
        QStringList cells;
        for (const int n : wheel::FormNumbers(result.forms[i], numbers))
            cells << (csv ? QString::number(n) : QString::number(n).rightJustified(2));
        table.push_back({QString::number(i + 1), cells.join(QLatin1Char(' '))});
    }
    if (csv) {
        for (const QStringList& row : table)
            out << row.join(QLatin1Char(',')) << '\n';
        out << "forms," << result.size() << ",lower_bound," << result.bound.value << ",verified,"
            << (result.verified ? 1 : 0) << '\n';
        return;
    }
    out << Aligned(table);
    out << wheel::WheelReading(result) << ".\n";
}

} // namespace

int RunWheel(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString usage = QStringLiteral("wheel (--numbers LIST | --count V) --form-size K "
                                         "--guarantee M/T [--seconds S] [--seed N] [--csv]");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The fewest forms of K of your numbers such that whenever T of your numbers are drawn, "
        "some form holds at least M of them; the promise is checked for every draw."));
    const QCommandLineOption numbers(
        QStringLiteral("numbers"),
        QStringLiteral("Your numbers, 1 to 99, separated by commas (at most 40)."),
        QStringLiteral("LIST"));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("Your numbers are 1 to V."), QStringLiteral("V"));
    const QCommandLineOption formSize(QStringLiteral("form-size"),
                                      QStringLiteral("Numbers on a form, K."), QStringLiteral("K"));
    const QCommandLineOption guarantee(
        QStringLiteral("guarantee"),
        QStringLiteral("The promise M/T: at least M on some form whenever T are drawn."),
        QStringLiteral("M/T"));
    const QCommandLineOption seconds(QStringLiteral("seconds"),
                                     QStringLiteral("Time for the search (default 10)."),
                                     QStringLiteral("S"));
    const QCommandLineOption seed(
        QStringLiteral("seed"), QStringLiteral("Seed of the search, to repeat a run (default 1)."),
        QStringLiteral("N"));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("Comma-separated rows for scripts."));
    parser.addOptions({numbers, count, formSize, guarantee, seconds, seed, csv});
    int code = Done;
    if (!ParseCommand(parser, arguments, usage, out, err, code)) return code;
    if (!parser.positionalArguments().isEmpty())
        return UsageError(
            err, Name,
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    const WheelOptions which{numbers, count, formSize, guarantee, seconds, seed};
    const std::optional<std::vector<int>> chosen = ReadNumbers(parser, which, err);
    if (!chosen) return Usage;
    const std::optional<wheel::Shape> shape =
        ReadShape(parser, which, static_cast<int>(chosen->size()), err);
    if (!shape) return Usage;
    wheel::WheelOptions options;
    if (!ReadSearchOptions(parser, which, err, options)) return Usage;

    const wheel::WheelResult result = wheel::FindWheel(*shape, options);
    PrintWheel(result, *chosen, parser.isSet(csv), out);
    if (!result.verified) {
        err << "tallimo wheel: " << wheel::WheelReading(result) << '\n';
        return Failed;
    }
    return Done;
}

} // namespace cli

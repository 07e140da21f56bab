#include "cli/CommandSupport.h"

#include "cli/Command.h"

#include <algorithm>

namespace cli {

bool ParseCommand(QCommandLineParser& parser, const QStringList& arguments, const QString& synopsis,
                  QTextStream& out, QTextStream& err, int& status)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help for this command."));
    parser.addOption(help);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QString name = arguments.value(0);
    if (!parser.parse(arguments)) {
        status = UsageError(err, name, parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        // Qt's usage line names the program; this one names the command.
        QString text = parser.helpText();
        const qsizetype firstLineEnd = text.indexOf(QLatin1Char('\n'));
        text.replace(0, firstLineEnd, QStringLiteral("Usage: tallimo ") + synopsis);
        out << text;
        status = Done;
        return false;
    }
    return true;
}

int UsageError(QTextStream& err, const QString& command, const QString& reason)
{
    err << "tallimo " << command << ": " << reason << " (try tallimo " << command << " --help)\n";
    return Usage;
}

int FileError(QTextStream& err, const QString& file, const QString& reason)
{
    err << file << ": " << reason << '\n';
    return Failed;
}

QString WriteFailure(const text::WriteResult& written, const QString& then)
{
    QString reason = QStringLiteral("cannot be written");
    if (!written.reason().isEmpty()) reason += QStringLiteral(" (%1)").arg(written.reason());
    if (!then.isEmpty()) reason += QStringLiteral("; ") + then;
    return reason;
}

std::optional<int> WholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString Aligned(const std::vector<QStringList>& rows)
{
    std::vector<qsizetype> widths;
    for (const QStringList& row : rows)
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (static_cast<size_t>(c) >= widths.size()) widths.push_back(0);
            widths[static_cast<size_t>(c)] =
                std::max(widths[static_cast<size_t>(c)], row[c].size());
        }
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c) {
            const int width = static_cast<int>(widths[static_cast<size_t>(c)]);
            cells << (c == 0 ? row[c].leftJustified(width) : row[c].rightJustified(width));
        }
        text += cells.join(QStringLiteral("  ")).trimmed() + QLatin1Char('\n');
    }
    return text;
}

} // namespace cli

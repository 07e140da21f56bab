#include "cli/Dispatcher.h"

#include "cli/Command.h"
#include "models/state/AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace cli {

namespace {

const Command* FindCommand(const QString& name)
{
    for (const Command& c : Commands()) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

bool IsHelp(const QString& a)
{
    return a == QLatin1String("--help") || a == QLatin1String("-h") || a == QLatin1String("-?") ||
           a == QLatin1String("--help-all");
}

bool IsVersion(const QString& a)
{
    return a == QLatin1String("--version") || a == QLatin1String("-v");
}

QString ProgramName(const QStringList& arguments)
{
    return arguments.isEmpty() ? QStringLiteral("tallimo") : QFileInfo(arguments[0]).fileName();
}

QString OverallHelp(const QString& program)
{
    QString text = QStringLiteral("Usage: %1 [FILE]\n"
                                  "       %1 COMMAND [OPTIONS]  (%1 COMMAND --help for its "
                                  "options)\n\n"
                                  "Starts Tallimo Win9; a .lto FILE opens in the Database "
                                  "window, a .inv FILE in the Investment Tracker.\n\n"
                                  "Commands:\n")
                       .arg(program);
    for (const Command& c : Commands())
        text += QStringLiteral("  %1  %2\n").arg(c.name, -10).arg(c.summary);
    text += QStringLiteral("\nOptions:\n"
                           "  -h, --help     Displays help on commandline options.\n"
                           "  -v, --version  Displays version information.\n");
    return text;
}

} // namespace

bool IsCommandLine(const QStringList& arguments)
{
    if (arguments.size() < 2) return false;
    const QString& first = arguments[1];
    return IsHelp(first) || IsVersion(first) || FindCommand(first) != nullptr;
}

int Dispatch(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString program = ProgramName(arguments);
    if (arguments.size() < 2) {
        err << program << ": no command given (try --help)\n";
        return Usage;
    }
    const QString& first = arguments[1];
    if (IsHelp(first)) {
        out << OverallHelp(program);
        return Done;
    }
    if (IsVersion(first)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return Done;
    }
    const Command* command = FindCommand(first);
    if (command == nullptr) {
        err << program << ": unknown command '" << first << "' (try --help)\n";
        return Usage;
    }
    return command->run(arguments.mid(1), out, err);
}

int RunCommandLine(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tallimo Win9"));
    QCoreApplication::setApplicationVersion(app::ProgramVersion());
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = Dispatch(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}

} // namespace cli

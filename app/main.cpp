#include "app/Program.h"
#include "cli/Dispatcher.h"

#include <QStringList>

int main(int argc, char* argv[])
{
    // A command (import, export, stats, ...) or --help/--version runs without any window.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (cli::IsCommandLine(arguments)) return cli::RunCommandLine(argc, argv);
    return app::RunProgram(argc, argv);
}

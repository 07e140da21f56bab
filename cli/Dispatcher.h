#pragma once
// The command line's entry: decides whether the arguments name a command (or ask for --help or
// --version) and runs it without creating any window.
#include <QStringList>
#include <QTextStream>

namespace cli {

// True when the program was started for a command rather than for its windows: the first
// argument names a command, or is --help, -h, -?, --help-all, --version or -v.
bool IsCommandLine(const QStringList& arguments);

// Runs the command line `arguments` (arguments[0] is the program) and returns the exit status.
int Dispatch(const QStringList& arguments, QTextStream& out, QTextStream& err);

// The whole command-line run: a QCoreApplication, the standard streams, Dispatch.
int RunCommandLine(int argc, char* argv[]);

} // namespace cli

#pragma once
// What every subcommand of the command line looks like, and the table that names them.
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <vector>

namespace cli {

// Exit statuses shared by every command.
enum Status : int {
    Done = 0,   // everything asked for was done
    Failed = 1, // the input was refused, a file could not be read or written
    Usage = 2,  // the command line itself was wrong
};

// A subcommand: arguments[0] is the command's name, followed by its own options (each command
// parses them with its own QCommandLineParser). Results go to `out`, one-line errors to `err`.
// Returns the exit status.
using CommandFunction = int (*)(const QStringList& arguments, QTextStream& out, QTextStream& err);

struct Command {
    QString name;
    QString summary; // one line for the overall --help
    CommandFunction run = nullptr;
};

// Every subcommand, in the order the overall --help lists them (CommandTable.cpp).
const std::vector<Command>& Commands();

} // namespace cli

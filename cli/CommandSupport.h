#pragma once
// What every command of the command line shares: parsing its options with --help, the one
// wording of its errors, and its aligned tables. The exit statuses are Command.h's.
#include "text/Result.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>
#include <vector>

namespace cli {

// Parses a command's own arguments (arguments[0] is the command's name). False when the run
// ends here: --help was shown (status Done) or the arguments were wrong (status Usage, one line
// on `err`). `synopsis` is the usage line after "tallimo ".
bool ParseCommand(QCommandLineParser& parser, const QStringList& arguments, const QString& synopsis,
                  QTextStream& out, QTextStream& err, int& status);

// "tallimo COMMAND: REASON (try tallimo COMMAND --help)"; returns Usage.
int UsageError(QTextStream& err, const QString& command, const QString& reason);
// "FILE: REASON"; returns Failed.
int FileError(QTextStream& err, const QString& file, const QString& reason);

// "cannot be written (No space left on device)", then `then` ("it is left as it was") if given.
QString WriteFailure(const text::WriteResult& written, const QString& then = {});

// A whole number, or nothing.
std::optional<int> WholeNumber(const QString& text);

// Pads each column of the rows to its widest cell: the first column to the left, the rest to
// the right; two blanks between columns.
QString Aligned(const std::vector<QStringList>& rows);

} // namespace cli

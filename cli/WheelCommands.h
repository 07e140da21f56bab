#pragma once
// The command line's wheel: the fewest forms that keep a promise on the player's numbers. It
// takes its own name followed by its options (arguments[0] is the command's name), writes the
// forms to `out` (CSV with --csv, else an aligned list and a one-line reading) and one-line errors
// to `err`, and returns 0 when done, 1 when it failed, 2 for a usage error. No window is created.
#include <QStringList>
#include <QTextStream>

namespace cli {

// tallimo wheel (--numbers LIST | --count V) --form-size K --guarantee M/T [--seconds S]
//               [--seed N] [--csv]
int RunWheel(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace cli

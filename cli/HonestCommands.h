#pragma once
// The command line's honest numbers: `odds`, `fairness` and `backtest`. Each takes its own name
// followed by its options (arguments[0] is the command's name), writes its results to `out`
// (CSV with --csv, else aligned tables and a one-line reading) and one-line errors to `err`,
// and returns 0 when done, 1 when it failed, 2 for a usage error. No window is created.
#include <QStringList>
#include <QTextStream>

namespace cli {

// tallimo odds --picks K --high N [--form-size F] [--forms FILE] [--csv]
int RunOdds(const QStringList& arguments, QTextStream& out, QTextStream& err);
// tallimo fairness DB.lto [--csv]
int RunFairness(const QStringList& arguments, QTextStream& out, QTextStream& err);
// tallimo backtest DB.lto [--forms F] [--seed S] [--start R] [--csv]
int RunBacktest(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace cli

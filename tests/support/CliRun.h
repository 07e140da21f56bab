#pragma once
// The command line run in this process, as `tallimo ARGUMENTS...` runs from a shell, with what
// it printed caught: for the tests of cli/, which link tallimo_cli.
#include "cli/Dispatcher.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// What one run printed on each stream and the status it ended with.
struct CliOutcome {
    int status = -1;
    QString out;
    QString err;
};

inline CliOutcome Tallimo(const QStringList& arguments)
{
    CliOutcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = cli::Dispatch(QStringList{QStringLiteral("tallimo")} + arguments, out, err);
    out.flush();
    err.flush();
    return r;
}

#pragma once
// The commands that bring draws in and take them out: import, export and stats.
#include <QStringList>
#include <QTextStream>

namespace cli {

int RunImport(const QStringList& arguments, QTextStream& out, QTextStream& err);
int RunExport(const QStringList& arguments, QTextStream& out, QTextStream& err);
int RunStats(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace cli

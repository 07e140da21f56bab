#pragma once
// `tallimo tickets`: the tickets of a database from the command line (add, list, check, prizes,
// summary).
#include <QStringList>
#include <QTextStream>

namespace cli {

int RunTickets(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace cli

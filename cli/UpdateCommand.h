#pragma once
// tallimo update: the new draws of the source a database remembers.
#include <QStringList>
#include <QTextStream>

namespace cli {

int RunUpdate(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace cli

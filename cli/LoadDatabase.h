#pragma once
// Reading the .LTO database that a command was given.
#include "models/draws/DrawDatabase.h"

#include <QString>
#include <QTextStream>

namespace cli {

// Reads the database at `path` into `db`. On failure writes one line to `err` and returns false:
// "PATH: REASON", the reason "no such file", "cannot be opened", that the file is too large for
// a database, or "not a lottery database, or damaged".
bool LoadDatabase(const QString& path, database::DrawDatabase& db, QTextStream& err);

} // namespace cli

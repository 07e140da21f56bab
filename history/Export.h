#pragma once
// The database's draws as CSV for spreadsheets and scripts.
#include "database/DrawDatabase.h"

#include <QByteArray>

namespace history {

// A header row "Date,N1,...,Nk", then one draw a line, oldest first (records of the same date
// in table order): the ISO date and the numbers as the record holds them. UTF-8, LF line ends.
QByteArray ExportCsv(const DrawDatabase& db);

} // namespace history

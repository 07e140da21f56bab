#pragma once
// The database's draws as CSV for spreadsheets and scripts.
#include "models/draws/DrawDatabase.h"
#include "models/history/SourceTable.h"

#include <QByteArray>

namespace history {

// A header row "Date,N1,...,Nk", then one draw a line, oldest first (records of the same date
// in table order): the ISO date and the numbers as the record holds them. UTF-8, LF line ends.
QByteArray ExportCsv(const database::DrawDatabase& db);

// True when a table is such an export: its header is exactly "Date,N1,...,Nk". Its numbers are
// in the order the records held them, so an import keeps that order rather than sorting.
bool IsExport(const SourceTable& table);

} // namespace history

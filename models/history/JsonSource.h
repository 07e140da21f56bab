#pragma once
// Archives of draws published as JSON: an array of objects, at the top or under one key of the
// top object, each with a date and a list of numbers beside other fields. Read into the same
// rows of fields as a delimited table, so that the same detection, checks and merge apply.
#include "models/history/SourceTable.h"

#include <QString>

namespace history {

// True when the text's first character other than white space opens a JSON array or object.
bool LooksLikeJson(const QString& text);

// The table of a JSON archive: one row an object, in the archive's order, each with the line
// its object starts on; the columns are the objects' keys (in the order of the first object
// that has each, then any others), and a field holds a string as it is, a number as written,
// a list of numbers as the numbers separated by blanks, and anything else as compact JSON. A
// document that is no such archive gives no rows and says why in `problem`.
SourceTable ReadJsonTable(const QString& text);

} // namespace history

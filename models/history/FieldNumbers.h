#pragma once
// The numbers of one field of a source table, shared by the detection of the columns and the
// reading of the rows.
#include <QString>
#include <QStringView>
#include <vector>

namespace history {

// No lottery draws a number above this; the databases hold 1 to 60.
constexpr int HighestPossible = 60;

// The numbers of one field ("5", "05 12 23 34 45", "5-12-23-34-45"), appended to `numbers`.
// False, with the first offending word in `bad`, when a word is not a whole number; the words
// that are numbers are read all the same. A minus sign before a number ("-5") makes it a bad
// word, never the number 5.
bool ReadNumbers(QStringView field, std::vector<int>& numbers, QString& bad);

// A field as an error line quotes it: between double quotes, at most 80 characters of it.
QString Quoted(const QString& field);

} // namespace history

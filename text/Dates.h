#pragma once
// Dates as the program shows, reads and stores them.
#include <QDate>
#include <QString>
#include <optional>

namespace text {

// The locale's short date pattern with the year widened to four digits ("M/d/yyyy" for en_US).
QString ShortDateFormat();
QString ShortDate(const QDate& date);

// Reads a date typed by the user: day, month and year in the locale's short-date order,
// separated by ".", "-" or "/". A two-digit year counts as 1930..2029. Nothing on a bad date.
std::optional<QDate> ParseDate(const QString& text);

// The serial day number that counts 30 December 1899 as day 0.
long long DaySerial(const QDate& date);
QDate DateFromSerial(long long serial);

} // namespace text

#pragma once
// The dates that lottery tables are written with: ISO (2026-12-05, 20261205), numeric day-first
// or month-first (05/12/2026, 5.12.26, 12-05-2026) and spelled months (05-Dec-2026, Dec 5, 2026,
// Saturday 5 December 2026).
#include <QDate>
#include <QString>
#include <QStringView>

namespace history {

enum class DateOrder { DayFirst, MonthFirst };

struct DateField {
    enum class Kind {
        None,    // not shaped like a date at all
        Iso,     // year first: one reading
        Numeric, // day and month both numbers: a day-first and a month-first reading
        Spelled, // the month is a name: one reading
    };
    Kind kind = Kind::None;
    // Written with dots (05.12.2026): the custom of the countries that write the day first.
    bool dotted = false;
    // The readings; an invalid QDate where the shape names no real day (31/02/2026). Iso and
    // Spelled give the same date in both.
    QDate dayFirst;
    QDate monthFirst;

    bool looksLikeDate() const { return kind != Kind::None; }
    QDate read(DateOrder order) const
    {
        return order == DateOrder::DayFirst ? dayFirst : monthFirst;
    }
    bool valid() const { return dayFirst.isValid() || monthFirst.isValid(); }
};

// Reads one field. A two-digit year counts as 1930..2029.
DateField ClassifyDate(QStringView text);

// The month (1..12) that `word` names in English, full or abbreviated ("Sept" too), or 0.
int MonthFromName(QStringView word);
// True when `word` names a day of the week in English, full or abbreviated.
bool IsWeekdayName(QStringView word);

} // namespace history

#include "text/Dates.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <array>

namespace text {

namespace {
const QDate kSerialZero(1899, 12, 30);

enum class Field { Day, Month, Year };

// The order of day, month and year in the locale's short date pattern.
std::array<Field, 3> FieldOrder()
{
    const QString fmt = QLocale().dateFormat(QLocale::ShortFormat);
    std::array<Field, 3> order{Field::Month, Field::Day, Field::Year};
    int n = 0;
    QChar last;
    for (const QChar c : fmt) {
        if (c == last) continue;
        last = c;
        Field f;
        if (c == QLatin1Char('d'))
            f = Field::Day;
        else if (c == QLatin1Char('M'))
            f = Field::Month;
        else if (c == QLatin1Char('y'))
            f = Field::Year;
        else
            continue;
        if (n < 3) order[static_cast<size_t>(n++)] = f;
    }
    if (n != 3) return {Field::Month, Field::Day, Field::Year};
    return order;
}
} // namespace

QString ShortDateFormat()
{
    // Day, month and year as numbers, in the locale's order and with its separator, the year in
    // four digits. A locale whose short date spells the month ("d MMM yyyy" in the C locale) still
    // gets numbers, so that every date shown can be typed back and read by ParseDate.
    const QString fmt = QLocale().dateFormat(QLocale::ShortFormat);
    QChar separator = QLatin1Char('/');
    for (const QChar c : fmt) {
        if (c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('/')) {
            separator = c;
            break;
        }
    }
    auto runLength = [&fmt](QChar letter) {
        const qsizetype at = fmt.indexOf(letter);
        qsizetype n = 0;
        while (at >= 0 && at + n < fmt.size() && fmt.at(at + n) == letter)
            ++n;
        return n;
    };
    const QString day =
        runLength(QLatin1Char('d')) == 2 ? QStringLiteral("dd") : QStringLiteral("d");
    const QString month =
        runLength(QLatin1Char('M')) == 2 ? QStringLiteral("MM") : QStringLiteral("M");
    QStringList parts;
    for (const Field f : FieldOrder()) {
        switch (f) {
        case Field::Day:
            parts << day;
            break;
        case Field::Month:
            parts << month;
            break;
        case Field::Year:
            parts << QStringLiteral("yyyy");
            break;
        }
    }
    return parts.join(separator);
}

QString ShortDate(const QDate& date)
{
    return date.isValid() ? QLocale().toString(date, ShortDateFormat()) : QString();
}

std::optional<QDate> ParseDate(const QString& input)
{
    static const QRegularExpression sep(QStringLiteral("[./-]"));
    const QStringList parts = input.trimmed().split(sep);
    if (parts.size() != 3) return std::nullopt;
    int values[3];
    for (int i = 0; i < 3; ++i) {
        const QString p = parts[i].trimmed();
        if (p.isEmpty() || p.size() > 4) return std::nullopt;
        bool ok = false;
        values[i] = p.toInt(&ok);
        if (!ok || values[i] < 0) return std::nullopt;
    }
    const auto order = FieldOrder();
    int day = 0, month = 0, year = 0, yearDigits = 0;
    for (int i = 0; i < 3; ++i) {
        switch (order[static_cast<size_t>(i)]) {
        case Field::Day:
            day = values[i];
            break;
        case Field::Month:
            month = values[i];
            break;
        case Field::Year:
            year = values[i];
            yearDigits = static_cast<int>(parts[i].trimmed().size());
            break;
        }
    }
    if (yearDigits <= 2) year += year < 30 ? 2000 : 1900;
    const QDate d(year, month, day);
    if (!d.isValid()) return std::nullopt;
    return d;
}

long long DaySerial(const QDate& date)
{
    return kSerialZero.daysTo(date);
}

QDate DateFromSerial(long long serial)
{
    return kSerialZero.addDays(serial);
}

} // namespace text

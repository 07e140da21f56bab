#include "models/history/FieldNumbers.h"

#include <algorithm>

namespace history {

namespace {

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsNumberSeparator(QChar c)
{
    return c.isSpace() || c == QLatin1Char('-') || c == QLatin1Char(',') || c == QLatin1Char(';') ||
           c == QLatin1Char('/') || c == QLatin1Char('|');
}

// A '-' that starts a word and stands before a digit is a minus sign, not a separator: "-5",
// "3 -5". Between digits ("5-12") it separates.
bool IsMinusSign(QStringView field, qsizetype i)
{
    return field[i] == QLatin1Char('-') && i + 1 < field.size() && IsDigit(field[i + 1]) &&
           (i == 0 || !IsDigit(field[i - 1]));
}

} // namespace

bool ReadNumbers(QStringView field, std::vector<int>& numbers, QString& bad)
{
    bool ok = true;
    qsizetype i = 0;
    while (i < field.size()) {
        while (i < field.size() && IsNumberSeparator(field[i]) && !IsMinusSign(field, i))
            ++i;
        if (i >= field.size()) break;
        qsizetype j = i + 1;
        while (j < field.size() && !IsNumberSeparator(field[j]))
            ++j;
        const QStringView word = field.mid(i, j - i);
        i = j;
        if (word.size() > 6 || !std::all_of(word.begin(), word.end(), IsDigit)) {
            if (ok) bad = word.toString();
            ok = false;
            continue;
        }
        numbers.push_back(word.toInt());
    }
    return ok;
}

QString Quoted(const QString& field)
{
    constexpr qsizetype Most = 80;
    const QString shown = field.size() > Most ? field.left(Most - 1) + QChar(0x2026) : field;
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

} // namespace history

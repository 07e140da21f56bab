#include "models/history/DrawDates.h"

#include <algorithm>
#include <array>

namespace history {

namespace {

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Whole-field digits to a value; -1 when empty, not all digits or too long to be a date part.
int DigitsValue(QStringView s)
{
    if (s.isEmpty() || s.size() > 4) return -1;
    int v = 0;
    for (QChar c : s) {
        if (!IsDigit(c)) return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

int FullYear(int year, qsizetype digits)
{
    if (digits == 4) return year;
    if (digits == 2 || digits == 1) return year < 30 ? 2000 + year : 1900 + year;
    return -1;
}

// "5th", "1st", "22nd", "3rd": the day with its English suffix taken off.
QStringView WithoutOrdinal(QStringView s)
{
    if (s.size() > 2) {
        const QStringView tail = s.right(2);
        if (IsDigit(s.at(s.size() - 3)) &&
            (tail.compare(QLatin1String("st"), Qt::CaseInsensitive) == 0 ||
             tail.compare(QLatin1String("nd"), Qt::CaseInsensitive) == 0 ||
             tail.compare(QLatin1String("rd"), Qt::CaseInsensitive) == 0 ||
             tail.compare(QLatin1String("th"), Qt::CaseInsensitive) == 0))
            return s.chopped(2);
    }
    return s;
}

bool IsDatePunctuation(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char('-');
}

// Eight digits, year first (20261205), as some operators write their dates.
DateField Compact(QStringView text)
{
    if (text.size() != 8 || !std::all_of(text.begin(), text.end(), IsDigit)) return {};
    const int year = DigitsValue(text.left(4));
    if (year < 1900 || year > 2099) return {};
    DateField f;
    f.kind = DateField::Kind::Iso;
    f.dayFirst = QDate(year, DigitsValue(text.mid(4, 2)), DigitsValue(text.mid(6, 2)));
    f.monthFirst = f.dayFirst;
    return f;
}

DateField Numeric(QStringView text)
{
    // Three runs of digits joined by one and the same punctuation mark.
    qsizetype first = -1;
    qsizetype second = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsDigit(text[i])) continue;
        if (!IsDatePunctuation(text[i])) return {};
        if (first < 0)
            first = i;
        else if (second < 0)
            second = i;
        else
            return {};
    }
    if (second < 0 || text[first] != text[second]) return {};
    const QStringView a = text.left(first);
    const QStringView b = text.mid(first + 1, second - first - 1);
    const QStringView c = text.mid(second + 1);
    const int va = DigitsValue(a);
    const int vb = DigitsValue(b);
    const int vc = DigitsValue(c);
    if (va < 0 || vb < 0 || vc < 0 || b.size() > 2) return {};
    DateField f;
    if (a.size() == 4) {
        if (c.size() > 2) return {};
        f.kind = DateField::Kind::Iso;
        f.dayFirst = QDate(va, vb, vc);
        f.monthFirst = f.dayFirst;
        return f;
    }
    if (a.size() > 2 || (c.size() != 2 && c.size() != 4)) return {};
    const int year = FullYear(vc, c.size());
    f.kind = DateField::Kind::Numeric;
    f.dotted = text[first] == QLatin1Char('.');
    f.dayFirst = QDate(year, vb, va);
    f.monthFirst = QDate(year, va, vb);
    return f;
}

DateField Spelled(QStringView text)
{
    // Words and numbers separated by blanks, commas, dots, hyphens or slashes.
    int month = 0;
    std::array<QStringView, 2> numbers;
    int numberCount = 0;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n &&
               (text[i].isSpace() || text[i] == QLatin1Char(',') || IsDatePunctuation(text[i])))
            ++i;
        if (i >= n) break;
        qsizetype j = i;
        while (j < n && !text[j].isSpace() && text[j] != QLatin1Char(',') &&
               !IsDatePunctuation(text[j]))
            ++j;
        const QStringView word = text.mid(i, j - i);
        i = j;
        if (IsDigit(word.front())) {
            const QStringView digits = WithoutOrdinal(word);
            if (DigitsValue(digits) < 0 || numberCount == 2) return {};
            numbers[static_cast<size_t>(numberCount++)] = digits;
        } else if (const int m = MonthFromName(word); m > 0 && month == 0) {
            month = m;
        } else if (!IsWeekdayName(word)) {
            return {};
        }
    }
    if (month == 0 || numberCount != 2) return {};
    // The year is the four-digit number, or the last one.
    const bool firstIsYear = numbers[0].size() == 4 && numbers[1].size() <= 2;
    const QStringView day = firstIsYear ? numbers[1] : numbers[0];
    const QStringView year = firstIsYear ? numbers[0] : numbers[1];
    if (day.size() > 2 || (year.size() != 2 && year.size() != 4)) return {};
    DateField f;
    f.kind = DateField::Kind::Spelled;
    f.dayFirst = QDate(FullYear(DigitsValue(year), year.size()), month, DigitsValue(day));
    f.monthFirst = f.dayFirst;
    return f;
}

} // namespace

int MonthFromName(QStringView word)
{
    static const std::array<QLatin1String, 12> names = {
        QLatin1String("january"), QLatin1String("february"), QLatin1String("march"),
        QLatin1String("april"),   QLatin1String("may"),      QLatin1String("june"),
        QLatin1String("july"),    QLatin1String("august"),   QLatin1String("september"),
        QLatin1String("october"), QLatin1String("november"), QLatin1String("december")};
    if (word.size() < 3) return 0;
    for (size_t m = 0; m < names.size(); ++m) {
        const QLatin1String name = names[m];
        // The full name, its first three letters, or "Sept".
        if (word.size() > name.size()) continue;
        if (word.size() != 3 && word.size() != name.size() && !(m == 8 && word.size() == 4))
            continue;
        if (QStringView(word).compare(QLatin1String(name.data(), word.size()),
                                      Qt::CaseInsensitive) == 0)
            return static_cast<int>(m) + 1;
    }
    return 0;
}

bool IsWeekdayName(QStringView word)
{
    static const std::array<QLatin1String, 7> names = {
        QLatin1String("monday"),   QLatin1String("tuesday"), QLatin1String("wednesday"),
        QLatin1String("thursday"), QLatin1String("friday"),  QLatin1String("saturday"),
        QLatin1String("sunday")};
    if (word.size() < 3) return false;
    for (const QLatin1String name : names) {
        if (word.size() != 3 && word.size() != name.size()) continue;
        if (word.compare(QLatin1String(name.data(), word.size()), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

DateField ClassifyDate(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 40) return {};
    if (IsDigit(text.front()) && IsDigit(text.back())) {
        if (const DateField compact = Compact(text); compact.looksLikeDate()) return compact;
        const DateField f = Numeric(text);
        if (f.looksLikeDate()) return f;
    }
    return Spelled(text);
}

} // namespace history

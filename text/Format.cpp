#include "text/Format.h"

#include <QLocale>
#include <cmath>

namespace text {

QString RightAlign(const QString& text, int width)
{
    if (width <= 0) return {};
    if (text.size() >= width) return text.left(width);
    return QString(width - text.size(), QLatin1Char(' ')) + text;
}

QString NumText(long long value)
{
    const QString digits = QString::number(value);
    return value < 0 ? digits : QLatin1Char(' ') + digits;
}

QString NumText(double value)
{
    // Shortest round-trip text, like the runtime's conversion of a single value.
    const QString digits = QString::number(value, 'g', 7);
    return value < 0 ? digits : QLatin1Char(' ') + digits;
}

QString Hashes(long long value)
{
    return value == 0 ? QString() : QString::number(value);
}

long long RoundHalfEven(double value)
{
    return static_cast<long long>(std::nearbyint(value)); // default rounding mode: half to even
}

QString HashesOneDecimal(double value)
{
    const double tenths = static_cast<double>(RoundHalfEven(value * 10.0));
    const bool negative = tenths < 0;
    const long long t = static_cast<long long>(std::fabs(tenths));
    const long long whole = t / 10;
    const long long frac = t % 10;
    QString out = negative ? QStringLiteral("-") : QString();
    if (whole != 0) out += QString::number(whole);
    out += QLatin1Char('.');
    if (frac != 0) out += QString::number(frac);
    return out;
}

QString Money(double value, MoneyPattern pattern)
{
    if (!std::isfinite(value)) return QString::number(value);
    const double centsD = std::nearbyint(value * 100.0); // a half cent goes to the even cent
    const bool negative = centsD < 0;
    QString digits;
    long long frac = 0;
    if (std::fabs(centsD) < 9e15) {
        const long long a = static_cast<long long>(std::fabs(centsD));
        digits = QString::number(a / 100);
        frac = a % 100;
    } else {
        // Beyond what an integer count of cents holds exactly; the cents are noise there.
        digits = QString::number(std::floor(std::fabs(value)), 'f', 0);
    }
    QString wholeText;
    if (digits != QLatin1String("0") || pattern == MoneyPattern::Total) {
        QString sep = QLocale().groupSeparator();
        // The decimal point is always "."; a locale grouping with "." would make 1.234.50.
        if (sep == QLatin1String(".")) sep = QStringLiteral(" ");
        for (qsizetype i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) wholeText += sep;
            wholeText += digits.at(i);
        }
    }
    QString out = negative ? QStringLiteral("-") : QString();
    out += wholeText + QLatin1Char('.') + QStringLiteral("%1").arg(frac, 2, 10, QLatin1Char('0'));
    return out;
}

double AmountValue(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (i < n && text.at(i) == QLatin1Char('-')) ++i;
    bool anyDigit = false;
    while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) {
        ++i;
        anyDigit = true;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        qsizetype j = i + 1;
        bool fracDigit = false;
        while (j < n && text.at(j).isDigit() && text.at(j).unicode() < 128) {
            ++j;
            fracDigit = true;
        }
        if (fracDigit || anyDigit) {
            i = j;
            anyDigit = anyDigit || fracDigit;
        }
    }
    if (!anyDigit) return 0.0;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0.0;
}

long long IntValue(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    long long v = 0;
    while (i < n && text.at(i).unicode() >= '0' && text.at(i).unicode() <= '9') {
        if (v < 1000000000000LL) v = v * 10 + (text.at(i).unicode() - '0');
        ++i;
    }
    return negative ? -v : v;
}

QString FileInMemoryText(const QString& title)
{
    return QStringLiteral(" File in Memory \n  ") + title + QStringLiteral("  ");
}

} // namespace text

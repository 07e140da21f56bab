// Which way a table's numeric dates read: day first or month first.
#include "models/history/Import.h"

#include <QLocale>
#include <algorithm>
#include <set>

namespace history {

namespace {

QString OrderName(DateOrder order)
{
    return order == DateOrder::DayFirst ? QStringLiteral("day-first")
                                        : QStringLiteral("month-first");
}

// The share of neighbouring rows whose dates lie one to seven days apart.
double CloseShare(const std::vector<QDate>& dates)
{
    int pairs = 0;
    int close = 0;
    for (size_t i = 1; i < dates.size(); ++i) {
        const qint64 gap = std::abs(dates[i].toJulianDay() - dates[i - 1].toJulianDay());
        if (gap == 0) continue; // two draws of one day
        ++pairs;
        close += gap <= 7 ? 1 : 0;
    }
    return pairs == 0 ? 0.0 : static_cast<double>(close) / pairs;
}

// "Wednesdays and Saturdays"; empty when the draws fall on more than three weekdays.
QString WeekdayNames(const std::vector<QDate>& dates)
{
    std::set<int> days;
    for (const QDate& d : dates)
        days.insert(d.dayOfWeek());
    if (days.size() > 3) return {};
    const QLocale english(QLocale::English);
    QStringList names;
    for (int day : days)
        names << english.dayName(day) + QLatin1Char('s');
    if (names.size() == 1) return names.front();
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

// Every date reads both ways: the reading whose draws lie a few days apart, when only one
// does, settles the order.
bool SettleBySpacing(const std::vector<QDate>& dayFirst, const std::vector<QDate>& monthFirst,
                     DateOrderFinding& f)
{
    constexpr size_t EnoughRows = 4;
    if (dayFirst.size() < EnoughRows) return false;
    const double df = CloseShare(dayFirst);
    const double mf = CloseShare(monthFirst);
    const bool dayFirstFits = df >= 0.75 && mf <= 0.5;
    const bool monthFirstFits = mf >= 0.75 && df <= 0.5;
    if (!dayFirstFits && !monthFirstFits) return false;
    f.order = dayFirstFits ? DateOrder::DayFirst : DateOrder::MonthFirst;
    f.rule = DateOrderRule::Spacing;
    f.weekdays = WeekdayNames(dayFirstFits ? dayFirst : monthFirst);
    return true;
}

} // namespace

QString DateOrderFinding::explanation() const
{
    const QString name = OrderName(order);
    switch (rule) {
    case DateOrderRule::None:
        return {};
    case DateOrderRule::Preferred:
        return QStringLiteral("Every date reads both day-first and month-first; reading them "
                              "%1. Choose the order if that is wrong.")
            .arg(name);
    case DateOrderRule::Dots:
        return QStringLiteral("Dates written with dots (%1) are read day-first, as the countries "
                              "that write them so do.")
            .arg(settlingText);
    case DateOrderRule::Spacing:
        return QStringLiteral("Every date reads both ways; read %1, the draws fall %2 a few days "
                              "apart, so they are read %1.")
            .arg(name, weekdays.isEmpty() ? QStringLiteral("on most days")
                                          : QStringLiteral("on ") + weekdays);
    case DateOrderRule::DayOver12:
        break;
    }
    QString text = QStringLiteral("Dates are read %1: line %2 has %3, which reads no other way.")
                       .arg(name)
                       .arg(settlingLine)
                       .arg(settlingText);
    if (contrary > 0)
        text += QStringLiteral(" %1 rows read only the other way and are rejected.").arg(contrary);
    return text;
}

DateOrderFinding FindDateOrder(const SourceTable& table, int dateColumn, DateOrder preferred)
{
    DateOrderFinding f;
    f.order = preferred;
    if (dateColumn < 0) return f;
    int dayFirstOnly = 0;
    int monthFirstOnly = 0;
    int dayFirstLine = 0;
    int monthFirstLine = 0;
    QString dayFirstText;
    QString monthFirstText;
    int numeric = 0;
    int dotted = 0;
    QString dottedText;
    std::vector<QDate> bothDayFirst;
    std::vector<QDate> bothMonthFirst;
    for (const SourceRow& row : table.rows) {
        if (dateColumn >= row.fields.size()) continue;
        const QString& text = row.fields[dateColumn];
        const DateField d = ClassifyDate(text);
        if (d.kind != DateField::Kind::Numeric) continue;
        ++numeric;
        if (d.dotted && dotted++ == 0) dottedText = text;
        const bool df = d.dayFirst.isValid();
        const bool mf = d.monthFirst.isValid();
        if (df && mf) {
            bothDayFirst.push_back(d.dayFirst);
            bothMonthFirst.push_back(d.monthFirst);
        } else if (df && dayFirstOnly++ == 0) {
            dayFirstLine = row.line;
            dayFirstText = text;
        } else if (mf && !df && monthFirstOnly++ == 0) {
            monthFirstLine = row.line;
            monthFirstText = text;
        }
    }
    f.numericDates = numeric > 0;
    if (!f.numericDates) return f;
    if (dayFirstOnly == 0 && monthFirstOnly == 0) {
        if (dotted == numeric) {
            f.order = DateOrder::DayFirst;
            f.rule = DateOrderRule::Dots;
            f.settlingText = dottedText;
        } else if (!SettleBySpacing(bothDayFirst, bothMonthFirst, f)) {
            f.rule = DateOrderRule::Preferred;
            f.ambiguous = true;
        }
        return f;
    }
    // Both at once can only be a damaged source: the larger side wins, the other is rejected.
    const bool dayFirst = dayFirstOnly >= monthFirstOnly;
    f.rule = DateOrderRule::DayOver12;
    f.order = dayFirst ? DateOrder::DayFirst : DateOrder::MonthFirst;
    f.settlingLine = dayFirst ? dayFirstLine : monthFirstLine;
    f.settlingText = dayFirst ? dayFirstText : monthFirstText;
    f.contrary = dayFirst ? monthFirstOnly : dayFirstOnly;
    return f;
}

} // namespace history

#include "models/history/RememberedSource.h"

#include <QJsonArray>
#include <algorithm>
#include <limits>

namespace history {

namespace {

const QString kLocation = QStringLiteral("location");
const QString kSeparator = QStringLiteral("separator");
const QString kHeader = QStringLiteral("header");
const QString kDate = QStringLiteral("date_column");
const QString kOrder = QStringLiteral("date_order");
const QString kNumbers = QStringLiteral("number_columns");
const QString kExtras = QStringLiteral("extra_balls_left_out");
const QString kSort = QStringLiteral("sort_numbers");
const QString kColumn = QStringLiteral("column");
const QString kName = QStringLiteral("name");
const QString kFirst = QStringLiteral("first");
const QString kLast = QStringLiteral("last");

constexpr Separator kSeparators[] = {Separator::Comma, Separator::Semicolon,  Separator::Tab,
                                     Separator::Pipe,  Separator::Whitespace, Separator::Json};

QString OrderName(DateOrder order)
{
    return order == DateOrder::DayFirst ? QStringLiteral("day first")
                                        : QStringLiteral("month first");
}

RememberedColumn ColumnOf(const SourceTable& table, const NumberPick& pick)
{
    const QString name = table.hasHeader ? table.header.value(pick.column).trimmed() : QString();
    return {pick.column, name, pick.first, pick.last};
}

// Whether `pick` takes any of the positions first..last (last 0: to the end) of its column.
bool Takes(const NumberPick& pick, int column, int first, int last)
{
    constexpr int End = std::numeric_limits<int>::max();
    if (pick.column != column) return false;
    const int pickLast = pick.last == 0 ? End : pick.last;
    return pick.first <= (last == 0 ? End : last) && first <= pickLast;
}

QJsonObject ColumnJson(const RememberedColumn& c, bool positions)
{
    QJsonObject o{{kColumn, c.column + 1}};
    if (!c.name.isEmpty()) o.insert(kName, c.name);
    if (positions && (c.first != 1 || c.last != 0)) {
        o.insert(kFirst, c.first);
        o.insert(kLast, c.last);
    }
    return o;
}

// A whole number from `low` up, or nothing.
std::optional<int> Whole(const QJsonValue& value, int low)
{
    const double v = value.toDouble(-1);
    if (!value.isDouble() || v != static_cast<int>(v) || v < low) return std::nullopt;
    return static_cast<int>(v);
}

std::optional<RememberedColumn> ColumnFromJson(const QJsonValue& value, const QString& what,
                                               QString& problem)
{
    const QJsonObject o = value.toObject();
    const std::optional<int> column = Whole(o.value(kColumn), 1);
    const std::optional<int> first =
        o.contains(kFirst) ? Whole(o.value(kFirst), 1) : std::optional<int>(1);
    const std::optional<int> last =
        o.contains(kLast) ? Whole(o.value(kLast), 0) : std::optional<int>(0);
    if (!value.isObject() || !column || !first || !last || (*last != 0 && *last < *first) ||
        (o.contains(kName) && !o.value(kName).isString())) {
        problem = QStringLiteral("%1 is not a column (\"column\" from 1, an optional \"name\", "
                                 "\"first\" and \"last\" positions)")
                      .arg(what);
        return std::nullopt;
    }
    return RememberedColumn{*column - 1, o.value(kName).toString(), *first, *last};
}

// Where the remembered column is in the table now: by its name when it has one and the table
// a header (at its old place if the name is there more than once), else by its place.
int FindColumn(const RememberedColumn& c, const SourceTable& table)
{
    if (c.name.isEmpty() || !table.hasHeader) return c.column < table.columnCount() ? c.column : -1;
    auto named = [&table, &c](int column) {
        return table.header.value(column).trimmed().compare(c.name, Qt::CaseInsensitive) == 0;
    };
    if (named(c.column)) return c.column;
    for (int column = 0; column < table.header.size(); ++column)
        if (named(column)) return column;
    return -1;
}

} // namespace

bool IsWebAddress(const QString& location)
{
    return location.startsWith(QLatin1String("https://"), Qt::CaseInsensitive) ||
           IsPlainHttp(location);
}

bool IsPlainHttp(const QString& location)
{
    return location.startsWith(QLatin1String("http://"), Qt::CaseInsensitive);
}

RememberedSource RememberSource(const QString& location, const SourceTable& table,
                                const Detection& detection, const Mapping& mapping,
                                bool sortNumbers)
{
    RememberedSource s;
    s.location = location;
    s.separator = table.separator;
    s.header = table.hasHeader;
    s.date = ColumnOf(table, NumberPick{mapping.dateColumn()});
    s.order = mapping.order;
    for (const NumberPick& pick : mapping.numbers)
        s.numbers.push_back(ColumnOf(table, pick));
    for (int c = 0; c < static_cast<int>(detection.columns.size()); ++c) {
        const ColumnGuess& guess = detection.columns[static_cast<size_t>(c)];
        if (!guess.extra) continue;
        const NumberPick extra = guess.mainPositions > 0
                                     ? NumberPick{c, guess.mainPositions + 1, guess.perField}
                                     : NumberPick{c};
        const bool taken = std::any_of(mapping.numbers.begin(), mapping.numbers.end(),
                                       [&extra](const NumberPick& p) {
                                           return Takes(p, extra.column, extra.first, extra.last);
                                       });
        if (!taken) s.extraBallsLeftOut << ColumnRefText(table, extra);
    }
    s.sortNumbers = sortNumbers;
    return s;
}

QJsonObject ToJson(const RememberedSource& source)
{
    QJsonArray numbers;
    for (const RememberedColumn& c : source.numbers)
        numbers.append(ColumnJson(c, true));
    return {
        {kLocation, source.location},
        {kSeparator, SeparatorName(source.separator)},
        {kHeader, source.header},
        {kDate, ColumnJson(source.date, false)},
        {kOrder, OrderName(source.order)},
        {kNumbers, numbers},
        {kExtras, QJsonArray::fromStringList(source.extraBallsLeftOut)},
        {kSort, source.sortNumbers},
    };
}

std::optional<RememberedSource> FromJson(const QJsonObject& object, QString& problem)
{
    RememberedSource s;
    s.location = object.value(kLocation).toString();
    if (s.location.trimmed().isEmpty()) {
        problem = QStringLiteral("\"location\" is missing");
        return std::nullopt;
    }
    const QString separator = object.value(kSeparator).toString();
    const auto known =
        std::find_if(std::begin(kSeparators), std::end(kSeparators),
                     [&separator](Separator each) { return SeparatorName(each) == separator; });
    if (known == std::end(kSeparators)) {
        problem = QStringLiteral("\"separator\" is not one the import reads");
        return std::nullopt;
    }
    s.separator = *known;
    const QString order = object.value(kOrder).toString();
    if (!object.value(kHeader).isBool() || !object.value(kSort).isBool() ||
        (order != OrderName(DateOrder::DayFirst) && order != OrderName(DateOrder::MonthFirst))) {
        problem = QStringLiteral("\"header\", \"sort_numbers\" or \"date_order\" is missing");
        return std::nullopt;
    }
    s.header = object.value(kHeader).toBool();
    s.sortNumbers = object.value(kSort).toBool();
    s.order = order == OrderName(DateOrder::DayFirst) ? DateOrder::DayFirst : DateOrder::MonthFirst;
    const std::optional<RememberedColumn> date =
        ColumnFromJson(object.value(kDate), kDate, problem);
    if (!date) return std::nullopt;
    s.date = *date;
    const QJsonArray numbers = object.value(kNumbers).toArray();
    if (numbers.isEmpty()) {
        problem = QStringLiteral("\"number_columns\" is missing");
        return std::nullopt;
    }
    for (const QJsonValue& n : numbers) {
        const std::optional<RememberedColumn> c = ColumnFromJson(n, kNumbers, problem);
        if (!c) return std::nullopt;
        s.numbers.push_back(*c);
    }
    for (const QJsonValue& e : object.value(kExtras).toArray())
        s.extraBallsLeftOut << e.toString();
    return s;
}

SourceTable ReadRememberedTable(const QString& text, const RememberedSource& source)
{
    return ReadTable(text, source.separator, source.header);
}

bool ResolveMapping(const RememberedSource& source, const SourceTable& table, Mapping& mapping,
                    QString& problem)
{
    auto gone = [&problem](const RememberedColumn& c) {
        problem = c.name.isEmpty() ? QStringLiteral("no column %1 any more").arg(c.column + 1)
                                   : QStringLiteral("no column \"%1\" any more").arg(c.name);
        return false;
    };
    Mapping m;
    m.order = source.order;
    m.date = FindColumn(source.date, table);
    if (m.date < 0) return gone(source.date);
    for (const RememberedColumn& c : source.numbers) {
        const int column = FindColumn(c, table);
        if (column < 0) return gone(c);
        m.numbers.push_back({column, c.first, c.last});
    }
    mapping = m;
    return true;
}

} // namespace history

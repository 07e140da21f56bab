// Which columns a draw is read from, and the command line's references to them.
#include "models/history/Import.h"

#include <algorithm>

namespace history {

ColumnRole Mapping::role(int column) const
{
    if (column == date) return ColumnRole::Date;
    const bool taken = std::any_of(numbers.begin(), numbers.end(),
                                   [column](const NumberPick& p) { return p.column == column; });
    return taken ? ColumnRole::Numbers : ColumnRole::Ignore;
}

std::vector<ColumnRole> Mapping::roles(int columns) const
{
    std::vector<ColumnRole> r;
    for (int c = 0; c < columns; ++c)
        r.push_back(role(c));
    return r;
}

void Mapping::setRole(int column, ColumnRole role)
{
    if (role == ColumnRole::Numbers) {
        setPick({column});
        if (date == column) date = -1;
        return;
    }
    std::erase_if(numbers, [column](const NumberPick& p) { return p.column == column; });
    if (role == ColumnRole::Date)
        date = column;
    else if (date == column)
        date = -1;
}

void Mapping::setPick(const NumberPick& pick)
{
    std::erase_if(numbers, [&pick](const NumberPick& p) { return p.column == pick.column; });
    const auto at = std::find_if(numbers.begin(), numbers.end(),
                                 [&pick](const NumberPick& p) { return p.column > pick.column; });
    numbers.insert(at, pick);
    if (date == pick.column) date = -1;
}

bool ParseColumnRef(const QString& ref, const SourceTable& table, NumberPick& pick, QString& error)
{
    QString name = ref.trimmed();
    pick = NumberPick{};
    if (name.endsWith(QLatin1Char(']')) && name.contains(QLatin1Char('['))) {
        const qsizetype open = name.lastIndexOf(QLatin1Char('['));
        const QString range = name.mid(open + 1, name.size() - open - 2).trimmed();
        name = name.left(open).trimmed();
        const qsizetype dash = range.indexOf(QLatin1Char('-'));
        bool okFirst = false;
        bool okLast = true;
        pick.first = (dash < 0 ? range : range.left(dash)).trimmed().toInt(&okFirst);
        pick.last = pick.first;
        if (dash >= 0) {
            const QString last = range.mid(dash + 1).trimmed();
            pick.last = last.isEmpty() ? 0 : last.toInt(&okLast);
        }
        if (!okFirst || !okLast || pick.first < 1 || (pick.last != 0 && pick.last < pick.first)) {
            error = QStringLiteral("\"%1\": positions are written [1-5] or [6]").arg(ref.trimmed());
            return false;
        }
    }
    for (int c = 0; c < table.header.size(); ++c) {
        if (table.header[c].trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            pick.column = c;
            return true;
        }
    }
    bool isNumber = false;
    const int number = name.toInt(&isNumber);
    if (isNumber && number >= 1 && number <= table.columnCount()) {
        pick.column = number - 1;
        return true;
    }
    QStringList names;
    for (int c = 0; c < table.columnCount(); ++c)
        names << QStringLiteral("%1 %2").arg(c + 1).arg(table.columnName(c));
    error = QStringLiteral("no column \"%1\"; the columns are: %2")
                .arg(name, names.join(QStringLiteral(", ")));
    return false;
}

QString ColumnRefText(const SourceTable& table, const NumberPick& pick)
{
    QString text = pick.column < table.header.size() && !table.header[pick.column].isEmpty()
                       ? table.header[pick.column].trimmed()
                       : QString::number(pick.column + 1);
    if (pick.wholeField()) return text;
    if (pick.last == pick.first) return text + QStringLiteral("[%1]").arg(pick.first);
    if (pick.last == 0) return text + QStringLiteral("[%1-]").arg(pick.first);
    return text + QStringLiteral("[%1-%2]").arg(pick.first).arg(pick.last);
}

} // namespace history

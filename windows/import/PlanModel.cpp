#include "windows/import/PlanModel.h"

namespace history {

namespace {

QString StatusText(const PlannedRow& row, bool replace)
{
    switch (row.status) {
    case RowStatus::New:
        return QStringLiteral("new");
    case RowStatus::Present:
        return QStringLiteral("already present");
    case RowStatus::Conflict:
        return replace && row.record > 0 ? QStringLiteral("replaces record %1").arg(row.record)
                                         : QStringLiteral("conflict, left out");
    case RowStatus::Rejected:
        return QStringLiteral("rejected");
    case RowStatus::OutsideRange:
        return QStringLiteral("outside the range");
    }
    return {};
}

} // namespace

void PlanModel::setPlan(const ImportPlan* plan, bool replace, Shown shown)
{
    beginResetModel();
    m_plan = plan;
    m_replaceConflicts = replace;
    m_shown.clear();
    if (plan != nullptr) {
        for (size_t r = 0; r < plan->rows.size(); ++r) {
            const RowStatus s = plan->rows[r].status;
            const bool problem = s == RowStatus::Rejected || s == RowStatus::Conflict;
            if (shown == Shown::All || problem || (shown == Shown::Changes && s == RowStatus::New))
                m_shown.push_back(r);
        }
    }
    endResetModel();
}

const PlannedRow* PlanModel::plannedRow(int row) const
{
    if (m_plan == nullptr || row < 0 || static_cast<size_t>(row) >= m_shown.size()) return nullptr;
    return &m_plan->rows[m_shown[static_cast<size_t>(row)]];
}

int PlanModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int PlanModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant PlanModel::data(const QModelIndex& index, int role) const
{
    const PlannedRow* row = index.isValid() ? plannedRow(index.row()) : nullptr;
    if (row == nullptr || index.column() >= 5) return {};
    if (role == Qt::TextAlignmentRole && index.column() == 0)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case 0:
        return row->line;
    case 1:
        return StatusText(*row, m_replaceConflicts);
    case 2:
        return row->date.isValid() ? row->date.toString(Qt::ISODate) : QString();
    case 3: {
        QStringList n;
        for (int v : row->numbers)
            n << QString::number(v);
        return n.join(QLatin1Char(' '));
    }
    case 4:
        return row->reason;
    }
    return {};
}

QVariant PlanModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const QStringList names = {QStringLiteral("Line"), QStringLiteral("What happens"),
                                      QStringLiteral("Date"), QStringLiteral("Numbers"),
                                      QStringLiteral("Reason")};
    return names.value(section);
}

} // namespace history

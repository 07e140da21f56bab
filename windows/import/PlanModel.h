#pragma once
// The planned rows of an import for the preview grid: line, what happens, date, numbers,
// reason; all of them, only the problems (rejected rows and conflicts), or only the changes (an
// update: the new rows and the problems).
#include "models/history/Import.h"

#include <QAbstractTableModel>
#include <vector>

namespace history {

class PlanModel final : public QAbstractTableModel {
public:
    enum class Shown { All, Problems, Changes };
    void setPlan(const ImportPlan* plan, bool replace, Shown shown);
    // The plan's row shown at `row`.
    const PlannedRow* plannedRow(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ImportPlan* m_plan = nullptr;
    bool m_replaceConflicts = false;
    std::vector<size_t> m_shown; // the plan's rows shown, in order
};

} // namespace history

// The column list of Import Draws: what each column looks like and what it is used as.
#include "windows/import/ImportDialog.h"

#include "models/state/AppState.h"
#include "ui/Dialogs.h"
#include "ui/Services.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

namespace history {

namespace {

QString ChoiceText(ColumnRole role, const NumberPick& pick)
{
    switch (role) {
    case ColumnRole::Ignore:
        return QStringLiteral("Leave out");
    case ColumnRole::Date:
        return QStringLiteral("Date");
    case ColumnRole::Numbers:
        break;
    }
    if (pick.wholeField()) return QStringLiteral("Numbers");
    if (pick.first == pick.last) return QStringLiteral("Number %1").arg(pick.first);
    return QStringLiteral("Numbers %1-%2").arg(pick.first).arg(pick.last);
}

// A cell that shows as much of its text as fits, and the whole of it as its tooltip.
QTableWidgetItem* ElidedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    return item;
}

} // namespace

void ImportDialog::guessColumns()
{
    if (m_state.database.recordCount() > 0 || m_table.rows.empty()) {
        replan();
        return;
    }
    // The date column and its order stay as they are; the numbers are found again.
    m_detection = Detect(m_table, m_picks->value(), m_mapping.order, m_highNumber->value());
    m_mapping.numbers = m_detection.mapping.numbers;
    showColumns();
    replan();
}

void ImportDialog::showColumns()
{
    const int columns = static_cast<int>(m_detection.columns.size());
    m_columns->setRowCount(columns);
    m_useChoices.assign(static_cast<size_t>(columns), {});
    for (int c = 0; c < columns; ++c) {
        const ColumnGuess& guess = m_detection.columns[static_cast<size_t>(c)];
        m_columns->setItem(c, 0, ElidedItem(guess.name));
        m_columns->setItem(c, 1, ElidedItem(guess.sample));
        m_columns->setItem(c, 2, ElidedItem(guess.kind));
        std::vector<UseChoice>& choices = m_useChoices[static_cast<size_t>(c)];
        choices = {{ColumnRole::Ignore, {c}}, {ColumnRole::Date, {c}}, {ColumnRole::Numbers, {c}}};
        // A field of several numbers can give the first ones and the last ones apart.
        if (guess.perField >= 2) {
            const int split = guess.mainPositions > 0 ? guess.mainPositions : guess.perField - 1;
            choices.push_back({ColumnRole::Numbers, {c, 1, split}});
            choices.push_back({ColumnRole::Numbers, {c, split + 1, guess.perField}});
        }
        auto* use = new QComboBox(m_columns);
        use->setObjectName(QStringLiteral("IUse%1").arg(c));
        use->setAccessibleName(QStringLiteral("Use %1 as").arg(guess.name));
        for (const UseChoice& choice : choices)
            use->addItem(ChoiceText(choice.role, choice.pick));
        use->installEventFilter(this);
        connect(use, &QComboBox::activated, this, [this, c](int index) {
            const UseChoice choice =
                m_useChoices[static_cast<size_t>(c)][static_cast<size_t>(index)];
            if (choice.role == ColumnRole::Numbers && !choice.pick.wholeField())
                setColumnPick(choice.pick);
            else
                setColumnRole(c, choice.role);
        });
        m_columns->setCellWidget(c, 3, use);
    }
    // Long names and first values are cut short (their tooltip holds the whole), so that "Looks
    // like" and "Use as" always stay in view.
    const int widest = fontMetrics().averageCharWidth() * 24;
    for (int c : {0, 1}) {
        m_columns->resizeColumnToContents(c);
        m_columns->setColumnWidth(c, std::min(m_columns->columnWidth(c), widest));
    }
    int useWidth = 0;
    for (int c = 0; c < columns; ++c)
        useWidth = std::max(useWidth, m_columns->cellWidget(c, 3)->sizeHint().width());
    if (columns > 0) m_columns->setColumnWidth(3, useWidth + 8);
    showColumnUses();
}

void ImportDialog::showColumnUses()
{
    for (int c = 0; c < m_columns->rowCount(); ++c) {
        auto* use = qobject_cast<QComboBox*>(m_columns->cellWidget(c, 3));
        if (use == nullptr) continue;
        const ColumnRole role = m_mapping.role(c);
        const auto pick = std::find_if(m_mapping.numbers.begin(), m_mapping.numbers.end(),
                                       [c](const NumberPick& p) { return p.column == c; });
        const std::vector<UseChoice>& choices = m_useChoices[static_cast<size_t>(c)];
        int current = 0;
        for (size_t i = 0; i < choices.size(); ++i) {
            if (choices[i].role != role) continue;
            if (role != ColumnRole::Numbers || choices[i].pick == *pick) {
                current = static_cast<int>(i);
                break;
            }
            if (choices[i].pick.wholeField()) current = static_cast<int>(i);
        }
        const QSignalBlocker quiet(use);
        use->setCurrentIndex(current);
    }
}

bool ImportDialog::setColumnRole(int column, ColumnRole role)
{
    if (column < 0 || column >= static_cast<int>(m_detection.columns.size())) return false;
    const int date = m_mapping.dateColumn();
    if (role == ColumnRole::Date && date >= 0 && date != column &&
        !m_services.dialogs.ask(
            QStringLiteral("Import Draws"),
            QStringLiteral("%1 holds the dates now. Take the dates from %2 instead, and leave "
                           "%1 out?")
                .arg(m_detection.columns[static_cast<size_t>(date)].name,
                     m_detection.columns[static_cast<size_t>(column)].name))) {
        showColumnUses();
        return false;
    }
    m_mapping.setRole(column, role);
    showColumnUses();
    refreshDateOrder();
    replan();
    return true;
}

void ImportDialog::setColumnPick(const NumberPick& pick)
{
    m_mapping.setPick(pick);
    showColumnUses();
    refreshDateOrder();
    replan();
}

void ImportDialog::refreshDateOrder()
{
    const DateOrderFinding finding =
        FindDateOrder(m_table, m_mapping.dateColumn(), m_mapping.order);
    m_dateOrderNote->setText(finding.explanation());
    m_dateOrder->setEnabled(finding.numericDates);
}

bool ImportDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Up and Down move between the columns' "Use as" boxes instead of changing a box's choice;
    // with a box's list open, they move in the list as usual.
    auto* use = qobject_cast<QComboBox*>(watched);
    if (use != nullptr && event->type() == QEvent::KeyPress && !use->view()->isVisible()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int step = key->key() == Qt::Key_Up ? -1 : key->key() == Qt::Key_Down ? 1 : 0;
        if (step != 0 && key->modifiers() == Qt::NoModifier) {
            for (int c = 0; c < m_columns->rowCount(); ++c) {
                if (m_columns->cellWidget(c, 3) != use) continue;
                const int next = std::clamp(c + step, 0, m_columns->rowCount() - 1);
                m_columns->setCurrentCell(next, 3);
                m_columns->cellWidget(next, 3)->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace history

// The Database window's entry row: the proposed date, its leave check, and adding the record
// typed there.
#include "windows/database/DatabaseWindow.h"

#include "models/state/AppState.h"
#include "models/stats/Frequency.h"
#include "text/Dates.h"
#include "text/Format.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/InputBox.h"
#include "ui/Services.h"
#include "windows/database/DatabaseWindowCommon.h"

#include <QLabel>

namespace database {

using namespace dbwin;

void DatabaseWindow::advanceDate()
{
    const entry::Advance a = entry::AdvanceDate(m_state.database, m_services.clock.today());
    m_proposedDate = a.proposed;
    m_shownAdvance = a.shown;
    m_date->setText(text::ShortDate(a.proposed));
    showNextStep();
}

void DatabaseWindow::showNextStep()
{
    m_nextStep->setText(QStringLiteral(" Next:") +
                        text::NumText(static_cast<long long>(m_shownAdvance)) +
                        QStringLiteral(" days from"));
}

bool DatabaseWindow::leaveDate()
{
    if (!m_date->edited()) return true;
    const auto date = text::ParseDate(m_date->text());
    if (!date) {
        m_services.dialogs.message(QStringLiteral("Entry error"),
                                   QStringLiteral("Not a proper date, try again. "));
        // Back to the date once the focus change under way has finished; the box stays
        // marked as typed into, so leaving it again checks it again.
        QMetaObject::invokeMethod(
            this, [this] { m_date->setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
        return false;
    }
    m_date->setEdited(false);
    m_date->setText(text::ShortDate(*date));
    return true;
}

QStringList DatabaseWindow::visibleBoxTexts() const
{
    QStringList out;
    for (int k = 0; k < m_visibleBoxes; ++k)
        out << m_numbers[static_cast<size_t>(k)]->text();
    return out;
}

void DatabaseWindow::clearVisibleBoxes()
{
    for (int k = 0; k < m_visibleBoxes; ++k)
        m_numbers[static_cast<size_t>(k)]->clear();
}

void DatabaseWindow::showEntryError(const entry::Check& check, bool pending)
{
    ui::Dialogs& d = m_services.dialogs;
    switch (check.problem) {
    case entry::Problem::Missing:
        d.message(kEntryError, pending ? QStringLiteral(" Missing number")
                                       : QStringLiteral(" Correct: missing number."));
        break;
    case entry::Problem::TooHigh:
        d.message(kEntryError, QStringLiteral(" Correct: number ") + check.boxText +
                                   QStringLiteral(" is higher than allowed in Draw."));
        break;
    case entry::Problem::Zero:
        d.message(kEntryError, QStringLiteral(" Correct: number 0 not allowed in Draw."));
        break;
    case entry::Problem::Full:
        d.message(kHelp, kMaxRecords);
        break;
    default:
        break;
    }
    if (check.box >= 0 && check.box < m_visibleBoxes)
        m_numbers[static_cast<size_t>(check.box)]->setFocus();
}

void DatabaseWindow::addRecord()
{
    const QStringList boxes = visibleBoxTexts();
    const entry::Check first = entry::CheckFirst(boxes);
    if (first.problem == entry::Problem::NoRecord) {
        m_services.dialogs.message(kHelp, QStringLiteral(" No record to add to database."));
        return;
    }
    if (first.problem == entry::Problem::Duplicate) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Correct: duplicate numbers."));
        return;
    }
    if (m_pendingOption == entry::Option::Correct || m_pendingOption == entry::Option::Insert) {
        applyPending(boxes);
        return;
    }
    m_state.Modified = true;
    append(boxes);
}

void DatabaseWindow::append(const QStringList& boxes)
{
    DrawDatabase& db = m_state.database;
    const entry::Check c = entry::Append(db, m_date->text(), boxes);
    switch (c.problem) {
    case entry::Problem::None:
        break;
    case entry::Problem::NoRecord:
        return;
    case entry::Problem::BadDate:
        m_services.dialogs.message(kEntryError, QStringLiteral("Check for wrong entry."));
        return;
    default:
        showEntryError(c, false);
        return;
    }

    ui::BusyPointer busy(m_services.dialogs);
    if (m_gridCapacity < db.recordCount() + 4) layOutGrid();
    fillRecordGrid();
    advanceDate();
    clearVisibleBoxes();
    stats::RecomputeFrequencies(db, shownMeasure(), m_state.stats);
    showCounts();
    m_numbers[0]->setFocus();
}

} // namespace database

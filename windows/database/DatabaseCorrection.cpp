// "Correct &Record" of the Database window: correcting, inserting and deleting a record, and
// "&Delete All", which erases the database in memory.
#include "windows/database/DatabaseWindow.h"

#include "models/state/AppState.h"
#include "models/stats/Frequency.h"
#include "text/Dates.h"
#include "text/Format.h"
#include "ui/Dialogs.h"
#include "ui/InputBox.h"
#include "ui/Services.h"
#include "windows/database/DatabaseWindowCommon.h"

#include <QLabel>
#include <QPushButton>

namespace database {

using namespace dbwin;

void DatabaseWindow::correctRecord()
{
    DrawDatabase& db = m_state.database;
    if (db.recordCount() == 0) {
        m_services.dialogs.message(kHelp, QStringLiteral(" No records to correct "));
        return;
    }
    const entry::RecordChoice choice = m_chooser ? m_chooser(this) : entry::RecordChoice{};
    if (choice.record == 0 || choice.option == entry::Option::None) return;
    if (choice.record > db.recordCount()) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Record Number does not exist."));
        return;
    }

    switch (choice.option) {
    case entry::Option::Correct:
        startCorrection(choice.record);
        break;
    case entry::Option::Insert:
        startInsertion(choice.record);
        break;
    case entry::Option::Delete:
        deleteRecord(choice.record);
        break;
    case entry::Option::None:
        break;
    }
}

// The record is shown in the entry row, to be changed there and written by "&Add Record".
void DatabaseWindow::startCorrection(int record)
{
    const DrawRecord& rec = m_state.database.record(record);
    m_pendingOption = entry::Option::Correct;
    m_selectedRecord = record;
    setOperationButtonsVisible(false);
    m_entryRowName->setText(text::NumText(static_cast<long long>(rec.RecordNo)));
    m_date->setText(text::ShortDate(rec.DrawDate));
    for (int k = 0; k < m_visibleBoxes; ++k)
        m_numbers[static_cast<size_t>(k)]->setText(
            text::Hashes(rec.Numbers[static_cast<size_t>(k)]));
    m_date->setFocus();
}

// The entry row waits for the new record; "&Add Record" sorts it into its date position.
void DatabaseWindow::startInsertion(int record)
{
    // The table holds no more records than an append may make.
    if (m_state.database.recordCount() >= DrawDatabase::MaxRecords) {
        m_services.dialogs.message(kHelp, kMaxRecords);
        return;
    }
    m_pendingOption = entry::Option::Insert;
    m_selectedRecord = record;
    setOperationButtonsVisible(false);
    m_entryRowName->setText(QStringLiteral("Insert"));
    m_date->clear();
    m_date->setFocus();
}

void DatabaseWindow::deleteRecord(int record)
{
    ui::BusyPointer busy(m_services.dialogs);
    entry::DeleteRecord(m_state.database, record);
    m_state.Modified = true;
    m_pendingOption = entry::Option::None;
    m_selectedRecord = 0;
    clearGrids();
    showDatabase();
}

void DatabaseWindow::applyPending(const QStringList& boxes)
{
    DrawDatabase& db = m_state.database;
    const QString date = m_date->text();
    entry::Check c;
    {
        ui::BusyPointer busy(m_services.dialogs);
        c = m_pendingOption == entry::Option::Correct
                ? entry::ApplyCorrection(db, m_selectedRecord, date, boxes)
                : entry::ApplyInsertion(db, date, boxes);
    }
    switch (c.problem) {
    case entry::Problem::None:
        m_state.Modified = true;
        break;
    case entry::Problem::Missing:
    case entry::Problem::TooHigh:
    case entry::Problem::Zero:
        // The entry row stays as typed and the operation is still pending.
        showEntryError(c, true);
        return;
    case entry::Problem::BadDate:
        // An unreadable date is bad input like any other: said so, and nothing typed is lost.
        m_services.dialogs.message(QStringLiteral("Entry error"),
                                   QStringLiteral("Not a proper date, try again. "));
        m_date->setFocus();
        return;
    case entry::Problem::DateAfterLast:
        m_services.dialogs.message(kHelp,
                                   QStringLiteral(" Date cannot be greater than last record.") +
                                       text::ShortDate(c.lastDate));
        break;
    default:
        m_services.dialogs.message(kHelp, kMaxRecords);
        break;
    }
    endPending();
}

void DatabaseWindow::endPending()
{
    ui::BusyPointer busy(m_services.dialogs);
    m_pendingOption = entry::Option::None;
    m_selectedRecord = 0;
    setOperationButtonsVisible(true);
    m_state.database.sortByDate();
    clearGrids();
    showDatabase();
    m_numbers[0]->setFocus();
}

void DatabaseWindow::setOperationButtonsVisible(bool visible)
{
    m_showGraph->setVisible(visible);
    m_import->setVisible(visible);
    m_update->setVisible(visible);
    m_deleteAll->setVisible(visible);
    m_correctRecord->setVisible(visible);
}

void DatabaseWindow::deleteAll()
{
    if (!m_services.dialogs.ask(QStringLiteral("Erase Database"),
                                QStringLiteral("Yes will delete the database file in memory.")))
        return;
    m_state.stats.FrequencyTable.fill(stats::FrequencyRow{});
    m_state.database.erase();
    m_title->clear();
    m_state.setFileInMemory({});
    m_state.forgetTickets();
    m_topNumbers->clear();
    m_showingTopNumbers = false;
    m_state.topNumbersHeading.clear();
    m_state.topNumbersList.clear();
    layOutGrid();
    clearGrids();
}

} // namespace database

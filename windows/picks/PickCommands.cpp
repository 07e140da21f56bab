// The Pick-a-Winner window's commands: Calculate, Select All, Clear All and To Printer.
#include "models/state/AppState.h"
#include "text/Format.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/Printer.h"
#include "ui/QuickHelpPanel.h"
#include "ui/Services.h"
#include "windows/picks/PickWindow.h"
#include "windows/picks/PickWindowShared.h"

#include <QLabel>

namespace picks {

// The lottery the setup boxes describe becomes the session's, unless a box is empty.
bool PickWindow::takeSetup(const CalculateSetup& setup)
{
    if (setup.missing) {
        m_services.dialogs.message(QStringLiteral("Error"),
                                   QStringLiteral("Cannot work with missing number "));
        return false;
    }
    m_session.LotteryHigh = setup.high;
    m_session.PickCount = setup.picks;
    return true;
}

void PickWindow::calculate()
{
    if (m_animating) return;
    m_helpPanel->close();
    m_session.resetPicks();
    m_state.RetypeFlag.clear();
    m_session.SourceText.clear();
    m_session.PoolText.clear();
    clearResults();

    const database::DrawDatabase& db = m_state.database;
    const CalculateSetup setup = ResolveCalculateSetup(
        text::IntValue(m_picksBox->text()), text::IntValue(m_highestBox->text()),
        text::IntValue(m_formsBox->text()), m_session.SourceOption, m_allowFewerPicks,
        db.picksPerDraw(), db.highNumber(), m_state.settings.EntryForms);
    if (setup.picksAboveDatabase)
        m_services.dialogs.message(
            HelpTitle, QStringLiteral("Number of picks greater than allowed for database."));
    if (setup.showPicks) showInBox(m_picksBox, setup.picks);
    if (setup.showHigh) showInBox(m_highestBox, setup.high);
    if (setup.showForms) showInBox(m_formsBox, setup.forms);
    // One pick per entry form shows in red.
    m_picksGrid->setTextColor(setup.picks == 1 ? QColor(255, 0, 0) : windowTextColor());
    if (!takeSetup(setup)) return;
    m_session.EntryFormCount = setup.forms;

    layOutGrid(false);
    const PickSession::Status status =
        m_session.calculate(m_state.stats, db.recordCount(), db.highNumber());
    if (status == PickSession::Status::NoRecords) {
        m_services.dialogs.message(HelpTitle, QStringLiteral(" No records in database"));
        selectFullRange();
        return;
    }
    if (status == PickSession::Status::NotEnoughData) {
        // What was drawn is shown; the source labels keep their cleared texts.
        m_services.dialogs.message(HelpTitle, QStringLiteral(" No enough Data"));
    } else {
        m_poolCaption->setText(m_session.SourceText);
        m_poolNumbers->setText(m_session.PoolText);
    }

    {
        ui::BusyPointer busy(m_services.dialogs);
        animateBalls();
        fillGrid();
        if (status == PickSession::Status::Done) showOdds();
    }
    m_shuffleStatus->clear();
    m_helpPanel->close();
}

void PickWindow::selectAll()
{
    if (m_animating) return;
    m_helpPanel->close();
    m_picksGrid->setTextColor(windowTextColor());
    selectFullRange();

    const database::DrawDatabase& db = m_state.database;
    // Only the picks and the highest number count here; the entry forms are what the
    // range needs.
    const CalculateSetup setup = ResolveCalculateSetup(
        text::IntValue(m_picksBox->text()), text::IntValue(m_highestBox->text()), 1,
        Source::FullRange, m_allowFewerPicks, db.picksPerDraw(), db.highNumber(),
        m_state.settings.EntryForms);
    if (setup.showPicks) showInBox(m_picksBox, setup.picks);
    if (setup.showHigh) showInBox(m_highestBox, setup.high);
    if (!takeSetup(setup)) return;
    clearResults();

    const PickSession::SelectAllOutcome outcome = m_session.selectAll();
    if (outcome.status == PickSession::Status::TooMany) {
        m_services.dialogs.message(QStringLiteral("Select All"),
                                   TooManyFormsMessage(outcome.quotient));
        showInBox(m_formsBox, m_state.settings.EntryForms);
        return;
    }
    layOutGrid(true);
    if (outcome.status == PickSession::Status::NotEnoughData) {
        m_services.dialogs.message(HelpTitle, QStringLiteral(" Not enough Data"));
        return;
    }
    {
        ui::BusyPointer busy(m_services.dialogs);
        showInBox(m_formsBox, outcome.lastForm);
        m_poolCaption->setText(m_session.SourceText);
        m_poolNumbers->setText(m_session.PoolText);
        animateBalls();
        fillGrid();
        showOdds();
    }
    m_shuffleStatus->clear();
    m_helpPanel->close();
}

void PickWindow::clearAll()
{
    clearResults();
    m_session.resetPicks();
}

void PickWindow::printPicks()
{
    const std::optional<QStringList> lines = m_session.printout();
    if (!lines) {
        m_services.dialogs.message(HelpTitle,
                                   QStringLiteral("No numbers to print. Click Calculate"));
        return;
    }
    if (!ui::ConfirmPrintout(m_services.dialogs)) return;
    ui::PrintLines(m_services.printer, *lines, windowTitle());
}

} // namespace picks

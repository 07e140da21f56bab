// The Pick-a-Winner window's setup boxes and their checks, and the source of the numbers: the
// full range or a third of the numbers ranked by the database.
#include "models/state/AppState.h"
#include "models/stats/Frequency.h"
#include "text/Format.h"
#include "ui/Accessible.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/NoRecordsHelp.h"
#include "ui/Services.h"
#include "windows/picks/PickWindow.h"
#include "windows/picks/PickWindowShared.h"

#include <QCheckBox>
#include <QRadioButton>

namespace picks {

void PickWindow::showInBox(ui::InputBox* box, int value)
{
    box->setText(text::RightAlign(QString::number(value), 2));
}

bool PickWindow::setupBoxLeft(ui::InputBox* box, SetupBox which)
{
    const BoxCheck check =
        CheckSetupBox(which, text::IntValue(box->text()), m_state.settings.EntryForms);
    if (!check.ok) {
        m_services.dialogs.message(HelpTitle, check.message);
        showInBox(box, check.value);
    }
    if (m_state.RetypeFlag.isSet()) {
        showInBox(box, check.value);
        m_state.RetypeFlag.clear();
    }
    if (which == SetupBox::Picks) {
        m_session.PickCount = std::min(check.value, MaxPicks);
        if (check.value != 1) m_picksGrid->setTextColor(windowTextColor());
        clearResults();
        layOutGrid(false);
    } else {
        clearResults();
    }
    return check.ok;
}

void PickWindow::selectFullRange()
{
    m_sourceOptions[0]->setChecked(true);
    m_session.SourceOption = Source::FullRange;
}

void PickWindow::optionClicked(Source source)
{
    if (source == Source::FullRange) {
        m_session.SourceOption = Source::FullRange;
        return;
    }
    if (m_state.database.recordCount() < 1) {
        ShowNoRecordsHelp(m_services.dialogs);
        selectFullRange();
        return;
    }
    // Clicking the source already chosen changes nothing.
    if (m_session.SourceOption == source) return;
    m_session.SourceOption = source;
    clearResults();
}

void PickWindow::whichCountClicked(bool checked)
{
    m_rankByTimesDrawn->setText(checked ? QStringLiteral(" Database: Times numbers were drawn")
                                        : QStringLiteral(" Database: No. draws since last drawn"));
    ui::SetAccessibleText(m_rankByTimesDrawn, m_rankByTimesDrawn->text());
    clearResults();
    stats::RecomputeFrequencies(m_state.database,
                                checked ? stats::Measure::TimesDrawn : stats::Measure::DrawsSince,
                                m_state.stats);
}

} // namespace picks

// The Database window's set-up boxes (title, picks, highest number, date advance) and the
// checks run when each is left.
#include "windows/database/DatabaseWindow.h"

#include "models/state/AppState.h"
#include "models/stats/Frequency.h"
#include "text/Format.h"
#include "ui/Dialogs.h"
#include "ui/InputBox.h"
#include "ui/Services.h"
#include "windows/database/DatabaseWindowCommon.h"

#include <QLabel>

namespace database {

using namespace dbwin;

namespace {
const QString kDeleteAllFirst =
    QStringLiteral(" Cannot change while records exist in a database. 'Delete All' first.");
} // namespace

bool DatabaseWindow::leaveTitle()
{
    m_title->setEdited(false);
    m_state.database.setTitle(m_title->text());
    return true;
}

bool DatabaseWindow::leavePicks()
{
    if (!m_picks->edited()) return true;
    m_picks->setEdited(false);
    m_state.RetypeFlag.clear();
    const DrawDatabase& db = m_state.database;
    m_picks->setText(text::RightAlign(m_picks->text().trimmed(), 2));
    const long long value = text::IntValue(m_picks->text());
    if (value < 1 || value > 10) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Must be from 1 to 10"));
        m_picks->setText(TwoWide(db.columnCount() - 2));
        return false;
    }
    if (db.recordCount() != 0) {
        m_services.dialogs.message(kHelp, kDeleteAllFirst);
        m_picks->setText(TwoWide(db.columnCount() - 2));
        return false;
    }
    layOutGrid();
    return true;
}

bool DatabaseWindow::leaveHighNumber()
{
    if (!m_highNumber->edited()) return true;
    m_highNumber->setEdited(false);
    m_state.RetypeFlag.clear();
    const DrawDatabase& db = m_state.database;
    const long long value = text::IntValue(m_highNumber->text());
    if (value < 1 || value > 60) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Must be from 1 to 60"));
        m_highNumber->setText(Num(db.highNumber()));
        return false;
    }
    if (db.recordCount() != 0) {
        m_services.dialogs.message(kHelp, kDeleteAllFirst);
        m_highNumber->setText(Num(db.highNumber()));
        return false;
    }
    layOutGrid();
    layOutCountGrids();
    stats::RecomputeFrequencies(m_state.database, shownMeasure(), m_state.stats);
    showCounts();
    return true;
}

bool DatabaseWindow::leaveAdvance()
{
    if (!m_firstAdvance->edited()) return true;
    m_firstAdvance->setEdited(false);
    m_state.RetypeFlag.clear();
    DrawDatabase& db = m_state.database;
    const int value = static_cast<int>(text::IntValue(m_firstAdvance->text()));
    if (value > 6) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Must be from 1 to 6"));
        m_firstAdvance->setText(Num(db.advanceFirst()));
        return false;
    }
    // The new steps take effect at the next advance; the date already proposed stays.
    db.setFirstAdvance(value);
    m_secondAdvance->setText(Num(db.advanceSecond()));
    m_nextStep->setText(value == 0 ? QStringLiteral(" Next: 7 days from")
                                   : QStringLiteral(" Next: ") + m_firstAdvance->text() +
                                         QStringLiteral(" days from"));
    return true;
}

} // namespace database

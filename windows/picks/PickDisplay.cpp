// The Pick-a-Winner window's results: the grid of picks, what the picks came from, and the
// balls with their shuffling display.
#include "text/Format.h"
#include "ui/Clock.h"
#include "ui/Grid.h"
#include "ui/Services.h"
#include "windows/picks/Ball.h"
#include "windows/picks/PickWindow.h"
#include "windows/picks/PickWindowShared.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace picks {

QColor PickWindow::windowTextColor() const
{
    return palette().color(QPalette::Text);
}

void PickWindow::layOutGrid(bool selectAll)
{
    const int picks = std::clamp(m_session.PickCount, 1, MaxPicks);
    const int rows = selectAll ? SelectAllRows : GridRowCount;
    const int cols = picks + 1;
    m_picksGrid->setRows(rows);
    m_picksGrid->setCols(cols);
    for (int c = 0; c < cols; ++c) {
        m_picksGrid->setColWidthTwips(c, ColumnTwips - 15);
        m_picksGrid->setColAlignment(c, Qt::AlignHCenter);
        m_picksGrid->setHeaderAlignment(c, Qt::AlignHCenter);
    }
    m_picksGrid->setWidthTwips(ColumnTwips * cols + 10 + (selectAll ? ScrollBarTwips : 0));
    m_picksGrid->setCell(0, 0, QStringLiteral("No."));
    for (int c = 1; c <= picks; ++c)
        m_picksGrid->setCell(0, c, text::NumText(static_cast<long long>(c)));
    m_picksGrid->fillRange(1, rows - 1, 0, 0, QString());

    // The heading row and ten entry forms exactly; the twenty forms of Select All scroll.
    QTableView* view = m_picksGrid->view();
    const int rowHeight = view->verticalHeader()->defaultSectionSize();
    const int headerHeight = view->horizontalHeader()->sizeHint().height();
    m_picksGrid->setFixedHeight(headerHeight + MaxCalculateForms * rowHeight +
                                2 * view->frameWidth());
}

void PickWindow::clearResults()
{
    const int rows = m_picksGrid->rows();
    const int cols = m_picksGrid->cols();
    m_picksGrid->fillRange(1, rows - 1, 0, 0, QString());
    m_picksGrid->fillRange(1, rows - 1, 1, cols - 1, QString());
    m_poolCaption->setText(PickedFromNumbers);
    m_poolNumbers->setText(QString());
    m_oddsText->clear();
    m_play->setEnabled(false);
    // What is no longer shown is no longer printed either.
    m_session.clearPicks();
}

void PickWindow::fillGrid()
{
    for (int r = 1; r <= m_session.EntryFormCount; ++r) {
        m_picksGrid->setCell(r, 0, QString::number(r));
        for (int c = 1; c <= m_session.PickCount; ++c)
            m_picksGrid->setCell(r, c, PickText(m_session.PickGrid.at(r, c), 2));
    }
}

void PickWindow::resetBalls()
{
    for (size_t i = 0; i < m_balls.size(); ++i)
        m_balls[i]->setPaletteIndex(RestingColours[i]);
}

void PickWindow::animateBalls()
{
    // The display runs inside the command; the clock's waits keep the window painted but take
    // no clicks or keys, and the window cannot be closed meanwhile.
    struct Animating {
        bool& flag;
        explicit Animating(bool& f) : flag(f) { flag = true; }
        ~Animating() { flag = false; }
    } animating(m_animating);
    for (const BallFrame& frame : BallAnimation()) {
        for (size_t i = 0; i < m_balls.size(); ++i)
            m_balls[i]->setPaletteIndex(frame.colours[i]);
        if (!frame.status.isEmpty()) m_shuffleStatus->setText(frame.status);
        if (frame.waitMs > 0) m_services.clock.wait(frame.waitMs);
    }
}

} // namespace picks

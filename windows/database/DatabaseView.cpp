// The Database window's view of the database: the record table, newest first, and the counts
// of the numbers with the top-numbers line.
#include "windows/database/DatabaseWindow.h"

#include "models/state/AppState.h"
#include "models/stats/Frequency.h"
#include "text/Dates.h"
#include "text/Format.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "windows/database/DatabaseWindowCommon.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <algorithm>

namespace database {

using namespace dbwin;

void DatabaseWindow::layOutGrid()
{
    DrawDatabase& db = m_state.database;
    const int typedPicks = static_cast<int>(text::IntValue(m_picks->text()));
    const int typedHigh = static_cast<int>(text::IntValue(m_highNumber->text()));
    // The database clamps the shape; a box outside its range shows the value in use. Only a
    // damaged header or settings file gets below 1: a draw has at least one number.
    db.setShape(typedPicks, typedHigh);
    const int picks = db.picksPerDraw();
    if (picks != typedPicks) m_picks->setText(TwoWide(picks));
    if (db.highNumber() != typedHigh) m_highNumber->setText(TwoWide(db.highNumber()));

    for (int k = 0; k < 10; ++k) {
        ui::InputBox* b = m_numbers[static_cast<size_t>(k)];
        b->setVisible(k < picks);
        b->setNext(k + 1 < picks ? static_cast<QWidget*>(m_numbers[static_cast<size_t>(k + 1)])
                                 : static_cast<QWidget*>(m_addRecord));
    }
    m_visibleBoxes = picks;

    const int columns = db.columnCount();
    const int rows = db.recordCount() + 24;
    if (m_records->cols() != columns) m_records->setCols(columns);
    if (m_records->rows() != rows) m_records->setRows(rows);
    m_records->setWidthTwips(600 * columns + 1340);
    m_records->setColWidthTwips(0, 900);
    m_records->setColWidthTwips(1, 1320);
    for (int c = 2; c < columns; ++c)
        m_records->setColWidthTwips(c, 580);
    for (int c = 0; c < columns; ++c) {
        m_records->setColAlignment(c, Qt::AlignHCenter);
        m_records->setHeaderAlignment(c, Qt::AlignHCenter);
    }
    m_records->setCell(0, 0, QStringLiteral("Record"));
    m_records->setCell(0, 1, QStringLiteral("Date"));
    for (int c = 2; c < columns; ++c)
        m_records->setCell(0, c, text::NumText(static_cast<long long>(c - 1)));
    m_gridCapacity = rows;
}

void DatabaseWindow::layOutCountGrids()
{
    const int high = m_state.database.highNumber();
    for (int g = 0; g < 3; ++g) {
        for (int c = 0; c < kCountColumns; ++c) {
            const int n = g * kCountColumns + c + 1;
            m_counts[static_cast<size_t>(g)]->setCell(
                0, c, n <= high ? text::NumText(static_cast<long long>(n)) : QString());
        }
    }
}

void DatabaseWindow::showDatabase()
{
    DrawDatabase& db = m_state.database;
    // While a correction or an insertion waits for "&Add Record", what the user has typed in
    // the entry row stays there.
    const bool pending = m_pendingOption != entry::Option::None;
    const QString keptDate = m_date->text();
    const QStringList keptBoxes = visibleBoxTexts();

    m_picks->setText(TwoWide(db.columnCount() - 2));
    m_highNumber->setText(TwoWide(db.highNumber()));
    layOutGrid();
    layOutCountGrids();
    advanceDate();
    fillRecordGrid();
    advanceDate();

    if (pending) {
        m_date->setText(keptDate);
        for (int k = 0; k < keptBoxes.size(); ++k)
            m_numbers[static_cast<size_t>(k)]->setText(keptBoxes[k]);
    } else {
        m_entryRowName->setText(QStringLiteral("New"));
        m_date->setText(text::ShortDate(m_proposedDate));
        clearVisibleBoxes();
    }
    stats::RecomputeFrequencies(db, shownMeasure(), m_state.stats);
    showCounts();
}

void DatabaseWindow::fillRecordGrid()
{
    const DrawDatabase& db = m_state.database;
    const int count = db.recordCount();
    const int columns = std::min(db.columnCount(), m_records->cols());
    if (m_records->rows() < count + 1) layOutGrid();
    const QLocale locale;
    const QString dateFormat = text::ShortDateFormat();
    for (int r = count, row = 1; r >= 1; --r, ++row) {
        const DrawRecord& rec = db.record(r);
        m_records->setCell(row, 0, text::RightAlign(text::Hashes(rec.RecordNo), 4));
        m_records->setCell(
            row, 1, rec.DrawDate.isValid() ? locale.toString(rec.DrawDate, dateFormat) : QString());
        for (int c = 2; c < columns; ++c)
            m_records->setCell(
                row, c, text::RightAlign(text::Hashes(rec.Numbers[static_cast<size_t>(c - 2)]), 3));
    }
    // Rows below the records stay empty, whatever a longer table left there.
    m_records->fillRange(count + 1, m_records->rows() - 1, 0, m_records->cols() - 1, QString());
}

void DatabaseWindow::showCounts()
{
    stats::Statistics& stats = m_state.stats;
    for (int g = 0; g < 3; ++g) {
        ui::Grid* grid = m_counts[static_cast<size_t>(g)];
        for (int c = 0; c < kCountColumns; ++c) {
            const int n = g * kCountColumns + c + 1;
            grid->setCell(1, c, text::Hashes(stats.FrequencyTable[static_cast<size_t>(n)].value));
        }
    }
    stats::RankNumbers(stats, m_state.database.highNumber(), stats::RankOrder::Ranked);
    const stats::TopNumbersLine line =
        stats::ComposeTopNumbers(stats, m_state.database.picksPerDraw());
    m_state.topNumbersHeading = line.heading;
    m_state.topNumbersList = line.numbers;
    if (!line.heading.isEmpty()) {
        m_topNumbers->setText(line.heading + line.numbers);
        m_showingTopNumbers = true;
    } else if (m_showingTopNumbers) {
        // No number has a count any more (the last record was deleted): the old line is not
        // true of the table.
        m_topNumbers->clear();
        m_showingTopNumbers = false;
    }
}

void DatabaseWindow::clearGrids()
{
    m_records->fillRange(1, m_records->rows() - 1, 0, m_records->cols() - 1, QString());
    for (ui::Grid* g : m_counts)
        g->fillRange(1, 1, 0, kCountColumns - 1, QString());
}

stats::Measure DatabaseWindow::shownMeasure() const
{
    return m_timesDrawn->isChecked() ? stats::Measure::TimesDrawn : stats::Measure::DrawsSince;
}

void DatabaseWindow::whichCountClicked()
{
    // The counts are recomputed in the measure the switch now shows.
    clearGrids();
    showDatabase();
}

} // namespace database

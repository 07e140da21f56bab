#pragma once
// The back-test window: how each way of picking would have done on the draws in memory, as a
// table, a small plot of the cumulative matches against random forms, and a printout.
#include "models/odds/BackTest.h"

#include <QDialog>

class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
namespace database {
class DrawDatabase;
}

namespace ui {
class Grid;
class InputBox;
struct Services;
} // namespace ui

namespace odds {

class CumulativePlot;

class BackTestWindow final : public QDialog {
    Q_OBJECT
public:
    // Works on `db` as it stands; runs once with the default settings when first shown.
    BackTestWindow(const database::DrawDatabase& db, ui::Services& services,
                   QWidget* parent = nullptr);

    const BackTest& result() const { return m_result; }
    // Runs with the settings in the boxes.
    void run();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The parts of the window, built in this order, and their handlers.
    QGridLayout* buildSetupBoxes();
    // A digits box with its label; maxLength 0: no limit of its own.
    ui::InputBox* buildSetupBox(QGridLayout* grid, int row, const QString& name,
                                const QString& caption, int maxLength = 0);
    QVBoxLayout* buildCommandButtons();
    void buildResultsTable();
    QLabel* buildReadings();
    void connectHandlers();

    void boxLeft(ui::InputBox* box, int low, int high, int putBack);
    void showResult();
    void print();

    const database::DrawDatabase& m_db;
    ui::Services& m_services;
    BackTest m_result;
    bool m_ranOnce = false;
    bool m_running = false;

    // The settings of a run: entry forms per way of picking and draw, the first record tested,
    // the generator's seed.
    ui::InputBox* m_formsBox = nullptr;
    ui::InputBox* m_startBox = nullptr;
    ui::InputBox* m_seedBox = nullptr;
    QPushButton* m_run = nullptr;
    QPushButton* m_toPrinter = nullptr;
    QPushButton* m_close = nullptr;
    // A row of figures for each way of picking.
    ui::Grid* m_resultsTable = nullptr;
    CumulativePlot* m_plot = nullptr;
    QProgressBar* m_progress = nullptr;
    // What the figures say, in words.
    QLabel* m_reading = nullptr;
};

} // namespace odds

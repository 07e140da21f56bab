#pragma once
// The back-test window: how each way of picking would have done on the draws in memory, as a
// table, a small plot of the cumulative matches against random forms, and a printout.
#include "odds/BackTest.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
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
    void boxLeft(ui::InputBox* box, int low, int high, int putBack);
    void showResult();
    void print();

    const database::DrawDatabase& m_db;
    ui::Services& m_services;
    BackTest m_result;
    bool m_ranOnce = false;
    bool m_running = false;

    ui::InputBox* m_forms;
    ui::InputBox* m_start;
    ui::InputBox* m_seed;
    QPushButton* m_run;
    QPushButton* m_printer;
    QPushButton* m_close;
    ui::Grid* m_table;
    CumulativePlot* m_plot;
    QProgressBar* m_progress;
    QLabel* m_reading;
};

} // namespace odds

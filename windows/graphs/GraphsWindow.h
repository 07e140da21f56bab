#pragma once
// The Graphs window: the measure of every number 1..highNumber() as a bar graph, in number order
// or ranked, with flat or extruded bars, printable in colour or monochrome.
#include "models/stats/GraphModel.h"
#include "ui/Once.h"

#include <QWidget>

class QLabel;
class QPushButton;
namespace database {
class DrawDatabase;
}

namespace ui {
class BarGraph;
struct Services;
} // namespace ui

namespace stats {

struct Statistics;

class GraphsWindow final : public QWidget {
    Q_OBJECT
public:
    // Opens in times drawn, number order and flat bars, recomputing the measure.
    // Reads the records; recomputes and ranks the shared statistics as its switches ask.
    GraphsWindow(const database::DrawDatabase& db, Statistics& stats, ui::Services& services,
                 QWidget* parent = nullptr);

    ui::BarGraph* graph() const { return m_graph; }

Q_SIGNALS:
    // "E&xit to Menu" or the title bar's close: the caller (AppState::graphCaller) comes back.
    void exitToMenu();
    // "&Back-test": the back-test of the pick strategies on the draws in memory.
    void backTestRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The three toggles, each as wide as its wider caption, and the other buttons.
    void makeButtons();
    // The graph over its two caption lines, the buttons along the bottom.
    void layOutWindow();
    // Along the row: the three toggles, "&Back-test", "To &Printer", "E&xit to Menu".
    void setButtonTabOrder();
    void connectButtons();

    void toggleMeasure();
    void toggleOrder();
    void toggleBars();
    void print();
    void leave();
    // Hands the current data and bar style to the graph and renames the toggles.
    void redraw();

    const database::DrawDatabase& m_db;
    Statistics& m_stats;
    ui::Services& m_services;
    GraphView m_view;
    ui::Once m_exited;

    ui::BarGraph* m_graph;
    QLabel* m_viewCaption;
    QLabel* m_fairnessLabel;
    QPushButton* m_measureToggle;
    QPushButton* m_orderToggle;
    QPushButton* m_barsToggle;
    QPushButton* m_printButton;
    QPushButton* m_exit;
    QPushButton* m_backTest;
    // The fairness line as last shown, for the printout.
    QString m_fairnessText;
};

} // namespace stats

#pragma once
// The Pick-a-Winner window ("Lottery"): random picks for a number of entry forms from the full
// range or from a third of the numbers ranked by the database, Select All, a shuffling display
// and the printout.
#include "picks/PickEngine.h"
#include "ui/Once.h"

#include <QWidget>
#include <array>

namespace core {
struct AppState;
}

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace ui {
class Grid;
class InputBox;
class QuickHelpPanel;
struct Services;
} // namespace ui

namespace picks {

class Ball;

class PickWindow final : public QWidget {
    Q_OBJECT
public:
    // Reads the database, the statistics and the settings of `state`; with an empty database
    // it gives the database header the personal defaults (picks and highest number).
    PickWindow(core::AppState& state, ui::Services& services, QWidget* parent = nullptr);
    ~PickWindow() override;

    // The generator of the draws (seeded from the system by default); tests give a fixed seed.
    void setGenerator(PickGenerator generator);
    // The picks and texts of the last command.
    const PickSession& session() const { return m_session; }

Q_SIGNALS:
    // "E&xit to Menu" or the title bar's close button: the menu takes over.
    void exitToMenu();
    // "&Back-test": the back-test of the pick strategies on the draws in memory.
    void backTestRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void open();

    // A setup box's leave check: false when it refused the value.
    bool setupBoxLeft(ui::InputBox* box, SetupBox which);
    void showInBox(ui::InputBox* box, int value);
    void optionClicked(Source source);
    void selectFullRange();
    void whichCountClicked(bool checked);

    void layOutGrid(bool selectAll);
    void clearResults();
    void fillGrid();
    QColor windowTextColor() const;

    void calculate();
    void selectAll();
    void clearAll();
    void printPicks();
    // The odds of the forms in the grid, under the results.
    void showOdds();

    void animateBalls();
    void resetBalls();

    core::AppState& m_state;
    ui::Services& m_services;
    PickSession m_session;
    bool m_allowFewerPicks = false;
    bool m_animating = false;
    ui::Once m_exited;

    ui::InputBox* m_colNum = nullptr;
    ui::InputBox* m_highNum = nullptr;
    ui::InputBox* m_numRows = nullptr;
    std::array<QRadioButton*, 4> m_options{};
    QCheckBox* m_whichCnt = nullptr;
    QCheckBox* m_dbPicks = nullptr;
    QPushButton* m_calcAll = nullptr;
    QPushButton* m_calc = nullptr;
    QPushButton* m_clearAll = nullptr;
    QPushButton* m_printer = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_exit = nullptr;
    QPlainTextEdit* m_textBox = nullptr;
    QLabel* m_pickFrom = nullptr;
    QLabel* m_fromNums = nullptr;
    QLabel* m_infoLabel = nullptr;
    QLabel* m_picture7 = nullptr;
    QLabel* m_odds = nullptr;
    QPushButton* m_backTest = nullptr;
    ui::Grid* m_grid = nullptr;
    std::array<Ball*, 6> m_balls{};
    ui::QuickHelpPanel* m_helpPanel = nullptr;
};

} // namespace picks

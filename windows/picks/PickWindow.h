#pragma once
// The Pick-a-Winner window ("Lottery"): random picks for a number of entry forms from the full
// range or from a third of the numbers ranked by the database, Select All, a shuffling display
// and the printout.
#include "models/picks/PickEngine.h"
#include "ui/Once.h"

#include <QWidget>
#include <array>

namespace core {
struct AppState;
}

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
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
    // "Play these forms": the forms shown, to be played as a ticket.
    void playFormsRequested(const std::vector<std::vector<int>>& forms);
    // "&Wheel...": the numbers Pick-a-Winner would draw from, and its picks per form.
    void wheelRequested(const std::vector<int>& pool, int formSize);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction (PickWindow.cpp): each part of the window, its keys and its handlers.
    void buildControls();
    QGroupBox* buildSetupBoxes();
    ui::InputBox* buildSetupBox(QGroupBox* frame, QGridLayout* grid, int row, const QString& name,
                                const QString& labelName, const QString& caption);
    QGroupBox* buildSourceOptions();
    QGridLayout* buildCommandButtons();
    QGridLayout* buildResultsAndHelp();
    QHBoxLayout* buildBallRow(QWidget* results);
    void buildPoolLabels();
    QHBoxLayout* buildOddsRow();
    void setKeyboardOrder();
    void connectHandlers();
    void open();

    // The setup boxes and the source of the numbers (PickSetup.cpp).
    // A setup box's leave check: false when it refused the value.
    bool setupBoxLeft(ui::InputBox* box, SetupBox which);
    void showInBox(ui::InputBox* box, int value);
    void optionClicked(Source source);
    void selectFullRange();
    void whichCountClicked(bool checked);

    // The grid of picks and the balls (PickDisplay.cpp).
    void layOutGrid(bool selectAll);
    void clearResults();
    void fillGrid();
    QColor windowTextColor() const;
    void animateBalls();
    void resetBalls();

    // The commands (PickCommands.cpp).
    void calculate();
    bool takeSetup(const CalculateSetup& setup);
    void selectAll();
    void clearAll();
    void printPicks();
    // The odds of the forms in the grid, under the results (PickOdds.cpp).
    void showOdds();
    // The forms in the grid, each of its numbers in order.
    std::vector<std::vector<int>> shownForms() const;
    // The numbers the source chosen would draw from, ascending.
    std::vector<int> poolNumbers() const;

    core::AppState& m_state;
    ui::Services& m_services;
    PickSession m_session;
    bool m_allowFewerPicks = false;
    bool m_animating = false;
    ui::Once m_exited;

    // The setup: picks per form, the highest number of the lottery, the entry forms played.
    ui::InputBox* m_picksBox = nullptr;
    ui::InputBox* m_highestBox = nullptr;
    ui::InputBox* m_formsBox = nullptr;
    // Full range, top, middle and bottom third.
    std::array<QRadioButton*, 4> m_sourceOptions{};
    // Checked, the thirds rank the numbers by times drawn; cleared, by draws since last drawn.
    QCheckBox* m_rankByTimesDrawn = nullptr;
    QCheckBox* m_fewerPicksCheck = nullptr;
    QPushButton* m_calculate = nullptr;
    QPushButton* m_selectAll = nullptr;
    QPushButton* m_clearAll = nullptr;
    QPushButton* m_toPrinter = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_exit = nullptr;
    // The quick help, shown in place of the results.
    QPlainTextEdit* m_helpText = nullptr;
    // "Picked from numbers" and the numbers the picks were drawn from.
    QLabel* m_poolCaption = nullptr;
    QLabel* m_poolNumbers = nullptr;
    // The file in memory, over the balls.
    QLabel* m_fileInMemory = nullptr;
    // The shuffling display's word beside the balls: "Shuffling", then "Picking".
    QLabel* m_shuffleStatus = nullptr;
    QLabel* m_oddsText = nullptr;
    QPushButton* m_backTest = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_wheel = nullptr;
    ui::Grid* m_picksGrid = nullptr;
    std::array<Ball*, 6> m_balls{};
    ui::QuickHelpPanel* m_helpPanel = nullptr;
};

} // namespace picks

#pragma once
// The Check Numbers window ("LCheckWin"): searches every record of the database for a minimum
// number of matches with up to ten numbers of the user's, lists the matching records newest
// first, and prints them.
#include "models/check/CheckModel.h"
#include "ui/Once.h"

#include "text/RetypeFlag.h"

#include <QWidget>
#include <array>
#include <utility>

class QCloseEvent;
class QGroupBox;
class QLabel;
class QLayout;
class QPlainTextEdit;
class QPushButton;
namespace database {
class DrawDatabase;
}

namespace ui {
class Grid;
class InputBox;
class QuickHelpPanel;
struct Services;
} // namespace ui

namespace check {

class CheckWindow final : public QWidget {
    Q_OBJECT
public:
    // Reads state.database (never changes it) and uses state.RetypeFlag for the minimum box.
    // Reads the records; `retypeFlag` is the first-key state the set-up boxes share.
    CheckWindow(const database::DrawDatabase& db, text::RetypeFlag& retypeFlag,
                ui::Services& services, QWidget* parent = nullptr);
    ~CheckWindow() override;

    // The last search, kept until the next one (the printout prints it).
    const SearchResult& lastSearch() const { return m_result; }

Q_SIGNALS:
    // "E&xit to Menu" or the title bar's close button: show the menu and delete this window
    // (with deleteLater; the signal is emitted from inside the close event).
    void exitToMenu();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls and the layout, built in this order.
    void buildControls();
    void buildTitleFrame();
    QGroupBox* buildSetupFrame();
    // The label "Enter numbers to check" and the row of number boxes below it.
    std::pair<QLabel*, QLayout*> buildNumberRow();
    QLayout* buildButtons();
    void buildResultArea();
    void chainEnterKey();
    void connectControls();
    void layOutWindow(QGroupBox* setupFrame, QLabel* numbersLabel, QLayout* numberRow,
                      QLayout* buttons);
    void setTabOrders();
    void setupGrid(int requestedRows);
    void clearGrid();
    // The minimum box's leave check: false when it refused the value.
    bool minimumLeft();
    void runSearch();
    void showMatches();
    void clearAll();
    void print();
    QStringList boxTexts() const;
    int picks() const;

    const database::DrawDatabase& m_db;
    text::RetypeFlag& m_retypeFlag;
    ui::Services& m_services;
    SearchResult m_result;
    ui::Once m_exited;

    QGroupBox* m_titleFrame = nullptr;
    QLabel* m_title = nullptr;
    ui::InputBox* m_matchNum = nullptr;
    std::array<ui::InputBox*, 10> m_boxes{};
    QPushButton* m_calc = nullptr;
    QPushButton* m_clearAll = nullptr;
    QPushButton* m_printer = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_exit = nullptr;
    ui::Grid* m_grid = nullptr;
    QPlainTextEdit* m_helpBox = nullptr;
    ui::QuickHelpPanel* m_panel = nullptr;
};

} // namespace check

#pragma once
// "LInvTrack", the investment tracker: the sheet in a two-column grid edited key by key, with
// Calculate, Insert blank line, Open, Save, the printed statement and Quick Help.
#include "models/invest/InvestmentSheet.h"
#include "ui/Once.h"

#include <QWidget>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ui {
class Grid;
class QuickHelpPanel;
struct Services;
} // namespace ui

namespace inv {

class InvestmentWindow final : public QWidget {
    Q_OBJECT
public:
    // The sheet's totals show `currencySymbol` (the settings' value; "$" when it is empty).
    InvestmentWindow(const QString& currencySymbol, ui::Services& services,
                     QWidget* parent = nullptr);
    ~InvestmentWindow() override;

    const InvestmentSheet& sheet() const { return m_sheet; }
    // Loads the sheet of `path` as "&Open File" does, without the file dialog; false (and an
    // empty sheet) when it cannot be read.
    bool openPath(const QString& path);
    // Unsaved changes: set by every edit and by "&Calculate", cleared by a completed save and
    // by opening a file.
    bool changed() const { return m_changed; }

    // The Quick Help text: each paragraph followed by an empty line, then "End" far right.
    static QString HelpText();

Q_SIGNALS:
    // The user left the tracker ("E&xit to Menu" or the title bar's close), after the unsaved
    // changes question. The window has closed; the receiver shows the menu and deletes it
    // later.
    void exitToMenu();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The two-column sheet, edited key by key.
    void setUpGrid();
    // "Changes made, Calculate": bold dark red, hidden until an edit.
    void setUpChangeNotice();
    // The Quick Help box, lying over the sheet while it is open.
    void setUpHelp();
    void layOutWindow();
    void setTabOrderOfControls();
    void connectButtons();

    void refresh();
    void selectCell(int row, int col);
    void gridKey(QKeyEvent* event);
    bool rowLimitReached();
    void typeCharacter(QChar c);
    void backspace();
    void deleteCell();
    void moveDown();
    void markEdited();

    void calculateClicked();
    void insertClicked();
    void openClicked();
    void saveClicked();
    void printClicked();
    // False when the user wants to go back and save first.
    bool mayDiscard();
    QString currencySymbol() const;

    QString m_currencySymbol;
    ui::Once m_exited;
    ui::Services& m_services;
    InvestmentSheet m_sheet;

    ui::Grid* m_grid;
    QLabel* m_changeNotice;
    QPushButton* m_insertLine;
    QPushButton* m_calculate;
    QPushButton* m_open;
    QPushButton* m_save;
    QPushButton* m_help;
    QPushButton* m_print;
    QPushButton* m_exit;
    QPlainTextEdit* m_helpBox;
    ui::QuickHelpPanel* m_helpPanel;

    // The cell the user last selected (row 0: none yet) and what was typed into it since.
    int m_row = 0;
    int m_column = 0;
    QString m_typed;
    bool m_changed = false;
};

} // namespace inv

#pragma once
// "Database" (LDbase): sets up a lottery database, takes draw results one record at a time,
// shows the whole table newest first with the frequency counts, and starts the corrections,
// insertions, deletions and the erasing of the database.
#include "models/draws/RecordEntry.h"
#include "models/stats/Frequency.h"
#include "ui/Once.h"

#include <QDate>
#include <QWidget>
#include <array>
#include <functional>

namespace core {
struct AppState;
}
class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class QPlainTextEdit;
class QPushButton;

namespace ui {
class Grid;
class InputBox;
class QuickHelpPanel;
struct Services;
} // namespace ui

namespace database {

class DatabaseWindow final : public QWidget {
    Q_OBJECT
public:
    // Builds the window from the database as it stands: lays out the grids, fills them, counts
    // and ranks, and proposes the date of the next record.
    DatabaseWindow(core::AppState& state, ui::Services& services, QWidget* parent = nullptr);
    ~DatabaseWindow() override;

    // How "Correct &Record" asks which operation to start; by default the modal record
    // dialog. Tests replace it with a scripted answer.
    using RecordChooser = std::function<entry::RecordChoice(QWidget* parent)>;
    void setRecordChooser(RecordChooser chooser) { m_chooser = std::move(chooser); }

    // The operation waiting for "&Add Record" (Correct or Insert), and its record.
    entry::Option pendingOption() const { return m_pendingOption; }
    int selectedRecord() const { return m_selectedRecord; }

    static QStringList HelpLines();

Q_SIGNALS:
    // "E&xit to Menu" or the title bar's close: the app shows the menu and deletes the window.
    void exitToMenu();
    // "&Show Graph": the window has hidden itself and made itself the graphs' caller; the app
    // shows the graphs window, and shows this one again when the graphs window is left.
    void showGraphRequested();
    // "&Import Draws...": the app opens the import window over this one.
    void importRequested();
    // "&Update Draws": the app reads the source the database remembers and shows what is new
    // in the import window over this one.
    void updateRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Construction and layout (DatabaseWindow.cpp).
    void buildControls();
    void buildSetupFrame();
    QLayout* buildButtons();
    QLayout* buildEntryRow();
    void buildRecordGrid();
    void buildCountGrids();
    QLayout* buildCountColumn();
    void layOutWindow(QLayout* buttons, QLayout* entryRow, QLayout* countColumn);
    void setTabOrders();
    void connectControls();
    void open();

    // The record table and the counts (DatabaseView.cpp), named as the user sees them happen.
    void layOutGrid();
    void layOutCountGrids();
    void showDatabase();
    void fillRecordGrid();
    void showCounts();
    void clearGrids();
    void whichCountClicked();
    // The measure the "which count" switch shows.
    stats::Measure shownMeasure() const;

    // The set-up boxes and their leave checks (DatabaseSetup.cpp).
    bool leaveTitle();
    bool leavePicks();
    bool leaveHighNumber();
    bool leaveAdvance();

    // The entry row and adding a record (DatabaseEntry.cpp).
    void advanceDate();
    void showNextStep();
    bool leaveDate();
    void addRecord();
    void append(const QStringList& boxes);
    QStringList visibleBoxTexts() const;
    void clearVisibleBoxes();
    void showEntryError(const entry::Check& check, bool pending);

    // Correcting, inserting and deleting records, and erasing the database
    // (DatabaseCorrection.cpp).
    void correctRecord();
    void startCorrection(int record);
    void startInsertion(int record);
    void deleteRecord(int record);
    void applyPending(const QStringList& boxes);
    void endPending();
    void setOperationButtonsVisible(bool visible);
    void deleteAll();

    // The other buttons and leaving (DatabaseWindow.cpp).
    void showGraph();
    void leave();

    core::AppState& m_state;
    ui::Services& m_services;
    RecordChooser m_chooser;

    QGroupBox* m_setupFrame = nullptr;
    ui::InputBox* m_title = nullptr;
    // The number of picks in a draw and the highest number of the lottery.
    ui::InputBox* m_picks = nullptr;
    ui::InputBox* m_highNumber = nullptr;
    // The two alternating steps of the automatic date advance: the first is typed, the second
    // (7 less the first) is shown beside it.
    ui::InputBox* m_firstAdvance = nullptr;
    QLabel* m_secondAdvance = nullptr;
    // " Next: n days from" above the date of the entry row.
    QLabel* m_nextStep = nullptr;
    // Checked: the counts are the times drawn; cleared: the draws since last drawn.
    QCheckBox* m_timesDrawn = nullptr;
    // Beside the entry row: "New", "Insert", or the number of the record being corrected.
    QLabel* m_entryRowName = nullptr;
    ui::InputBox* m_date = nullptr;
    std::array<ui::InputBox*, 10> m_numbers{};
    QPushButton* m_addRecord = nullptr;
    QPushButton* m_correctRecord = nullptr;
    QPushButton* m_deleteAll = nullptr;
    QPushButton* m_showGraph = nullptr;
    QPushButton* m_helpButton = nullptr;
    QPushButton* m_exit = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_update = nullptr;
    QPlainTextEdit* m_helpBox = nullptr;
    ui::QuickHelpPanel* m_help = nullptr;
    ui::Grid* m_records = nullptr;
    // The counts of the numbers 1-20, 21-40 and 41-60.
    std::array<ui::Grid*, 3> m_counts{};
    QLabel* m_topNumbers = nullptr;

    // The rows the record grid has room for, and the number boxes shown (one per pick).
    int m_gridCapacity = 0;
    int m_visibleBoxes = 0;
    entry::Option m_pendingOption = entry::Option::None;
    int m_selectedRecord = 0;
    // Label4 shows a top-numbers line (not its first caption).
    bool m_showingTopNumbers = false;
    bool m_awayAtGraph = false;
    // The date proposed for the next record (ProposedDate) and the step shown after it
    // (ShownAdvance): worked out afresh whenever the window shows the database.
    QDate m_proposedDate;
    int m_shownAdvance = 0;
    ui::Once m_left;
};

} // namespace database

#pragma once
// "Database" (LDbase): sets up a lottery database, takes draw results one record at a time,
// shows the whole table newest first with the frequency counts, and starts the corrections,
// insertions, deletions and the erasing of the database.
#include "database/RecordEntry.h"
#include "stats/Frequency.h"
#include "ui/Once.h"

#include <QWidget>
#include <array>
#include <functional>

namespace core {
struct AppState;
}
class QCheckBox;
class QGroupBox;
class QLabel;
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

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void open();

    // The steps of the window, named as the user sees them happen.
    void layOutGrid();
    void layOutCountGrids();
    void showDatabase();
    void advanceDate();
    void fillRecordGrid();
    void showCounts();
    void clearGrids();
    void showNextStep();

    void addRecord();
    void append(const QStringList& boxes);
    void applyPending(const QStringList& boxes);
    void endPending();
    void correctRecord();
    void deleteAll();
    void whichCountClicked();
    // The measure the "which count" switch shows.
    stats::Measure shownMeasure() const;
    void showGraph();
    void leave();

    bool leaveTitle();
    bool leaveNumCol();
    bool leaveHighNum();
    bool leaveAdvance();
    bool leaveDate();

    QStringList visibleBoxTexts() const;
    void clearVisibleBoxes();
    void setOperationButtonsVisible(bool visible);
    void showEntryError(const entry::Check& check, bool pending);

    core::AppState& m_state;
    ui::Services& m_services;
    RecordChooser m_chooser;

    QGroupBox* m_frame = nullptr;
    ui::InputBox* m_title = nullptr;
    ui::InputBox* m_numCol = nullptr;
    ui::InputBox* m_highNum = nullptr;
    ui::InputBox* m_ada1 = nullptr;
    QLabel* m_ada2 = nullptr;
    QLabel* m_showNext = nullptr;
    QCheckBox* m_whichCnt = nullptr;
    QLabel* m_inNew = nullptr;
    ui::InputBox* m_date = nullptr;
    std::array<ui::InputBox*, 10> m_numbers{};
    QPushButton* m_add = nullptr;
    QPushButton* m_correct = nullptr;
    QPushButton* m_deleteAll = nullptr;
    QPushButton* m_graphs = nullptr;
    QPushButton* m_helpButton = nullptr;
    QPushButton* m_exit = nullptr;
    QPushButton* m_import = nullptr;
    QPlainTextEdit* m_helpBox = nullptr;
    ui::QuickHelpPanel* m_help = nullptr;
    ui::Grid* m_records = nullptr;
    std::array<ui::Grid*, 3> m_counts{};
    QLabel* m_topNumbers = nullptr;

    int m_gridCapacity = 0;
    int m_visibleBoxes = 0;
    entry::Option m_pendingOption = entry::Option::None;
    int m_selectedRecord = 0;
    // Label4 shows a top-numbers line (not its first caption).
    bool m_showingTopNumbers = false;
    bool m_awayAtGraph = false;
    ui::Once m_left;
};

} // namespace database

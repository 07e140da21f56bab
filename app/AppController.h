#pragma once
// The application's wiring: start-up, the main menu's commands and file flows, and the hand-
// overs between the menu and the other windows. It owns the menu and the backdrop, works on the
// program-wide state and services it is given, and holds nothing global.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace core {
struct AppState;
enum class GraphCaller : int;
} // namespace core

namespace ui {
struct Services;
}
namespace history {
class ImportDialog;
}

class QWidget;

namespace app {

class MainMenu;
class BlankForm;

class AppController final : public QObject {
    Q_OBJECT
public:
    struct Paths {
        Paths(QString program, QString config, QString start = {})
            : programDir(std::move(program)), configDir(std::move(config)),
              startDir(std::move(start))
        {
        }
        QString programDir; // made the current directory; holds the samples and the guide
        QString configDir;  // the user's configuration folder, for a read-only program folder
        // Made the current directory instead of programDir when given (an installed copy
        // starts its file dialogs in the user's documents folder).
        QString startDir;
        // Whether programDir can be written; unset, the folder itself is asked. (A test says
        // "read-only" for a folder that root could write all the same.)
        std::optional<bool> programWritable;
    };

    AppController(core::AppState& state, ui::Services& services, QObject* parent = nullptr);
    ~AppController() override;

    // Start-up: the program's folder becomes the current directory, the settings are read, the
    // backdrop and the menu are shown and the empty database is shaped by the settings.
    void start(const Paths& paths);

    MainMenu* menu() const { return m_menu.get(); }
    BlankForm* backdrop() const { return m_backdrop.get(); }
    // The settings file in use (decided at start-up).
    QString settingsPath() const { return m_settingsPath; }

    // ---- Menu commands -------------------------------------------------------------------
    void openFile(); // "&Open a File from Disk"
    // The file named on the command line: a .lto opens in the Database window as the open
    // command leaves it, a .inv in the Investment Tracker. A file that cannot be read gets the
    // loading messages and the menu stays in front.
    void openAtStart(const QString& path);
    void saveFile();     // "&Save File to Disk"
    void openSettings(); // "Persona&lize Settings"
    // "E&xit from Program" and the menu's X. True when the program ends (quitRequested is
    // emitted); false when the user chose to go back.
    bool exitProgram();

    // ---- Windows ---------------------------------------------------------------------------
    // One opener per window. The record guards have run before these are called.
    void openDatabase();
    void openGraphs(core::GraphCaller caller);
    void openPicks();
    void openCheck();
    void openExtract();
    // "&Import Draws..." of the database window: the import window, modal over it; after an
    // import the database window is opened again on the new records. With `update` ("&Update
    // Draws"), the window reads the remembered source first and opens only when there is
    // something to show.
    void importDraws(QWidget* databaseWindow, bool update = false);
    // Called with the import window before it runs (tests script it from here).
    void setImportPrepare(std::function<void(history::ImportDialog&)> prepare)
    {
        m_importPrepare = std::move(prepare);
    }
    void openInvestments();
    void openTickets();
    // Writes the tickets beside the database; a failure is told.
    void saveTickets();
    // "Play these forms": a new ticket of Pick-a-Winner's forms, asked for over `caller`.
    void playForms(QWidget* caller, const std::vector<std::vector<int>>& forms);
    // The Wheel window over Pick-a-Winner, with its pool and form size.
    void openWheel(QWidget* caller, const std::vector<int>& pool, int formSize);
    // The back-test window over `caller` (Pick-a-Winner or Graphs), which stays open beneath.
    void openBackTest(QWidget* caller);
    void printDatabase();
    void openHelp();
    // Replaces what opens the user guide (tests count the calls instead of starting a viewer).
    void setHelpOpener(std::function<void()> opener) { m_helpOpener = std::move(opener); }

    // Shows `window` (owned from now on) in the menu's place. Its exitToMenu() signal, sent by
    // its exit button or its title bar's close, hides and deletes it and brings the menu back;
    // for the database window also InfoLabel is brought up to date.
    template <class Window> Window* present(Window* window, bool databaseWindow = false)
    {
        connect(window, &Window::exitToMenu, this, [this, window, databaseWindow] {
            if (databaseWindow)
                leaveDatabase(window);
            else
                returnToMenu(window);
        });
        enterWindow(window);
        return window;
    }

    // Hand-overs for the windows: enterWindow hides the menu and shows `window` in front;
    // returnToMenu closes and deletes `window` (may be null) and shows the menu again;
    // leaveDatabase does the same and brings the menu's InfoLabel up to date with the title.
    void enterWindow(QWidget* window);
    void returnToMenu(QWidget* window = nullptr);
    void leaveDatabase(QWidget* window = nullptr);

    // Shows the menu in front of the backdrop and gives it the focus.
    void showMenu();
    void hideMenu(); // shows the backdrop the first time
    // True when there are records; otherwise shows the five-line hint and returns false.
    bool haveRecords();

Q_SIGNALS:
    // The run is over: every window has been closed.
    void quitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireMenu();
    void closeAll();
    core::AppState& m_state;
    ui::Services& m_services;
    std::unique_ptr<BlankForm> m_backdrop;
    std::unique_ptr<MainMenu> m_menu;
    QString m_settingsPath;
    bool m_ending = false;
    // The open database window, to return to from the graphs it opened.
    QPointer<QWidget> m_databaseWindow;
    // Every window shown in the menu's place that may still exist.
    std::vector<QPointer<QWidget>> m_windows;
    std::function<void()> m_helpOpener;
    std::function<void(history::ImportDialog&)> m_importPrepare;
};

} // namespace app

#include "app/AppController.h"

#include "app/FileCommands.h"
#include "models/settings/SettingsFile.h"
#include "models/state/AppState.h"
#include "models/tickets/Tickets.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/NoRecordsHelp.h"
#include "ui/Services.h"
#include "windows/backtest/BackTestWindow.h"
#include "windows/check/CheckWindow.h"
#include "windows/database/DatabaseWindow.h"
#include "windows/database/ExtractDialog.h"
#include "windows/graphs/GraphsWindow.h"
#include "windows/import/ImportDialog.h"
#include "windows/invest/InvestmentWindow.h"
#include "windows/menu/MainMenu.h"
#include "windows/menu/SettingsForm.h"
#include "windows/picks/PickWindow.h"
#include "windows/printouts/DatabasePrintout.h"
#include "windows/printouts/Help.h"
#include "windows/tickets/TicketDialogs.h"
#include "windows/tickets/TicketsWindow.h"
#include "windows/wheel/WheelWindow.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

namespace app {

namespace {
const QString LoadingError = QStringLiteral("Loading Error");
} // namespace

AppController::AppController(core::AppState& state, ui::Services& services, QObject* parent)
    : QObject(parent), m_state(state), m_services(services),
      m_backdrop(std::make_unique<BlankForm>()), m_menu(std::make_unique<MainMenu>())
{
    wireMenu();
    connect(m_menu.get(), &MainMenu::exitRequested, this, [this] { exitProgram(); });
    connect(m_backdrop.get(), &BlankForm::exitRequested, this, [this] { exitProgram(); });
    // F1 opens the user guide from every window, as the Quick Help texts promise.
    if (qApp) qApp->installEventFilter(this);
}

bool AppController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        openHelp();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

AppController::~AppController()
{
    // The windows work on the state this controller was given: none may outlive it.
    for (const QPointer<QWidget>& w : m_windows)
        delete w.data();
}

void AppController::wireMenu()
{
    auto on = [this](const char* name, auto&& action) {
        connect(m_menu->button(QLatin1String(name)), &QPushButton::clicked, this,
                std::forward<decltype(action)>(action));
    };
    on("DBaseForm", [this] { openDatabase(); });
    on("LoadFile", [this] { openFile(); });
    on("SaveFile", [this] { saveFile(); });
    on("PrintDbase", [this] {
        if (haveRecords()) printDatabase();
    });
    on("ShowGraph1", [this] {
        if (haveRecords()) openGraphs(core::GraphCaller::MainMenu);
    });
    on("PickForm", [this] { openPicks(); });
    on("CheckWin", [this] {
        if (haveRecords()) openCheck();
    });
    on("SelectRec", [this] {
        if (haveRecords()) openExtract();
    });
    on("InvTrack", [this] { openInvestments(); });
    on("TicketForm", [this] { openTickets(); });
    on("PtrFnt", [this] { openSettings(); });
    on("HowtoUse", [this] { openHelp(); });
    on("Exit1Butt", [this] { exitProgram(); });
}

void AppController::start(const Paths& paths)
{
    // A folder that cannot be entered is not fatal: the dialogs then start elsewhere.
    const QString current = paths.startDir.isEmpty() ? paths.programDir : paths.startDir;
    if (!current.isEmpty()) QDir::setCurrent(current);

    const bool writable = paths.programWritable.value_or(QFileInfo(paths.programDir).isDir() &&
                                                         QFileInfo(paths.programDir).isWritable());
    m_settingsPath = SettingsFilePath(paths.programDir, paths.configDir, writable);
    const SettingsReadResult read = ReadSettingsFile(
        SettingsReadPath(paths.programDir, paths.configDir, writable), m_state.settings);
    m_state.settings = read.settings;
    m_menu->setUserName(m_state.settings.UserName, read.showName);

    InitialiseEmptyDatabase(m_state);
    m_menu->setDatabaseTitle(m_state.database.title());

    // The backdrop takes the menu's place and size, centred on the screen.
    m_menu->adjustSize();
    QRect frame(QPoint(0, 0), m_menu->size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.moveCenter(screen->availableGeometry().center());
    m_menu->setGeometry(frame);
    m_backdrop->setGeometry(frame);
    showMenu();
}

void AppController::hideMenu()
{
    // The backdrop has the menu's place and size and lies under it, so nothing of it shows
    // until the menu first steps aside: it is shown then, and start-up paints one window.
    if (!m_backdrop->isVisible() && !m_ending) m_backdrop->show();
    m_menu->hide();
}

void AppController::showMenu()
{
    // Windows closed by the exit do not bring the menu back.
    if (m_ending) return;
    m_menu->show();
    m_menu->raise();
    m_menu->activateWindow();
}

bool AppController::haveRecords()
{
    if (m_state.database.recordCount() >= 1) return true;
    ShowNoRecordsHelp(m_services.dialogs);
    return false;
}

// ---- File commands ---------------------------------------------------------------------------

void AppController::openFile()
{
    // Unsaved records are not replaced without a word: Yes goes back to save them first.
    if (m_state.Modified && m_state.database.recordCount() != 0 &&
        m_services.dialogs.ask(QStringLiteral("Changed File in Memory"),
                               ChangedFileQuestion(m_state.LastFileName))) {
        showMenu();
        return;
    }

    hideMenu();
    const std::optional<QString> path = m_services.dialogs.chooseFile(
        ui::FileMode::Open, QtFileFilter(DatabaseFileFilter()), m_state.LastFileName);
    if (!path || path->isEmpty()) {
        // A cancelled open lands in the database window with the database as it was.
        openDatabase();
        return;
    }

    OpenOutcome outcome;
    {
        ui::BusyPointer busy(m_services.dialogs);
        outcome = OpenDatabaseFile(*path, m_state);
    }
    if (outcome == OpenOutcome::LoadedOldFormat || outcome == OpenOutcome::Unreadable)
        m_services.dialogs.message(
            LoadingError, QStringLiteral("File in wrong or old format. Will try to load it."));
    if (outcome == OpenOutcome::Unreadable || outcome == OpenOutcome::CannotOpen)
        m_services.dialogs.message(
            LoadingError,
            QStringLiteral("File not found or wrong format. Check Filename and/or Directory."));
    openDatabase();
}

void AppController::openAtStart(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("inv")) {
        auto* window = new inv::InvestmentWindow(m_state.settings.CurrencySymbol, m_services);
        if (window->openPath(path)) {
            present(window);
        } else {
            delete window;
            m_services.dialogs.message(
                LoadingError,
                QStringLiteral("File not found or wrong format. Check Filename and/or Directory."));
            showMenu();
        }
        return;
    }
    OpenOutcome outcome = OpenOutcome::CannotOpen;
    if (suffix == QLatin1String("lto")) {
        ui::BusyPointer busy(m_services.dialogs);
        outcome = OpenDatabaseFile(path, m_state);
    }
    if (outcome == OpenOutcome::LoadedOldFormat || outcome == OpenOutcome::Unreadable)
        m_services.dialogs.message(
            LoadingError, QStringLiteral("File in wrong or old format. Will try to load it."));
    if (outcome == OpenOutcome::Unreadable || outcome == OpenOutcome::CannotOpen) {
        m_services.dialogs.message(
            LoadingError,
            QStringLiteral("File not found or wrong format. Check Filename and/or Directory."));
        // A failed load left the database empty, as the settings shape it.
        InitialiseEmptyDatabase(m_state);
        showMenu();
        return;
    }
    openDatabase();
}

void AppController::saveFile()
{
    hideMenu();
    if (m_state.database.recordCount() == 0) {
        m_services.dialogs.message(QStringLiteral("Help"), QStringLiteral("No Records to Save"));
        m_state.Modified = false;
        showMenu();
        return;
    }
    // A database opened from a folder the user cannot write (the installed samples) is
    // proposed under its name in the documents folder.
    const QString last = m_state.filePath.isEmpty() ? m_state.LastFileName : m_state.filePath;
    const QFileInfo folder(QFileInfo(last).absolutePath());
    const std::optional<QString> path = m_services.dialogs.chooseFile(
        ui::FileMode::Save, QtFileFilter(DatabaseFileFilter()),
        SaveProposal(last, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                     m_state.filePath.isEmpty() || (folder.isDir() && folder.isWritable())));
    if (!path || path->isEmpty()) {
        // Nothing was saved: the records are still unsaved, and leaving still asks.
        showMenu();
        return;
    }
    bool saved = false;
    {
        ui::BusyPointer busy(m_services.dialogs);
        saved = SaveDatabaseFile(*path, m_state);
    }
    // A failed save keeps the records marked unsaved, so the exit still asks about them.
    if (!saved)
        m_services.dialogs.message(QStringLiteral("Saving Error"),
                                   QStringLiteral(" Bad Filename. Must be in the form MYFILE.LTO"));
    showMenu();
}

bool AppController::exitProgram()
{
    if (m_ending) return true;
    if (m_state.Modified && m_state.database.recordCount() != 0 &&
        m_services.dialogs.ask(QStringLiteral("Changed File in Memory"),
                               ChangedFileQuestion(m_state.LastFileName))) {
        showMenu();
        return false;
    }
    m_state.Modified = false;
    m_ending = true;
    closeAll();
    Q_EMIT quitRequested();
    return true;
}

void AppController::closeAll()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != m_menu.get() && w != m_backdrop.get() && w->isVisible()) w->close();
    }
    m_menu->allowClose();
    m_menu->close();
    m_backdrop->allowClose();
    m_backdrop->close();
}

// ---- Settings --------------------------------------------------------------------------------

void AppController::openSettings()
{
    hideMenu();
    auto* form = new SettingsForm(m_state, m_services, m_backdrop.get());
    form->setAttribute(Qt::WA_DeleteOnClose);
    connect(form, &SettingsForm::exitToMenu, this, [this] {
        // A failed write is not put to the user: the values stay in effect for this run. It
        // is logged with its reason.
        const QString path = m_settingsPath.isEmpty() ? QDir::current().filePath(SettingsFileName())
                                                      : m_settingsPath;
        const text::WriteResult written = WriteSettingsFile(path, m_state.settings);
        if (!written)
            qWarning().noquote() << QStringLiteral("%1: the settings were not saved (%2)")
                                        .arg(QDir::toNativeSeparators(path), written.reason());
        m_menu->setUserName(m_state.settings.UserName, !m_state.settings.UserName.isEmpty());
    });
    connect(form, &QDialog::finished, this, [this] { showMenu(); });
    form->show();
    form->raise();
    form->activateWindow();
}

// ---- Windows ---------------------------------------------------------------------------------

void AppController::enterWindow(QWidget* window)
{
    hideMenu();
    if (!window) return;
    std::erase_if(m_windows, [](const QPointer<QWidget>& w) { return w.isNull(); });
    m_windows.emplace_back(window);
    window->show();
    window->raise();
    window->activateWindow();
}

void AppController::returnToMenu(QWidget* window)
{
    if (window) {
        window->hide();
        window->deleteLater();
    }
    showMenu();
}

void AppController::leaveDatabase(QWidget* window)
{
    m_menu->setDatabaseTitle(m_state.database.title());
    returnToMenu(window);
}

void AppController::openDatabase()
{
    // The window fills its grids from the database; it restores the pointer when it is done.
    m_services.dialogs.setBusy(true);
    auto* window = present(new database::DatabaseWindow(m_state, m_services), true);
    m_services.dialogs.setBusy(false);
    m_databaseWindow = window;
    connect(window, &database::DatabaseWindow::showGraphRequested, this,
            [this] { openGraphs(core::GraphCaller::DatabaseWindow); });
    connect(window, &database::DatabaseWindow::importRequested, this,
            [this, window] { importDraws(window); });
    connect(window, &database::DatabaseWindow::updateRequested, this,
            [this, window] { importDraws(window, true); });
}

void AppController::importDraws(QWidget* databaseWindow, bool update)
{
    {
        history::ImportDialog dialog(m_state, m_services, databaseWindow);
        if (m_importPrepare) m_importPrepare(dialog);
        if (update && !dialog.startUpdate()) return;
        if (dialog.exec() != QDialog::Accepted) return;
    }
    // The database window is built again on the grown database.
    databaseWindow->hide();
    databaseWindow->deleteLater();
    openDatabase();
}

void AppController::openGraphs(core::GraphCaller caller)
{
    m_state.graphCaller = caller;
    auto* graphs = new stats::GraphsWindow(m_state.database, m_state.stats, m_services);
    connect(graphs, &stats::GraphsWindow::exitToMenu, this, [this, graphs] {
        graphs->hide();
        graphs->deleteLater();
        // Back to whichever window opened the graphs.
        if (m_state.graphCaller == core::GraphCaller::DatabaseWindow && m_databaseWindow) {
            m_databaseWindow->show();
            m_databaseWindow->raise();
            m_databaseWindow->activateWindow();
        } else {
            showMenu();
        }
    });
    connect(graphs, &stats::GraphsWindow::backTestRequested, this,
            [this, graphs] { openBackTest(graphs); });
    enterWindow(graphs);
}

void AppController::openPicks()
{
    auto* window = present(new picks::PickWindow(m_state, m_services));
    connect(window, &picks::PickWindow::backTestRequested, this,
            [this, window] { openBackTest(window); });
    connect(
        window, &picks::PickWindow::playFormsRequested, this,
        [this, window](const std::vector<std::vector<int>>& forms) { playForms(window, forms); });
    connect(window, &picks::PickWindow::wheelRequested, this,
            [this, window](const std::vector<int>& pool, int formSize) {
                openWheel(window, pool, formSize);
            });
}

void AppController::openBackTest(QWidget* caller)
{
    // Modal over its caller, which gets the focus back when it closes.
    auto* window = new odds::BackTestWindow(m_state.database, m_services, caller);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    window->show();
    window->raise();
    window->activateWindow();
}

void AppController::openCheck()
{
    present(new check::CheckWindow(m_state.database, m_state.RetypeFlag, m_services));
}

void AppController::openExtract()
{
    hideMenu();
    {
        database::ExtractDialog dialog(m_state, m_services, m_backdrop.get());
        dialog.exec();
    }
    // Whatever the dialog did, the database window shows the database as it now stands.
    openDatabase();
}

void AppController::openTickets()
{
    auto* window = present(new tickets::TicketsWindow(m_state, m_services));
    connect(window, &tickets::TicketsWindow::ticketsChanged, this, [this] { saveTickets(); });
}

void AppController::saveTickets()
{
    const text::WriteResult written = SaveTickets(m_state);
    if (!written)
        m_services.dialogs.message(
            QStringLiteral("Tickets"),
            QStringLiteral("The tickets cannot be written beside the database (%1).")
                .arg(written.reason()));
}

void AppController::playForms(QWidget* caller, const std::vector<std::vector<int>>& forms)
{
    if (!m_state.ticketsProblem.isEmpty()) {
        m_services.dialogs.message(QStringLiteral("Tickets"), m_state.ticketsProblem);
        return;
    }
    tickets::Ticket proposed;
    proposed.forms = forms;
    proposed.firstDraw = tickets::ProposedFirstDraw(m_state.database, m_services.clock.today());
    auto* dialog =
        new tickets::TicketDialog(proposed, m_state.database.picksPerDraw(),
                                  m_state.database.highNumber(), m_services.dialogs, caller);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        m_state.tickets.tickets.push_back(dialog->ticket());
        saveTickets();
    });
    dialog->open();
}

void AppController::openWheel(QWidget* caller, const std::vector<int>& pool, int formSize)
{
    // Modal over Pick-a-Winner, which gets the focus back when it closes.
    auto* window = new wheel::WheelWindow(m_state.database, pool, formSize, m_services, caller);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFormPrice(tickets::CurrentFormPrice(m_state.tickets));
    connect(
        window, &wheel::WheelWindow::playFormsRequested, this,
        [this, window](const std::vector<std::vector<int>>& forms) { playForms(window, forms); });
    window->open();
}

void AppController::openInvestments()
{
    present(new inv::InvestmentWindow(m_state.settings.CurrencySymbol, m_services));
}

void AppController::printDatabase()
{
    // The guard has run; a declined or cancelled printout leaves the menu as it was.
    PrintDatabase(m_state, m_services);
}

void AppController::openHelp()
{
    // The guide opens in the desktop's viewer without waiting; if none can be started, nothing
    // is shown.
    if (m_helpOpener)
        m_helpOpener();
    else
        OpenHelp();
}

} // namespace app

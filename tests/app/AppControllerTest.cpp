#include "app/AppController.h"
#include "models/invest/InvestmentSheet.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/WindowTestSupport.h"
#include "windows/import/ImportDialog.h"
#include "windows/menu/MainMenu.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <memory>

namespace {

const QByteArray kTwoDraws = "2,8,49,\"My Lottery\",3,4,3\r\n"
                             "1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n"
                             "2,#1998-01-07#,5,9,17,30,38,44,0,0,0,0\r\n";
const QByteArray kOneDraw = "1,7,40,\"Other Game\",0,7,7\r\n1,#2024-06-01#,1,2,3,4,5,0,0,0,0,0\r\n";
const QString kOldFormat =
    QStringLiteral("Loading Error|File in wrong or old format. Will try to load it.");
const QString kNotFound = QStringLiteral(
    "Loading Error|File not found or wrong format. Check Filename and/or Directory.");
const QString kSavingError =
    QStringLiteral("Saving Error| Bad Filename. Must be in the form MYFILE.LTO");
const QString kChanged = QStringLiteral(
    "Changed File in Memory|Week.lto file in memory will be erased. Do you want to go back and "
    "Save File to Disk?.");

class AppControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cwd = QDir::currentPath();
        program.write(QStringLiteral("Week.lto"), kTwoDraws);
        program.write(QStringLiteral("Other.lto"), kOneDraw);
    }
    void TearDown() override
    {
        controller.reset();
        QDir::setCurrent(m_cwd);
    }
    void start(const QString& programDir = {})
    {
        f.state = core::AppState();
        controller = std::make_unique<app::AppController>(f.state, f.services);
        quits = std::make_unique<QSignalSpy>(controller.get(), &app::AppController::quitRequested);
        controller->start({programDir.isEmpty() ? program.dir() : programDir, config.dir()});
        ASSERT_TRUE(QTest::qWaitForWindowActive(menu()));
    }
    app::MainMenu* menu() const { return controller->menu(); }
    QPushButton* button(const char* name) const { return menu()->button(QLatin1String(name)); }
    QLabel* label(const char* name) const
    {
        return menu()->findChild<QLabel*>(QLatin1String(name));
    }
    // Presses a menu button with the file dialog's and the question's answers queued.
    void press(const char* name, std::optional<QString> file = std::nullopt,
               std::optional<bool> answer = std::nullopt)
    {
        f.dialogs.clear();
        f.dialogs.files = {file};
        f.dialogs.answers.clear();
        if (answer) f.dialogs.answers.push_back(*answer);
        button(name)->click();
    }
    QString in(const char* name) const { return program.path(QLatin1String(name)); }
    // The open command ends in the database window; true when one is on screen.
    static bool databaseWindowShown()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("LDbase") && w->isVisible()) return true;
        return false;
    }
    // Leaves every database window through its exit button, as the user would.
    static void leaveDatabaseWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("LDbase") && w->isVisible())
                if (auto* exit = w->findChild<QPushButton*>(QStringLiteral("DExit"))) exit->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Every message and question, "title|text", in order.
    QStringList shown() const
    {
        QStringList out;
        for (const auto& m : f.dialogs.log)
            out << m.title + QLatin1Char('|') + m.text;
        return out;
    }

    TempDir program;
    TempDir config;
    ShellFakes f;
    std::unique_ptr<app::AppController> controller;
    std::unique_ptr<QSignalSpy> quits;

private:
    QString m_cwd;
};

} // namespace

TEST_F(AppControllerTest, StartUpFollowsTheSettingsFile)
{
    const struct {
        const char* file; // nullptr: first run without one
        const char* name; // nullptr: no name shown
        int columns, high;
    } cases[] = {
        {nullptr, nullptr, 8, 49},
        {"12,75,0,\"\",\"Player\"\r\n", "Player", 8, 49},
        {"4,40,2,\"Kr\",\"Ann Lee\"\r\n", "Ann Lee", 6, 40},
        {"4,40,2,\"Kr\",\"\"\r\n", nullptr, 6, 40},
        {"4,40,2\r\n", nullptr, 8, 49},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no file");
        if (c.file) program.write(QStringLiteral("Personal.Lot"), c.file);
        start();
        EXPECT_EQ(QDir::currentPath(), QDir(program.dir()).canonicalPath());
        EXPECT_EQ(label("MyName")->isVisible(), c.name != nullptr);
        EXPECT_EQ(label("MyName")->text(), QLatin1String(c.name ? c.name : ""));
        const database::DrawDatabase& db = f.state.database;
        EXPECT_EQ(db.columnCount(), c.columns);
        EXPECT_EQ(db.highNumber(), c.high);
        EXPECT_EQ(db.advanceFirst() * 10 + db.advanceSecond(), 7);
        EXPECT_EQ(db.recordCount(), 0);
        EXPECT_FALSE(label("InfoLabel")->isVisible());
        EXPECT_TRUE(f.dialogs.log.empty());
        EXPECT_EQ(menu()->windowTitle(), QStringLiteral("Tallimo Win9"));
        QWidget* blank = controller->backdrop();
        EXPECT_EQ(blank->objectName(), QStringLiteral("LBlankForm"));
        EXPECT_EQ(blank->windowTitle(), QStringLiteral("Tallimo Win9"));
        // The backdrop lies under the menu, in its place; it is shown when the menu first
        // steps aside (here for the settings form), so start-up paints one window.
        EXPECT_EQ(blank->geometry(), menu()->geometry());
        EXPECT_FALSE(blank->isVisible());
        press("PtrFnt");
        EXPECT_TRUE(blank->isVisible());
        EXPECT_FALSE(menu()->isVisible());
        if (QWidget* form = QApplication::activeModalWidget()) form->close();
        controller.reset();
    }
}

TEST_F(AppControllerTest, ReadOnlyProgramFolderKeepsSettingsInTheConfigurationFolder)
{
    config.write(QStringLiteral("Personal.Lot"), "5,39,1,\"$\",\"Cfg\"\r\n");
    start(program.path(QStringLiteral("installed-copy")));
    EXPECT_EQ(f.state.settings.DefaultPicks, 5);
    EXPECT_EQ(label("MyName")->text(), QStringLiteral("Cfg"));
    press("PtrFnt");
    auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(menu()->isVisible());
    QWidget* name = form->findChild<QWidget*>(QStringLiteral("InMyName"));
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, QStringLiteral(", Jo"));
    form->findChild<QPushButton*>(QStringLiteral("ExitFonts"))->click();
    EXPECT_EQ(config.read(QStringLiteral("Personal.Lot")),
              QByteArray("5,39,1,\"$\",\"Cfg, Jo\"\r\n"));
    EXPECT_FALSE(QFile::exists(program.path(QStringLiteral("Personal.Lot"))));
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_EQ(label("MyName")->text(), QStringLiteral("Cfg, Jo"));
    EXPECT_TRUE(f.dialogs.log.empty());
}

TEST_F(AppControllerTest, ReadOnlyProgramFolderIsReadUntilTheConfigurationFolderHasItsOwn)
{
    // A copy in a folder of its own that the user cannot write (said so here, since root may
    // write anywhere): its Personal.Lot is read, and a save goes to the configuration folder,
    // which is read from then on.
    program.write(QStringLiteral("Personal.Lot"), "7,35,2,\"$\",\"Ann\"\r\n");
    auto startReadOnly = [this] {
        f.state = core::AppState();
        controller = std::make_unique<app::AppController>(f.state, f.services);
        app::AppController::Paths paths(program.dir(), config.dir());
        paths.programWritable = false;
        controller->start(paths);
        ASSERT_TRUE(QTest::qWaitForWindowActive(menu()));
    };
    startReadOnly();
    EXPECT_EQ(f.state.settings.DefaultPicks, 7);
    EXPECT_EQ(label("MyName")->text(), QStringLiteral("Ann"));
    press("PtrFnt");
    auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    QWidget* name = form->findChild<QWidget*>(QStringLiteral("InMyName"));
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, QStringLiteral("e"));
    form->findChild<QPushButton*>(QStringLiteral("ExitFonts"))->click();
    EXPECT_EQ(config.read(QStringLiteral("Personal.Lot")), QByteArray("7,35,2,\"$\",\"Anne\"\r\n"));
    EXPECT_EQ(program.read(QStringLiteral("Personal.Lot")), QByteArray("7,35,2,\"$\",\"Ann\"\r\n"));
    controller.reset();
    startReadOnly();
    EXPECT_EQ(label("MyName")->text(), QStringLiteral("Anne"));
}

TEST_F(AppControllerTest, MenuButtonsColumnsAndTabOrder)
{
    start();
    const std::pair<const char*, const char*> buttons[] = {
        {"LoadFile", "&Open a File from Disk"},      {"PickForm", "&Pick-a-Winner"},
        {"DBaseForm", "&View and Edit Database"},    {"ShowGraph1", "Show &Graphs"},
        {"SelectRec", "&Extract between two Dates"}, {"InvTrack", "&Investment Tracker"},
        {"SaveFile", "&Save File to Disk"},          {"CheckWin", "Check &Winners"},
        {"PrintDbase", "Print &Current Database"},   {"HowtoUse", "How to &Use the Program"},
        {"PtrFnt", "Persona&lize Settings"},         {"TicketForm", "&Tickets"},
        {"Exit1Butt", "E&xit from Program"},
    };
    QStringList expected, order{FocusName()};
    for (int i = 0; i < 13; ++i) {
        const auto& [name, caption] = buttons[i];
        ASSERT_NE(button(name), nullptr) << name;
        EXPECT_EQ(button(name)->text(), QLatin1String(caption));
        // Six down each column; Tickets beside Investment Tracker.
        const QPushButton* top = button(i < 6 ? "LoadFile" : "SaveFile");
        if (i < 12) {
            EXPECT_EQ(button(name)->x(), top->x()) << name;
        }
        expected << QLatin1String(name);
        if (i > 0) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << FocusName();
        }
    }
    EXPECT_EQ(order, expected);
    const QRect exit = button("Exit1Butt")->geometry();
    const QRect columns = button("LoadFile")->geometry().united(button("SaveFile")->geometry());
    EXPECT_LT(button("LoadFile")->geometry().right(), button("SaveFile")->x());
    EXPECT_GT(exit.top(), button("InvTrack")->geometry().bottom());
    EXPECT_EQ(button("TicketForm")->y(), button("InvTrack")->y());
    EXPECT_LE(std::abs(exit.center().x() - columns.center().x()), 1);
}

TEST_F(AppControllerTest, MenuKeepsItsSizeWhenTheLabelsAppear)
{
    start();
    const QRect before = menu()->geometry();
    const QRect exitBefore = button("Exit1Butt")->geometry();
    menu()->setDatabaseTitle(QStringLiteral("Sample Lotto 6/49"));
    menu()->setUserName(QStringLiteral("Pat Player"), true);
    QApplication::processEvents();
    EXPECT_EQ(menu()->geometry(), before);
    EXPECT_EQ(controller->backdrop()->geometry(), before);
    EXPECT_EQ(button("Exit1Butt")->geometry(), exitBefore);
    // Each label has the height its bold text needs, the two lines of the title included, and
    // the name stays below the file's label.
    for (const char* name : {"InfoLabel", "MyName"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(label(name)->isVisible());
        EXPECT_GE(label(name)->height(), label(name)->sizeHint().height());
        EXPECT_TRUE(menu()->rect().contains(
            QRect(label(name)->mapTo(menu(), QPoint(0, 0)), label(name)->size())));
    }
    EXPECT_GE(label("MyName")->mapTo(menu(), QPoint(0, 0)).y(),
              label("InfoLabel")->mapTo(menu(), QPoint(0, label("InfoLabel")->height())).y());
}

TEST_F(AppControllerTest, MenuLabelWithATallerFaceIsNotCutOff)
{
    start();
    QFont tall = label("MyName")->font();
    tall.setPointSize(tall.pointSize() * 2);
    label("MyName")->setFont(tall);
    menu()->setUserName(QStringLiteral("Pat Player"), true);
    QApplication::processEvents();
    EXPECT_GE(label("MyName")->height(), label("MyName")->sizeHint().height());
    EXPECT_TRUE(menu()->rect().contains(
        QRect(label("MyName")->mapTo(menu(), QPoint(0, 0)), label("MyName")->size())));
}

TEST_F(AppControllerTest, RecordButtonsNeedRecords)
{
    start();
    const char* guarded[] = {"PrintDbase", "ShowGraph1", "CheckWin", "SelectRec"};
    for (const char* name : guarded) {
        f.state.graphCaller = core::GraphCaller::DatabaseWindow;
        press(name);
        EXPECT_EQ(shown(), QStringList{QStringLiteral(
                               "Help| No records to work with. Either start a new Database in\r\n"
                               " 'View and Edit Database' or 'Open a File from Disk'.\r\n"
                               " Open the Sample.Lto file to learn and use all the features. \r\n"
                               " Or US Powerball: USPballW.Lto and USPballR.Lto\r\n"
                               " Be sure to read 'How to Use the Program' for full details.")})
            << name;
        EXPECT_EQ(f.state.graphCaller, core::GraphCaller::DatabaseWindow);
        EXPECT_TRUE(menu()->isVisible());
    }
    for (const char* name : {"DBaseForm", "PickForm", "InvTrack", "HowtoUse"}) {
        press(name);
        EXPECT_TRUE(shown().isEmpty()) << name;
    }
    press("LoadFile", in("Week.lto"));
    for (const char* name : guarded) {
        // The extract dialog is modal: close it as soon as it is up. The printout asks first,
        // and the user says No.
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        const bool printout = qstrcmp(name, "PrintDbase") == 0;
        press(name, std::nullopt, printout ? std::optional<bool>(false) : std::nullopt);
        const QStringList messages = shown();
        EXPECT_FALSE(messages.join(QLatin1Char('\n')).contains(QLatin1String("No records")))
            << name;
        if (printout) {
            EXPECT_EQ(messages, QStringList{QStringLiteral("Printer|Continue with Printout.")});
        }
    }
    EXPECT_TRUE(f.printer.texts.empty());
    EXPECT_EQ(f.state.graphCaller, core::GraphCaller::MainMenu);
}

namespace {
// A window as the subsystems write them: it announces its exit and the controller disposes of it.
class SomeWindow final : public QWidget {
    Q_OBJECT
Q_SIGNALS:
    void exitToMenu();
};
} // namespace

TEST_F(AppControllerTest, PresentedWindowHandsBackToTheMenu)
{
    start();
    for (const bool database : {false, true}) {
        QPointer<SomeWindow> window = controller->present(new SomeWindow, database);
        EXPECT_FALSE(menu()->isVisible());
        EXPECT_TRUE(window->isVisible());
        f.state.database.setTitle(QStringLiteral("Typed In"));
        Q_EMIT window->exitToMenu();
        EXPECT_TRUE(menu()->isVisible());
        EXPECT_EQ(label("InfoLabel")->isVisible(), database);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
    }
}

namespace {
// The visible top-level window of that form name, if any.
QWidget* ShownWindow(const char* form)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(form) && w->isVisible()) return w;
    return nullptr;
}

void Click(QWidget* window, const char* button)
{
    auto* b = window->findChild<QPushButton*>(QLatin1String(button));
    ASSERT_NE(b, nullptr) << button;
    b->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

TEST_F(AppControllerTest, MenuButtonsOpenTheirWindowsAndTheExitsComeBack)
{
    start();
    press("LoadFile", in("Week.lto"));
    leaveDatabaseWindow();
    const struct {
        const char* button;
        const char* form;
        const char* exit;
    } cases[] = {
        {"DBaseForm", "LDbase", "DExit"},   {"PickForm", "Lottery", "PExit"},
        {"CheckWin", "LCheckWin", "CExit"}, {"ShowGraph1", "LGraph", "ExitGrp"},
        {"InvTrack", "LInvTrack", "IExit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        press(c.button);
        QWidget* window = ShownWindow(c.form);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(menu()->isVisible());
        Click(window, c.exit);
        EXPECT_EQ(ShownWindow(c.form), nullptr);
        EXPECT_TRUE(menu()->isVisible());
    }
}

TEST_F(AppControllerTest, HelpOpensFromTheMenuButtonAndF1Everywhere)
{
    start();
    int opened = 0;
    controller->setHelpOpener([&opened] { ++opened; });
    press("HowtoUse");
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(menu()->isVisible());
    press("DBaseForm");
    QWidget* database = ShownWindow("LDbase");
    ASSERT_NE(database, nullptr);
    QTest::keyClick(database->findChild<QWidget*>(QStringLiteral("InDate")), Qt::Key_F1);
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(AppControllerTest, GraphsReturnToTheWindowThatOpenedThem)
{
    start();
    press("LoadFile", in("Week.lto"));
    QWidget* database = ShownWindow("LDbase");
    ASSERT_NE(database, nullptr);
    Click(database, "DGraphs");
    QWidget* graphs = ShownWindow("LGraph");
    ASSERT_NE(graphs, nullptr);
    EXPECT_EQ(f.state.graphCaller, core::GraphCaller::DatabaseWindow);
    EXPECT_FALSE(database->isVisible());
    Click(graphs, "ExitGrp");
    EXPECT_EQ(ShownWindow("LDbase"), database);
    EXPECT_FALSE(menu()->isVisible());
    leaveDatabaseWindow();

    press("ShowGraph1");
    EXPECT_EQ(f.state.graphCaller, core::GraphCaller::MainMenu);
    Click(ShownWindow("LGraph"), "ExitGrp");
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_EQ(ShownWindow("LDbase"), nullptr);
}

TEST_F(AppControllerTest, ExtractEndsInTheDatabaseWindowAndPrintingAsksFirst)
{
    start();
    press("LoadFile", in("Week.lto"));
    leaveDatabaseWindow();
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    press("SelectRec");
    EXPECT_NE(ShownWindow("LDbase"), nullptr);
    leaveDatabaseWindow();

    press("PrintDbase", std::nullopt, false);
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Printer|Continue with Printout.")});
    EXPECT_TRUE(f.printer.texts.empty());
    press("PrintDbase", std::nullopt, true);
    ASSERT_EQ(f.printer.texts.size(), 1u);
    EXPECT_TRUE(f.printer.texts[0]
                    .pages[0]
                    .join(QLatin1Char('\n'))
                    .contains(QLatin1String("Winning numbers in My Lottery Draw")));
    EXPECT_TRUE(menu()->isVisible());
}

TEST_F(AppControllerTest, OpenLoadsTheChosenFileOrKeepsTheDatabaseOnCancel)
{
    start();
    press("LoadFile", in("Week.lto"));
    ASSERT_EQ(f.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(f.dialogs.fileRequests[0].mode, ui::FileMode::Open);
    EXPECT_EQ(f.dialogs.fileRequests[0].filter,
              QStringLiteral("Lottery Winning Numbers Database (*.lto)"));
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(f.state.database.recordCount(), 2);
    EXPECT_EQ(f.state.LastFileName, QStringLiteral("Week.lto"));
    EXPECT_EQ(f.dialogs.busyOn, f.dialogs.busyOff);
    // The database window shows what was loaded; leaving it brings the menu back up to date.
    EXPECT_TRUE(databaseWindowShown());
    EXPECT_FALSE(menu()->isVisible());
    leaveDatabaseWindow();
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_TRUE(label("InfoLabel")->isVisible());
    EXPECT_EQ(label("InfoLabel")->text(), QStringLiteral(" File in Memory \n  My Lottery  "));

    // A cancelled dialog lands in the database window too, with the database unchanged.
    press("LoadFile", std::nullopt);
    EXPECT_EQ(f.dialogs.fileRequests[0].defaultName, QStringLiteral("Week.lto"));
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(f.state.database.title(), QStringLiteral("My Lottery"));
    EXPECT_TRUE(databaseWindowShown());
    leaveDatabaseWindow();
    EXPECT_TRUE(menu()->isVisible());
}

TEST_F(AppControllerTest, OpenAsksBeforeUnsavedRecordsAreReplaced)
{
    start();
    press("LoadFile", in("Week.lto"));
    f.state.Modified = true;
    // Yes: back to the menu to save first; no dialog, nothing loaded.
    press("LoadFile", in("Other.lto"), true);
    EXPECT_EQ(shown(), QStringList{kChanged});
    EXPECT_TRUE(f.dialogs.fileRequests.empty());
    EXPECT_EQ(f.state.database.title(), QStringLiteral("My Lottery"));
    EXPECT_TRUE(menu()->isVisible());
    // No: opens the other file, whose records are all on disk, so leaving asks nothing.
    press("LoadFile", in("Other.lto"), false);
    EXPECT_EQ(shown(), QStringList{kChanged});
    EXPECT_EQ(f.state.database.title(), QStringLiteral("Other Game"));
    EXPECT_FALSE(f.state.Modified);
    // Without records there is nothing to lose and nothing to ask.
    f.state.database.setRecordCount(0);
    press("LoadFile", std::nullopt);
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(AppControllerTest, OpenFailuresAreAnnounced)
{
    program.write(QStringLiteral("Old.lto"),
                  "1,6,40,\"Old\"\r\n1,#2001-05-05#,1,2,3,4,0,0,0,0,0,0\r\n");
    program.write(QStringLiteral("Cut.lto"), kTwoDraws.left(60));
    const struct {
        const char* file;
        QStringList messages;
        int records;
    } cases[] = {
        {"Old.lto", {kOldFormat}, 1},
        {"Cut.lto", {kOldFormat, kNotFound}, 0},
        {"Missing.lto", {kNotFound}, 0},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        press("LoadFile", in("Week.lto"));
        leaveDatabaseWindow();
        f.state.Modified = true;
        press("LoadFile", in(c.file), false);
        EXPECT_EQ(shown(), QStringList{kChanged} + c.messages);
        EXPECT_EQ(f.state.database.recordCount(), c.records);
        EXPECT_FALSE(f.state.Modified);
        EXPECT_EQ(f.state.LastFileName, c.records > 0 ? QLatin1String(c.file) : QString());
        EXPECT_TRUE(databaseWindowShown());
        leaveDatabaseWindow();
        EXPECT_EQ(label("InfoLabel")->isVisible(), c.records > 0);
        EXPECT_TRUE(menu()->isVisible());
        if (c.records > 0) {
            const database::DrawDatabase& db = f.state.database;
            EXPECT_EQ(QList<int>({db.advanceFirst(), db.advanceSecond(), db.pendingAdvance()}),
                      QList<int>({0, 7, 7}));
        }
    }
}

TEST_F(AppControllerTest, SaveProposesTheFileInMemoryAndOnlyASaveClearsModified)
{
    start();
    // An empty database is refused before any dialog and writes nothing.
    f.state.Modified = true;
    press("SaveFile", in("Week.lto"));
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Help|No Records to Save")});
    EXPECT_TRUE(f.dialogs.fileRequests.empty());
    EXPECT_FALSE(f.state.Modified);
    EXPECT_EQ(program.read(QStringLiteral("Week.lto")), kTwoDraws);

    press("LoadFile", in("Other.lto"));
    f.state.Modified = true;
    press("SaveFile", in("Copy.lto"));
    ASSERT_EQ(f.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(f.dialogs.fileRequests[0].mode, ui::FileMode::Save);
    // The file in memory with its folder, not a new copy in the program's folder.
    EXPECT_EQ(f.dialogs.fileRequests[0].defaultName, in("Other.lto"));
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(program.read(QStringLiteral("Copy.lto")), kOneDraw);
    EXPECT_EQ(f.state.LastFileName, QStringLiteral("Copy.lto"));
    EXPECT_FALSE(f.state.Modified);

    // A cancelled dialog saves nothing: the records stay unsaved, and the exit asks.
    f.state.Modified = true;
    press("SaveFile", std::nullopt);
    EXPECT_TRUE(f.state.Modified);
    EXPECT_EQ(f.state.filePath, in("Copy.lto"));
    EXPECT_TRUE(menu()->isVisible());
    press("Exit1Butt", std::nullopt, false);
    EXPECT_EQ(shown(), QStringList{QString(kChanged).replace(QStringLiteral("Week.lto"),
                                                             QStringLiteral("Copy.lto"))});
    EXPECT_EQ(quits->count(), 1);
}

TEST_F(AppControllerTest, FailedSaveKeepsTheOldFileAndTheUnsavedMark)
{
    start();
    press("LoadFile", in("Week.lto"));
    f.state.Modified = true;
    {
        // The write fails half-way over an existing, smaller file.
        FileSizeLimit limit(static_cast<rlim_t>(kOneDraw.size()));
        press("SaveFile", in("Other.lto"));
    }
    EXPECT_EQ(shown(), QStringList{kSavingError});
    EXPECT_EQ(program.read(QStringLiteral("Other.lto")), kOneDraw);
    EXPECT_TRUE(f.state.Modified);
    EXPECT_EQ(f.state.LastFileName, QStringLiteral("Week.lto"));
    EXPECT_TRUE(menu()->isVisible());

    press("SaveFile", in("nowhere/X.lto"));
    EXPECT_EQ(shown(), QStringList{kSavingError});
    // So the exit still asks.
    press("Exit1Butt", std::nullopt, true);
    EXPECT_EQ(shown(), QStringList{kChanged});
    EXPECT_EQ(quits->count(), 0);
}

TEST_F(AppControllerTest, ExitAsksOnlyAboutUnsavedRecords)
{
    start();
    press("LoadFile", in("Week.lto"));
    f.state.Modified = true;
    press("Exit1Butt", std::nullopt, true);
    EXPECT_EQ(shown(), QStringList{kChanged});
    EXPECT_EQ(quits->count(), 0);
    EXPECT_TRUE(menu()->isVisible());
    // The title bar's X runs the same exit.
    f.dialogs.clear();
    f.state.LastFileName.clear();
    f.dialogs.answers = {true, false};
    EXPECT_FALSE(menu()->close());
    EXPECT_TRUE(menu()->isVisible());
    menu()->close();
    ASSERT_EQ(shown().size(), 2);
    EXPECT_TRUE(shown()[1].startsWith(
        QStringLiteral("Changed File in Memory| file in memory will be erased.")));
    EXPECT_EQ(quits->count(), 1);
    EXPECT_FALSE(f.state.Modified);
    EXPECT_FALSE(menu()->isVisible());
    EXPECT_FALSE(controller->backdrop()->isVisible());

    // Modified without records ends at once.
    start();
    f.state.Modified = true;
    press("Exit1Butt");
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(quits->count(), 1);
}

TEST_F(AppControllerTest, SettingsFormSavesWhenLeftAndLeavesTheDatabaseAlone)
{
    start();
    press("LoadFile", in("Week.lto"));
    press("PtrFnt");
    EXPECT_FALSE(menu()->isVisible());
    auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    QTest::keyClicks(form->findChild<QWidget*>(QStringLiteral("InMyName")), QStringLiteral("Jo"));
    QWidget* picks = form->findChild<QWidget*>(QStringLiteral("InNumChoices"));
    QTest::mouseClick(picks, Qt::LeftButton);
    QTest::keyClicks(picks, QStringLiteral("5"));
    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("ExitFonts")), Qt::LeftButton);
    EXPECT_EQ(program.read(QStringLiteral("Personal.Lot")), QByteArray("5,49,1,\"$\",\"Jo\"\r\n"));
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_EQ(label("MyName")->text(), QStringLiteral("Jo"));
    EXPECT_EQ(f.state.database.columnCount(), 8);
    EXPECT_EQ(f.state.database.recordCount(), 2);
    EXPECT_TRUE(shown().isEmpty());
}

namespace {
QStringList g_warnings;
void KeepWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    // The offscreen platform warns of its own limits; only the program's lines count.
    if (type == QtWarningMsg && !message.contains(QStringLiteral("plugin"))) g_warnings << message;
}
} // namespace

TEST_F(AppControllerTest, SettingsThatCannotBeSavedAreLoggedWithTheReason)
{
    // A folder in the settings file's place: the write fails whoever runs the test.
    QDir(program.dir()).mkdir(QStringLiteral("Personal.Lot"));
    start();
    press("PtrFnt");
    auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    g_warnings.clear();
    const QtMessageHandler before = qInstallMessageHandler(KeepWarning);
    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("ExitFonts")), Qt::LeftButton);
    qInstallMessageHandler(before);
    ASSERT_EQ(g_warnings.size(), 1) << g_warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(g_warnings.front().startsWith(
        QDir::toNativeSeparators(program.path(QStringLiteral("Personal.Lot"))) +
        QStringLiteral(": the settings were not saved (")))
        << g_warnings.front().toStdString();
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_TRUE(shown().isEmpty());
}

#include "AppControllerTest.moc"

TEST_F(AppControllerTest, FileNamedAtStartOpensInItsWindowOrLeavesTheMenu)
{
    program.write(QStringLiteral("Cut.lto"), kTwoDraws.left(60));
    program.write(QStringLiteral("Money.inv"),
                  "2\r\n\"Tickets\",-3\r\n\"Win\",10\r\n" +
                      QByteArray(",\r\n").repeated(inv::InvestmentSheet::LastRow - 2));
    program.write(QStringLiteral("Bad.inv"), "ZZZ\r\n");
    auto windowShown = [](const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible()) return true;
        return false;
    };
    const struct {
        const char* file;
        QStringList messages;
        const char* window; // nullptr: the menu stays in front
    } cases[] = {
        {"Week.lto", {}, "LDbase"},
        {"Money.inv", {}, "LInvTrack"},
        {"Cut.lto", {kOldFormat, kNotFound}, nullptr},
        {"Missing.lto", {kNotFound}, nullptr},
        {"Bad.inv", {kNotFound}, nullptr},
        {"Notes.txt", {kNotFound}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        start();
        f.dialogs.clear();
        controller->openAtStart(in(c.file));
        EXPECT_EQ(shown(), c.messages);
        if (c.window) {
            EXPECT_TRUE(windowShown(c.window));
            EXPECT_FALSE(menu()->isVisible());
        } else {
            EXPECT_TRUE(menu()->isVisible());
            EXPECT_EQ(f.state.database.recordCount(), 0);
            // The menu still works: the database window opens from it.
            press("DBaseForm");
            EXPECT_TRUE(databaseWindowShown());
        }
        if (QLatin1String(c.file) == QLatin1String("Week.lto")) {
            EXPECT_EQ(f.state.database.recordCount(), 2);
        }
        controller.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(AppControllerTest, ImportFromTheDatabaseWindowShowsTheNewRecordsOrChangesNothing)
{
    start();
    press("LoadFile", in("Week.lto"));
    auto databaseWindow = []() -> QWidget* {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("LDbase") && w->isVisible()) return w;
        return nullptr;
    };
    // The window is scripted once it runs: a pasted table, then Import or Cancel.
    bool importIt = false;
    controller->setImportPrepare([&importIt](history::ImportDialog& d) {
        QTimer::singleShot(0, &d, [&d, &importIt] {
            d.setSource(QStringLiteral("1998-01-10,1,2,3,4,5,6\n1998-01-03,5,12,23,34,41,49\n"),
                        QStringLiteral("pasted"));
            d.findChild<QPushButton*>(importIt ? QStringLiteral("IImport")
                                               : QStringLiteral("ICancel"))
                ->click();
        });
    });
    for (bool really : {false, true}) {
        SCOPED_TRACE(really);
        importIt = really;
        QWidget* before = databaseWindow();
        ASSERT_NE(before, nullptr);
        before->findChild<QPushButton*>(QStringLiteral("DImport"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(f.state.database.recordCount(), really ? 3 : 2);
        EXPECT_EQ(f.state.Modified, really);
        // After an import the window is built again on the three records.
        QWidget* after = databaseWindow();
        ASSERT_NE(after, nullptr);
        EXPECT_EQ(after == before, !really);
        EXPECT_FALSE(menu()->isVisible());
    }
    EXPECT_EQ(f.state.database.record(3).DrawDate, QDate(1998, 1, 10));
}

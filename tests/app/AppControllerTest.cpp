#include "app/AppController.h"
#include "app/MainMenu.h"
#include "FileSizeLimit.h"
#include "WindowTestSupport.h"
#include "support/TempDir.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <memory>

namespace {

const QString kNoRecords =
    QStringLiteral(" No records to work with. Either start a new Database in\r\n"
                   " 'View and Edit Database' or 'Open a File from Disk'.\r\n"
                   " Open the Sample.Lto file to learn and use all the features. \r\n"
                   " Or US Powerball: USPballW.Lto and USPballR.Lto\r\n"
                   " Be sure to read 'How to Use the Program' for full details.");

const QByteArray kTwoDraws = "2,8,49,\"My Lottery\",3,4,3\r\n"
                             "1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n"
                             "2,#1998-01-07#,5,9,17,30,38,44,0,0,0,0\r\n";
const QByteArray kOneDraw = "1,7,40,\"Other Game\",0,7,7\r\n"
                            "1,#2024-06-01#,1,2,3,4,5,0,0,0,0,0\r\n";

const QString kLoadingError = QStringLiteral("Loading Error");
const QString kOldFormat = QStringLiteral("File in wrong or old format. Will try to load it.");
const QString kNotFound =
    QStringLiteral("File not found or wrong format. Check Filename and/or Directory.");
const QString kChangedTitle = QStringLiteral("Changed File in Memory");

class AppControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cwd = QDir::currentPath();
        program.write(QStringLiteral("Week.lto"), kTwoDraws);
    }
    void TearDown() override
    {
        controller.reset();
        QDir::setCurrent(m_cwd);
    }
    void start(const QString& programDir = {})
    {
        controller = std::make_unique<app::AppController>(f.state, f.services);
        quits = std::make_unique<QSignalSpy>(controller.get(),
                                             &app::AppController::quitRequested);
        controller->start({programDir.isEmpty() ? program.dir() : programDir, config.dir()});
        ASSERT_TRUE(QTest::qWaitForWindowActive(menu()));
    }
    app::MainMenu* menu() const { return controller->menu(); }
    QPushButton* button(const char* name) const { return menu()->button(QLatin1String(name)); }
    QLabel* label(const char* name) const
    {
        return menu()->findChild<QLabel*>(QLatin1String(name));
    }
    // Loads the database the way a user does, through the open command.
    void load(const char* name)
    {
        f.dialogs.files.push_back(program.path(QLatin1String(name)));
        button("LoadFile")->click();
        f.dialogs.clear();
    }
    std::vector<RecordedMessage> questions() const
    {
        std::vector<RecordedMessage> out;
        for (const auto& m : f.dialogs.log)
            if (m.kind == RecordedMessage::Kind::Question)
                out.push_back(m);
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

// ---- Start-up ------------------------------------------------------------------------------

TEST_F(AppControllerTest, FirstRunWithoutSettingsFile)
{
    start();
    EXPECT_EQ(QDir::currentPath(), QDir(program.dir()).canonicalPath());
    EXPECT_EQ(controller->settingsPath(), program.path(QStringLiteral("Personal.Lot")));
    const PersonalSettings& s = f.state.Settings;
    EXPECT_EQ(s.DefaultPicks, 6);
    EXPECT_EQ(s.DefaultHighNumber, 49);
    EXPECT_EQ(s.EntryForms, 1);
    EXPECT_EQ(s.CurrencySymbol, QStringLiteral("$"));
    EXPECT_EQ(f.state.Database.ColumnCount, 8);
    EXPECT_EQ(f.state.Database.HighNumber, 49);
    EXPECT_EQ(f.state.Database.AdvanceFirst, 0);
    EXPECT_EQ(f.state.Database.AdvanceSecond, 7);
    EXPECT_EQ(f.state.Database.RecordCount, 0);
    EXPECT_FALSE(f.state.Modified);
    EXPECT_FALSE(label("MyName")->isVisible());
    EXPECT_FALSE(label("InfoLabel")->isVisible());
    EXPECT_TRUE(f.dialogs.log.empty());

    EXPECT_EQ(menu()->objectName(), QStringLiteral("LotoMenu"));
    EXPECT_EQ(menu()->windowTitle(), QStringLiteral("Tallimo Win9"));
    QWidget* blank = controller->backdrop();
    EXPECT_EQ(blank->objectName(), QStringLiteral("LBlankForm"));
    EXPECT_EQ(blank->windowTitle(), QStringLiteral("Tallimo Win9"));
    EXPECT_TRUE(blank->isVisible());
    EXPECT_EQ(blank->geometry(), menu()->geometry());
    EXPECT_TRUE(menu()->isActiveWindow());
}

TEST_F(AppControllerTest, SettingsFileShapesTheRun)
{
    struct Case {
        const char* file;
        bool nameShown;
        const char* name;
        int columns;
        int high;
    };
    const Case cases[] = {
        {"12,75,0,\"\",\"Player\"\r\n", true, "Player", 8, 49},
        {"4,40,2,\"Kr\",\"Ann Lee\"\r\n", true, "Ann Lee", 6, 40},
        {"4,40,2,\"Kr\",\"\"\r\n", false, "", 6, 40},
        {"4,40,2\r\n", false, "", 8, 49},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        program.write(QStringLiteral("Personal.Lot"), c.file);
        start();
        EXPECT_EQ(label("MyName")->isVisible(), c.nameShown);
        if (c.nameShown) {
            EXPECT_EQ(label("MyName")->text(), QLatin1String(c.name));
        }
        EXPECT_EQ(f.state.Database.ColumnCount, c.columns);
        EXPECT_EQ(f.state.Database.HighNumber, c.high);
        controller.reset();
        f.state = AppState();
    }
}

TEST_F(AppControllerTest, ReadOnlyProgramFolderKeepsSettingsInTheConfigurationFolder)
{
    config.write(QStringLiteral("Personal.Lot"), "5,39,1,\"$\",\"Cfg\"\r\n");
    start(program.path(QStringLiteral("installed-copy")));
    EXPECT_EQ(controller->settingsPath(), config.path(QStringLiteral("Personal.Lot")));
    EXPECT_EQ(f.state.Settings.DefaultPicks, 5);
    EXPECT_EQ(label("MyName")->text(), QStringLiteral("Cfg"));

    button("PtrFnt")->click();
    auto* form = QApplication::activeModalWidget();
    ASSERT_NE(form, nullptr);
    qobject_cast<QDialog*>(form)->reject();
    EXPECT_EQ(config.read(QStringLiteral("Personal.Lot")), QByteArray("5,39,1,\"$\",\"Cfg\"\r\n"));
    EXPECT_FALSE(QFile::exists(program.path(QStringLiteral("Personal.Lot"))));
}

// ---- The menu --------------------------------------------------------------------------------

TEST_F(AppControllerTest, MenuButtonsCaptionsAndTabOrder)
{
    start();
    const std::pair<const char*, const char*> buttons[] = {
        {"LoadFile", "&Open a File from Disk"},
        {"PickForm", "&Pick-a-Winner"},
        {"DBaseForm", "&View and Edit Database"},
        {"ShowGraph1", "Show &Graphs"},
        {"SelectRec", "&Extract between two Dates"},
        {"InvTrack", "&Investment Tracker"},
        {"SaveFile", "&Save File to Disk"},
        {"CheckWin", "Check &Winners"},
        {"PrintDbase", "Print &Current Database"},
        {"HowtoUse", "How to &Use the Program"},
        {"PtrFnt", "Persona&lize Settings"},
        {"Exit1Butt", "E&xit from Program"},
    };
    QStringList expectedOrder;
    for (const auto& [name, caption] : buttons) {
        ASSERT_NE(button(name), nullptr) << name;
        EXPECT_EQ(button(name)->text(), QLatin1String(caption)) << name;
        expectedOrder << QLatin1String(name);
    }
    EXPECT_EQ(menu()->findChildren<QPushButton*>().size(), 12);

    // Two columns of six and five, the exit centred below both.
    const int left = button("LoadFile")->x();
    const int right = button("SaveFile")->x();
    EXPECT_LT(left + button("LoadFile")->width(), right);
    for (int i = 0; i < 12; ++i) {
        const QPushButton* b = button(buttons[i].first);
        if (i < 6) {
            EXPECT_EQ(b->x(), left) << buttons[i].first;
        } else if (i < 11) {
            EXPECT_EQ(b->x(), right) << buttons[i].first;
        }
        if (i > 0 && i != 6 && i < 11) {
            EXPECT_GT(b->y(), button(buttons[i - 1].first)->y()) << buttons[i].first;
        }
    }
    const QPushButton* exit = button("Exit1Butt");
    EXPECT_GT(exit->y(), button("InvTrack")->y());
    const int columnsCentre = (left + right + button("SaveFile")->width()) / 2;
    EXPECT_LE(std::abs(exit->geometry().center().x() - columnsCentre), 2);
    EXPECT_LT(label("TitleLabel")->y(), button("LoadFile")->y());

    button("LoadFile")->setFocus();
    QStringList order{FocusName()};
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << FocusName();
    }
    EXPECT_EQ(order, expectedOrder);
}

TEST_F(AppControllerTest, InfoLabelShowsTheTitleInMemory)
{
    program.write(QStringLiteral("Personal.Lot"), "6,49,1,\"$\",\"Player\"\r\n");
    start();
    load("Week.lto");
    EXPECT_TRUE(label("InfoLabel")->isVisible());
    EXPECT_EQ(label("InfoLabel")->text(), QStringLiteral(" File in Memory \n  My Lottery  "));
    EXPECT_GT(label("MyName")->y(), label("InfoLabel")->y());
    EXPECT_GT(label("InfoLabel")->y(), button("Exit1Butt")->y());
    // A window that empties the database hides it when the database window is left.
    f.state.Database.Title.clear();
    controller->leaveDatabase();
    EXPECT_FALSE(label("InfoLabel")->isVisible());
}

TEST_F(AppControllerTest, RecordButtonsRefuseAnEmptyDatabase)
{
    start();
    for (const char* name : {"PrintDbase", "ShowGraph1", "CheckWin", "SelectRec"}) {
        SCOPED_TRACE(name);
        f.dialogs.clear();
        f.state.GraphCaller = 2;
        button(name)->click();
        EXPECT_EQ(f.dialogs.messages(), std::vector<QString>{QStringLiteral("Help|") + kNoRecords});
        EXPECT_TRUE(menu()->isVisible());
        EXPECT_EQ(f.state.GraphCaller, 2);
    }
    for (const char* name : {"DBaseForm", "PickForm", "InvTrack", "HowtoUse"}) {
        f.dialogs.clear();
        button(name)->click();
        EXPECT_TRUE(f.dialogs.log.empty()) << name;
        EXPECT_TRUE(menu()->isVisible()) << name;
    }
}

TEST_F(AppControllerTest, RecordButtonsPassWithRecords)
{
    start();
    load("Week.lto");
    for (const char* name : {"PrintDbase", "ShowGraph1", "CheckWin", "SelectRec"}) {
        f.state.GraphCaller = 2;
        button(name)->click();
        EXPECT_TRUE(f.dialogs.log.empty()) << name;
        if (QLatin1String(name) == QLatin1String("ShowGraph1")) {
            EXPECT_EQ(f.state.GraphCaller, 1);
        }
    }
}

TEST_F(AppControllerTest, WindowsHandOverToAndFromTheMenu)
{
    start();
    auto* window = new QWidget;
    QPointer<QWidget> watch(window);
    controller->enterWindow(window);
    EXPECT_FALSE(menu()->isVisible());
    EXPECT_TRUE(window->isVisible());
    controller->returnToMenu(window);
    EXPECT_TRUE(menu()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
}

// ---- Open ------------------------------------------------------------------------------------

TEST_F(AppControllerTest, OpenLoadsTheChosenFile)
{
    start();
    f.state.LastFileName = QStringLiteral("Prev.lto");
    f.dialogs.files.push_back(program.path(QStringLiteral("Week.lto")));
    button("LoadFile")->click();
    ASSERT_EQ(f.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(f.dialogs.fileRequests[0].mode, ui::FileMode::Open);
    EXPECT_EQ(f.dialogs.fileRequests[0].filter,
              QStringLiteral("Lottery Winning Numbers Database (*.lto)"));
    EXPECT_EQ(f.dialogs.fileRequests[0].defaultName, QStringLiteral("Prev.lto"));
    EXPECT_TRUE(f.dialogs.log.empty());
    EXPECT_EQ(f.state.Database.RecordCount, 2);
    EXPECT_EQ(f.state.LastFileName, QStringLiteral("Week.lto"));
    EXPECT_FALSE(f.state.Modified);
    EXPECT_EQ(f.dialogs.busyOn, f.dialogs.busyOff);
    EXPECT_TRUE(menu()->isVisible());
}

TEST_F(AppControllerTest, CancelledOpenKeepsTheDatabase)
{
    start();
    load("Week.lto");
    f.state.Modified = false;
    f.dialogs.files.push_back(std::nullopt);
    button("LoadFile")->click();
    EXPECT_EQ(f.dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(f.dialogs.log.empty());
    EXPECT_EQ(f.state.Database.RecordCount, 2);
    EXPECT_EQ(f.state.LastFileName, QStringLiteral("Week.lto"));
    EXPECT_TRUE(menu()->isVisible());
}

TEST_F(AppControllerTest, OpenAsksBeforeUnsavedRecordsAreReplaced)
{
    program.write(QStringLiteral("Other.lto"), kOneDraw);
    start();
    load("Week.lto");
    f.state.Modified = true;

    // Yes: back to the menu to save; nothing is loaded and no dialog opens.
    f.dialogs.answers.push_back(true);
    f.dialogs.files.push_back(program.path(QStringLiteral("Other.lto")));
    button("LoadFile")->click();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions()[0].title, kChangedTitle);
    EXPECT_EQ(questions()[0].text,
              QStringLiteral("Week.lto file in memory will be erased. Do you want to go back and "
                             "Save File to Disk?."));
    EXPECT_TRUE(f.dialogs.fileRequests.empty());
    EXPECT_EQ(f.state.Database.Title, QStringLiteral("My Lottery"));
    EXPECT_TRUE(f.state.Modified);
    EXPECT_TRUE(menu()->isVisible());

    // No: opens as before; Modified is left as it was.
    f.dialogs.clear();
    f.dialogs.answers.push_back(false);
    button("LoadFile")->click();
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_EQ(f.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(f.state.Database.Title, QStringLiteral("Other Game"));
    EXPECT_EQ(f.state.LastFileName, QStringLiteral("Other.lto"));
    EXPECT_TRUE(f.state.Modified);
}

TEST_F(AppControllerTest, OpenDoesNotAskWithoutUnsavedRecords)
{
    start();
    for (const bool modified : {false, true}) {
        f.dialogs.clear();
        f.state.Modified = modified;
        f.state.Database.RecordCount = modified ? 0 : 2;
        f.dialogs.files.push_back(std::nullopt);
        button("LoadFile")->click();
        EXPECT_TRUE(questions().empty()) << modified;
        EXPECT_EQ(f.dialogs.fileRequests.size(), 1u) << modified;
    }
}

TEST_F(AppControllerTest, OpenFailuresAreAnnounced)
{
    program.write(QStringLiteral("Old.lto"), "1,6,40,\"Old\"\r\n1,#2001-05-05#,1,2,3,4,0,0,0,0,0,0\r\n");
    program.write(QStringLiteral("Cut.lto"), kTwoDraws.left(60));
    struct Case {
        const char* file;
        std::vector<QString> messages;
        int records;
    };
    const Case cases[] = {
        {"Old.lto", {kLoadingError + QLatin1Char('|') + kOldFormat}, 1},
        {"Cut.lto",
         {kLoadingError + QLatin1Char('|') + kOldFormat,
          kLoadingError + QLatin1Char('|') + kNotFound},
         0},
        {"Missing.lto", {kLoadingError + QLatin1Char('|') + kNotFound}, 0},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        load("Week.lto");
        f.state.Modified = true;
        f.dialogs.answers.push_back(false);
        f.dialogs.files.push_back(program.path(QLatin1String(c.file)));
        button("LoadFile")->click();
        EXPECT_EQ(f.dialogs.messages(), c.messages);
        EXPECT_EQ(f.state.Database.RecordCount, c.records);
        EXPECT_EQ(f.dialogs.busyOn, f.dialogs.busyOff);
        EXPECT_TRUE(menu()->isVisible());
        if (c.records == 0) {
            EXPECT_FALSE(f.state.Modified);
            EXPECT_TRUE(f.state.LastFileName.isEmpty());
            EXPECT_FALSE(label("InfoLabel")->isVisible());
        } else {
            EXPECT_TRUE(f.state.Modified);
            EXPECT_EQ(f.state.LastFileName, QLatin1String(c.file));
            EXPECT_EQ(f.state.Database.AdvanceFirst, 0);
            EXPECT_EQ(f.state.Database.AdvanceSecond, 7);
            EXPECT_EQ(f.state.Database.PendingAdvance, 7);
        }
    }
}

// ---- Save ------------------------------------------------------------------------------------

TEST_F(AppControllerTest, SavingAnEmptyDatabaseWritesNothing)
{
    start();
    f.state.Modified = true;
    f.dialogs.files.push_back(program.path(QStringLiteral("Week.lto")));
    button("SaveFile")->click();
    EXPECT_EQ(f.dialogs.messages(), std::vector<QString>{QStringLiteral("Help|No Records to Save")});
    EXPECT_TRUE(f.dialogs.fileRequests.empty());
    EXPECT_FALSE(f.state.Modified);
    EXPECT_EQ(program.read(QStringLiteral("Week.lto")), kTwoDraws);
    EXPECT_TRUE(menu()->isVisible());
}

TEST_F(AppControllerTest, SaveWritesTheDatabase)
{
    start();
    load("Week.lto");
    f.state.Modified = true;
    f.dialogs.files.push_back(program.path(QStringLiteral("Copy.lto")));
    button("SaveFile")->click();
    ASSERT_EQ(f.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(f.dialogs.fileRequests[0].mode, ui::FileMode::Save);
    EXPECT_EQ(f.dialogs.fileRequests[0].filter,
              QStringLiteral("Lottery Winning Numbers Database (*.lto)"));
    EXPECT_EQ(f.dialogs.fileRequests[0].defaultName, QStringLiteral("Week.lto"));
    EXPECT_TRUE(f.dialogs.log.empty());
    EXPECT_EQ(program.read(QStringLiteral("Copy.lto")), kTwoDraws);
    EXPECT_EQ(f.state.LastFileName, QStringLiteral("Copy.lto"));
    EXPECT_FALSE(f.state.Modified);
    EXPECT_TRUE(menu()->isVisible());
}

TEST_F(AppControllerTest, CancelledSaveClearsModifiedSoExitDoesNotAsk)
{
    start();
    load("Week.lto");
    f.state.Modified = true;
    f.dialogs.files.push_back(std::nullopt);
    button("SaveFile")->click();
    EXPECT_TRUE(f.dialogs.log.empty());
    EXPECT_FALSE(f.state.Modified);
    EXPECT_EQ(f.state.LastFileName, QStringLiteral("Week.lto"));
    button("Exit1Butt")->click();
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(quits->count(), 1);
}

TEST_F(AppControllerTest, FailedSaveKeepsTheOldFileAndTheUnsavedMark)
{
    program.write(QStringLiteral("Small.lto"), kOneDraw);
    start();
    load("Week.lto");
    f.state.Modified = true;
    const QString savingError =
        QStringLiteral("Saving Error| Bad Filename. Must be in the form MYFILE.LTO");

    // A write that fails half-way over an existing file.
    f.dialogs.files.push_back(program.path(QStringLiteral("Small.lto")));
    {
        FileSizeLimit limit(static_cast<rlim_t>(kOneDraw.size()));
        button("SaveFile")->click();
    }
    EXPECT_EQ(f.dialogs.messages(), std::vector<QString>{savingError});
    EXPECT_EQ(program.read(QStringLiteral("Small.lto")), kOneDraw);
    EXPECT_TRUE(f.state.Modified);
    EXPECT_EQ(f.state.LastFileName, QStringLiteral("Week.lto"));
    EXPECT_TRUE(menu()->isVisible());

    // A folder that does not exist.
    f.dialogs.clear();
    f.dialogs.files.push_back(program.path(QStringLiteral("nowhere/X.lto")));
    button("SaveFile")->click();
    EXPECT_EQ(f.dialogs.messages(), std::vector<QString>{savingError});
    EXPECT_TRUE(f.state.Modified);

    // So the exit still asks.
    f.dialogs.clear();
    f.dialogs.answers.push_back(true);
    button("Exit1Butt")->click();
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_EQ(quits->count(), 0);
}

// ---- Exit ------------------------------------------------------------------------------------

TEST_F(AppControllerTest, ExitAsksOnlyAboutUnsavedRecords)
{
    start();
    load("Week.lto");
    f.state.Modified = true;

    f.dialogs.answers.push_back(true);
    button("Exit1Butt")->click();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions()[0].title, kChangedTitle);
    EXPECT_EQ(questions()[0].text,
              QStringLiteral("Week.lto file in memory will be erased. Do you want to go back and "
                             "Save File to Disk?."));
    EXPECT_EQ(quits->count(), 0);
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_TRUE(f.state.Modified);

    f.dialogs.clear();
    f.dialogs.answers.push_back(false);
    button("Exit1Butt")->click();
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_EQ(quits->count(), 1);
    EXPECT_FALSE(f.state.Modified);
    EXPECT_FALSE(menu()->isVisible());
    EXPECT_FALSE(controller->backdrop()->isVisible());
}

TEST_F(AppControllerTest, ExitQuestionForANeverSavedDatabase)
{
    start();
    load("Week.lto");
    f.state.LastFileName.clear();
    f.state.Modified = true;
    f.dialogs.answers.push_back(true);
    button("Exit1Butt")->click();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questions()[0].text.startsWith(QStringLiteral(" file in memory will be erased.")));
}

TEST_F(AppControllerTest, ExitWithoutRecordsEndsAtOnce)
{
    start();
    f.state.Modified = true;
    button("Exit1Butt")->click();
    EXPECT_TRUE(f.dialogs.log.empty());
    EXPECT_EQ(quits->count(), 1);
    EXPECT_FALSE(f.state.Modified);
}

TEST_F(AppControllerTest, ClosingTheMenuRunsTheExit)
{
    start();
    load("Week.lto");
    f.state.Modified = true;
    f.dialogs.answers.push_back(true);
    EXPECT_FALSE(menu()->close());
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_EQ(quits->count(), 0);

    f.dialogs.answers.push_back(false);
    menu()->close();
    EXPECT_EQ(questions().size(), 2u);
    EXPECT_EQ(quits->count(), 1);
    EXPECT_FALSE(menu()->isVisible());
}

// ---- Settings --------------------------------------------------------------------------------

TEST_F(AppControllerTest, SettingsFormHidesTheMenuAndSavesWhenLeft)
{
    start();
    load("Week.lto");
    button("PtrFnt")->click();
    EXPECT_FALSE(menu()->isVisible());
    auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->objectName(), QStringLiteral("ChangeFnt"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));

    QWidget* name = form->findChild<QWidget*>(QStringLiteral("InMyName"));
    QTest::keyClicks(name, QStringLiteral("Smith, Jo"));
    QWidget* picks = form->findChild<QWidget*>(QStringLiteral("InNumChoices"));
    QTest::mouseClick(picks, Qt::LeftButton);
    QTest::keyClicks(picks, QStringLiteral("5"));
    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("ExitFonts")), Qt::LeftButton);

    EXPECT_EQ(program.read(QStringLiteral("Personal.Lot")),
              QByteArray("5,49,1,\"$\",\"Smith, Jo\"\r\n"));
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_TRUE(label("MyName")->isVisible());
    EXPECT_EQ(label("MyName")->text(), QStringLiteral("Smith, Jo"));
    // The database in memory keeps its shape; the next empty database takes the new picks.
    EXPECT_EQ(f.state.Database.ColumnCount, 8);
    EXPECT_EQ(f.state.Database.RecordCount, 2);
    EXPECT_TRUE(f.dialogs.log.empty());
}

TEST_F(AppControllerTest, FailedSettingsSaveIsSilentAndKeepsTheOldFile)
{
    const QByteArray old = "6,49,1,\"$\",\"Player\"\r\n";
    program.write(QStringLiteral("Personal.Lot"), old);
    start();
    button("PtrFnt")->click();
    auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    QTest::keyClick(form->findChild<QWidget*>(QStringLiteral("InMyName")), Qt::Key_End);
    QTest::keyClicks(form->findChild<QWidget*>(QStringLiteral("InMyName")),
                     QString(100, QLatin1Char('s')));
    {
        FileSizeLimit limit(static_cast<rlim_t>(old.size()));
        form->reject();
    }
    EXPECT_TRUE(f.dialogs.log.empty());
    EXPECT_EQ(program.read(QStringLiteral("Personal.Lot")), old);
    EXPECT_EQ(f.state.Settings.UserName, QStringLiteral("Player") + QString(100, QLatin1Char('s')));
    EXPECT_EQ(label("MyName")->text(), f.state.Settings.UserName);
    EXPECT_TRUE(menu()->isVisible());
}

#include "app/FileCommands.h"
#include "core/AppState.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QByteArray kTwoDraws = "2,8,49,\"My Lottery\",3,4,3\r\n"
                             "1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n"
                             "2,#1998-01-07#,5,9,17,30,38,44,0,0,0,0\r\n";

// A state with records, a title, a file name and unsaved changes, to see what a command keeps.
AppState BusyState()
{
    AppState s;
    lto::LoadBytes("1,5,30,\"Before\",2,5,2\r\n1,#2020-02-02#,1,2,3,0,0,0,0,0,0,0\r\n",
                   s.Database);
    s.LastFileName = QStringLiteral("Before.lto");
    s.Modified = true;
    return s;
}

} // namespace

TEST(FileFilter, DialogFiltersInQtForm)
{
    EXPECT_EQ(app::QtFileFilter(app::DatabaseFilterSpec()),
              QStringLiteral("Lottery Winning Numbers Database (*.lto)"));
    EXPECT_EQ(app::QtFileFilter(app::SheetFilterSpec()),
              QStringLiteral("Investment Tracker Databases (*.inv)"));
    EXPECT_EQ(app::QtFileFilter(QStringLiteral("Text files|*.txt")),
              QStringLiteral("Text files (*.txt)"));
    EXPECT_EQ(app::QtFileFilter(QStringLiteral("All (*.*)")), QStringLiteral("All (*.*)"));
}

TEST(StartUp, EmptyDatabaseIsShapedByTheSettings)
{
    AppState s = BusyState();
    s.Settings.DefaultPicks = 4;
    s.Settings.DefaultHighNumber = 40;
    app::InitialiseEmptyDatabase(s);
    EXPECT_EQ(s.Database.RecordCount, 0);
    EXPECT_EQ(s.Database.ColumnCount, 6);
    EXPECT_EQ(s.Database.HighNumber, 40);
    EXPECT_EQ(s.Database.AdvanceFirst, 0);
    EXPECT_EQ(s.Database.AdvanceSecond, 7);
    EXPECT_TRUE(s.Database.Title.isEmpty());
    EXPECT_TRUE(s.LastFileName.isEmpty());
    EXPECT_FALSE(s.Modified);
    EXPECT_FALSE(s.Database.Records[1].DrawDate.isValid());
    EXPECT_EQ(s.Stats.FrequencyTable[1].Measure, 0);
}

TEST(OpenDatabaseFile, SuccessNamesTheFileAndLeavesModifiedAlone)
{
    TempDir dir;
    dir.write(QStringLiteral("Week.lto"), kTwoDraws);
    for (const bool modified : {false, true}) {
        AppState s = BusyState();
        s.Modified = modified;
        EXPECT_EQ(app::OpenDatabaseFile(dir.path(QStringLiteral("Week.lto")), s),
                  app::OpenOutcome::Loaded);
        EXPECT_EQ(s.Modified, modified);
        EXPECT_EQ(s.LastFileName, QStringLiteral("Week.lto"));
        EXPECT_EQ(s.Database.RecordCount, 2);
        EXPECT_EQ(s.Database.Title, QStringLiteral("My Lottery"));
        // The frequency table follows the new records: 5 was drawn twice, 12 once.
        EXPECT_EQ(s.Stats.FrequencyTable[5].Measure, 2);
        EXPECT_EQ(s.Stats.FrequencyTable[12].Measure, 1);
        EXPECT_EQ(s.Stats.FrequencyTable[1].Measure, 0);
    }
}

TEST(OpenDatabaseFile, OlderLayoutLoadsWithWeeklyAdvance)
{
    TempDir dir;
    dir.write(QStringLiteral("Old.LTO"), "1,6,40,\"Old\"\r\n1,#2001-05-05#,1,2,3,4,0,0,0,0,0,0\r\n");
    AppState s = BusyState();
    EXPECT_EQ(app::OpenDatabaseFile(dir.path(QStringLiteral("Old.LTO")), s),
              app::OpenOutcome::LoadedOldFormat);
    EXPECT_EQ(s.LastFileName, QStringLiteral("Old.LTO"));
    EXPECT_EQ(s.Database.RecordCount, 1);
    EXPECT_EQ(s.Database.AdvanceFirst, 0);
    EXPECT_EQ(s.Database.AdvanceSecond, 7);
    EXPECT_EQ(s.Database.PendingAdvance, 7);
}

TEST(OpenDatabaseFile, FailuresEmptyTheDatabaseAndForgetTheFile)
{
    TempDir dir;
    dir.write(QStringLiteral("Cut.lto"), kTwoDraws.left(kTwoDraws.size() - 20));
    dir.write(QStringLiteral("Text.lto"), "Dear diary,\r\ntoday I won nothing.\r\n");
    dir.write(QStringLiteral("Empty.lto"), "");
    QByteArray huge = kTwoDraws;
    huge.append(QByteArray(lto::MaxFileBytes, ' '));
    dir.write(QStringLiteral("Huge.lto"), huge);
    QDir(dir.dir()).mkdir(QStringLiteral("Folder.lto"));

    const std::pair<const char*, app::OpenOutcome> cases[] = {
        {"Cut.lto", app::OpenOutcome::Unreadable},
        {"Text.lto", app::OpenOutcome::Unreadable},
        {"Empty.lto", app::OpenOutcome::Unreadable},
        {"Huge.lto", app::OpenOutcome::Unreadable},
        {"Missing.lto", app::OpenOutcome::NotFound},
        {"Folder.lto", app::OpenOutcome::NotFound},
    };
    for (const auto& [name, expected] : cases) {
        AppState s = BusyState();
        EXPECT_EQ(app::OpenDatabaseFile(dir.path(QLatin1String(name)), s), expected) << name;
        EXPECT_EQ(s.Database.RecordCount, 0) << name;
        EXPECT_TRUE(s.Database.Title.isEmpty()) << name;
        EXPECT_FALSE(s.Database.Records[1].DrawDate.isValid()) << name;
        EXPECT_FALSE(s.Modified) << name;
        EXPECT_TRUE(s.LastFileName.isEmpty()) << name;
        EXPECT_EQ(s.Stats.FrequencyTable[1].Measure, 0) << name;
    }
}

TEST(SaveDatabaseFile, SuccessWritesTheFileAndClearsModified)
{
    TempDir dir;
    AppState s = BusyState();
    ASSERT_TRUE(app::SaveDatabaseFile(dir.path(QStringLiteral("Saved.lto")), s));
    EXPECT_FALSE(s.Modified);
    EXPECT_EQ(s.LastFileName, QStringLiteral("Saved.lto"));
    EXPECT_EQ(dir.read(QStringLiteral("Saved.lto")), lto::Serialize(s.Database));
}

TEST(SaveDatabaseFile, FailureChangesNothing)
{
    TempDir dir;
    AppState s = BusyState();
    EXPECT_FALSE(app::SaveDatabaseFile(dir.path(QStringLiteral("no/such/folder/X.lto")), s));
    EXPECT_TRUE(s.Modified);
    EXPECT_EQ(s.LastFileName, QStringLiteral("Before.lto"));
    EXPECT_EQ(s.Database.RecordCount, 1);
}

#include "app/FileCommands.h"
#include "models/state/AppState.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(FileCommands, DialogFiltersInQtForm)
{
    EXPECT_EQ(app::QtFileFilter(app::DatabaseFileFilter()),
              QStringLiteral("Lottery Winning Numbers Database (*.lto)"));
    EXPECT_EQ(app::QtFileFilter(QStringLiteral("Investment Tracker Databases (*.inv)|*.inv")),
              QStringLiteral("Investment Tracker Databases (*.inv)"));
    EXPECT_EQ(app::QtFileFilter(QStringLiteral("Text|*.txt")), QStringLiteral("Text (*.txt)"));
}

TEST(FileCommands, OpenNeverTrustsTheFile)
{
    const QByteArray good = "2,8,49,\"My Lottery\",3,4,3\r\n"
                            "1,#1998-01-03#,5,12,23,34,41,49,0,0,0,0\r\n"
                            "2,#1998-01-07#,5,9,17,30,38,44,0,0,0,0\r\n";
    TempDir dir;
    dir.write(QStringLiteral("Good.lto"), good);
    dir.write(QStringLiteral("Cut.lto"), good.left(good.size() - 20));
    dir.write(QStringLiteral("Huge.lto"), good + QByteArray(lto::MaxFileBytes, ' '));
    QDir(dir.dir()).mkdir(QStringLiteral("Folder.lto"));
    const std::pair<const char*, app::OpenOutcome> cases[] = {
        {"Good.lto", app::OpenOutcome::Loaded},       {"Cut.lto", app::OpenOutcome::Unreadable},
        {"Huge.lto", app::OpenOutcome::Unreadable},   {"Missing.lto", app::OpenOutcome::CannotOpen},
        {"Folder.lto", app::OpenOutcome::CannotOpen},
    };
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        core::AppState s;
        ASSERT_EQ(
            lto::LoadBytes("1,5,30,\"Before\",2,5,2\r\n1,#2020-02-02#,1,2,3,0,0,0,0,0,0,0\r\n",
                           s.database),
            lto::LoadResult::Ok);
        s.LastFileName = QStringLiteral("Before.lto");
        s.Modified = true;
        EXPECT_EQ(app::OpenDatabaseFile(dir.path(QLatin1String(name)), s), expected);
        const bool loaded = expected == app::OpenOutcome::Loaded;
        EXPECT_EQ(s.database.recordCount(), loaded ? 2 : 0);
        EXPECT_EQ(s.database.title(), loaded ? QStringLiteral("My Lottery") : QString());
        // A load leaves records that match their file; a failed one forgets the file. Either
        // way nothing in memory is unsaved.
        EXPECT_FALSE(s.Modified);
        EXPECT_EQ(s.LastFileName, loaded ? QLatin1String(name) : QString());
        EXPECT_EQ(s.filePath, loaded ? dir.path(QLatin1String(name)) : QString());
        // The frequency table follows the records in memory: 5 was drawn twice.
        EXPECT_EQ(s.stats.FrequencyTable[5].value, loaded ? 2 : 0);
    }
}

TEST(FileCommands, SaveProposesTheDocumentsFolderForAFolderThatCannotBeWritten)
{
    const QString sample = QStringLiteral("/usr/share/tallimo-win9/samples/Sample.Lto");
    const QString documents = QStringLiteral("/home/ann/Documents");
    EXPECT_EQ(app::SaveProposal(sample, documents, false),
              QStringLiteral("/home/ann/Documents/Sample.Lto"));
    EXPECT_EQ(app::SaveProposal(QStringLiteral("/home/ann/Week.lto"), documents, true),
              QStringLiteral("/home/ann/Week.lto"));
    // A database never saved proposes its bare name, as before.
    EXPECT_EQ(app::SaveProposal(QStringLiteral("Week.lto"), documents, true),
              QStringLiteral("Week.lto"));
}

#include "app/FileCommands.h"
#include "models/state/AppState.h"
#include "models/tickets/TicketsFile.h"
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

TEST(FileCommands, TheTicketsFollowTheirDatabaseAndADamagedFileIsNeverOverwritten)
{
    const QByteArray db = "1,8,49,\"Week\",3,4,3\r\n1,#2026-12-05#,5,12,23,34,41,49,0,0,0,0\r\n";
    const QByteArray book =
        R"({"format": "Tallimo Win9 tickets", "version": 1, "tickets": [{"label": "A",
        "first_draw": "2026-12-05", "draws": 2, "price": "1.00", "forms": [[5, 12, 23]]}]})";
    TempDir dir;
    dir.write(QStringLiteral("Week.lto"), db);
    dir.write(QStringLiteral("Week.tickets.json"), book);
    dir.write(QStringLiteral("Bad.lto"), db);
    dir.write(QStringLiteral("Bad.tickets.json"), "{ damaged");

    core::AppState s;
    ASSERT_EQ(app::OpenDatabaseFile(dir.path(QStringLiteral("Week.lto")), s),
              app::OpenOutcome::Loaded);
    ASSERT_EQ(s.tickets.tickets.size(), 1u);
    EXPECT_EQ(s.tickets.tickets[0].label, QStringLiteral("A"));
    // Save As takes the tickets to the new name; the old side file stays.
    ASSERT_TRUE(app::SaveDatabaseFile(dir.path(QStringLiteral("Copy.lto")), s));
    tickets::Book copy;
    EXPECT_EQ(tickets::Load(dir.path(QStringLiteral("Copy.tickets.json")), copy).code(),
              tickets::LoadResult::Ok);
    EXPECT_EQ(copy.tickets.size(), 1u);
    EXPECT_EQ(dir.read(QStringLiteral("Week.tickets.json")), book);

    // A damaged side file: no tickets, the reason kept, and saving the database leaves it.
    ASSERT_EQ(app::OpenDatabaseFile(dir.path(QStringLiteral("Bad.lto")), s),
              app::OpenOutcome::Loaded);
    EXPECT_TRUE(s.tickets.tickets.empty());
    EXPECT_TRUE(
        s.ticketsProblem.startsWith(QStringLiteral("Bad.tickets.json is damaged: not JSON")))
        << s.ticketsProblem.toStdString();
    ASSERT_TRUE(app::SaveDatabaseFile(dir.path(QStringLiteral("Bad.lto")), s));
    EXPECT_EQ(dir.read(QStringLiteral("Bad.tickets.json")), QByteArray("{ damaged"));
    EXPECT_FALSE(app::SaveTickets(s));
    EXPECT_EQ(dir.read(QStringLiteral("Bad.tickets.json")), QByteArray("{ damaged"));

    // A database that failed to open has no tickets.
    ASSERT_EQ(app::OpenDatabaseFile(dir.path(QStringLiteral("Week.lto")), s),
              app::OpenOutcome::Loaded);
    EXPECT_EQ(app::OpenDatabaseFile(dir.path(QStringLiteral("Missing.lto")), s),
              app::OpenOutcome::CannotOpen);
    EXPECT_TRUE(s.tickets.tickets.empty());
}

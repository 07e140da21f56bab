#include "models/draws/DrawDatabase.h"

#include "support/CliRun.h"
#include "support/Draws.h"
#include "support/QStringPrinting.h"
#include "support/TempDir.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(TALLIMO_HISTORY_FIXTURES "/") + QLatin1String(name);
}

} // namespace

// A database made from the UK-style fixture: six draws, 18 November to 5 December 2026.
class ImportIntoUk : public ::testing::Test {
protected:
    void SetUp() override
    {
        const CliOutcome r = Tallimo(create());
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        ASSERT_EQ(r.out, QStringLiteral("added 6, already present 0, conflicts 0, rejected 0\n"));
        made = dir.read(QStringLiteral("uk.lto"));
    }
    QStringList create() const
    {
        return {QStringLiteral("import"),  uk,
                QStringLiteral("--into"),  db,
                QStringLiteral("--picks"), QStringLiteral("6"),
                QStringLiteral("--high"),  QStringLiteral("49")};
    }
    database::DrawDatabase loaded() const
    {
        database::DrawDatabase d;
        EXPECT_EQ(lto::Load(db, d), lto::LoadResult::Ok);
        return d;
    }
    TempDir dir;
    const QString db = dir.path(QStringLiteral("uk.lto"));
    const QString uk = Fixture("ball-per-column.csv");
    QByteArray made;
};

TEST(CommandLine, AMissingDatabaseNeedsItsShape)
{
    TempDir dir;
    const QString db = dir.path(QStringLiteral("uk.lto"));
    const CliOutcome r = Tallimo(
        {QStringLiteral("import"), Fixture("ball-per-column.csv"), QStringLiteral("--into"), db});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(QFile::exists(db));
}

TEST_F(ImportIntoUk, CreatesOldestFirstAndFindsEverythingPresentAgain)
{
    const database::DrawDatabase d = loaded();
    ASSERT_EQ(d.recordCount(), 6);
    EXPECT_EQ(d.record(1).DrawDate, QDate(2026, 11, 18));
    const CliOutcome r = Tallimo(create().mid(0, 4));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("added 0, already present 6, conflicts 0, rejected 0\n"));
}

TEST_F(ImportIntoUk, DamagedRowsStopTheWriteUnlessSkipBad)
{
    const QStringList damaged = {QStringLiteral("import"), Fixture("damaged.csv"),
                                 QStringLiteral("--into"), db};
    CliOutcome r = Tallimo(damaged);
    EXPECT_EQ(r.status, 1);
    // The header named once, then the six rejected rows by line.
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 7);
    EXPECT_TRUE(r.err.startsWith(
        Fixture("damaged.csv") + QStringLiteral(": not draws: line 1 (header)\n") +
        Fixture("damaged.csv") + QStringLiteral(":3: 3 numbers where a draw has 6\n")))
        << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("added 0, already present 0, conflicts 0, rejected 6, new but "
                                    "not written 2\n"));
    EXPECT_EQ(dir.read(QStringLiteral("uk.lto")), made);
    r = Tallimo(damaged + QStringList{QStringLiteral("--skip-bad"), QStringLiteral("--dry-run")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("added 2, already present 0, conflicts 0, rejected 6\n"));
    EXPECT_EQ(dir.read(QStringLiteral("uk.lto")), made);
    r = Tallimo(damaged + QStringList{QStringLiteral("--skip-bad")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(loaded().recordCount(), 8);
}

TEST_F(ImportIntoUk, AConflictStopsTheWriteUnlessReplace)
{
    // 5 December with other numbers.
    dir.write(QStringLiteral("fix.csv"), "Date,N1,N2,N3,N4,N5,N6\n2026-12-05,1,2,3,4,5,6\n");
    const QStringList fix = {QStringLiteral("import"), dir.path(QStringLiteral("fix.csv")),
                             QStringLiteral("--into"), db};
    CliOutcome r = Tallimo(fix);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.endsWith(dir.path(QStringLiteral("fix.csv")) +
                               QStringLiteral(":2: 2026-12-05 is record 6 with other numbers\n")))
        << r.err.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("uk.lto")), made);
    r = Tallimo(fix + QStringList{QStringLiteral("--replace")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("added 0, already present 0, conflicts 1, rejected 0, "
                                    "replaced 1\n"));
    EXPECT_EQ(loaded().record(6).Numbers[5], 6);
}

TEST_F(ImportIntoUk, UnreadableSourcesAndDatabasesSayWhyInOneLine)
{
    for (const QString& source : {Fixture("binary.png"), dir.path(QStringLiteral("none.csv"))}) {
        const CliOutcome r =
            Tallimo({QStringLiteral("import"), source, QStringLiteral("--into"), db});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.startsWith(source + QStringLiteral(": "))) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
    }
    CliOutcome r = Tallimo({QStringLiteral("import"), uk, QStringLiteral("--into"), uk});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, uk + QStringLiteral(": not a lottery database, or damaged\n"));
    const QString none = dir.path(QStringLiteral("none.lto"));
    r = Tallimo({QStringLiteral("export"), none});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, none + QStringLiteral(": no such file\n"));
}

TEST(CommandLine, AnImportPastTheRecordLimitIsRefusedUnlessARangeFits)
{
    TempDir dir;
    const QString db = dir.path(QStringLiteral("big.lto"));
    std::vector<std::vector<int>> draws(1998, std::vector<int>{1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(lto::Save(db, MakeDrawDatabase(49, 6, draws, QDate(1980, 1, 5))));
    const QByteArray before = dir.read(QStringLiteral("big.lto"));
    const QStringList uk = {QStringLiteral("import"), Fixture("ball-per-column.csv"),
                            QStringLiteral("--into"), db};
    CliOutcome r = Tallimo(uk);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.endsWith(Fixture("ball-per-column.csv") +
                               QStringLiteral(": holds 6 draws; with the 1998 records of ") + db +
                               QStringLiteral(" that passes the limit of 2000 records: choose a "
                                              "range with --from and --to\n")));
    // Counted inside the range: 3 draws from 28 November on are still too many for 2 places.
    r = Tallimo(uk + QStringList{QStringLiteral("--from"), QStringLiteral("2026-11-28")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral(": holds 3 draws;"))) << r.err.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("big.lto")), before);
    r = Tallimo(uk + QStringList{QStringLiteral("--from"), QStringLiteral("2026-12-01")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("added 2, already present 0, conflicts 0, rejected 0, outside "
                                    "the range 4\n"));
}

TEST(CommandLine, DottedDatesAreReadDayFirstUnlessMonthFirstIsGiven)
{
    TempDir dir;
    // Dates written with dots are read day-first, and the user is told why; --month-first
    // still reads them the other way.
    QStringList de = {QStringLiteral("import"),  Fixture("semicolon-dotted.csv"),
                      QStringLiteral("--into"),  dir.path(QStringLiteral("de.lto")),
                      QStringLiteral("--picks"), QStringLiteral("6"),
                      QStringLiteral("--high"),  QStringLiteral("49")};
    const CliOutcome r = Tallimo(de);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("are read day-first"))) << r.err.toStdString();
    database::DrawDatabase loaded;
    ASSERT_EQ(lto::Load(dir.path(QStringLiteral("de.lto")), loaded), lto::LoadResult::Ok);
    EXPECT_EQ(loaded.record(1).DrawDate, QDate(2026, 11, 2));
    de[3] = dir.path(QStringLiteral("us.lto"));
    EXPECT_EQ(Tallimo(de + QStringList{QStringLiteral("--month-first")}).status, 0);
    ASSERT_EQ(lto::Load(dir.path(QStringLiteral("us.lto")), loaded), lto::LoadResult::Ok);
    EXPECT_EQ(loaded.record(1).DrawDate, QDate(2026, 2, 11));
}

TEST(CommandLine, UsageErrorsTakeOneLineAndHelpGoesToStandardOutput)
{
    TempDir dir;
    const QString db = dir.path(QStringLiteral("small.lto"));
    ASSERT_TRUE(lto::Save(db, MakeDrawDatabase(49, 6, {{1, 2, 3, 4, 5, 6}}, QDate(2026, 1, 3))));
    const QStringList usage[] = {
        {QStringLiteral("import")},
        {QStringLiteral("import"), QStringLiteral("a.csv")},
        {QStringLiteral("import"), QStringLiteral("a.csv"), QStringLiteral("--into")},
        {QStringLiteral("import"), QStringLiteral("a.csv"), QStringLiteral("--into"), db,
         QStringLiteral("--from"), QStringLiteral("yesterday")},
        {QStringLiteral("import"), QStringLiteral("a.csv"), QStringLiteral("--into"),
         dir.path(QStringLiteral("new.lto")), QStringLiteral("--picks"), QStringLiteral("11"),
         QStringLiteral("--high"), QStringLiteral("49")},
        {QStringLiteral("export")},
        {QStringLiteral("stats"), db, QStringLiteral("--frequencies")},
        {},
    };
    for (const QStringList& args : usage) {
        const CliOutcome r = Tallimo(args);
        EXPECT_EQ(r.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
        EXPECT_TRUE(r.out.isEmpty());
    }
    for (const QStringList& args : {QStringList{QStringLiteral("--help")},
                                    QStringList{QStringLiteral("import"), QStringLiteral("--help")},
                                    QStringList{QStringLiteral("stats"), QStringLiteral("-h")}}) {
        const CliOutcome r = Tallimo(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("Usage: tallimo"))) << r.out.toStdString();
    }
}

TEST(CommandLine, FailuresToReadOrWriteSayTheSystemsReason)
{
    TempDir dir;
    const QString db = dir.path(QStringLiteral("small.lto"));
    ASSERT_TRUE(lto::Save(db, MakeDrawDatabase(5, 2, {{1, 2}}, QDate(2026, 1, 3))));
    QDir(dir.dir()).mkdir(QStringLiteral("folder.lto"));
    const QString intoMissing = dir.path(QStringLiteral("none/o.csv"));
    const struct {
        QStringList arguments;
        QString err;
    } cases[] = {
        {{QStringLiteral("export"), db, QStringLiteral("--out"), intoMissing},
         intoMissing + QStringLiteral(": cannot be written (No such file or directory)\n")},
        {{QStringLiteral("export"), dir.path(QStringLiteral("folder.lto"))},
         dir.path(QStringLiteral("folder.lto")) + QStringLiteral(": cannot be opened (")},
        {{QStringLiteral("import"), dir.path(QStringLiteral("missing.csv")),
          QStringLiteral("--into"), db},
         dir.path(QStringLiteral("missing.csv")) +
             QStringLiteral(": cannot be opened (No such file or directory)\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliOutcome r = Tallimo(c.arguments);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
    }
}

TEST(CommandLine, ExportAndStats)
{
    TempDir dir;
    const QString db = dir.path(QStringLiteral("small.lto"));
    // Two picks of five: 1 and 2, then 2 and 3, then 4 and 2.
    ASSERT_TRUE(lto::Save(db, MakeDrawDatabase(5, 2, {{1, 2}, {3, 2}, {4, 2}}, QDate(2026, 1, 3))));
    CliOutcome r = Tallimo({QStringLiteral("export"), db});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              QStringLiteral("Date,N1,N2\n2026-01-03,1,2\n2026-01-10,3,2\n2026-01-17,4,2\n"));
    r = Tallimo(
        {QStringLiteral("export"), db, QStringLiteral("--out"), dir.path(QStringLiteral("o.csv"))});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(QString::fromUtf8(dir.read(QStringLiteral("o.csv"))),
              QStringLiteral("Date,N1,N2\n2026-01-03,1,2\n2026-01-10,3,2\n2026-01-17,4,2\n"));

    // The export imports into a new database of the same shape as the same records, numbers
    // in their order included.
    const QString copy = dir.path(QStringLiteral("copy.lto"));
    r = Tallimo({QStringLiteral("import"), dir.path(QStringLiteral("o.csv")),
                 QStringLiteral("--into"), copy, QStringLiteral("--picks"), QStringLiteral("2"),
                 QStringLiteral("--high"), QStringLiteral("5")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Tallimo({QStringLiteral("export"), copy}).out,
              Tallimo({QStringLiteral("export"), db}).out);

    // Times drawn 1,3,1,1,0 rank 2 first, then the ties 1,3,4 in number order, then 5.
    // Draws since 2,0,1,0,3 rank 5 (never drawn), 1, 3, then 2 and 4 (both drawn last).
    r = Tallimo({QStringLiteral("stats"), db, QStringLiteral("--csv")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              QStringLiteral("number,times_drawn,draws_since,rank_times_drawn,rank_draws_since\n"
                             "1,1,2,2,2\n"
                             "2,3,0,1,4\n"
                             "3,1,1,3,3\n"
                             "4,1,0,4,5\n"
                             "5,0,3,5,1\n"));
    r = Tallimo({QStringLiteral("stats"), db});
    EXPECT_EQ(
        r.out.section(QLatin1Char('\n'), 2, 2),
        QStringLiteral("     2            3            0                 1                 4"));
}

TEST(CommandLine, TheProgramReadsStandardInputWithoutAnyDisplay)
{
    // No display and no platform plugin: a command that made a window would abort here.
    TempDir dir;
    QProcess tallimo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    tallimo.setProcessEnvironment(env);
    const QString db = dir.path(QStringLiteral("piped.lto"));
    tallimo.start(QStringLiteral(TALLIMO_PROGRAM),
                  {QStringLiteral("import"), QStringLiteral("-"), QStringLiteral("--into"), db,
                   QStringLiteral("--picks"), QStringLiteral("5"), QStringLiteral("--high"),
                   QStringLiteral("46")});
    ASSERT_TRUE(tallimo.waitForStarted());
    QFile source(Fixture("numbers-in-one-field.csv"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    tallimo.write(source.readAll());
    tallimo.closeWriteChannel();
    ASSERT_TRUE(tallimo.waitForFinished());
    EXPECT_EQ(tallimo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tallimo.exitCode(), 0) << tallimo.readAllStandardError().toStdString();
    EXPECT_EQ(tallimo.readAllStandardOutput(),
              QByteArray("added 4, already present 0, conflicts 0, rejected 0\n"));
    database::DrawDatabase loaded;
    ASSERT_EQ(lto::Load(db, loaded), lto::LoadResult::Ok);
    EXPECT_EQ(loaded.record(1).DrawDate, QDate(2026, 11, 28));
}

TEST(CommandLine, ImportRefusesToGuessAndTakesTheColumnsItIsTold)
{
    TempDir dir;
    // Six main numbers where the database has one: refused, the columns listed, nothing made.
    const QString bonus = dir.path(QStringLiteral("bonus.lto"));
    const QString supp = Fixture("supp-by-name.csv");
    CliOutcome r = Tallimo({QStringLiteral("import"), supp, QStringLiteral("--into"), bonus,
                            QStringLiteral("--picks"), QStringLiteral("1"),
                            QStringLiteral("--high"), QStringLiteral("45")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, supp + QStringLiteral(": holds 6 numbers a draw in its number columns (N1, "
                                           "N2, N3, N4, N5, N6; extra balls, left out: S1, S2) "
                                           "where the database has 1; choose them with "
                                           "--columns\n"));
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(QFile::exists(bonus));

    // Told which: every line accounted for, the description and the blank line named.
    r = Tallimo({QStringLiteral("import"), supp, QStringLiteral("--into"), bonus,
                 QStringLiteral("--picks"), QStringLiteral("1"), QStringLiteral("--high"),
                 QStringLiteral("45"), QStringLiteral("--columns"), QStringLiteral("s2")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("added 12, already present 0, conflicts 0, rejected 0\n"));
    EXPECT_EQ(r.err, supp + QStringLiteral(": not draws: line 1 (description), line 2 (header), "
                                           "line 9 (blank)\n"));
    database::DrawDatabase loaded;
    ASSERT_EQ(lto::Load(bonus, loaded), lto::LoadResult::Ok);
    EXPECT_EQ(loaded.record(1).DrawDate, QDate(2026, 9, 19));
    EXPECT_EQ(loaded.record(1).Numbers[0], 44);

    // One Powerball-style file, two databases: the white balls and the red ball.
    const QString pb = Fixture("powerball-combined.csv");
    const QString white = dir.path(QStringLiteral("white.lto"));
    const QString red = dir.path(QStringLiteral("red.lto"));
    r = Tallimo({QStringLiteral("import"), pb, QStringLiteral("--into"), white,
                 QStringLiteral("--picks"), QStringLiteral("5"), QStringLiteral("--high"),
                 QStringLiteral("49"), QStringLiteral("--columns"),
                 QStringLiteral("Winning Numbers[1-5]")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    r = Tallimo({QStringLiteral("import"), pb, QStringLiteral("--into"), red,
                 QStringLiteral("--picks"), QStringLiteral("1"), QStringLiteral("--high"),
                 QStringLiteral("26"), QStringLiteral("--columns"),
                 QStringLiteral("Winning Numbers[6]")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("added 24, already present 0, conflicts 0, rejected 0\n"));
    ASSERT_EQ(lto::Load(white, loaded), lto::LoadResult::Ok);
    EXPECT_EQ(loaded.recordCount(), 24);
    EXPECT_EQ(
        std::vector<int>(loaded.record(1).Numbers.begin(), loaded.record(1).Numbers.begin() + 5),
        (std::vector<int>{18, 29, 32, 35, 43}));
    ASSERT_EQ(lto::Load(red, loaded), lto::LoadResult::Ok);
    EXPECT_EQ(loaded.record(1).Numbers[0], 24);

    // Usage errors: a column that is not there, a shape that is not the database's.
    const QStringList usage[] = {
        {QStringLiteral("import"), pb, QStringLiteral("--into"), red, QStringLiteral("--columns"),
         QStringLiteral("Powerball")},
        {QStringLiteral("import"), pb, QStringLiteral("--into"), red,
         QStringLiteral("--date-column"), QStringLiteral("When")},
        {QStringLiteral("import"), pb, QStringLiteral("--into"), red, QStringLiteral("--picks"),
         QStringLiteral("2")},
        {QStringLiteral("import"), pb, QStringLiteral("--into"), red, QStringLiteral("--high"),
         QStringLiteral("49")},
    };
    const QByteArray redBytes = dir.read(QStringLiteral("red.lto"));
    for (const QStringList& args : usage) {
        r = Tallimo(args);
        EXPECT_EQ(r.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
    }
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("tallimo import: --high 49 does not match ")));
    EXPECT_EQ(dir.read(QStringLiteral("red.lto")), redBytes);

    // Six balls into a database of five: refused, not cut to five.
    r = Tallimo({QStringLiteral("import"), Fixture("ball-per-column.csv"), QStringLiteral("--into"),
                 white});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("holds 6 numbers a draw"))) << r.err.toStdString();
}

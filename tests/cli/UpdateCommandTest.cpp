// tallimo import --remember and tallimo update: the remembered source read again, from a file
// and from a local server, bringing only the draws that are new; the failures, each one line,
// leave the database and its side file as they were.
#include "models/draws/DrawDatabase.h"
#include "models/tickets/TicketsFile.h"

#include "LocalHttpServer.h"
#include "support/CliRun.h"
#include "support/QStringPrinting.h"
#include "support/TempDir.h"

#include <QDir>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

// Ball b (0..5 the numbers, 6 the bonus) of draw d: seven different numbers a draw, none of
// them counting up from one draw to the next (a column that did would read as draw numbers).
int Ball(int d, int b)
{
    return 1 + (13 * d + 7 * b) % 49;
}

// Draw d (0-based) of the operator's table: every fourth day from 3 March 2025, the numbers in
// a column each, and a bonus ball that the import leaves out.
QByteArray Row(int d)
{
    QByteArray row = QDate(2025, 3, 3).addDays(4 * d).toString(Qt::ISODate).toLatin1();
    for (int b = 0; b < 7; ++b)
        row += ',' + QByteArray::number(Ball(d, b));
    return row + "\r\n";
}

// The table of draws `first`..`last`, newest first as operators publish them.
QByteArray Table(int first, int last)
{
    QByteArray table = "Draw Date,N1,N2,N3,N4,N5,N6,Bonus\r\n";
    for (int d = last; d >= first; --d)
        table += Row(d);
    return table;
}

// How tallimo export writes draw d: the date and the six numbers ascending.
QString Exported(int d)
{
    std::vector<int> numbers;
    for (int b = 0; b < 6; ++b)
        numbers.push_back(Ball(d, b));
    std::sort(numbers.begin(), numbers.end());
    QStringList cells{QDate(2025, 3, 3).addDays(4 * d).toString(Qt::ISODate)};
    for (int n : numbers)
        cells << QString::number(n);
    return cells.join(QLatin1Char(','));
}

class UpdateCommand : public ::testing::Test {
protected:
    // Creates the database from the first `draws` draws of `source`, remembering it.
    void create(const QString& source, int draws, const QStringList& more = {})
    {
        const CliOutcome r = Tallimo(
            QStringList{QStringLiteral("import"), source, QStringLiteral("--into"), db,
                        QStringLiteral("--picks"), QStringLiteral("6"), QStringLiteral("--high"),
                        QStringLiteral("49"), QStringLiteral("--remember")} +
            more);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        ASSERT_EQ(
            r.out,
            QStringLiteral("added %1, already present 0, conflicts 0, rejected 0\n").arg(draws));
    }
    CliOutcome update(const QStringList& options = {})
    {
        return Tallimo(QStringList{QStringLiteral("update"), db} + options);
    }
    // The records of the database, as tallimo export writes them.
    QStringList records() const
    {
        const CliOutcome r = Tallimo({QStringLiteral("export"), db});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!lines.isEmpty()) lines.removeFirst();
        return lines;
    }
    static QStringList Expected(int draws)
    {
        QStringList lines;
        for (int d = 0; d < draws; ++d)
            lines << Exported(d);
        return lines;
    }

    TempDir dir;
    const QString db = dir.path(QStringLiteral("Week.lto"));
    const QString side = dir.path(QStringLiteral("Week.tickets.json"));
};

} // namespace

TEST_F(UpdateCommand, FromAFileBringsOnlyTheNewDrawsUntilTheFileIsGone)
{
    dir.write(QStringLiteral("draws.csv"), Table(0, 4));
    // Remembered from another folder: the side file keeps the whole path.
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.dir());
    create(QStringLiteral("draws.csv"), 5);
    QDir::setCurrent(before);
    tickets::Book book;
    ASSERT_EQ(tickets::Load(side, book).code(), tickets::LoadResult::Ok);
    EXPECT_EQ(book.source.value(QStringLiteral("location")).toString(),
              dir.path(QStringLiteral("draws.csv")));

    dir.write(QStringLiteral("draws.csv"), Table(0, 7));
    const QByteArray five = dir.read(QStringLiteral("Week.lto"));
    CliOutcome r = update({QStringLiteral("--dry-run")});
    EXPECT_EQ(r.out, QStringLiteral("added 3, already present 5, conflicts 0, rejected 0\n"));
    EXPECT_EQ(dir.read(QStringLiteral("Week.lto")), five);

    r = update();
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("added 3, already present 5, conflicts 0, rejected 0\n"));
    EXPECT_EQ(records(), Expected(8));
    r = update();
    EXPECT_EQ(r.out, QStringLiteral("added 0, already present 8, conflicts 0, rejected 0\n"));

    QFile::remove(dir.path(QStringLiteral("draws.csv")));
    r = update();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("%1: the remembered source no longer exists; remember one "
                                    "with tallimo import SOURCE --into %2 --remember\n")
                         .arg(dir.path(QStringLiteral("draws.csv")), db));
    EXPECT_EQ(records(), Expected(8));
}

TEST_F(UpdateCommand, FromALocalServerOverPlainHttpOnlyWhenAllowed)
{
    LocalHttpServer server;
    ASSERT_TRUE(server.isListening());
    server.setFolder(dir.dir());
    dir.write(QStringLiteral("draws.csv"), Table(0, 9));
    const QString address = server.url(QStringLiteral("/files/draws.csv")).toString();
    // Plain http is refused without the option, and nothing is made.
    CliOutcome r =
        Tallimo({QStringLiteral("import"), address, QStringLiteral("--into"), db,
                 QStringLiteral("--picks"), QStringLiteral("6"), QStringLiteral("--high"),
                 QStringLiteral("49"), QStringLiteral("--remember")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, address + QStringLiteral(": plain http refused (not encrypted); use https, "
                                              "or accept it with --allow-http\n"));
    EXPECT_TRUE(server.requests().empty());
    EXPECT_FALSE(QFile::exists(db));

    create(address, 10, {QStringLiteral("--allow-http")});
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests().back().headers.value("user-agent"),
              QByteArray("Tallimo Win9/" TALLIMO_VERSION));

    dir.write(QStringLiteral("draws.csv"), Table(0, 12));
    const QByteArray ten = dir.read(QStringLiteral("Week.lto"));
    r = update();
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(address + QStringLiteral(": plain http refused")))
        << r.err.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("Week.lto")), ten);

    r = update({QStringLiteral("--allow-http")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("added 3, already present 10, conflicts 0, rejected 0\n"));
    EXPECT_EQ(records(), Expected(13));

    // The file gone from the server: one line with the address and the status.
    QFile::remove(dir.path(QStringLiteral("draws.csv")));
    const QByteArray thirteen = dir.read(QStringLiteral("Week.lto"));
    r = update({QStringLiteral("--allow-http")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_TRUE(r.err.startsWith(address + QStringLiteral(": HTTP 404"))) << r.err.toStdString();
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(dir.read(QStringLiteral("Week.lto")), thirteen);
}

TEST_F(UpdateCommand, NeedsARememberedSourceAndNeverWritesOverADamagedSideFile)
{
    dir.write(QStringLiteral("draws.csv"), Table(0, 4));
    const QString csv = dir.path(QStringLiteral("draws.csv"));
    CliOutcome r = Tallimo({QStringLiteral("import"), csv, QStringLiteral("--into"), db,
                            QStringLiteral("--picks"), QStringLiteral("6"),
                            QStringLiteral("--high"), QStringLiteral("49")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(side));

    r = update();
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, QStringLiteral("tallimo update: %1 has no remembered source; remember one "
                                    "with tallimo import SOURCE --into %1 --remember\n")
                         .arg(db));
    r = Tallimo({QStringLiteral("import"), QStringLiteral("-"), QStringLiteral("--into"), db,
                 QStringLiteral("--remember")});
    EXPECT_EQ(r.status, 2);

    // A side file this program cannot read stops both commands before anything is written.
    dir.write(QStringLiteral("Week.tickets.json"), "{\"format\": \"Tallimo Win9 tickets\", ");
    dir.write(QStringLiteral("draws.csv"), Table(0, 6));
    const QByteArray five = dir.read(QStringLiteral("Week.lto"));
    for (const QStringList& command :
         {QStringList{QStringLiteral("update"), db},
          QStringList{QStringLiteral("import"), csv, QStringLiteral("--into"), db,
                      QStringLiteral("--remember")}}) {
        SCOPED_TRACE(command.join(QLatin1Char(' ')).toStdString());
        r = Tallimo(command);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.startsWith(side + QStringLiteral(": damaged: "))) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("; it is left as it was\n")))
            << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
        EXPECT_EQ(dir.read(QStringLiteral("Week.tickets.json")),
                  QByteArray("{\"format\": \"Tallimo Win9 tickets\", "));
        EXPECT_EQ(dir.read(QStringLiteral("Week.lto")), five);
    }
}

TEST_F(UpdateCommand, CountsTheTicketResultsOfTheAddedDrawsOnly)
{
    // Two existing draws and three new ones, written out so that the wins can be counted by
    // eye: the first form matches 3 on the second old draw and on the first new one, the
    // second form all six on the last new one (a tier that varies, not typed yet).
    const QByteArray oldDraws = "Date,A,B,C,D,E,F\r\n"
                                "2025-05-03,10,11,12,13,14,15\r\n"
                                "2025-05-10,1,2,3,7,8,9\r\n";
    const QByteArray newDraws = "2025-05-17,1,2,3,4,5,6\r\n"
                                "2025-05-24,16,17,18,19,20,21\r\n"
                                "2025-05-31,30,31,32,33,34,35\r\n";
    dir.write(QStringLiteral("draws.csv"), oldDraws);
    create(dir.path(QStringLiteral("draws.csv")), 2);
    tickets::Book book;
    ASSERT_EQ(tickets::Load(side, book).code(), tickets::LoadResult::Ok);
    const QJsonObject remembered = book.source;
    book.tickets.push_back({QStringLiteral("Week"),
                            {{1, 2, 3, 40, 41, 42}, {30, 31, 32, 33, 34, 35}},
                            QDate(2025, 5, 3),
                            20,
                            100});
    book.prizes[3] = {tickets::PrizeKind::Fixed, 1000};
    book.prizes[6] = {tickets::PrizeKind::Varies, 0};
    ASSERT_TRUE(tickets::Save(side, book));

    dir.write(QStringLiteral("draws.csv"), oldDraws + newDraws);
    const CliOutcome r = update();
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("added 3, already present 2, conflicts 0, rejected 0; "
                                    "tickets: 6 new results, 2 won a prize\n"));
    // The update keeps the tickets and the source as they were.
    tickets::Book after;
    ASSERT_EQ(tickets::Load(side, after).code(), tickets::LoadResult::Ok);
    EXPECT_EQ(after.tickets.size(), 1u);
    EXPECT_EQ(after.source, remembered);
}

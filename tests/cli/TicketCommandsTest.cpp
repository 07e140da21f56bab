#include "models/draws/DrawDatabase.h"
#include "support/CliRun.h"
#include "support/Draws.h"
#include "support/QStringPrinting.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// `tallimo tickets ARGUMENTS...`
CliOutcome Tickets(const QStringList& arguments)
{
    return Tallimo(QStringList{QStringLiteral("tickets")} + arguments);
}

class TicketCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Three weekly draws of 6 from 49; a ticket of two forms from the second draw.
        ASSERT_TRUE(lto::Save(
            db, MakeDrawDatabase(49, 6,
                                 {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 20, 21, 22}, {7, 8, 9, 10, 30, 31}},
                                 DrawDates(QDate(2026, 11, 21), 3))));
        dir.write(QStringLiteral("forms.txt"), "6 5 4 3 2 1\n\n7,8,9,10,11,12\n");
    }
    QString arg(const char* name) { return dir.path(QLatin1String(name)); }

    TempDir dir;
    QString db = dir.path(QStringLiteral("W.lto"));
};

} // namespace

TEST_F(TicketCommands, AddListCheckPrizesAndSummary)
{
    CliOutcome r =
        Tickets({QStringLiteral("add"), db, QStringLiteral("--forms"), arg("forms.txt"),
                 QStringLiteral("--first"), QStringLiteral("2026-11-28"), QStringLiteral("--draws"),
                 QStringLiteral("3"), QStringLiteral("--price"), QStringLiteral("1"),
                 QStringLiteral("--label"), QStringLiteral("Week, two")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(
        r.out,
        QStringLiteral("ticket 1 added: 2 forms, 3 draws from 2026-11-28, 1.00 a form and draw\n"));
    r = Tickets({QStringLiteral("prizes"), db, QStringLiteral("--set"), QStringLiteral("3=10"),
                 QStringLiteral("--set"), QStringLiteral("4=varies"), QStringLiteral("--csv")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              QStringLiteral("matches,prize\n1,none\n2,none\n3,10.00\n4,varies\n5,none\n6,none\n"));

    // Played on 28 November and 5 December, one draw to come; 4 forms-draws at 1.00.
    EXPECT_EQ(Tickets({QStringLiteral("list"), db, QStringLiteral("--csv")}).out,
              QStringLiteral("ticket,label,first_draw,draws,forms,price,played,to_come,spent,won\n"
                             "1,\"Week, two\",2026-11-28,3,2,1.00,2,1,4.00,10.00\n"));
    EXPECT_EQ(Tickets({QStringLiteral("check"), db, QStringLiteral("--csv")}).out,
              QStringLiteral("draw_date,ticket,form,numbers,matches,prize\n"
                             "2026-11-28,1,1,1 2 3 4 5 6,3,10.00\n"
                             "2026-11-28,1,2,7 8 9 10 11 12,0,0.00\n"
                             "2026-12-05,1,1,1 2 3 4 5 6,0,0.00\n"
                             "2026-12-05,1,2,7 8 9 10 11 12,4,\n"));
    // Four matches vary and could have been won: the expectation is unknown.
    EXPECT_EQ(Tickets({QStringLiteral("summary"), db, QStringLiteral("--csv")}).out,
              QStringLiteral("spent,won,net,expected_won\n4.00,10.00,6.00,\n"));
    Tickets({QStringLiteral("prizes"), db, QStringLiteral("--set"), QStringLiteral("4=none")});
    // 4 form-draws * 10.00 * C(6,3) C(43,3) / C(49,6) = 40 * 246820 / 13983816 = 0.706...
    r = Tickets({QStringLiteral("summary"), db});
    EXPECT_TRUE(r.out.contains(
        QStringLiteral("you would expect to have won 0.71 (you won 10.00); each 1.00 "
                       "staked returns 0.18 on average.")))
        << r.out.toStdString();
}

TEST_F(TicketCommands, WrongInputIsRefusedOnOneLineWithItsStatus)
{
    dir.write(QStringLiteral("W.tickets.json"), "{ not json");
    dir.write(QStringLiteral("bad-forms.txt"), "1 2 3\n1 2 99\n");
    const QString other = arg("Other.lto");
    ASSERT_TRUE(lto::Save(
        other, MakeDrawDatabase(49, 6, {{1, 2, 3, 4, 5, 6}}, DrawDates(QDate(2026, 11, 21), 1))));
    const QStringList add = {QStringLiteral("--first"), QStringLiteral("2026-11-28"),
                             QStringLiteral("--draws"), QStringLiteral("3"),
                             QStringLiteral("--price"), QStringLiteral("1")};
    const struct {
        QStringList arguments;
        int status;
        QString err;
    } cases[] = {
        {{}, 2, QStringLiteral("tallimo tickets: name what to do")},
        {{QStringLiteral("sell"), db},
         2,
         QStringLiteral("tallimo tickets: unknown subcommand \"sell\"")},
        {{QStringLiteral("list"), db}, 1, QStringLiteral("W.tickets.json is damaged: not JSON")},
        {QStringList{QStringLiteral("add"), other, QStringLiteral("--forms"),
                     arg("bad-forms.txt")} +
             add,
         1, arg("bad-forms.txt") + QStringLiteral(": line 2: 99 is outside 1 to 49")},
        {QStringList{QStringLiteral("add"), other, QStringLiteral("--forms"), arg("forms.txt"),
                     QStringLiteral("--price"), QStringLiteral("1.005")} +
             add.mid(0, 4),
         2, QStringLiteral("tallimo tickets add: --price takes an amount")},
        {{QStringLiteral("add"), other, QStringLiteral("--forms"), arg("forms.txt")},
         2,
         QStringLiteral("tallimo tickets add: --first is needed")},
        {{QStringLiteral("prizes"), other, QStringLiteral("--set"), QStringLiteral("7=1")},
         2,
         QStringLiteral("tallimo tickets prizes: --set 7=1: give M=AMOUNT")},
        {{QStringLiteral("summary"), arg("none.lto")},
         1,
         arg("none.lto") + QStringLiteral(": no such file")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliOutcome r = Tickets(c.arguments);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
    }
    // The damaged file is left as it was, and a refused ticket writes nothing.
    EXPECT_EQ(dir.read(QStringLiteral("W.tickets.json")), QByteArray("{ not json"));
    EXPECT_FALSE(QFile::exists(arg("Other.tickets.json")));
}

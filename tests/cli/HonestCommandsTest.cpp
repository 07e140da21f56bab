#include "cli/HonestCommands.h"

#include "support/Draws.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace {

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

template <class Command> Outcome Call(Command command, const QStringList& arguments)
{
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = command(arguments, out, err);
    out.flush();
    err.flush();
    return r;
}

QStringList Lines(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(HonestCommands, OddsOfOneFormAndOfASetOfForms)
{
    const Outcome one = Call(cli::RunOdds, {QStringLiteral("odds"), QStringLiteral("--picks"),
                                            QStringLiteral("6"), QStringLiteral("--high"),
                                            QStringLiteral("49"), QStringLiteral("--csv")});
    ASSERT_EQ(one.code, 0) << one.err.toStdString();
    const QStringList rows = Lines(one.out);
    ASSERT_EQ(rows.size(), 8);
    EXPECT_EQ(rows[0], QStringLiteral("matches,ways,one_in,probability"));
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("0,6096454,"))); // C(43, 6)
    const QStringList six = rows[7].split(QLatin1Char(','));
    EXPECT_EQ(six[0], QStringLiteral("6"));
    EXPECT_EQ(six[1], QStringLiteral("1"));
    EXPECT_EQ(six[2], QStringLiteral("13983816"));
    // At least ten significant digits: 1 / 13983816 = 7.1511238420...e-08.
    EXPECT_TRUE(six[3].startsWith(QStringLiteral("7.151123842"))) << six[3].toStdString();

    TempDir dir;
    dir.write(QStringLiteral("forms.txt"), "1,2,3,4,5,6\n\n7 8 9 10 11 12\r\n");
    const Outcome set = Call(
        cli::RunOdds, {QStringLiteral("odds"), QStringLiteral("--picks"), QStringLiteral("6"),
                       QStringLiteral("--high"), QStringLiteral("49"), QStringLiteral("--forms"),
                       dir.path(QStringLiteral("forms.txt")), QStringLiteral("--csv")});
    ASSERT_EQ(set.code, 0) << set.err.toStdString();
    const QStringList setRows = Lines(set.out);
    ASSERT_EQ(setRows.size(), 8);
    EXPECT_EQ(setRows[0], QStringLiteral("at_least,probability,exact,lower,upper"));
    // Two disjoint forms cannot both be all right: the chance of six doubles.
    EXPECT_TRUE(setRows[6].startsWith(QStringLiteral("6,1.43022476"))) << setRows[6].toStdString();
    EXPECT_TRUE(setRows[6].endsWith(QStringLiteral(",1,,")));
    EXPECT_EQ(setRows[7], QStringLiteral("covered,12"));

    // The readable form ends with a reading.
    const Outcome plain = Call(cli::RunOdds, {QStringLiteral("odds"), QStringLiteral("--picks=6"),
                                              QStringLiteral("--high=49")});
    EXPECT_TRUE(plain.out.contains(QStringLiteral("all 6 right is 1 in 13,983,816.")))
        << plain.out.toStdString();
}

TEST(HonestCommands, ErrorsNameTheFileAndTheReason)
{
    TempDir dir;
    dir.write(QStringLiteral("bad.txt"), "1 2 3 4 5 6\n1 2 x\n");
    const QString bad = dir.path(QStringLiteral("bad.txt"));
    dir.write(QStringLiteral("huge.lto"), QByteArray(lto::MaxFileBytes + 1, ' '));
    const QString huge = dir.path(QStringLiteral("huge.lto"));
    struct Case {
        QStringList arguments;
        int code;
        QString err;
    };
    const std::vector<Case> cases{
        {{QStringLiteral("odds"), QStringLiteral("--high"), QStringLiteral("49")},
         2,
         QStringLiteral("tallimo odds: --picks K and --high N are needed")},
        {{QStringLiteral("odds"), QStringLiteral("--picks=7"), QStringLiteral("--high=100")},
         2,
         QStringLiteral("tallimo odds: a draw of 7 from 1 to 100 is not supported")},
        {{QStringLiteral("odds"), QStringLiteral("--picks=6"), QStringLiteral("--high=49"),
          QStringLiteral("--forms"), bad},
         1,
         bad + QStringLiteral(": line 2: \"x\" is not a number")},
        // A device has no size: the cap must hold while it is read.
        {{QStringLiteral("odds"), QStringLiteral("--picks=6"), QStringLiteral("--high=49"),
          QStringLiteral("--forms"), QStringLiteral("/dev/zero")},
         1,
         QStringLiteral("/dev/zero: larger than 1 MB")},
        {{QStringLiteral("odds"), QStringLiteral("--picks=6"), QStringLiteral("--high=49"),
          QStringLiteral("--forms"), dir.dir()},
         1,
         dir.dir() + QStringLiteral(": cannot be opened")},
        {{QStringLiteral("odds"), QStringLiteral("--bogus")},
         2,
         QStringLiteral("tallimo odds: Unknown option 'bogus'. (try tallimo odds --help)")},
        {{QStringLiteral("fairness"), dir.path(QStringLiteral("none.lto"))},
         1,
         dir.path(QStringLiteral("none.lto")) + QStringLiteral(": no such file")},
        {{QStringLiteral("fairness"), bad},
         1,
         bad + QStringLiteral(": not a lottery database, or damaged")},
        {{QStringLiteral("backtest"), dir.dir()},
         1,
         dir.dir() + QStringLiteral(": cannot be opened")},
        {{QStringLiteral("fairness"), huge},
         1,
         huge + QStringLiteral(": larger than 4 MB, too large for a lottery database")},
        {{QStringLiteral("backtest")},
         2,
         QStringLiteral(
             "tallimo backtest: a database file is needed (try tallimo backtest --help)")},
        {{QStringLiteral("backtest"), bad, QStringLiteral("--forms=0")},
         2,
         QStringLiteral("tallimo backtest: --forms must be a whole number from 1 to 100")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const auto command = c.arguments[0] == QStringLiteral("odds")       ? cli::RunOdds
                             : c.arguments[0] == QStringLiteral("fairness") ? cli::RunFairness
                                                                            : cli::RunBacktest;
        const Outcome r = Call(command, c.arguments);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
        EXPECT_TRUE(r.out.isEmpty());
    }
    const Outcome help =
        Call(cli::RunBacktest, {QStringLiteral("backtest"), QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: tallimo backtest DB.lto")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--seed <S>")));
}

TEST(HonestCommands, FairnessAndBacktestOfADatabaseFile)
{
    TempDir dir;
    const QString rigged = dir.path(QStringLiteral("rigged.lto"));
    ASSERT_TRUE(lto::Save(
        rigged, MakeDrawDatabase(49, 6, std::vector<std::vector<int>>(100, {1, 2, 3, 4, 5, 6}),
                                 QDate(2000, 1, 1), QStringLiteral("Rigged"))));
    const Outcome f =
        Call(cli::RunFairness, {QStringLiteral("fairness"), rigged, QStringLiteral("--csv")});
    ASSERT_EQ(f.code, 0) << f.err.toStdString();
    const QStringList rows = Lines(f.out);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], QStringLiteral("draws,numbers,picks,chi_square,df,p_value"));
    // Six numbers 100 times, 43 never: E = 600/49; sum (O-E)^2/E times 48/43.
    const double e = 600.0 / 49;
    const double x = (6 * (100 - e) * (100 - e) / e + 43 * e) * 48 / 43;
    const QStringList cells = rows[1].split(QLatin1Char(','));
    ASSERT_EQ(cells.size(), 6);
    EXPECT_EQ(cells.mid(0, 3).join(QLatin1Char(',')), QStringLiteral("100,49,6"));
    EXPECT_NEAR(cells[3].toDouble(), x, 1e-6);
    EXPECT_EQ(cells[4], QStringLiteral("48"));
    EXPECT_LT(cells[5].toDouble(), 1e-100);

    const QString fair = dir.path(QStringLiteral("fair.lto"));
    ASSERT_TRUE(lto::Save(fair, Fair649(120, 3)));
    const QStringList args{QStringLiteral("backtest"), fair,
                           QStringLiteral("--seed"),   QStringLiteral("42"),
                           QStringLiteral("--forms"),  QStringLiteral("5"),
                           QStringLiteral("--csv")};
    const Outcome b = Call(cli::RunBacktest, args);
    ASSERT_EQ(b.code, 0) << b.err.toStdString();
    const QStringList bRows = Lines(b.out);
    ASSERT_EQ(bRows.size(), 8);
    EXPECT_EQ(bRows[0],
              QStringLiteral("strategy,measure,draws,forms,mean_matches,expected_mean,z"));
    EXPECT_TRUE(bRows[1].startsWith(QStringLiteral("full,-,101,505,")));
    EXPECT_TRUE(bRows[2].startsWith(QStringLiteral("top,times_drawn,")));
    EXPECT_TRUE(bRows[7].startsWith(QStringLiteral("bottom,draws_since,")));
    EXPECT_NEAR(bRows[1].split(QLatin1Char(','))[5].toDouble(), 36.0 / 49.0, 1e-11);
    EXPECT_EQ(Call(cli::RunBacktest, args).out, b.out); // the seed repeats the run
}

TEST(HonestCommands, OddsForEveryLottery)
{
    // Keno: ten spots against 20 of 80, past 2^64 possible draws; 6 of 90; words for one.
    Outcome r = Call(cli::RunOdds, {QStringLiteral("odds"), QStringLiteral("--picks=20"),
                                    QStringLiteral("--high=80"), QStringLiteral("--form-size=10")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("(3,535,316,142,212,174,320 possible draws): all "
                                              "10 right is 1 in 8,911,711.")))
        << r.out.toStdString();
    r = Call(cli::RunOdds, {QStringLiteral("odds"), QStringLiteral("--picks=20"),
                            QStringLiteral("--high=80"), QStringLiteral("--form-size=11")});
    EXPECT_EQ(r.code, 2);
    r = Call(cli::RunOdds,
             {QStringLiteral("odds"), QStringLiteral("--picks=1"), QStringLiteral("--high=1")});
    EXPECT_TRUE(r.out.contains(QStringLiteral("One form of 1 number against a draw of 1 from 1 "
                                              "to 1 (1 possible draw): all 1 right is certain.")))
        << r.out.toStdString();
    TempDir dir;
    dir.write(QStringLiteral("one.txt"), "5 17 33 48 61 90\n");
    r = Call(cli::RunOdds,
             {QStringLiteral("odds"), QStringLiteral("--picks=6"), QStringLiteral("--high=90"),
              QStringLiteral("--forms"), dir.path(QStringLiteral("one.txt"))});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("1 in 622,614,630, exact"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("1 form against a draw of 6 from 1 to 90")));
}

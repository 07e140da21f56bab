// Pictures of the odds in Pick-a-Winner, the fairness band in Graphs and the back-test window,
// to look at; not run by the tests. Usage: odds_shots [folder]   (default /tmp/shots-17)
#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Services.h"
#include "windows/backtest/BackTestWindow.h"
#include "windows/graphs/GraphsWindow.h"
#include "windows/picks/PickWindow.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots-17");
    QDir().mkpath(folder);
    auto path = [&](const char* name) { return folder + QLatin1Char('/') + QLatin1String(name); };

    core::AppState state;
    state.database = MakeDrawDatabase(49, 6, RandomDraws(49, 6, 600, 5), QDate(2014, 1, 11),
                                      QStringLiteral("Lotto 6/49"));
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};

    {
        picks::PickWindow w(state, services);
        w.show();
        w.grab().save(path("picks-before.png"));
        w.findChild<QPushButton*>(QStringLiteral("PCalc"))->click();
        w.grab().save(path("picks-calculate.png"));
        w.findChild<QPushButton*>(QStringLiteral("CalcAllNum"))->click();
        w.grab().save(path("picks-selectall.png"));
    }
    {
        // Ten picks of 60 on ten forms: too many draws to count, so the odds are estimated.
        core::AppState empty;
        empty.settings.DefaultPicks = 10;
        empty.settings.DefaultHighNumber = 60;
        empty.settings.EntryForms = 10;
        picks::PickWindow w(empty, services);
        w.show();
        w.findChild<QPushButton*>(QStringLiteral("PCalc"))->click();
        QApplication::processEvents();
        w.grab().save(path("picks-estimate.png"));
    }
    {
        stats::GraphsWindow g(state.database, state.stats, services);
        g.show();
        g.grab().save(path("graphs.png"));
        g.findChild<QPushButton*>(QStringLiteral("TwoDBut"))->click();
        g.grab().save(path("graphs-3d.png"));
        g.findChild<QPushButton*>(QStringLiteral("TwoDBut"))->click();
        dialogs.answers = {true, false};
        g.findChild<QPushButton*>(QStringLiteral("Printer3"))->click();
        if (!printer.pages.empty()) printer.pages.back().save(path("graphs-printout.png"));
    }
    {
        odds::BackTestWindow b(state.database, services);
        b.show();
        // A fixed seed, so that the pictures of two builds can be compared.
        b.findChild<QLineEdit*>(QStringLiteral("InBtSeed"))->setText(QStringLiteral("2026"));
        b.findChild<QPushButton*>(QStringLiteral("BtRun"))->click();
        b.grab().save(path("backtest.png"));
        b.resize(b.width() + 300, b.height() + 200);
        b.grab().save(path("backtest-wide.png"));
    }
    return 0;
}

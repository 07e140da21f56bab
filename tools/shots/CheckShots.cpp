// Pictures of the Check Numbers window, to look at; not run by the tests.
// Usage: check_shots [folder]   (default /tmp/shots/check)
#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/InputBox.h"
#include "ui/Services.h"
#include "windows/check/CheckWindow.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"/tmp/shots/check"_s;
    QDir().mkpath(folder);

    core::AppState state;
    // 400 draws on Wednesdays and Saturdays.
    state.database = MakeDrawDatabase(49, 6, RandomDraws(49, 6, 400, 5),
                                      DrawDates(QDate(2019, 1, 9), 400, {3, 4}), u"Lotto 6/49"_s);

    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    check::CheckWindow w(state.database, state.RetypeFlag, services);
    w.show();
    QApplication::setActiveWindow(&w);
    if (!QTest::qWaitForWindowActive(&w)) return 1;
    w.grab().save(folder + u"/opened.png"_s);

    auto* matchNum = w.findChild<ui::InputBox*>(u"MatchNum"_s);
    matchNum->setText(u" 2"_s);
    const char* numbers[] = {"7", "19", "23", "31", "42", "6"};
    for (int i = 0; i < 6; ++i)
        w.findChild<ui::InputBox*>(u"CInYourNum%1"_s.arg(i))
            ->setText(QString::fromLatin1(numbers[i]));
    w.findChild<QPushButton*>(u"CCalc"_s)->click();
    QTest::qWait(50);
    w.grab().save(folder + u"/results.png"_s);

    w.findChild<QPushButton*>(u"CHelp"_s)->click();
    QTest::qWait(50);
    w.grab().save(folder + u"/help.png"_s);
    w.findChild<QPushButton*>(u"CHelp"_s)->click();

    w.findChild<QPushButton*>(u"CClearAll"_s)->click();
    w.findChild<ui::InputBox*>(u"CInYourNum0"_s)->setText(u"6"_s);
    matchNum->setText(u" 1"_s);
    w.findChild<QPushButton*>(u"CCalc"_s)->click();
    w.resize(w.width() + 200, w.height() + 150);
    QTest::qWait(50);
    w.grab().save(folder + u"/wider.png"_s);

    state.database.setShape(10, state.database.highNumber());
    check::CheckWindow ten(state.database, state.RetypeFlag, services);
    ten.show();
    QTest::qWait(50);
    ten.grab().save(folder + u"/ten.png"_s);

    state.database.setShape(3, state.database.highNumber());
    check::CheckWindow three(state.database, state.RetypeFlag, services);
    three.show();
    three.findChild<QPushButton*>(u"CHelp"_s)->click();
    QTest::qWait(50);
    three.grab().save(folder + u"/three-help.png"_s);
    return 0;
}

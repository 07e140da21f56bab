// Pictures of the Pick-a-Winner window, to look at; not run by the tests.
// Usage: picks_shots [folder]   (default /tmp/shots/picks)
#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/InputBox.h"
#include "ui/Services.h"
#include "windows/picks/PickWindow.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

void Fill(database::DrawDatabase& db)
{
    db = MakeDrawDatabase(49, 6, RandomDraws(49, 6, 300, 5), QDate(2019, 1, 12),
                          QStringLiteral("Lotto 6/49"));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots/picks");
    QDir().mkpath(folder);

    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    auto w = std::make_unique<picks::PickWindow>(state, services);
    auto save = [&](const char* name) {
        w->grab().save(folder + QLatin1Char('/') + QLatin1String(name));
    };
    auto click = [&](const char* name) {
        w->findChild<QPushButton*>(QLatin1String(name))->click();
    };
    auto type = [&](const char* name, const QString& keys) {
        auto* box = w->findChild<ui::InputBox*>(QLatin1String(name));
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, keys);
        QTest::keyClick(box, Qt::Key_Tab);
    };

    w->show();
    save("empty.png");
    type("InColNum", QStringLiteral("1"));
    click("PCalc");
    save("onepick.png");

    w.reset();
    Fill(state.database);
    w = std::make_unique<picks::PickWindow>(state, services);
    w->show();
    const int before = clock.waits;
    clock.onWait = [&] {
        if (clock.waits == before + 8) save("during.png");
    };
    type("InNumRows", QStringLiteral("10"));
    click("PCalc");
    save("calculate.png");
    clock.onWait = nullptr;
    click("CalcAllNum");
    save("selectall.png");
    w->findChild<QRadioButton*>(QStringLiteral("Option3"))->click();
    click("PCalc");
    save("third.png");
    click("PHelp");
    save("help.png");
    return 0;
}

// Pictures of the Wheel window: a wheel of 12 numbers, forms of 6, "3 if 4", found and verified.
// Usage: wheel_shots <output folder>
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Services.h"
#include "windows/wheel/WheelWindow.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots/wheel");
    QDir().mkpath(out);
    const database::DrawDatabase db =
        MakeDrawDatabase(49, 6, RandomDraws(49, 6, 400, 3), DrawDates(QDate(2019, 1, 5), 400));
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    wheel::WheelWindow w(db, {3, 7, 11, 14, 19, 23, 27, 31, 36, 40, 44, 48}, 6, services);
    w.setSeconds(2);
    w.setFormPrice(200); // as the tickets would know it
    w.show();
    if (!QTest::qWaitForWindowActive(&w)) return 1;
    w.grab().save(out + QStringLiteral("/opened.png"));
    w.findChild<QPushButton*>(QStringLiteral("WheelPool"))->click();
    w.findChild<QPushButton*>(QStringLiteral("WheelGenerate"))->click();
    if (!QTest::qWaitFor([&] { return w.result() != nullptr; }, 60000)) return 1;
    w.grab().save(out + QStringLiteral("/generated.png"));
    return 0;
}

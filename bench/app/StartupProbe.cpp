// The program's own start-up, ended as soon as the main menu is on screen.
#include "app/AppController.h"
#include "app/Program.h"
#include "windows/menu/MainMenu.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

int main(int argc, char* argv[])
{
    return app::RunProgram(argc, argv, [](app::AppController& controller) {
        const bool shown = QTest::qWaitForWindowExposed(controller.menu());
        QTimer::singleShot(0, qApp, [shown] { QCoreApplication::exit(shown ? 0 : 1); });
    });
}

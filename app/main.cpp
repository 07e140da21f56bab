#include "app/AppController.h"
#include "app/AppInfo.h"
#include "core/AppState.h"
#include "ui/Clock.h"
#include "ui/QtDialogs.h"
#include "ui/QtPrinter.h"
#include "ui/Services.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallimo Win9"));
    QApplication::setApplicationDisplayName(app::ProgramCaption());
    // The run ends through the exit command only, which asks about unsaved records first.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::QtDialogs dialogs;
    ui::QtPrinter printer;
    ui::SystemClock clock;
    ui::Services services{dialogs, printer, clock};
    AppState state;

    app::AppController controller(state, services);
    QObject::connect(&controller, &app::AppController::quitRequested, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    controller.start({QApplication::applicationDirPath(),
                      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)});
    return QApplication::exec();
}

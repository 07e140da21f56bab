#include "app/Program.h"

#include "app/AppController.h"
#include "app/AppInfo.h"
#include "app/ProgramFolders.h"
#include "core/AppState.h"
#include "ui/Clock.h"
#include "ui/FileDialogPlaces.h"
#include "ui/QtDialogs.h"
#include "ui/QtPrinter.h"
#include "ui/Services.h"

#include <QApplication>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>
#include <cstring>
#include <memory>

namespace app {

int RunProgram(int argc, char* argv[], const std::function<void(AppController&)>& started)
{
    // "--version" answers without a window, and so without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Tallimo Win9 %s\n", TALLIMO_VERSION);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallimo Win9"));
    QApplication::setApplicationDisplayName(ProgramCaption());
    // The run ends through the exit command only, which asks about unsaved records first.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::QtDialogs dialogs;
    ui::QtPrinter printer;
    ui::SystemClock clock;
    ui::Services services{dialogs, printer, clock};
    AppState state;

    AppController controller(state, services);
    QObject::connect(&controller, &AppController::quitRequested, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    const ProgramFolders folders =
        FindProgramFolders(QApplication::applicationDirPath(),
                           QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    // An installed copy keeps its samples apart from the user's files: every file dialog
    // offers their folder among its places.
    std::unique_ptr<ui::FileDialogPlaces> samplePlaces;
    if (folders.samplesDir != folders.startDir)
        samplePlaces = std::make_unique<ui::FileDialogPlaces>(
            QList<QUrl>{QUrl::fromLocalFile(folders.samplesDir)});
    // An installed copy keeps the settings in the user's configuration folder even where it
    // could write its own folder (run as root, or installed under the user's home).
    controller.start({folders.installed ? QString() : folders.programDir,
                      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                      folders.startDir});
    if (started)
        started(controller);
    return QApplication::exec();
}

} // namespace app

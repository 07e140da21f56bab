#include "app/Program.h"

#include "app/AppController.h"
#include "app/ProgramFolders.h"
#include "models/state/AppInfo.h"
#include "models/state/AppState.h"
#include "ui/Accessible.h"
#include "ui/Clock.h"
#include "ui/FileDialogPlaces.h"
#include "ui/ModulePrinter.h"
#include "ui/QtDialogs.h"
#include "ui/Services.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QStandardPaths>
#include <QUrl>
#include <memory>

namespace app {

QIcon ProgramIcon()
{
    QImageReader reader(QStringLiteral(":/icons/tallimo.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

int RunProgram(int argc, char* argv[], const std::function<void(AppController&)>& started)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(ProgramCaption());
    // The desktop matches the windows to the menu entry by its file name (Wayland's app id),
    // and shows the program's icon on them. The icon is built in: looking it up in the icon
    // theme would load every image format plugin.
    QGuiApplication::setDesktopFileName(DesktopId());
    ui::InstallWindowRoles();
    QApplication::setWindowIcon(ProgramIcon());
    // No display name: the platform would append it to every window and message title, and
    // the titles are the windows' own captions.
    // The run ends through the exit command only, which asks about unsaved records first.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::QtDialogs dialogs;
    ui::ModulePrinter printer;
    ui::SystemClock clock;
    ui::Services services{dialogs, printer, clock};
    core::AppState state;

    // A file named on the command line; its path is taken before start-up moves the current
    // directory to the program's folder.
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A .lto or .inv file."));
    parser.parse(QApplication::arguments());
    const QStringList files = parser.positionalArguments();
    const QString file = files.isEmpty() ? QString() : QFileInfo(files.front()).absoluteFilePath();

    AppController controller(state, services);
    QObject::connect(&controller, &AppController::quitRequested, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    const ProgramFolders folders =
        FindProgramFolders(QApplication::applicationDirPath(),
                           QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    // An installed copy keeps its samples apart from the user's files: every file dialog
    // offers their folder among its places.
    std::unique_ptr<ui::FileDialogPlaces> samplePlaces;
    if (folders.samplesDir != folders.startDir) {
        samplePlaces = std::make_unique<ui::FileDialogPlaces>(
            QList<QUrl>{QUrl::fromLocalFile(folders.samplesDir)});
        dialogs.offerFolder(folders.samplesDir);
    }
    // An installed copy keeps the settings in the user's configuration folder even where it
    // could write its own folder (run as root, or installed under the user's home).
    // A copy in a read-only folder of its own reads its settings file there until the
    // configuration folder has one.
    app::AppController::Paths paths(
        folders.installed ? QString() : folders.programDir,
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation), folders.startDir);
    paths.programWritable = folders.installed ? false : folders.writable;
    controller.start(paths);
    if (!file.isEmpty()) controller.openAtStart(file);
    if (started) started(controller);
    return QApplication::exec();
}

} // namespace app

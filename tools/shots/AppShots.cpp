// Saves pictures of the main menu and the settings form, for looking at them:
//   QT_QPA_PLATFORM=offscreen app_shots <folder>
#include "app/AppController.h"
#include "app/FileCommands.h"
#include "models/state/AppState.h"
#include "ui/Clock.h"
#include "ui/QtDialogs.h"
#include "ui/QtPrinter.h"
#include "ui/Services.h"
#include "windows/menu/MainMenu.h"
#include "windows/menu/SettingsForm.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    ui::QtDialogs dialogs;
    ui::QtPrinter printer;
    ui::SystemClock clock;
    ui::Services services{dialogs, printer, clock};
    core::AppState state;

    QTemporaryDir program;
    QFile::copy(QStringLiteral(TALLIMO_SAMPLES_DIR "/Sample.Lto"),
                program.filePath(QStringLiteral("Sample.Lto")));
    QFile settings(program.filePath(QStringLiteral("Personal.Lot")));
    if (settings.open(QIODevice::WriteOnly)) settings.write("6,49,1,\"$\",\"Pat Player\"\r\n");
    settings.close();

    app::AppController controller(state, services);
    controller.start({program.path(), program.path()});
    app::OpenDatabaseFile(program.filePath(QStringLiteral("Sample.Lto")), state);
    controller.leaveDatabase();
    QApplication::processEvents();
    bool ok = controller.menu()->grab().save(QDir(out).filePath(QStringLiteral("main-menu.png")));

    state.settings.CurrencySymbol = QStringLiteral("$");
    app::SettingsForm form(state, services);
    form.show();
    QApplication::processEvents();
    ok = form.grab().save(QDir(out).filePath(QStringLiteral("settings.png"))) && ok;
    return ok ? 0 : 1;
}

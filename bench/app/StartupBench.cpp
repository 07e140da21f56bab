// Start-up until the main menu is on screen, against an empty Qt window shown the same way.
// Both run in one process whose QApplication already exists, so what is measured is the
// program's own start-up: settings, backdrop, menu, empty database.
#include "app/AppController.h"
#include "app/MainMenu.h"
#include "core/AppState.h"
#include "ui/Clock.h"
#include "ui/Printer.h"
#include "ui/QtDialogs.h"
#include "ui/Services.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {
class NoPrinter final : public ui::Printer {
public:
    bool printText(const ui::TextDocument&, const QString&) override { return false; }
    bool printPage(const ui::PagePainter&, const QString&, bool) override { return false; }
};
} // namespace

static void BM_EmptyWindowShown(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Tallimo Win9"));
        window.resize(480, 420);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("the window was never exposed");
    }
}
BENCHMARK(BM_EmptyWindowShown)->Unit(benchmark::kMillisecond);

static void BM_StartUpUntilMainMenuShown(benchmark::State& state)
{
    QTemporaryDir program;
    QTemporaryDir config;
    const QString cwd = QDir::currentPath();
    for (auto _ : state) {
        AppState appState;
        ui::QtDialogs dialogs;
        ui::SystemClock clock;
        NoPrinter printer;
        ui::Services services{dialogs, printer, clock};
        app::AppController controller(appState, services);
        controller.start({program.path(), config.path()});
        if (!QTest::qWaitForWindowExposed(controller.menu()))
            state.SkipWithError("the menu was never exposed");
    }
    QDir::setCurrent(cwd);
}
BENCHMARK(BM_StartUpUntilMainMenuShown)->Unit(benchmark::kMillisecond);

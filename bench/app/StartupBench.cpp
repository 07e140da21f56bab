// Start-up until the main menu is on screen, against an empty Qt window shown the same way (in
// time and in peak memory):
// first as whole processes (what the user waits for), then in this process, whose QApplication
// already exists (the program's own part: settings, backdrop, menu, empty database).
#include "app/AppController.h"
#include "models/state/AppState.h"
#include "support/BenchSupport.h"
#include "ui/Clock.h"
#include "ui/Printer.h"
#include "ui/QtDialogs.h"
#include "ui/Services.h"
#include "windows/menu/MainMenu.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using bench::NoPrinter;

namespace {
// Starts the program beside this benchmark and waits for it to end; false if it failed. With
// `peakKiB`, the most memory the process held at once (its peak resident set).
bool RunProbe(const char* name, long* peakKiB = nullptr)
{
    const QByteArray path =
        (QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name))
            .toLocal8Bit();
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.constData(), nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    rusage usage{};
    const bool ended = wait4(pid, &status, 0, &usage) == pid;
    if (peakKiB != nullptr) *peakKiB = usage.ru_maxrss;
    return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
} // namespace

static void BM_ProcessEmptyWindowShown(benchmark::State& state)
{
    for (auto _ : state)
        if (!RunProbe("empty_window_probe")) state.SkipWithError("the empty window program failed");
}
BENCHMARK(BM_ProcessEmptyWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_ProcessStartUpUntilMainMenuShown(benchmark::State& state)
{
    for (auto _ : state)
        if (!RunProbe("startup_probe")) state.SkipWithError("the start-up program failed");
}
BENCHMARK(BM_ProcessStartUpUntilMainMenuShown)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two programs in turn, so that whatever else the machine is doing weighs on both alike;
// the counters give the median of each and the ratio of the medians.
static void BM_ProcessStartUpRatio(benchmark::State& state)
{
    std::vector<double> empty;
    std::vector<double> startUp;
    std::vector<double> emptyPeak;
    std::vector<double> startUpPeak;
    const auto timed = [&state](const char* name, std::vector<double>& into,
                                std::vector<double>& peaks) {
        long peak = 0;
        const auto begin = std::chrono::steady_clock::now();
        if (!RunProbe(name, &peak)) state.SkipWithError("a probe program failed");
        into.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                .count());
        peaks.push_back(static_cast<double>(peak) / 1024.0);
    };
    for (auto _ : state) {
        timed("empty_window_probe", empty, emptyPeak);
        timed("startup_probe", startUp, startUpPeak);
    }
    const auto median = [](std::vector<double> v) {
        if (v.empty()) return 0.0;
        std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    const double e = median(empty);
    const double s = median(startUp);
    state.counters["empty_ms"] = e;
    state.counters["startup_ms"] = s;
    state.counters["ratio"] = e > 0 ? s / e : 0;
    // The peak memory of each, and its ratio, from the same runs.
    const double em = median(emptyPeak);
    const double sm = median(startUpPeak);
    state.counters["empty_MiB"] = em;
    state.counters["startup_MiB"] = sm;
    state.counters["memory_ratio"] = em > 0 ? sm / em : 0;
}
BENCHMARK(BM_ProcessStartUpRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

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
        core::AppState appState;
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

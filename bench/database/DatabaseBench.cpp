// Opening the Database window on a full table: laying out, filling the record grid and the
// three count grids, counting and ranking.
#include "models/state/AppState.h"
#include "support/BenchSupport.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Printer.h"
#include "ui/Services.h"
#include "windows/database/DatabaseWindow.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using bench::FixedClock;
using bench::NoPrinter;
using bench::QuietDialogs;

void FillFull(core::AppState& state, int picks)
{
    state.database = bench::RandomDatabase(picks, 60);
}

} // namespace

static void BM_OpenDatabaseWindow(benchmark::State& bench)
{
    core::AppState state;
    FillFull(state, static_cast<int>(bench.range(0)));
    QuietDialogs dialogs;
    NoPrinter printer;
    FixedClock clock;
    ui::Services services{dialogs, printer, clock};
    for (auto _ : bench) {
        auto w = std::make_unique<database::DatabaseWindow>(state, services);
        benchmark::DoNotOptimize(w.get());
        bench.PauseTiming();
        w.reset();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDatabaseWindow)->Arg(6)->Arg(10)->Unit(benchmark::kMillisecond);

// The same, with the window shown and painted once, as the user first sees it.
static void BM_OpenAndShowDatabaseWindow(benchmark::State& bench)
{
    core::AppState state;
    FillFull(state, static_cast<int>(bench.range(0)));
    QuietDialogs dialogs;
    NoPrinter printer;
    FixedClock clock;
    ui::Services services{dialogs, printer, clock};
    for (auto _ : bench) {
        auto w = std::make_unique<database::DatabaseWindow>(state, services);
        w->show();
        benchmark::DoNotOptimize(w->grab());
        bench.PauseTiming();
        w.reset();
        QApplication::processEvents();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndShowDatabaseWindow)->Arg(6)->Arg(10)->Unit(benchmark::kMillisecond);

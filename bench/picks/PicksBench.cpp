#include "models/draws/DrawDatabase.h"
#include "models/picks/PickEngine.h"
#include "models/stats/Frequency.h"
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

namespace {
database::DrawDatabase Draws()
{
    return bench::RandomDatabase(6, 49, 3);
}
} // namespace

// Calculate without the display: ten entry forms of `picks` from the full range (0) or from
// the top third of a full database (1), with the generator the window uses.
static void BM_CalculateTenForms(benchmark::State& state)
{
    const database::DrawDatabase db = Draws();
    stats::Statistics stats;
    stats::RecomputeFrequencies(db, stats.measure, stats);
    picks::PickSession session;
    session.SourceOption = state.range(0) == 0 ? picks::Source::FullRange : picks::Source::Top;
    session.LotteryHigh = 49;
    session.PickCount = static_cast<int>(state.range(1));
    session.EntryFormCount = 10;
    for (auto _ : state) {
        const auto status = session.calculate(stats, db.recordCount(), db.highNumber());
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(session.PickGrid);
    }
}
BENCHMARK(BM_CalculateTenForms)
    ->Args({0, 6})
    ->Args({0, 10})
    ->Args({1, 6})
    ->Args({1, 10})
    ->Unit(benchmark::kMicrosecond);

// Select All of 1..60 over eight numbers a form.
static void BM_SelectAll(benchmark::State& state)
{
    picks::PickSession session;
    session.LotteryHigh = 60;
    session.PickCount = 8;
    for (auto _ : state)
        benchmark::DoNotOptimize(session.selectAll());
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMicrosecond);

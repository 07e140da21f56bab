#include "support/BenchSupport.h"
#include "database/DrawDatabase.h"
#include "stats/Frequency.h"

#include <benchmark/benchmark.h>

namespace {
DrawDatabase FullDatabase()
{
    return bench::RandomDatabase(10, 60);
}
} // namespace

static void BM_RecomputeAndRank(benchmark::State& state)
{
    const DrawDatabase db = FullDatabase();
    Statistics stats;
    stats.TimesDrawnMode = static_cast<float>(state.range(0));
    for (auto _ : state) {
        RecomputeFrequencies(db, stats);
        RankNumbers(stats, db.highNumber());
        benchmark::DoNotOptimize(stats.RankedNumbers);
    }
}
BENCHMARK(BM_RecomputeAndRank)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

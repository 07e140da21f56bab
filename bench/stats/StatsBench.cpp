#include "database/DrawDatabase.h"
#include "stats/Frequency.h"
#include "support/BenchSupport.h"

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
    const Measure measure = state.range(0) == 1 ? Measure::TimesDrawn : Measure::DrawsSince;
    for (auto _ : state) {
        RecomputeFrequencies(db, measure, stats);
        RankNumbers(stats, db.highNumber(), RankOrder::Ranked);
        benchmark::DoNotOptimize(stats.RankedNumbers);
    }
}
BENCHMARK(BM_RecomputeAndRank)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

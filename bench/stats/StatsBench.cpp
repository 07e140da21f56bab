#include "models/draws/DrawDatabase.h"
#include "models/stats/Frequency.h"
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

namespace {
database::DrawDatabase FullDatabase()
{
    return bench::RandomDatabase(10, 60);
}
} // namespace

static void BM_RecomputeAndRank(benchmark::State& state)
{
    const database::DrawDatabase db = FullDatabase();
    stats::Statistics stats;
    const stats::Measure measure =
        state.range(0) == 1 ? stats::Measure::TimesDrawn : stats::Measure::DrawsSince;
    for (auto _ : state) {
        stats::RecomputeFrequencies(db, measure, stats);
        stats::RankNumbers(stats, db.highNumber(), stats::RankOrder::Ranked);
        benchmark::DoNotOptimize(stats.RankedNumbers);
    }
}
BENCHMARK(BM_RecomputeAndRank)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

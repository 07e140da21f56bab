#include "database/DrawDatabase.h"
#include "stats/Frequency.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {
DrawDatabase FullDatabase()
{
    DrawDatabase db;
    db.ColumnCount = 12;
    db.HighNumber = 60;
    db.RecordCount = DrawDatabase::MaxRecords;
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> pick(1, 60);
    for (int r = 1; r <= db.RecordCount; ++r) {
        DrawRecord& rec = db.Records[static_cast<size_t>(r)];
        rec.RecordNo = r;
        rec.DrawDate = QDate(1990, 1, 1).addDays(3 * r);
        for (int& n : rec.Numbers)
            n = pick(gen);
    }
    return db;
}
} // namespace

static void BM_RecomputeAndRank(benchmark::State& state)
{
    const DrawDatabase db = FullDatabase();
    Statistics stats;
    stats.TimesDrawnMode = static_cast<float>(state.range(0));
    for (auto _ : state) {
        RecomputeFrequencies(db, stats);
        RankNumbers(stats, db.HighNumber);
        benchmark::DoNotOptimize(stats.RankedNumbers);
    }
}
BENCHMARK(BM_RecomputeAndRank)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

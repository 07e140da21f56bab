#include "database/DrawDatabase.h"
#include "picks/PickEngine.h"
#include "stats/Frequency.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {
DrawDatabase Draws()
{
    DrawDatabase db;
    db.ColumnCount = 8;
    db.HighNumber = 49;
    db.RecordCount = DrawDatabase::MaxRecords;
    std::mt19937 gen(3);
    std::uniform_int_distribution<int> pick(1, 49);
    for (int r = 1; r <= db.RecordCount; ++r) {
        DrawRecord& rec = db.Records[static_cast<size_t>(r)];
        rec.RecordNo = r;
        rec.DrawDate = QDate(1990, 1, 1).addDays(3 * r);
        for (size_t c = 0; c < 6; ++c)
            rec.Numbers[c] = pick(gen);
    }
    return db;
}
} // namespace

// Calculate without the display: ten entry forms of `picks` from the full range (0) or from
// the top third of a full database (1), with the generator the window uses.
static void BM_CalculateTenForms(benchmark::State& state)
{
    const DrawDatabase db = Draws();
    Statistics stats;
    RecomputeFrequencies(db, stats);
    picks::PickSession session;
    session.SourceOption = state.range(0) == 0 ? picks::Source::FullRange : picks::Source::Top;
    session.LotteryHigh = 49;
    session.PickCount = static_cast<int>(state.range(1));
    session.EntryFormCount = 10;
    for (auto _ : state) {
        const auto status = session.calculate(stats, db.RecordCount, db.HighNumber);
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

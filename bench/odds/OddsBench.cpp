#include "support/BenchSupport.h"

#include "models/draws/DrawDatabase.h"
#include "models/odds/BackTest.h"
#include "models/odds/Fairness.h"
#include "models/odds/Odds.h"

#include <benchmark/benchmark.h>

#include <numeric>
#include <random>

namespace {

// `count` forms of `size` distinct numbers from 1..high.
std::vector<odds::Form> RandomForms(int count, int size, int high)
{
    std::mt19937 gen(17);
    std::vector<int> urn(static_cast<size_t>(high));
    std::iota(urn.begin(), urn.end(), 1);
    std::vector<odds::Form> forms;
    for (int i = 0; i < count; ++i) {
        std::shuffle(urn.begin(), urn.end(), gen);
        forms.emplace_back(urn.begin(), urn.begin() + size);
    }
    return forms;
}

// A full table of fair draws: distinct numbers in every record.
database::DrawDatabase FairDatabase(int picks, int high)
{
    database::DrawDatabase db = bench::RandomDatabase(picks, high);
    std::mt19937 gen(3);
    std::vector<int> urn(static_cast<size_t>(high));
    std::iota(urn.begin(), urn.end(), 1);
    for (int r = 1; r <= db.recordCount(); ++r) {
        std::shuffle(urn.begin(), urn.end(), gen);
        for (int k = 0; k < picks; ++k)
            db.record(r).Numbers[static_cast<size_t>(k)] = urn[static_cast<size_t>(k)];
    }
    return db;
}

} // namespace

// The odds of 20 forms of `picks` against a draw of `picks` from 1..high: exact where there are
// at most 50 million draws (6/49: 13,983,816; 6/59: 45,057,474, the largest 6-number shape
// under the limit), else estimated from a million simulated draws (7/48, 10/60).
static void BM_SetOdds(benchmark::State& state)
{
    const int picks = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    const auto forms = RandomForms(20, picks, high);
    bool exact = false;
    for (auto _ : state) {
        const odds::SetOdds result = odds::SetOfFormsOdds(forms, high, picks);
        exact = result.exact;
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(exact ? "exact" : "estimate");
}
BENCHMARK(BM_SetOdds)
    ->Args({6, 49})
    ->Args({6, 59})
    ->Args({5, 60})
    ->Args({7, 48})
    ->Args({10, 60})
    ->Unit(benchmark::kMillisecond);

static void BM_SingleFormOdds(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(odds::SingleFormOdds(49, 6, 6));
}
BENCHMARK(BM_SingleFormOdds)->Unit(benchmark::kMicrosecond);

// 2,000 records of 6 from 49: the test over all of them.
static void BM_Fairness(benchmark::State& state)
{
    const database::DrawDatabase db = FairDatabase(6, 49);
    for (auto _ : state)
        benchmark::DoNotOptimize(odds::TestFairness(db));
}
BENCHMARK(BM_Fairness)->Unit(benchmark::kMicrosecond);

// The back-test of all 7 strategies with 10 forms each over 2,000 records (the first tested is
// record 1 when range(1) is 1, so 1,999 draws; the default start 20 gives 1,981).
static void BM_BackTest(benchmark::State& state)
{
    const database::DrawDatabase db = FairDatabase(static_cast<int>(state.range(0)), 49);
    odds::BackTestOptions options;
    options.forms = 10;
    options.start = static_cast<int>(state.range(1));
    options.seed = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(odds::RunBackTest(db, options));
}
BENCHMARK(BM_BackTest)->Args({6, 1})->Args({6, 20})->Args({10, 1})->Unit(benchmark::kMillisecond);

// The wheel's speed targets: checking a 40-number wheel against every draw of six in under a
// second, and the search's pace on the shapes players use.
#include "models/wheel/Verify.h"
#include "models/wheel/WheelSearch.h"

#include <benchmark/benchmark.h>

#include <vector>

using wheel::Mask;
using wheel::Shape;

namespace {

// Every form of six of the 40 numbers: the full wheel, 3,838,380 forms, one draw each.
std::vector<Mask> FullWheel()
{
    std::vector<Mask> forms;
    forms.reserve(wheel::Binomial(40, 6));
    wheel::ForEachSubset(wheel::Bit(40) - 1, 6, [&](Mask form) { forms.push_back(form); });
    return forms;
}

// The 40 numbers in eight groups of five: a draw of six touches at most six groups, so the 28
// forms that join six of the groups (30 numbers each) hold every draw of six.
std::vector<Mask> GroupWheel()
{
    std::vector<Mask> forms;
    wheel::ForEachSubset(wheel::Bit(8) - 1, 6, [&](Mask groups) {
        Mask form = 0;
        for (int g = 0; g < 8; ++g)
            if ((groups & wheel::Bit(g)) != 0) form |= (wheel::Bit(5) - 1) << (5 * g);
        forms.push_back(form);
    });
    return forms;
}

// "3 if 6" on 40 numbers with forms of six: a draw of six has three numbers in one half of the
// 40, so a covering of the triples of each half by forms of six keeps the promise. The halves'
// coverings come from the search itself.
std::vector<Mask> HalvesWheel()
{
    wheel::WheelOptions options;
    options.maxSteps = 50'000;
    const wheel::WheelResult half = wheel::FindWheel(Shape{20, 6, 3, 3}, options);
    std::vector<Mask> forms;
    for (const Mask form : half.forms) {
        forms.push_back(form);
        forms.push_back(form << 20);
    }
    return forms;
}

void Verify(benchmark::State& state, const std::vector<Mask>& forms, const Shape& shape)
{
    bool kept = false;
    for (auto _ : state) {
        const wheel::Verification check = wheel::Verify(forms, shape);
        kept = check.kept();
        benchmark::DoNotOptimize(check);
    }
    state.SetLabel(std::to_string(forms.size()) + (kept ? " forms, kept" : " forms, NOT KEPT"));
}

} // namespace

static void BM_VerifyFullWheel40(benchmark::State& state)
{
    Verify(state, FullWheel(), Shape{40, 6, 6, 6});
}
BENCHMARK(BM_VerifyFullWheel40)->Unit(benchmark::kMillisecond);

static void BM_VerifyGroupWheel40(benchmark::State& state)
{
    Verify(state, GroupWheel(), Shape{40, 30, 6, 6});
}
BENCHMARK(BM_VerifyGroupWheel40)->Unit(benchmark::kMillisecond);

static void BM_VerifyThreeIfSix40(benchmark::State& state)
{
    Verify(state, HalvesWheel(), Shape{40, 6, 3, 6});
}
BENCHMARK(BM_VerifyThreeIfSix40)->Unit(benchmark::kMillisecond);

// The search's pace: a fixed number of steps from the start on shapes players use (v, K, m, t,
// steps); a step of "3 if 6" on 20 numbers touches thousands of draws, so it gets fewer.
static void BM_Search(benchmark::State& state)
{
    const Shape shape{static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                      static_cast<int>(state.range(2)), static_cast<int>(state.range(3))};
    wheel::WheelOptions options;
    options.maxSteps = static_cast<std::uint64_t>(state.range(4));
    options.seconds = 600;
    wheel::WheelResult result;
    for (auto _ : state)
        result = wheel::FindWheel(shape, options);
    state.counters["forms"] = result.size();
    state.counters["lower_bound"] = static_cast<double>(result.bound.value);
    state.counters["steps_per_s"] = benchmark::Counter(static_cast<double>(result.steps) *
                                                           static_cast<double>(state.iterations()),
                                                       benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Search)
    ->Args({12, 6, 4, 4, 200'000})
    ->Args({18, 6, 3, 3, 200'000})
    ->Args({15, 6, 3, 4, 200'000})
    ->Args({20, 6, 3, 6, 10'000})
    ->Unit(benchmark::kMillisecond);

// The default search: ten seconds, then the best wheel found.
static void BM_SearchTenSeconds(benchmark::State& state)
{
    const Shape shape{static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                      static_cast<int>(state.range(2)), static_cast<int>(state.range(3))};
    wheel::WheelResult result;
    for (auto _ : state)
        result = wheel::FindWheel(shape);
    state.counters["forms"] = result.size();
    state.counters["lower_bound"] = static_cast<double>(result.bound.value);
    state.SetLabel(result.verified ? "verified" : "NOT VERIFIED");
}
BENCHMARK(BM_SearchTenSeconds)->Args({15, 6, 4, 4})->Iterations(1)->Unit(benchmark::kSecond);

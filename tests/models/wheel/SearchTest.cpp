#include "models/wheel/Verify.h"
#include "models/wheel/WheelSearch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <future>
#include <thread>
#include <vector>

using wheel::Mask;
using wheel::Shape;

namespace {

// A step cap rather than a time budget keeps the tests' results the same on a busy machine; the
// time budget is only a backstop.
wheel::WheelOptions Capped(std::uint64_t steps, std::uint64_t seed = 1)
{
    wheel::WheelOptions options;
    options.seed = seed;
    options.maxSteps = steps;
    options.seconds = 600;
    return options;
}

void ExpectWholeWheel(const wheel::WheelResult& result)
{
    const Shape& s = result.shape;
    EXPECT_TRUE(result.verified);
    EXPECT_EQ(result.missed, 0U);
    for (const Mask form : result.forms) {
        EXPECT_EQ(std::popcount(form), s.formSize);
        EXPECT_EQ(form >> s.numbers, 0U);
    }
    EXPECT_TRUE(wheel::Verify(result.forms, s).kept());
    EXPECT_TRUE(std::is_sorted(result.forms.begin(), result.forms.end(), wheel::LexLess));
}

} // namespace

// A Steiner system holds every draw of t exactly once, so it has C(v,t)/C(K,t) forms, the count
// bound: the search must find one, and stop there.
TEST(WheelSearch, FindsSteinerSystems)
{
    struct Case {
        Shape shape;
        int size;
    };
    const std::vector<Case> cases{{{7, 3, 2, 2}, 7},   {{9, 3, 2, 2}, 12},  {{8, 4, 3, 3}, 14},
                                  {{13, 4, 2, 2}, 13}, {{15, 3, 2, 2}, 35}, {{11, 5, 4, 4}, 66}};
    for (const Case& c : cases) {
        const auto& s = c.shape;
        SCOPED_TRACE(testing::Message()
                     << s.numbers << ',' << s.formSize << ',' << s.match << '/' << s.drawn);
        const wheel::WheelResult result = wheel::FindWheel(s, Capped(2'000'000));
        ExpectWholeWheel(result);
        EXPECT_EQ(result.size(), c.size);
        EXPECT_TRUE(result.smallestPossible());
        EXPECT_LT(result.steps, 2'000'000U); // it stopped at the bound, not at the cap
    }
}

// 3 if 4 on 12 numbers with forms of 6, and 2 if 3 on 10 with forms of 4: lotto designs, kept
// and no smaller than the bound.
TEST(WheelSearch, FindsLottoDesigns)
{
    for (const Shape& s : std::vector<Shape>{{12, 6, 3, 4}, {10, 4, 2, 3}, {15, 5, 3, 5}}) {
        const wheel::WheelResult result = wheel::FindWheel(s, Capped(20'000));
        ExpectWholeWheel(result);
        EXPECT_GE(result.forms.size(), result.bound.value);
        EXPECT_EQ(result.bound.kind, wheel::BoundKind::Count);
    }
}

// "3 if 5" on 18 numbers with forms of 4 in two groups: not two nines, which need 25 forms each,
// but ten and eight, whose Steiner systems need 30 and 14. Both are there whole.
TEST(WheelSearch, GroupsOfALottoDesignMayBeSteinerSystems)
{
    const wheel::WheelResult result = wheel::FindWheel(Shape{18, 4, 3, 5}, Capped(1));
    ExpectWholeWheel(result);
    std::vector<Mask> first10;
    std::vector<Mask> last8;
    for (const Mask form : result.forms) {
        if ((form >> 10) == 0) first10.push_back(form);
        if ((form & 0x3ff) == 0) last8.push_back(form >> 10);
    }
    EXPECT_EQ(first10.size(), 30U);
    EXPECT_TRUE(wheel::Verify(first10, Shape{10, 4, 3, 3}).kept());
    EXPECT_EQ(last8.size(), 14U);
    EXPECT_TRUE(wheel::Verify(last8, Shape{8, 4, 3, 3}).kept());
    EXPECT_EQ(result.size(), 44);
}

// Both ways of searching: annealing throughout, and tabu search after two rounds.
TEST(WheelSearch, SameSeedAndStepsGiveTheSameWheel)
{
    const Shape shape{16, 6, 4, 4};
    for (const std::uint64_t stall : {std::uint64_t{1'000'000}, std::uint64_t{2}}) {
        SCOPED_TRACE(stall);
        wheel::WheelOptions options = Capped(30'000, 7);
        options.stallRounds = stall;
        const wheel::WheelResult first = wheel::FindWheel(shape, options);
        const wheel::WheelResult again = wheel::FindWheel(shape, options);
        ExpectWholeWheel(first);
        EXPECT_EQ(first.forms, again.forms);
        EXPECT_EQ(first.steps, again.steps);

        // A longer search from the same seed is never worse: it passes through the shorter one.
        options.maxSteps = 120'000;
        const wheel::WheelResult longer = wheel::FindWheel(shape, options);
        EXPECT_LE(longer.forms.size(), first.forms.size());
    }
}

// Where annealing stalls short of the best wheels, the tabu search goes further in the same
// number of steps.
TEST(WheelSearch, TabuSearchGoesFurtherThanAnnealingAlone)
{
    for (const Shape& s : std::vector<Shape>{{12, 6, 4, 4}, {16, 7, 4, 4}}) {
        SCOPED_TRACE(s.numbers);
        wheel::WheelOptions options = Capped(100'000);
        options.stallRounds = 1'000'000;
        const wheel::WheelResult annealed = wheel::FindWheel(s, options);
        options.stallRounds = 5;
        const wheel::WheelResult tabu = wheel::FindWheel(s, options);
        ExpectWholeWheel(tabu);
        EXPECT_LT(tabu.size(), annealed.size());
    }
}

// The window runs the search on a worker thread and may cancel it: once annealing is under way,
// the search ends within a few steps, with the best wheel it had, checked.
TEST(WheelSearch, StopsPromptlyWhenAskedFromAnotherThread)
{
    std::stop_source stop;
    std::promise<void> firstReport;
    std::atomic<bool> reported = false;
    std::atomic<int> reportsAfterStop = 0;
    std::vector<int> sizes; // written by the worker only
    wheel::WheelOptions options;
    options.seconds = 600;
    options.stop = stop.get_token();
    options.progress = [&](const wheel::WheelProgress& progress) {
        sizes.push_back(progress.forms);
        if (stop.stop_requested()) ++reportsAfterStop;
        if (progress.steps > 0 && !reported.exchange(true)) firstReport.set_value();
    };
    wheel::WheelResult result;
    std::thread worker([&] { result = wheel::FindWheel(Shape{20, 6, 3, 3}, options); });
    firstReport.get_future().wait();
    stop.request_stop();
    worker.join();

    EXPECT_TRUE(result.stopped);
    EXPECT_LE(reportsAfterStop.load(), 1);
    ExpectWholeWheel(result);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), result.size());
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend())); // the best only gets smaller
}

TEST(WheelSearch, ReadingAndNumbers)
{
    const wheel::WheelResult fano = wheel::FindWheel(Shape{7, 3, 2, 2}, Capped(100'000));
    EXPECT_EQ(wheel::WheelReading(fano),
              QStringLiteral("7 forms; at least 7 are needed, so none smaller exists; verified: "
                             "whenever 2 of your 7 numbers are drawn, some form holds both"));
    const std::vector<int> numbers{3, 8, 15, 22, 41, 56, 72};
    std::vector<int> seen;
    for (const Mask form : fano.forms) {
        const std::vector<int> picked = wheel::FormNumbers(form, numbers);
        EXPECT_TRUE(std::is_sorted(picked.begin(), picked.end()));
        seen.insert(seen.end(), picked.begin(), picked.end());
    }
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(seen, numbers);
}

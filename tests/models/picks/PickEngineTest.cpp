#include "models/picks/PickEngine.h"
#include "models/draws/DrawDatabase.h"
#include "models/stats/Frequency.h"

#include "support/Draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace picks;

namespace {

// A database in which number n is drawn counts[n - 1] times, ten numbers to a record.
database::DrawDatabase DatabaseWithCounts(const std::vector<int>& counts)
{
    const auto draws = DrawsWithCounts(counts, 10);
    return MakeDrawDatabase(static_cast<int>(counts.size()), 10, draws,
                            DrawDates(QDate(2020, 1, 2), draws.size(), {1}));
}

// Distinct counts, so that the ranking has no ties: number n is drawn ((n * 17) % high) + 1 times.
std::vector<int> DistinctCounts(int high)
{
    std::vector<int> counts;
    for (int n = 1; n <= high; ++n)
        counts.push_back((n * 17) % high + 1);
    return counts;
}

// The numbers from the highest count down.
std::vector<int> ByCountDescending(const std::vector<int>& counts)
{
    std::vector<int> numbers;
    for (size_t i = 0; i < counts.size(); ++i)
        numbers.push_back(static_cast<int>(i + 1));
    std::sort(numbers.begin(), numbers.end(), [&](int a, int b) {
        return counts[static_cast<size_t>(a - 1)] > counts[static_cast<size_t>(b - 1)];
    });
    return numbers;
}

std::vector<int> Row(const PickTable& t, int r, int picks)
{
    std::vector<int> out;
    for (int c = 1; c <= picks; ++c)
        out.push_back(t.at(r, c));
    return out;
}

} // namespace

TEST(PickGenerator, FixedSeedRepeatsAndAFrozenClockStillGivesFreshDraws)
{
    PickGenerator a(42), b(42);
    // A clock that never moves, as two reads within one tick would be.
    PickGenerator frozen(7, [] { return std::uint64_t{123456789}; });
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const float u = a.uniform();
        EXPECT_EQ(u, b.uniform());
        EXPECT_GE(u, 0.0f);
        EXPECT_LT(u, 1.0f);
        const int p = frozen.position(49);
        ASSERT_GE(p, 1);
        ASSERT_LE(p, 49);
        seen.insert(p);
    }
    EXPECT_EQ(seen.size(), 49u);
}

TEST(DrawPicks, EveryNumberEquallyLikelyOverHundredThousandForms)
{
    PickGenerator gen(20240601);
    stats::Statistics stats;
    const PreparedPool full = *PreparePool(Source::FullRange, 49, 0, stats, 49);
    std::array<long, 50> count{};
    PickTable table(10, 10);
    // Ten forms per run, as Calculate draws them; the collision limit is per run.
    for (int run = 0; run < 10000; ++run) {
        table.clear();
        ASSERT_TRUE(DrawPicks(full.pool, 10, 6, gen, table));
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 6; ++c)
                ++count[static_cast<size_t>(table.at(r, c))];
    }
    EXPECT_EQ(count[0], 0);
    const double mean = 100000.0 * 6 / 49;
    for (int n = 1; n <= 49; ++n)
        EXPECT_NEAR(static_cast<double>(count[static_cast<size_t>(n)]), mean, 0.05 * mean)
            << "number " << n;
}

TEST(PreparePool, ThirdsAreRankedPositionsListedHighestFirst)
{
    struct Case {
        int high;
        Source source;
        int first, last;
        QString sourceText;
    };
    const Case cases[] = {
        {49, Source::Top, 1, 16, QStringLiteral(" Picked from Top: Times numbers were drawn ")},
        {49, Source::Middle, 17, 32,
         QStringLiteral(" Picked from Middle: Times numbers were drawn ")},
        {49, Source::Bottom, 33, 49,
         QStringLiteral(" Picked from Bottom: Times numbers were drawn ")},
        {25, Source::Bottom, 18, 25,
         QStringLiteral(" Picked from Bottom: Times numbers were drawn ")},
    };
    for (const Case& k : cases) {
        const std::vector<int> counts = DistinctCounts(k.high);
        const database::DrawDatabase db = DatabaseWithCounts(counts);
        stats::Statistics stats;
        stats::RecomputeFrequencies(db, stats.measure, stats);
        const std::optional<PreparedPool> p =
            PreparePool(k.source, k.high, db.recordCount(), stats, db.highNumber());
        ASSERT_TRUE(p);
        const std::vector<int> ranked = ByCountDescending(counts);
        QString listed;
        ASSERT_EQ(p->pool.size, k.last - k.first + 1) << k.high;
        for (int pos = k.first; pos <= k.last; ++pos) {
            const int number = ranked[static_cast<size_t>(pos - 1)];
            EXPECT_EQ(p->pool.numbers[static_cast<size_t>(pos - k.first + 1)], number);
            listed += QStringLiteral(" %1 ").arg(number);
        }
        EXPECT_EQ(p->poolText, listed);
        EXPECT_EQ(p->sourceText, k.sourceText);
    }

    // The other measure names itself; an empty database has no thirds, but a full range.
    stats::Statistics stats;
    stats.measure = stats::Measure::DrawsSince;
    EXPECT_FALSE(PreparePool(Source::Middle, 49, 0, stats, 49));
    EXPECT_EQ(PreparePool(Source::Middle, 49, 1, stats, 49)->sourceText,
              QStringLiteral(" Picked from Middle: No. draws since last drawn "));
    const std::optional<PreparedPool> full = PreparePool(Source::FullRange, 39, 0, stats, 49);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->pool.size, 39);
    EXPECT_EQ(full->poolText, QStringLiteral("  1 to  39  "));
    EXPECT_EQ(full->sourceText, QStringLiteral(" Picked from numbers "));
}

TEST(DrawPicks, DistinctAscendingWithinAFormButFormsMayShare)
{
    const std::vector<int> counts = DistinctCounts(49);
    const database::DrawDatabase db = DatabaseWithCounts(counts);
    stats::Statistics stats;
    stats::RecomputeFrequencies(db, stats.measure, stats);
    PickGenerator gen(5);
    for (Source source : {Source::FullRange, Source::Top, Source::Bottom}) {
        const PreparedPool p = *PreparePool(source, 49, db.recordCount(), stats, 49);
        const std::set<int> pool(p.pool.numbers.begin() + 1,
                                 p.pool.numbers.begin() + 1 + p.pool.size);
        bool shared = false;
        std::set<int> earlier;
        for (int picks : {1, 6, 10}) {
            PickTable table(10, 10);
            ASSERT_TRUE(DrawPicks(p.pool, 10, picks, gen, table));
            for (int r = 1; r <= 10; ++r) {
                const std::vector<int> row = Row(table, r, picks);
                EXPECT_TRUE(std::is_sorted(row.begin(), row.end()));
                EXPECT_EQ(std::set<int>(row.begin(), row.end()).size(), row.size());
                for (int n : row) {
                    EXPECT_TRUE(pool.count(n)) << n;
                    shared = shared || (picks == 6 && earlier.count(n));
                }
                if (picks == 6) earlier.insert(row.begin(), row.end());
            }
            EXPECT_EQ(table.at(1, picks + 1), 0);
        }
        EXPECT_TRUE(shared);
    }
}

TEST(DrawPicks, PoolSmallerThanPicksGivesUpLeavingTheFirstFormUnsorted)
{
    PickPool six;
    for (int i = 1; i <= 6; ++i)
        six.numbers[static_cast<size_t>(i)] = i;
    six.size = 6;
    PickTable table(10, 10);
    PickGenerator gen(99);
    EXPECT_FALSE(DrawPicks(six, 3, 10, gen, table));

    // The same seed, drawn by hand: the first six different positions, in the order drawn.
    PickGenerator again(99);
    std::vector<int> expected;
    while (expected.size() < 6) {
        const int p = again.position(6);
        if (std::find(expected.begin(), expected.end(), p) == expected.end()) expected.push_back(p);
    }
    EXPECT_EQ(Row(table, 1, 10),
              (std::vector<int>{expected[0], expected[1], expected[2], expected[3], expected[4],
                                expected[5], 0, 0, 0, 0}));
    EXPECT_FALSE(std::is_sorted(expected.begin(), expected.end()));
    EXPECT_EQ(Row(table, 2, 10), std::vector<int>(10, 0));

    // An empty third (N = 1 has no top third) fails the same way.
    PickTable none(10, 10);
    EXPECT_FALSE(DrawPicks(PickPool{}, 1, 1, gen, none));
    EXPECT_EQ(none.at(1, 1), 0);
}

TEST(SelectAll, PlansAndDealsEveryNumberOnce)
{
    struct Case {
        int high, picks;
        bool tooMany;
        int forms, used;
    };
    const Case cases[] = {
        {49, 6, false, 9, 9},   {49, 7, false, 8, 7}, {60, 8, false, 8, 8},
        {60, 3, false, 21, 20}, {49, 2, true, 0, 0},  {10, 10, false, 2, 1},
    };
    for (const Case& k : cases) {
        const SelectAllPlan plan = PlanSelectAll(k.high, k.picks);
        EXPECT_EQ(plan.tooMany, k.tooMany) << k.high << "/" << k.picks;
        PickSession s(PickGenerator(static_cast<std::uint64_t>(k.high * 100 + k.picks)));
        s.LotteryHigh = k.high;
        s.PickCount = k.picks;
        const PickSession::SelectAllOutcome out = s.selectAll();
        if (k.tooMany) {
            EXPECT_EQ(out.status, PickSession::Status::TooMany);
            continue;
        }
        EXPECT_EQ(plan.forms, k.forms) << k.high << "/" << k.picks;
        ASSERT_EQ(out.status, PickSession::Status::Done);
        EXPECT_EQ(out.lastForm, k.used);
        EXPECT_EQ(s.EntryFormCount, k.used);
        std::multiset<int> all;
        for (int r = 1; r <= MaxSelectAllForms + 1; ++r) {
            std::vector<int> row = Row(s.PickGrid, r, k.picks);
            // Filled cells first, ascending; the empty cells of the last form stay at its end.
            const auto firstEmpty = std::find(row.begin(), row.end(), 0);
            EXPECT_TRUE(std::all_of(firstEmpty, row.end(), [](int v) { return v == 0; }));
            EXPECT_TRUE(std::is_sorted(row.begin(), firstEmpty));
            EXPECT_EQ(firstEmpty == row.begin(), r > k.used) << r;
            all.insert(row.begin(), firstEmpty);
        }
        std::multiset<int> range;
        for (int n = 1; n <= k.high; ++n)
            range.insert(n);
        EXPECT_EQ(all, range);
        EXPECT_EQ(
            s.PoolText,
            QStringLiteral(" has randomly put the lottery numbers 1 to %1 into %2 entry forms. ")
                .arg(k.high)
                .arg(k.used));
    }
    EXPECT_EQ(
        TooManyFormsMessage(PlanSelectAll(49, 2).quotient),
        QStringLiteral("Too many numbers to fit in 20 rows. \r\n Would require 24.5 entry forms."));
    EXPECT_NEAR(PlanSelectAll(49, 6).quotient, 8.1667f, 1e-4f);
}

TEST(PickSession, PrintoutLinesAndNothingWithoutPicks)
{
    PickSession s(PickGenerator(1));
    EXPECT_FALSE(s.printout());
    s.PickCount = 3;
    s.EntryFormCount = 2;
    s.SourceText = QStringLiteral(" Picked from numbers ");
    s.PoolText = QStringLiteral("  1 to  49  ");
    const int picks[2][3] = {{5, 12, 40}, {7, 0, 0}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            s.PickGrid.set(r + 1, c + 1, picks[r][c]);
    const QString rule74(74, QLatin1Char('_'));
    const QString under = QStringLiteral("  ") + QString(15, QLatin1Char('_'));
    EXPECT_EQ(
        *s.printout(),
        (QStringList{QString(), QString(), QStringLiteral("  Picked from numbers "), QString(),
                     QStringLiteral("   1 to  49  "), QStringLiteral("  ") + rule74, QString(),
                     QStringLiteral("      5   12   40"), under, QString(),
                     QStringLiteral("      7") + QString(10, QLatin1Char(' ')), under, QString()}));
    s.clearPicks();
    EXPECT_FALSE(s.printout());
}

TEST(Setup, WhatCalculateWorksWith)
{
    // Boxes: picks, high, forms; then source, fewer allowed, database picks and high, forms.
    const CalculateSetup capped =
        ResolveCalculateSetup(12, 75, 11, Source::FullRange, false, 6, 49, 4);
    EXPECT_EQ(std::tie(capped.picks, capped.high, capped.forms), std::make_tuple(10, 60, 4));
    EXPECT_TRUE(capped.showPicks && capped.showHigh && capped.showForms && !capped.missing);
    // A third draws the database's picks and highest number, fewer picks only when allowed.
    struct Case {
        long long boxPicks;
        bool allowFewer;
        int picks;
        bool refused;
    };
    for (const Case& k :
         {Case{3, false, 6, false}, Case{3, true, 3, false}, Case{8, true, 6, true}}) {
        const CalculateSetup t =
            ResolveCalculateSetup(k.boxPicks, 20, 2, Source::Top, k.allowFewer, 6, 49, 4);
        EXPECT_EQ(std::tie(t.picks, t.high, t.picksAboveDatabase),
                  std::make_tuple(k.picks, 49, k.refused));
    }
    EXPECT_TRUE(ResolveCalculateSetup(6, 49, 0, Source::FullRange, false, 6, 49, 4).missing);
    EXPECT_TRUE(ResolveCalculateSetup(0, 49, 1, Source::FullRange, false, 6, 49, 4).missing);
}

TEST(BallAnimation, SixCyclesOfColoursMovingRightWithTheirWords)
{
    const std::vector<BallFrame> frames = BallAnimation();
    int waits = 0, total = 0;
    for (const BallFrame& f : frames) {
        waits += f.waitMs > 0;
        total += f.waitMs;
    }
    EXPECT_EQ(waits, 31);
    EXPECT_EQ(total, 3100);
    const std::array<int, 6> cycle[6] = {{12, 14, 11, 10, 15, 13}, {13, 12, 14, 11, 10, 15},
                                         {15, 13, 12, 14, 11, 10}, {10, 15, 13, 12, 14, 11},
                                         {11, 10, 15, 13, 12, 14}, {14, 11, 10, 15, 13, 12}};
    ASSERT_EQ(frames.size(), 38u);
    for (size_t i = 0; i < 36; ++i) {
        EXPECT_EQ(frames[i].colours, cycle[i % 6]) << i;
        const QString word = i % 6 == 0   ? QStringLiteral("Shuffling")
                             : i % 6 == 3 ? QStringLiteral("Picking")
                                          : QString();
        EXPECT_EQ(frames[i].status, word) << i;
    }
    EXPECT_EQ(frames.back().colours, RestingColours);
    EXPECT_EQ(frames.back().waitMs, 0);
    EXPECT_EQ(PaletteRgb(12), 0xFF5555u);
    EXPECT_EQ(PaletteRgb(15), 0xFFFFFFu);
}

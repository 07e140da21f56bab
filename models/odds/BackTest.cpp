#include "models/odds/BackTest.h"

#include "models/draws/DrawDatabase.h"
#include "models/stats/Frequency.h"

#include <boost/math/distributions/hypergeometric.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace odds {

namespace {

// What a fair draw promises one draw's forms from a pool of `poolSize` numbers: the draw puts
// Y of its K numbers into the pool (hypergeometric), and each form of F numbers from the pool
// then matches X of them (hypergeometric again, given Y). The forms of one draw share Y, so
// their matches vary together: Var(sum) = forms E[Var(X | Y)] + forms^2 Var(E[X | Y]).
struct PoolExpectation {
    double meanPerForm = 0;
    double variancePerDraw = 0;
    double countedPerForm = 0; // P(X >= CountedMatches)
};

PoolExpectation Expect(int high, int picks, int formSize, int poolSize, int forms)
{
    namespace bm = boost::math;
    PoolExpectation e;
    const bm::hypergeometric_distribution<double> inPool(
        static_cast<unsigned>(poolSize), static_cast<unsigned>(picks), static_cast<unsigned>(high));
    const auto support = bm::range(inPool);
    double meanOfMean = 0;
    double meanOfMeanSquared = 0;
    double meanOfVariance = 0;
    const double f = formSize;
    const double s = poolSize;
    for (unsigned y = support.first; y <= support.second; ++y) {
        const double py = bm::pdf(inPool, y);
        const double share = y / s;
        const double mean = f * share;
        const double var = s > 1 ? f * share * (1 - share) * (s - f) / (s - 1) : 0.0;
        meanOfMean += py * mean;
        meanOfMeanSquared += py * mean * mean;
        meanOfVariance += py * var;
        if (y >= static_cast<unsigned>(CountedMatches) && formSize >= CountedMatches) {
            const bm::hypergeometric_distribution<double> onForm(y, static_cast<unsigned>(formSize),
                                                                 static_cast<unsigned>(poolSize));
            // A large form from a small pool is bound to hold some of its drawn numbers: the
            // support may start above the count, and Boost refuses values outside it.
            const auto r = bm::range(onForm);
            const auto below = static_cast<unsigned>(CountedMatches - 1);
            if (below < r.first)
                e.countedPerForm += py;
            else if (below < r.second)
                e.countedPerForm += py * bm::cdf(bm::complement(onForm, below));
        }
    }
    const double n = forms;
    e.meanPerForm = meanOfMean;
    e.variancePerDraw = n * meanOfVariance + n * n * (meanOfMeanSquared - meanOfMean * meanOfMean);
    return e;
}

picks::Source Sources(int i)
{
    static constexpr picks::Source order[] = {picks::Source::Top, picks::Source::Middle,
                                              picks::Source::Bottom};
    return order[i];
}

// The draw of record r as bits, when it is `picks` distinct numbers in 1..high.
std::optional<std::uint64_t> DrawMask(const database::DrawRecord& record, int high, int picks)
{
    std::uint64_t mask = 0;
    for (int c = 0; c < picks; ++c) {
        const int n = record.Numbers[static_cast<size_t>(c)];
        if (n < 1 || n > high) return std::nullopt;
        const std::uint64_t bit = std::uint64_t{1} << static_cast<unsigned>(n);
        if (mask & bit) return std::nullopt;
        mask |= bit;
    }
    return mask;
}

// What every strategy shares over the run: the generator, the table the forms are drawn
// into, and the expected matches of each pool size, worked out once.
struct Player {
    picks::PickGenerator generator;
    picks::PickTable table;
    std::map<int, PoolExpectation> expectations; // by pool size
};

// Plays one strategy on draw t: its forms are picked as Pick-a-Winner would pick them from the
// records before t, and scored against the draw (`drawn`, as bits).
void PlayStrategy(StrategyResult& result, const stats::Statistics& stats, int t,
                  std::uint64_t drawn, const BackTest& out, Player& player)
{
    const Strategy& s = result.strategy;
    const std::optional<picks::PreparedPool> prepared =
        picks::PreparePool(s.source, out.high, t - 1, stats, out.high);
    // A pool too small for a form cannot be played (Pick-a-Winner says "No enough
    // Data"); the strategy sits this draw out.
    if (!prepared || prepared->pool.size < out.picks) return;
    player.table.clear();
    if (!picks::DrawPicks(prepared->pool, out.forms, out.picks, player.generator, player.table))
        return;
    long long matched = 0;
    long long counted = 0;
    for (int r = 1; r <= out.forms; ++r) {
        int m = 0;
        for (int c = 1; c <= out.picks; ++c)
            m += static_cast<int>((drawn >> static_cast<unsigned>(player.table.at(r, c))) & 1U);
        matched += m;
        counted += m >= CountedMatches ? 1 : 0;
    }
    const int poolSize = prepared->pool.size;
    auto found = player.expectations.find(poolSize);
    if (found == player.expectations.end())
        found = player.expectations
                    .emplace(poolSize, Expect(out.high, out.picks, out.picks, poolSize, out.forms))
                    .first;
    const PoolExpectation& e = found->second;
    ++result.draws;
    result.forms += out.forms;
    result.matches += matched;
    result.countedForms += counted;
    result.expectedMatches += out.forms * e.meanPerForm;
    result.expectedCounted += out.forms * e.countedPerForm;
    result.variance += e.variancePerDraw;
    result.cumulativeExcess.push_back(static_cast<double>(result.matches) - result.expectedMatches);
}

// `text` broken into lines of at most `width` characters at blanks, each led by `indent`.
QStringList Wrapped(const QString& text, qsizetype width, const QString& indent)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << indent + line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty()) lines << indent + line;
    return lines;
}

} // namespace

std::vector<Strategy> AllStrategies()
{
    std::vector<Strategy> all{{picks::Source::FullRange, std::nullopt}};
    for (stats::Measure m : {stats::Measure::TimesDrawn, stats::Measure::DrawsSince})
        for (int i = 0; i < 3; ++i)
            all.push_back({Sources(i), m});
    return all;
}

QString SourceName(picks::Source source)
{
    switch (source) {
    case picks::Source::Top:
        return QStringLiteral("top");
    case picks::Source::Middle:
        return QStringLiteral("middle");
    case picks::Source::Bottom:
        return QStringLiteral("bottom");
    case picks::Source::FullRange:
        break;
    }
    return QStringLiteral("full");
}

QString MeasureName(std::optional<stats::Measure> measure)
{
    if (!measure) return QStringLiteral("-");
    switch (*measure) {
    case stats::Measure::TimesDrawn:
        return QStringLiteral("times_drawn");
    case stats::Measure::DrawsSince:
        break;
    }
    return QStringLiteral("draws_since");
}

QString StrategyCaption(const Strategy& strategy)
{
    QString source;
    switch (strategy.source) {
    case picks::Source::FullRange:
        return QStringLiteral("Full range");
    case picks::Source::Top:
        source = QStringLiteral("Top third");
        break;
    case picks::Source::Middle:
        source = QStringLiteral("Middle third");
        break;
    case picks::Source::Bottom:
        source = QStringLiteral("Bottom third");
        break;
    }
    return source + (strategy.measure == stats::Measure::TimesDrawn
                         ? QStringLiteral(", times drawn")
                         : QStringLiteral(", draws since"));
}

double StrategyResult::meanMatches() const
{
    return forms > 0 ? static_cast<double>(matches) / static_cast<double>(forms) : 0.0;
}

double StrategyResult::expectedMean() const
{
    return forms > 0 ? expectedMatches / static_cast<double>(forms) : 0.0;
}

double StrategyResult::z() const
{
    return variance > 0 ? (static_cast<double>(matches) - expectedMatches) / std::sqrt(variance)
                        : 0.0;
}

BackTest RunBackTest(const database::DrawDatabase& db, const BackTestOptions& options,
                     const Progress& progress)
{
    BackTest out;
    out.high = db.highNumber();
    out.picks = db.picksPerDraw();
    out.forms = std::clamp(options.forms, 1, MaxBackTestForms);
    out.seed = options.seed ? *options.seed : std::random_device{}();
    for (const Strategy& s : AllStrategies())
        out.strategies.push_back(StrategyResult{s, 0, 0, 0, 0, 0, 0, 0, {}});
    if (out.picks > out.high || out.high > 60) {
        out.status = BackTest::Status::InvalidShape;
        return out;
    }
    const int records = db.recordCount();
    // The thirds need at least one record before the draw they are tested on.
    out.firstDraw = std::max(options.start, 2);
    out.lastDraw = records;
    if (out.firstDraw > out.lastDraw) {
        out.status = BackTest::Status::NoDraws;
        return out;
    }

    // The records before each draw, as Pick-a-Winner would find them in memory.
    database::DrawDatabase before = db;
    stats::Statistics timesDrawn;
    stats::Statistics drawsSince;
    Player player{picks::PickGenerator(out.seed), picks::PickTable(out.forms, picks::MaxPicks), {}};

    const int total = out.lastDraw - out.firstDraw + 1;
    for (int t = out.firstDraw; t <= out.lastDraw; ++t) {
        const std::optional<std::uint64_t> drawn = DrawMask(db.record(t), out.high, out.picks);
        if (drawn) {
            ++out.drawsTested;
            before.setRecordCount(t - 1);
            stats::RecomputeFrequencies(before, stats::Measure::TimesDrawn, timesDrawn);
            stats::RecomputeFrequencies(before, stats::Measure::DrawsSince, drawsSince);
            for (StrategyResult& result : out.strategies) {
                const stats::Statistics& stats =
                    result.strategy.measure == stats::Measure::DrawsSince ? drawsSince : timesDrawn;
                PlayStrategy(result, stats, t, *drawn, out, player);
            }
        }
        if (progress && !progress(t - out.firstDraw + 1, total)) {
            out.status = BackTest::Status::Cancelled;
            return out;
        }
    }
    out.status = out.drawsTested > 0 ? BackTest::Status::Done : BackTest::Status::NoDraws;
    return out;
}

QString BackTestReading(const BackTest& test)
{
    switch (test.status) {
    case BackTest::Status::InvalidShape:
        return QStringLiteral("The database's shape cannot be back-tested.");
    case BackTest::Status::NoDraws:
        return test.lastDraw <= 0
                   ? QStringLiteral("No draws to test: the database holds no records.")
                   : QStringLiteral("No draws to test: the back-test starts at record %1 and the "
                                    "database holds %2 %3.")
                         .arg(test.firstDraw)
                         .arg(test.lastDraw)
                         .arg(test.lastDraw == 1 ? QStringLiteral("record")
                                                 : QStringLiteral("records"));
    case BackTest::Status::Cancelled:
        return QStringLiteral("The back-test was stopped.");
    case BackTest::Status::Done:
        break;
    }
    const StrategyResult* best = nullptr;
    for (const StrategyResult& r : test.strategies)
        if (r.forms > 0 && (!best || std::abs(r.z()) > std::abs(best->z()))) best = &r;
    if (!best) return QStringLiteral("No strategy could make its pool.");
    const QString head = QStringLiteral("%1 draws tested: ").arg(test.drawsTested);
    if (std::abs(best->z()) <= ChanceGap)
        return head + QStringLiteral("every strategy is within chance of a random pick "
                                     "(largest gap %1 standard errors, %2; with seven ways of "
                                     "picking tested at once, up to %3 is chance).")
                          .arg(best->z(), 0, 'f', 1)
                          .arg(StrategyCaption(best->strategy).toLower())
                          .arg(ChanceGap, 0, 'f', 0);
    return head + QStringLiteral("%1 lies %2 standard errors %3 a random pick: these draws do "
                                 "not look like a fair lottery.")
                      .arg(StrategyCaption(best->strategy))
                      .arg(std::abs(best->z()), 0, 'f', 1)
                      .arg(best->z() > 0 ? QStringLiteral("above") : QStringLiteral("below"));
}

QString BackTestExplanation()
{
    return QStringLiteral("Mean: matches per entry form with the draw. Random: what forms picked "
                          "at random match on average. z: the gap in standard errors; with seven "
                          "ways of picking tested at once, a gap of up to %1 either way is "
                          "chance. No pool: the way of picking never had numbers enough for a "
                          "form.")
        .arg(ChanceGap, 0, 'f', 0);
}

QStringList BackTestTable(const BackTest& test)
{
    QStringList lines;
    // Every heading stands apart from the next by two blanks at least.
    lines << QStringLiteral("%1%2%3%4%5%6%7%8")
                 .arg(QStringLiteral("Way of picking"), -26)
                 .arg(QStringLiteral("Draws"), 7)
                 .arg(QStringLiteral("Forms"), 8)
                 .arg(QStringLiteral("Mean"), 8)
                 .arg(QStringLiteral("Random"), 9)
                 .arg(QStringLiteral("z"), 8)
                 .arg(QStringLiteral("3+ seen"), 10)
                 .arg(QStringLiteral("3+ expected"), 13);
    for (const StrategyResult& r : test.strategies) {
        if (r.noPool()) {
            lines << QStringLiteral("%1%2")
                         .arg(StrategyCaption(r.strategy), -26)
                         .arg(QStringLiteral("no pool"), 7);
            continue;
        }
        lines << QStringLiteral("%1%2%3%4%5%6%7%8")
                     .arg(StrategyCaption(r.strategy), -26)
                     .arg(r.draws, 7)
                     .arg(r.forms, 8)
                     .arg(r.meanMatches(), 8, 'f', 3)
                     .arg(r.expectedMean(), 9, 'f', 3)
                     .arg(r.z(), 8, 'f', 2)
                     .arg(r.countedForms, 10)
                     .arg(r.expectedCounted, 13, 'f', 1);
    }
    return lines;
}

QStringList BackTestPrintout(const BackTest& test, const QString& title)
{
    QStringList lines;
    lines << QString() << QString()
          << QStringLiteral("  Back-test of the pick strategies: ") + title << QString()
          << QStringLiteral("  Records %1 to %2, %3 entry forms of %4 numbers from 1 to %5 for "
                            "each way of picking and draw; seed %6.")
                 .arg(test.firstDraw)
                 .arg(test.lastDraw)
                 .arg(test.forms)
                 .arg(test.picks)
                 .arg(test.high)
                 .arg(test.seed)
          << QString();
    for (const QString& line : BackTestTable(test))
        lines << QStringLiteral("  ") + line;
    lines << QString();
    for (const QString& text : {BackTestReading(test), BackTestExplanation()})
        lines << Wrapped(text, 88, QStringLiteral("  ")) << QString();
    return lines;
}

} // namespace odds

#pragma once
// The back-test of the pick strategies: for every draw from a starting record to the last, the
// pools are made from the records before it exactly as Pick-a-Winner makes them, entry forms are
// drawn from each pool with the program's generator, and their matches with the draw are counted
// against what random forms would get.
#include "models/picks/PickEngine.h"
#include "models/stats/Frequency.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace database {
class DrawDatabase;
}

namespace odds {

struct Strategy {
    picks::Source source = picks::Source::FullRange;
    // What ranks the numbers into thirds; none for the full range.
    std::optional<stats::Measure> measure;
};
// Full range; then top, middle, bottom by times drawn; then by draws since.
std::vector<Strategy> AllStrategies();
// "full", "top", "middle", "bottom".
QString SourceName(picks::Source source);
// "-", "times_drawn", "draws_since".
QString MeasureName(std::optional<stats::Measure> measure);
// "Full range", "Top third, times drawn", ...
QString StrategyCaption(const Strategy& strategy);

struct BackTestOptions {
    int forms = 10; // entry forms per strategy and draw
    int start = 20; // the first record tested; the ones before it only feed the pools
    std::optional<std::uint64_t> seed; // none: a fresh seed, reported in the result
};

// A form with this many matches or more is counted.
constexpr int CountedMatches = 3;
// A gap of this many standard errors or less is chance: with seven ways of picking tested at
// once, the largest of seven gaps passes 2 by chance one time in four, and 3 one time in fifty.
constexpr double ChanceGap = 3.0;
constexpr int MaxBackTestForms = 100;

struct StrategyResult {
    Strategy strategy;
    int draws = 0;       // draws where the strategy could make its pool
    long long forms = 0; // forms drawn
    long long matches = 0;
    double expectedMatches = 0; // what random forms of the same size would match
    double variance = 0;        // of the matches under a fair draw, summed over the draws
    long long countedForms = 0; // forms with CountedMatches or more
    double expectedCounted = 0;
    // Matches minus their expectation, summed up to each tested draw (one value a draw tested).
    std::vector<double> cumulativeExcess;

    // No draw gave the strategy a pool big enough for a form (a third of a small lottery).
    bool noPool() const { return draws == 0; }
    double meanMatches() const;
    double expectedMean() const;
    // How many standard errors the matches lie above (or below) their expectation.
    double z() const;
};

struct BackTest {
    enum class Status { Done, InvalidShape, NoDraws, Cancelled };
    Status status = Status::NoDraws;
    int picks = 0;     // K: numbers per form and per draw
    int high = 0;      // N
    int forms = 0;     // per strategy and draw
    int firstDraw = 0; // records tested
    int lastDraw = 0;
    int drawsTested = 0; // complete draws among them
    std::uint64_t seed = 0;
    std::vector<StrategyResult> strategies; // in the order of AllStrategies()
};

// Called after each draw with the draws done and the draws to do; false stops the run.
using Progress = std::function<bool(int done, int total)>;

BackTest RunBackTest(const database::DrawDatabase& db, const BackTestOptions& options,
                     const Progress& progress = {});

// A one-line reading of the result for a player.
QString BackTestReading(const BackTest& test);
// What the columns mean and why a gap of ChanceGap is chance, for the window and the printout.
QString BackTestExplanation();
// The results as a table of aligned text columns, a heading line first.
QStringList BackTestTable(const BackTest& test);
// The printout: a heading with the database's title and the run's settings, the table and the
// reading.
QStringList BackTestPrintout(const BackTest& test, const QString& title);

} // namespace odds

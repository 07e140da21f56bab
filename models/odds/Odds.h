#pragma once
// The odds of a pick: the chance of every number of matches for one entry form, and the chance
// that a set of entry forms has some form with m or more matches, against one fair draw of
// `picks` numbers from 1..high. Plain QtCore: windows and the command line turn the numbers
// into words.
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace odds {

// Up to this many possible draws the set-of-forms odds are exact: every draw is looked at.
constexpr std::uint64_t ExactDrawLimit = 50'000'000;
// Above it, the odds are estimated from this many simulated draws.
constexpr std::uint64_t SimulatedDraws = 1'000'000;
// The odds reach past the databases' 60 numbers and 10 picks: any lottery of up to 99 numbers
// with up to 20 drawn (Keno's 20 of 80 included). Numbers are held as bits of a mask: 64 bits
// up to 63 numbers, 128 above.
constexpr int MaxHigh = 99;
constexpr int MaxPicks = 20;

// A count of draws past 2^64 (C(99, 20) is about 5.4 * 10^20).
__extension__ using Count = unsigned __int128;

// The number of ways to choose k of n, exactly; 0 outside 0 <= k <= n.
std::uint64_t Choose(int n, int k); // n <= 64
Count ChooseCount(int n, int k);    // n <= 99

// True when `picks` numbers can be drawn from 1..high (up to MaxPicks of up to MaxHigh).
bool ValidShape(int high, int picks);

// One row of a single form's table: exactly `matches` of the form's numbers drawn.
struct MatchOdds {
    int matches = 0;
    Count ways = 0;         // C(F, m) * C(N - F, K - m)
    double probability = 0; // ways / C(N, K)
};
// Rows m = 0..formSize for a form of formSize numbers (formSize <= picks); empty when the shape
// is not valid.
std::vector<MatchOdds> SingleFormOdds(int high, int picks, int formSize);

// The chance that at least one form has `matches` or more of the drawn numbers.
struct AtLeast {
    int matches = 0;
    double probability = 0;
    bool exact = true;
    // An estimate: the simulated draws that had it, two standard errors, and the exact (Clopper-
    // Pearson) 95 % interval of the chance, whose upper end is an honest bound when few or no
    // draws had it.
    std::uint64_t hits = 0;
    double plusMinus = 0;
    double lower = 0;
    double upper = 0;
};

struct SetOdds {
    bool exact = true;            // every row exact
    std::uint64_t draws = 0;      // draws looked at: every possible one, or the simulated ones
    int largestForm = 0;          // numbers on the largest form
    std::vector<AtLeast> atLeast; // matches = 1..largestForm
    int covered = 0;              // distinct numbers on the forms
};

// A form's numbers; numbers outside 1..high can never be drawn and are left out, a repeated
// number counts once.
using Form = std::vector<int>;

struct SetOddsOptions {
    std::uint64_t exactLimit = ExactDrawLimit;
    std::uint64_t simulatedDraws = SimulatedDraws;
    std::uint64_t seed = 0x5EED; // of the simulation, so an estimate can be repeated
    // The work allowed for counting a row exactly when the draws are too many to enumerate
    // (draws near the forms looked at, times the forms checked against each).
    std::uint64_t nearLimit = 60'000'000;
};

// The odds of the set of forms against one draw of `picks` from 1..high. Exact by enumerating
// every draw when there are at most exactLimit of them. Else the top rows are counted exactly
// over the draws near the forms (all K of a form: one draw a distinct form) as far as
// nearLimit allows, and the rest estimated. An invalid shape gives an empty table.
SetOdds SetOfFormsOdds(const std::vector<Form>& forms, int high, int picks,
                       const SetOddsOptions& options = {});

// "1 in 43.2", "1 in 13,983,816", "certain", "never".
QString OneInText(double probability);
// The x of "1 in x": "43.2", "13,983,816".
QString OneInNumber(double probability);
// The set's odds in words for a player: "3 or more on some form: 1 in 43.2; ..." and the
// numbers covered.
QString SetOddsText(const SetOdds& odds, int high, int picks);
// A number with its thousands grouped ("13,983,816").
QString Grouped(std::uint64_t value);
QString GroupedCount(Count value);
QString CountText(Count value); // plain digits
// The chance of a row in words: "1 in 5,006,386", "1 in 43.2 (41.0 to 45.6)", "rarer than 1 in
// 330,000, estimated".
QString ChanceText(const AtLeast& row);

} // namespace odds

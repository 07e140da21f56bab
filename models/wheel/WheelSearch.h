#pragma once
// The search for a small wheel: a greedy start, then simulated annealing on the number of missed
// draws with one form fewer each time it succeeds (the method of Nurmela and Östergård for
// covering designs); once annealing stalls, a tabu search that always makes the best move near
// a missed draw. The result is checked draw by draw before it is handed back.
//
// The search runs in rounds of a fixed number of steps and reports after each; it looks at the
// clock, the stop request and the step cap every few steps. With the same seed and step cap the
// result is the same every time; a time budget only decides where it ends. It may run on a
// worker thread: the progress callback is called on that thread after every round.
#include "models/wheel/Subsets.h"
#include "models/wheel/WheelShape.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <stop_token>
#include <vector>

namespace wheel {

struct WheelProgress {
    int forms = 0;            // forms of the best wheel so far (0 before the greedy start ends)
    std::uint64_t missed = 0; // draws the forms being tried still miss
    double seconds = 0;       // since the search began
    std::uint64_t steps = 0;  // annealing steps so far
};

struct WheelOptions {
    std::uint64_t seed = 1;
    double seconds = 10;        // the time budget
    std::uint64_t maxSteps = 0; // a cap on the search's steps; 0 for none
    // Rounds of annealing without a smaller wheel before the search turns to tabu search.
    std::uint64_t stallRounds = 300;
    std::stop_token stop; // a stop request ends the search with the best wheel so far
    std::function<void(const WheelProgress&)> progress;
};

struct WheelResult {
    Shape shape;
    // The forms, each a set of the numbers 0..v-1, in lexicographic order of their numbers;
    // empty when the search was stopped before the greedy start had a wheel.
    std::vector<Mask> forms;
    bool verified = false;    // every draw of t was looked at and met
    std::uint64_t missed = 0; // draws of t the forms miss (0 when verified)
    LowerBound bound;
    bool stopped = false; // ended by a stop request
    std::uint64_t steps = 0;
    double seconds = 0;
    std::uint64_t seed = 0;

    int size() const { return static_cast<int>(forms.size()); }
    bool smallestPossible() const { return verified && forms.size() == bound.value; }
};

// Searches a wheel of a shape that passed ShapeProblem.
WheelResult FindWheel(const Shape& shape, const WheelOptions& options = {});

// "12 forms; at least 11 are needed; verified: whenever 4 of your 12 numbers are drawn, some
// form holds at least 3".
QString WheelReading(const WheelResult& result);

// The numbers of a form: numbers[i] for every member i, in the order of `numbers`.
std::vector<int> FormNumbers(Mask form, const std::vector<int>& numbers);

} // namespace wheel

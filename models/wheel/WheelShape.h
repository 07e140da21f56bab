#pragma once
// What a wheel promises, and what that costs at the least. The player chooses v numbers and a
// form size K; the promise "m if t" says that whenever t of the drawn numbers are among the v,
// some form holds at least m of them. With m = t the forms are a covering design C(v, K, t); with
// m < t a lotto design. Plain QtCore: the window and the command line share the wording.
#include <QString>

#include <cstdint>
#include <optional>

namespace wheel {

// A wheel takes up to 40 numbers: forms and draws are bit masks of one 64-bit word.
constexpr int MaxNumbers = 40;
// The draws of t numbers (and the m-subsets) a search keeps counts for: C(40, 6) = 3,838,380 fits.
constexpr std::uint64_t MaxSubsets = 4'000'000;
// A promise that needs more forms than this is not searched.
constexpr std::uint64_t MaxForms = 10'000;

struct Shape {
    int numbers = 0;  // v, the player's numbers
    int formSize = 0; // K, numbers on a form
    int match = 0;    // m, numbers some form holds ...
    int drawn = 0;    // t, ... whenever this many of the player's numbers are drawn
};

// Why a wheel of this shape is not made (a promise that cannot be kept, or a wheel too large to
// search), in one line; nothing when it can be made.
std::optional<QString> ShapeProblem(const Shape& shape);

// The fewest forms any wheel of the shape can have, by two arguments:
// - the count bound: one form meets only so many of the C(v, t) possible draws of t numbers in m
//   or more of them (the sum over j >= m of C(K, j) C(v - K, t - j)), so at least C(v, t) over
//   that, rounded up, are needed; with m = t this is C(v, t) / C(K, t);
// - for m = t, the Schönheim bound: the forms through any one number, less that number, cover
//   every (t-1)-subset of the other v - 1 numbers, so each number lies on at least
//   C(v-1, K-1, t-1) forms and b K >= v C(v-1, K-1, t-1); applied t times this gives
//   L(v, K, t) = ceil(v/K ceil((v-1)/(K-1) ... ceil((v-t+1)/(K-t+1)))), never below the count
//   bound.
enum class BoundKind { Count, Schonheim };
struct LowerBound {
    std::uint64_t value = 1;
    BoundKind kind = BoundKind::Count;
    std::uint64_t count = 0;     // the count bound
    std::uint64_t schonheim = 0; // the Schönheim bound (m = t), else 0
};
LowerBound LowerBounds(const Shape& shape);

// The bound's name for a reading: "the Schönheim bound" or "the count bound".
QString BoundName(BoundKind kind);

// The promise in words: "whenever 4 of your 12 numbers are drawn, some form holds at least 3".
QString PromiseText(const Shape& shape);

// The number of draws of t numbers that one form of K meets in m or more of them.
std::uint64_t DrawsMetByOneForm(const Shape& shape);

} // namespace wheel

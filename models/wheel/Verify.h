#pragma once
// The exact check of a wheel's promise: every draw of t of the player's numbers is looked at,
// independently of how the forms were found.
#include "models/wheel/Subsets.h"
#include "models/wheel/WheelShape.h"

#include <cstdint>
#include <vector>

namespace wheel {

struct Verification {
    std::uint64_t draws = 0;  // C(v, t), every draw looked at
    std::uint64_t missed = 0; // draws no form meets in m or more numbers
    Mask firstMissed = 0;     // the first of them in colex order, when there is one
    bool kept() const { return missed == 0; }
};

// Checks that for every t-subset T of the numbers 0..v-1 some form f has |f & T| >= m. Numbers
// of a form at or above v are ignored. The shape must have passed ShapeProblem.
Verification Verify(const std::vector<Mask>& forms, const Shape& shape);

} // namespace wheel

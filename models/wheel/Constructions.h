#pragma once
// Wheels the program can build outright instead of searching: Steiner systems, which hold every
// draw of t exactly once and so have the fewest forms any wheel of their shape can have. Each is
// made from its classical construction and checked draw by draw like any other wheel.
#include "models/wheel/Subsets.h"
#include "models/wheel/WheelShape.h"

#include <optional>
#include <vector>

namespace wheel {

// The forms of a Steiner system of the shape (m = t), when the program can build one; these are
// all the Steiner systems with at most 24 numbers and forms of at most 6 (and K > t) but the
// Steiner triple systems and S(2,4,13), which the search finds in a moment:
// - S(3,4,8), S(3,4,16): the planes of the binary affine spaces;
// - S(5,6,12): from the projective line over GF(11), and what derives from it, S(4,5,11) and
//   S(3,4,10); S(3,4,20): S(3,4,10) doubled;
// - S(3,5,17): the sublines of the projective line over GF(16), and S(2,4,16);
// - S(5,8,24): the octads of the Golay code, and S(4,7,23), S(3,6,22), S(2,5,21);
// - S(5,6,24) and S(4,5,23), S(3,4,14), S(3,4,22): unions of orbits of a group (the maps of
//   square determinant over GF(23); two circles of 7 turned together; a circle of 22), chosen
//   by the method of Kramer and Mesner.
std::optional<std::vector<Mask>> SteinerSystem(const Shape& shape);

// A start for the search when there is no Steiner system of the shape but there is one on one
// to three numbers more (m = t): each number past v on a form is replaced by the smallest number
// the form lacks, which keeps every draw of the first v numbers met. Empty when there is none.
std::vector<Mask> ShortenedSteinerSystem(const Shape& shape);

// `total` numbers in `parts` groups whose sizes differ by one at most, the smaller first.
std::vector<int> NearlyEqualSizes(int total, int parts);

// `form` with the smallest numbers it lacks added until it holds `size`.
Mask FilledUp(Mask form, int size);

// For a lotto design (m < t): the numbers in g groups of nearly equal size, and a form for every
// union of r groups (filled up with the smallest other numbers when it is short of K). A draw of
// t spread as evenly as it can be puts at least r * (t / g) + min(r, t % g) numbers in its r
// fullest groups, so the promise holds when that is m or more. The g and r of the fewest forms,
// C(g, r); empty when no union of groups fits a form and keeps the promise. Twelve numbers in four
// threes, paired six ways, keep "4 if 6" with forms of 6.
std::vector<Mask> GroupUnions(const Shape& shape);

} // namespace wheel

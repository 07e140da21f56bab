#pragma once
// The counts a search keeps while it changes its forms one number at a time: how many forms hold
// each m-subset of the numbers, and for m < t how many held m-subsets lie in each draw of t.
// The draws no form meets in m numbers are kept in a list, to count them and to pick one at
// random. Every change is exact, so the count of missed draws is the search's cost.
#include "models/wheel/Subsets.h"
#include "models/wheel/WheelShape.h"

#include <cstdint>
#include <vector>

namespace wheel {

class Coverage {
public:
    explicit Coverage(const Shape& shape);

    void add(Mask form);
    void remove(Mask form);

    // The form with `out` (one of its numbers) replaced by `in` (not one of them), if
    // accept(change in missed draws) agrees; returns whether the change was made.
    template <class Accept> bool tryMove(Mask form, int out, int in, Accept&& accept);

    std::uint64_t missed() const { return m_missed.size(); }
    Mask missedDraw(std::uint64_t i) const;

    // The m-subsets of `form` that no other form holds (the form being counted in).
    int heldOnlyBy(Mask form) const;
    // The m-subsets through `x` within chosen + x that no form holds yet.
    int newlyHeld(Mask chosen, int x) const;

private:
    void move(Mask form, int out, int in);
    // The change in missed draws a move would make, read without changing anything (m = t).
    std::int64_t moveDelta(Mask form, int out, int in) const;
    void hold(Mask part);
    void release(Mask part);
    void met(std::uint64_t draw);
    void unmet(std::uint64_t draw);

    Shape m_shape;
    Mask m_all = 0;
    std::vector<std::uint32_t> m_holders;  // by m-subset: forms holding it
    std::vector<std::uint32_t> m_heldIn;   // by draw (m < t): held m-subsets in it
    std::vector<std::uint32_t> m_missed;   // draws met by no form
    std::vector<std::uint32_t> m_position; // by draw: its place in m_missed
};

template <class Accept> bool Coverage::tryMove(Mask form, int out, int in, Accept&& accept)
{
    if (m_shape.match == m_shape.drawn) {
        if (!accept(moveDelta(form, out, in))) return false;
        move(form, out, in);
        return true;
    }
    // For m < t the draws touched overlap in ways a read-only count would have to untangle:
    // make the move, and undo it when it is refused.
    const auto before = static_cast<std::int64_t>(missed());
    move(form, out, in);
    if (accept(static_cast<std::int64_t>(missed()) - before)) return true;
    move((form & ~Bit(out)) | Bit(in), in, out);
    return false;
}

} // namespace wheel

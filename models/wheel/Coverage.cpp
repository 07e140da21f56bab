#include "models/wheel/Coverage.h"

#include <numeric>

namespace wheel {

Coverage::Coverage(const Shape& shape)
    : m_shape(shape), m_all(Bit(shape.numbers) - 1),
      m_holders(Binomial(shape.numbers, shape.match), 0),
      m_missed(Binomial(shape.numbers, shape.drawn)), m_position(m_missed.size())
{
    if (shape.match < shape.drawn) m_heldIn.assign(m_missed.size(), 0);
    std::iota(m_missed.begin(), m_missed.end(), 0U);
    std::iota(m_position.begin(), m_position.end(), 0U);
}

void Coverage::add(Mask form)
{
    ForEachSubset(form, m_shape.match, [this](Mask part) { hold(part); });
}

void Coverage::remove(Mask form)
{
    ForEachSubset(form, m_shape.match, [this](Mask part) { release(part); });
}

Mask Coverage::missedDraw(std::uint64_t i) const
{
    return SubsetUnrank(m_missed[i], m_shape.drawn);
}

int Coverage::heldOnlyBy(Mask form) const
{
    int only = 0;
    ForEachSubset(form, m_shape.match, [&](Mask part) {
        if (m_holders[SubsetRank(part)] == 1) ++only;
    });
    return only;
}

int Coverage::newlyHeld(Mask chosen, int x) const
{
    int fresh = 0;
    ForEachSubset(chosen, m_shape.match - 1, [&](Mask rest) {
        if (m_holders[SubsetRank(rest | Bit(x))] == 0) ++fresh;
    });
    return fresh;
}

void Coverage::move(Mask form, int out, int in)
{
    // The m-subsets the form loses are those through `out`, those it gains those through `in`,
    // both with the same rest. Gains first, so that a draw that keeps a held m-subset never
    // passes through "missed" on the way.
    const Mask rest = form & ~Bit(out);
    ForEachSubset(rest, m_shape.match - 1, [&](Mask r) { hold(r | Bit(in)); });
    ForEachSubset(rest, m_shape.match - 1, [&](Mask r) { release(r | Bit(out)); });
}

std::int64_t Coverage::moveDelta(Mask form, int out, int in) const
{
    std::int64_t delta = 0;
    ForEachSubset(form & ~Bit(out), m_shape.match - 1, [&](Mask r) {
        if (m_holders[SubsetRank(r | Bit(out))] == 1) ++delta;
        if (m_holders[SubsetRank(r | Bit(in))] == 0) --delta;
    });
    return delta;
}

void Coverage::hold(Mask part)
{
    const std::uint64_t rank = SubsetRank(part);
    if (m_holders[rank]++ != 0) return;
    if (m_shape.match == m_shape.drawn) {
        met(rank);
        return;
    }
    ForEachSubset(m_all & ~part, m_shape.drawn - m_shape.match, [&](Mask others) {
        const std::uint64_t draw = SubsetRank(part | others);
        if (m_heldIn[draw]++ == 0) met(draw);
    });
}

void Coverage::release(Mask part)
{
    const std::uint64_t rank = SubsetRank(part);
    if (--m_holders[rank] != 0) return;
    if (m_shape.match == m_shape.drawn) {
        unmet(rank);
        return;
    }
    ForEachSubset(m_all & ~part, m_shape.drawn - m_shape.match, [&](Mask others) {
        const std::uint64_t draw = SubsetRank(part | others);
        if (--m_heldIn[draw] == 0) unmet(draw);
    });
}

void Coverage::met(std::uint64_t draw)
{
    const std::uint32_t place = m_position[draw];
    const std::uint32_t last = m_missed.back();
    m_missed[place] = last;
    m_position[last] = place;
    m_missed.pop_back();
}

void Coverage::unmet(std::uint64_t draw)
{
    m_position[draw] = static_cast<std::uint32_t>(m_missed.size());
    m_missed.push_back(static_cast<std::uint32_t>(draw));
}

} // namespace wheel

#include "models/wheel/Verify.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace wheel {

namespace {

// One bit for every m-subset (by colex number) that some form holds.
class HeldSubsets {
public:
    HeldSubsets(const std::vector<Mask>& forms, int numbers, int size)
        : m_words((Binomial(numbers, size) + 63) / 64, 0)
    {
        const Mask all = numbers >= 64 ? ~Mask{0} : Bit(numbers) - 1;
        for (const Mask form : forms)
            ForEachSubset(form & all, size, [this](Mask subset) {
                const std::uint64_t rank = SubsetRank(subset);
                m_words[rank / 64] |= std::uint64_t{1} << (rank % 64);
            });
    }
    bool held(Mask subset) const
    {
        const std::uint64_t rank = SubsetRank(subset);
        return ((m_words[rank / 64] >> (rank % 64)) & 1) != 0;
    }
    const std::vector<std::uint64_t>& words() const { return m_words; }

private:
    std::vector<std::uint64_t> m_words;
};

// m = t: a draw is met exactly when a form holds it, so the draws missed are the bits not set.
void CountUnheld(const HeldSubsets& held, std::uint64_t draws, int t, Verification& result)
{
    std::uint64_t set = 0;
    std::uint64_t first = draws;
    for (std::size_t w = 0; w < held.words().size(); ++w) {
        const std::uint64_t word = held.words()[w];
        set += static_cast<std::uint64_t>(std::popcount(word));
        if (first == draws && word != ~std::uint64_t{0})
            first = std::min<std::uint64_t>(
                draws, w * 64 + static_cast<std::uint64_t>(std::countr_one(word)));
    }
    result.missed = draws - set;
    if (result.missed > 0) result.firstMissed = SubsetUnrank(first, t);
}

// m < t: walks the draws member by member in increasing order; once the members chosen so far
// hold a held m-subset every draw that begins with them is met, and the walk turns back.
class DrawWalk {
public:
    DrawWalk(const HeldSubsets& held, const Shape& shape) : m_held(held), m_shape(shape) {}

    void walk(Mask chosen, int depth, int next)
    {
        if (depth == m_shape.drawn) {
            ++missed;
            firstRank = std::min(firstRank, SubsetRank(chosen));
            return;
        }
        for (int x = next; x <= m_shape.numbers - (m_shape.drawn - depth); ++x)
            if (!completes(chosen, depth, x)) walk(chosen | Bit(x), depth + 1, x + 1);
    }

    std::uint64_t missed = 0;
    std::uint64_t firstRank = std::numeric_limits<std::uint64_t>::max();

private:
    // Whether adding x to the chosen members makes a held m-subset (one that holds x).
    bool completes(Mask chosen, int depth, int x) const
    {
        if (depth + 1 < m_shape.match) return false;
        return ForEachSubset(chosen, m_shape.match - 1,
                             [&](Mask rest) { return m_held.held(rest | Bit(x)); });
    }

    const HeldSubsets& m_held;
    const Shape& m_shape;
};

} // namespace

Verification Verify(const std::vector<Mask>& forms, const Shape& shape)
{
    Verification result;
    result.draws = Binomial(shape.numbers, shape.drawn);
    const HeldSubsets held(forms, shape.numbers, shape.match);
    if (shape.match == shape.drawn) {
        CountUnheld(held, result.draws, shape.drawn, result);
        return result;
    }
    DrawWalk walk(held, shape);
    walk.walk(0, 0, 0);
    result.missed = walk.missed;
    if (walk.missed > 0) result.firstMissed = SubsetUnrank(walk.firstRank, shape.drawn);
    return result;
}

} // namespace wheel

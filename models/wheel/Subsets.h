#pragma once
// Subsets of a wheel's numbers as bit masks: the wheel's i-th number (from 0) is bit i. The
// subsets of one size are numbered 0..C(n, size) - 1 in colex order, so that a table indexed by
// that number holds one entry a subset, and a subset's number is a sum of table lookups.
#include <bit>
#include <cstdint>
#include <type_traits>

namespace wheel {

using Mask = std::uint64_t;

namespace detail {

// C(n, k) for 0 <= k <= n <= 64, computed once at compile time; C(64, 32) < 2^61.
struct BinomialTable {
    std::uint64_t value[65][65]{};
    constexpr BinomialTable()
    {
        for (int n = 0; n <= 64; ++n) {
            value[n][0] = 1;
            for (int k = 1; k <= n; ++k)
                value[n][k] = value[n - 1][k - 1] + (k < n ? value[n - 1][k] : 0);
        }
    }
};
inline constexpr BinomialTable Binomials{};

} // namespace detail

// C(n, k) for n <= 64; 0 when k < 0 or k > n.
inline std::uint64_t Binomial(int n, int k)
{
    if (n < 0 || n > 64 || k < 0 || k > n) return 0;
    return detail::Binomials.value[n][k];
}

inline Mask Bit(int number)
{
    return Mask{1} << number;
}

// The colex number of a subset: the sum of C(c_i, i) over its members c_1 < c_2 < ... .
inline std::uint64_t SubsetRank(Mask subset)
{
    std::uint64_t rank = 0;
    for (int i = 1; subset != 0; ++i, subset &= subset - 1)
        rank += detail::Binomials.value[std::countr_zero(subset)][i];
    return rank;
}

// The subset of `size` members whose colex number is `rank` (rank < C(64, size)).
Mask SubsetUnrank(std::uint64_t rank, int size);

// Lexicographic order of the ascending member lists of two subsets of the same size: the one
// that holds the smallest member they do not share comes first.
inline bool LexLess(Mask a, Mask b)
{
    const Mask differ = a ^ b;
    return (a & differ & (~differ + 1)) != 0;
}

// Calls visit(subset) for every subset of `size` members of `set`, until a visit returns true;
// returns whether one did. A visit that returns nothing sees every subset.
template <class Visit> bool ForEachSubset(Mask set, int size, Visit&& visit)
{
    int members[64];
    int count = 0;
    for (Mask rest = set; rest != 0; rest &= rest - 1)
        members[count++] = std::countr_zero(rest);
    if (size < 0 || size > count) return false;
    int index[64];
    for (int i = 0; i < size; ++i)
        index[i] = i;
    while (true) {
        Mask subset = 0;
        for (int i = 0; i < size; ++i)
            subset |= Bit(members[index[i]]);
        if constexpr (std::is_same_v<decltype(visit(subset)), bool>) {
            if (visit(subset)) return true;
        } else {
            visit(subset);
        }
        int i = size - 1;
        while (i >= 0 && index[i] == count - size + i)
            --i;
        if (i < 0) return false;
        ++index[i];
        for (int j = i + 1; j < size; ++j)
            index[j] = index[j - 1] + 1;
    }
}

} // namespace wheel

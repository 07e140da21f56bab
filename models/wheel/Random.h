#pragma once
// The search's own generator (xoshiro256**, seeded through splitmix64): the same seed gives the
// same numbers with every compiler and standard library, which std::uniform_int_distribution
// does not promise.
#include "models/wheel/Subsets.h"

#include <bit>
#include <cstdint>

namespace wheel {

class Random {
public:
    explicit Random(std::uint64_t seed)
    {
        for (std::uint64_t& word : m_state) {
            seed += 0x9E3779B97F4A7C15ULL;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            word = z ^ (z >> 31);
        }
    }

    std::uint64_t Next()
    {
        const std::uint64_t result = std::rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t shifted = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= shifted;
        m_state[3] = std::rotl(m_state[3], 45);
        return result;
    }

    // Uniform in 0..n-1 (n > 0), without the bias of a plain remainder.
    std::uint64_t Below(std::uint64_t n)
    {
        const std::uint64_t limit = (0 - n) % n; // 2^64 mod n
        while (true) {
            const std::uint64_t x = Next();
            if (x >= limit) return x % n;
        }
    }

    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    // One member of a non-empty set, each as likely.
    int MemberOf(Mask set)
    {
        std::uint64_t skip = Below(static_cast<std::uint64_t>(std::popcount(set)));
        for (; skip > 0; --skip)
            set &= set - 1;
        return std::countr_zero(set);
    }

private:
    std::uint64_t m_state[4]{};
};

} // namespace wheel

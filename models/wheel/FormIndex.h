#pragma once
// Which forms hold each number, as rows of bits over the forms, so that the forms sharing the
// most numbers with a draw are found by adding a few rows a word at a time instead of by looking
// at every form in turn: the search asks this at every step, of wheels of up to thousands of
// forms.
#include "models/wheel/Subsets.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wheel {

class FormIndex {
public:
    void rebuild(const std::vector<Mask>& forms, int numbers);
    // Form `form` gave up `out` for `in`.
    void move(std::size_t form, int out, int in);
    // The forms that share the most numbers with `draw`, in increasing order.
    void closest(Mask draw, std::vector<std::size_t>& result);

private:
    std::size_t m_forms = 0;
    std::size_t m_words = 0;
    std::vector<std::uint64_t> m_rows;    // by number: m_words words, bit i for form i
    std::vector<std::uint64_t> m_scratch; // the bit planes of the counts, then the closest
};

} // namespace wheel

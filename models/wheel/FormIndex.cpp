#include "models/wheel/FormIndex.h"

#include <bit>

namespace wheel {

namespace {

constexpr int MaxPlanes = 7; // counts up to 127, more than a draw of 64 numbers can share

void Flip(std::vector<std::uint64_t>& rows, std::size_t words, int number, std::size_t form)
{
    rows[static_cast<std::size_t>(number) * words + form / 64] ^= std::uint64_t{1} << (form % 64);
}

} // namespace

void FormIndex::rebuild(const std::vector<Mask>& forms, int numbers)
{
    m_forms = forms.size();
    m_words = (m_forms + 63) / 64;
    m_rows.assign(static_cast<std::size_t>(numbers) * m_words, 0);
    for (std::size_t i = 0; i < m_forms; ++i)
        for (Mask rest = forms[i]; rest != 0; rest &= rest - 1)
            Flip(m_rows, m_words, std::countr_zero(rest), i);
}

void FormIndex::move(std::size_t form, int out, int in)
{
    Flip(m_rows, m_words, out, form);
    Flip(m_rows, m_words, in, form);
}

void FormIndex::closest(Mask draw, std::vector<std::size_t>& result)
{
    result.clear();
    int members[64];
    int count = 0;
    for (Mask rest = draw; rest != 0; rest &= rest - 1)
        members[count++] = std::countr_zero(rest);
    const auto planes = static_cast<int>(std::bit_width(static_cast<unsigned>(count)));
    // Per word: the count of shared numbers of each form, bit-sliced into `planes` words (one
    // binary digit each), by adding the rows of the draw's numbers with carries. Digit j of the
    // forms of word w is at j * m_words + w; the forms still in the running follow the digits.
    const auto running = static_cast<std::size_t>(planes) * m_words;
    m_scratch.resize(running + m_words);
    for (std::size_t w = 0; w < m_words; ++w) {
        std::uint64_t plane[MaxPlanes] = {};
        for (int k = 0; k < count; ++k) {
            std::uint64_t carry = m_rows[static_cast<std::size_t>(members[k]) * m_words + w];
            for (int j = 0; j < planes && carry != 0; ++j) {
                const std::uint64_t next = plane[j] & carry;
                plane[j] ^= carry;
                carry = next;
            }
        }
        for (int j = 0; j < planes; ++j)
            m_scratch[static_cast<std::size_t>(j) * m_words + w] = plane[j];
        const std::size_t used = m_forms - w * 64;
        m_scratch[running + w] = used >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << used) - 1;
    }
    // The largest count, digit by digit from the top: keep the forms with this digit set when
    // any of those still in the running has it.
    for (int j = planes - 1; j >= 0; --j) {
        const std::uint64_t* digit = &m_scratch[static_cast<std::size_t>(j) * m_words];
        std::uint64_t any = 0;
        for (std::size_t w = 0; w < m_words; ++w)
            any |= m_scratch[running + w] & digit[w];
        if (any == 0) continue;
        for (std::size_t w = 0; w < m_words; ++w)
            m_scratch[running + w] &= digit[w];
    }
    for (std::size_t w = 0; w < m_words; ++w)
        for (std::uint64_t bits = m_scratch[running + w]; bits != 0; bits &= bits - 1)
            result.push_back(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
}

} // namespace wheel

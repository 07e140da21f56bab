#include "models/wheel/FormIndex.h"
#include "models/wheel/Random.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

using wheel::Mask;

namespace {

// The forms sharing the most numbers with the draw, found by looking at each in turn.
std::vector<std::size_t> ClosestByScan(const std::vector<Mask>& forms, Mask draw)
{
    std::vector<std::size_t> closest;
    int most = -1;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const int shared = std::popcount(forms[i] & draw);
        if (shared > most) {
            most = shared;
            closest.clear();
        }
        if (shared == most) closest.push_back(i);
    }
    return closest;
}

Mask RandomSet(wheel::Random& random, int numbers, int size)
{
    Mask set = 0;
    while (std::popcount(set) < size)
        set |= wheel::Bit(static_cast<int>(random.Below(static_cast<std::uint64_t>(numbers))));
    return set;
}

} // namespace

// The search takes its closest forms from the index; they must be exactly those a scan finds,
// in the same order, for wheels that fill part of a word, exactly a word, or several, and for
// draws from 1 to 40 numbers, while forms change numbers.
TEST(WheelFormIndex, FindsTheSameClosestFormsAsAScanThroughMoves)
{
    struct Case {
        int numbers, formSize, drawn, forms;
    };
    for (const Case c : std::vector<Case>{
             {7, 3, 2, 1}, {12, 6, 6, 64}, {16, 6, 5, 65}, {40, 6, 6, 300}, {40, 10, 40, 130}}) {
        SCOPED_TRACE(testing::Message() << c.numbers << ',' << c.formSize << ',' << c.drawn
                                        << " with " << c.forms << " forms");
        wheel::Random random(7);
        std::vector<Mask> forms;
        for (int f = 0; f < c.forms; ++f)
            forms.push_back(RandomSet(random, c.numbers, c.formSize));
        wheel::FormIndex index;
        index.rebuild(forms, c.numbers);
        std::vector<std::size_t> closest;
        for (int step = 0; step < 200; ++step) {
            const Mask draw = RandomSet(random, c.numbers, c.drawn);
            index.closest(draw, closest);
            ASSERT_EQ(closest, ClosestByScan(forms, draw)) << "step " << step;
            const std::size_t which = random.Below(forms.size());
            const Mask all = wheel::Bit(c.numbers) - 1;
            if (forms[which] == all) continue;
            const int out = random.MemberOf(forms[which]);
            const int in = random.MemberOf(all & ~forms[which]);
            forms[which] = (forms[which] & ~wheel::Bit(out)) | wheel::Bit(in);
            index.move(which, out, in);
        }
    }
}

#include "models/wheel/Coverage.h"
#include "models/wheel/Random.h"
#include "models/wheel/Verify.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

using wheel::Mask;
using wheel::Shape;

// The search trusts the counts to say what a move would change without making it, and to keep
// the missed draws right as moves are made: random moves, taken or refused at random, against
// the check from scratch after every one.
TEST(WheelCoverage, CountsAgreeWithTheCheckThroughRandomMoves)
{
    for (const Shape& shape : std::vector<Shape>{
             {9, 4, 3, 3}, {12, 6, 3, 4}, {10, 5, 2, 4}, {11, 3, 2, 2}, {13, 6, 3, 6}}) {
        SCOPED_TRACE(testing::Message() << shape.numbers << ',' << shape.formSize << ','
                                        << shape.match << '/' << shape.drawn);
        wheel::Random random(5);
        wheel::Coverage coverage(shape);
        std::vector<Mask> forms;
        for (int f = 0; f < 6; ++f) {
            Mask form = 0;
            while (std::popcount(form) < shape.formSize)
                form |= wheel::Bit(
                    static_cast<int>(random.Below(static_cast<std::uint64_t>(shape.numbers))));
            forms.push_back(form);
            coverage.add(form);
        }
        forms.push_back(forms.front()); // a form twice: its m-subsets have two holders
        coverage.add(forms.back());
        ASSERT_EQ(coverage.missed(), wheel::Verify(forms, shape).missed);
        for (int step = 0; step < 300; ++step) {
            const std::size_t which = random.Below(forms.size());
            const Mask all = wheel::Bit(shape.numbers) - 1;
            const int out = random.MemberOf(forms[which]);
            const int in = random.MemberOf(all & ~forms[which]);
            const std::uint64_t before = coverage.missed();
            const bool take = random.Below(2) == 0;
            std::int64_t said = 0;
            const bool moved = coverage.tryMove(forms[which], out, in, [&](std::int64_t delta) {
                said = delta;
                return take;
            });
            ASSERT_EQ(moved, take);
            if (moved) forms[which] = (forms[which] & ~wheel::Bit(out)) | wheel::Bit(in);
            const std::uint64_t missed = wheel::Verify(forms, shape).missed;
            ASSERT_EQ(coverage.missed(), missed) << "step " << step;
            if (moved) {
                ASSERT_EQ(static_cast<std::int64_t>(missed) - static_cast<std::int64_t>(before),
                          said)
                    << "step " << step;
            }
        }
    }
}

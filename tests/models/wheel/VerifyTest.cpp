#include "models/wheel/Verify.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <vector>

using wheel::Mask;
using wheel::Shape;

namespace {

// The definition, draw by draw and form by form.
std::uint64_t MissedByBruteForce(const std::vector<Mask>& forms, const Shape& shape)
{
    std::uint64_t missed = 0;
    for (Mask draw = 0; draw < wheel::Bit(shape.numbers); ++draw) {
        if (std::popcount(draw) != shape.drawn) continue;
        bool met = false;
        for (const Mask form : forms)
            met = met || std::popcount(form & draw) >= shape.match;
        if (!met) ++missed;
    }
    return missed;
}

std::vector<Mask> RandomForms(const Shape& shape, int count, std::mt19937& random)
{
    std::vector<Mask> forms;
    std::vector<int> numbers(static_cast<std::size_t>(shape.numbers));
    for (int i = 0; i < shape.numbers; ++i)
        numbers[static_cast<std::size_t>(i)] = i;
    for (int f = 0; f < count; ++f) {
        std::shuffle(numbers.begin(), numbers.end(), random);
        Mask form = 0;
        for (int i = 0; i < shape.formSize; ++i)
            form |= wheel::Bit(numbers[static_cast<std::size_t>(i)]);
        forms.push_back(form);
    }
    return forms;
}

} // namespace

// Random sets of forms, from too few to plenty, for coverings (m = t) and lotto designs (m < t).
TEST(WheelVerify, AgreesWithBruteForce)
{
    std::mt19937 random(2026);
    const std::vector<Shape> shapes{{7, 3, 2, 2},  {9, 4, 3, 3}, {10, 5, 3, 4}, {11, 4, 2, 5},
                                    {12, 6, 3, 6}, {8, 5, 1, 3}, {10, 3, 3, 3}, {13, 5, 2, 3}};
    for (const Shape& shape : shapes)
        for (const int count : {1, 3, 8, 20, 40}) {
            const std::vector<Mask> forms = RandomForms(shape, count, random);
            const wheel::Verification check = wheel::Verify(forms, shape);
            EXPECT_EQ(check.missed, MissedByBruteForce(forms, shape))
                << shape.numbers << ',' << shape.formSize << ',' << shape.match << '/'
                << shape.drawn << " with " << count << " forms";
            EXPECT_EQ(check.draws, wheel::Binomial(shape.numbers, shape.drawn));
        }
}

// Every form of 5 of 9 numbers that does not hold the draw {1, 4, 6}: each other draw of three
// is on one of them, so exactly that draw is missed, and the check names it.
TEST(WheelVerify, FindsTheOneDrawAPlantedWheelMisses)
{
    const Shape shape{9, 5, 3, 3};
    const Mask planted = wheel::Bit(1) | wheel::Bit(4) | wheel::Bit(6);
    std::vector<Mask> forms;
    for (Mask form = 0; form < wheel::Bit(9); ++form)
        if (std::popcount(form) == 5 && (form & planted) != planted) forms.push_back(form);
    const wheel::Verification check = wheel::Verify(forms, shape);
    EXPECT_FALSE(check.kept());
    EXPECT_EQ(check.missed, 1U);
    EXPECT_EQ(check.firstMissed, planted);

    // One form that holds it makes the wheel whole.
    forms.push_back(planted | wheel::Bit(0) | wheel::Bit(8));
    EXPECT_TRUE(wheel::Verify(forms, shape).kept());
}

// The Fano plane: seven lines of three that hold every pair of 7 points once.
TEST(WheelVerify, KeepsTheFanoPlaneAndLosesItWithoutALine)
{
    std::vector<Mask> lines;
    for (int i = 0; i < 7; ++i)
        lines.push_back(wheel::Bit(i) | wheel::Bit((i + 1) % 7) | wheel::Bit((i + 3) % 7));
    EXPECT_TRUE(wheel::Verify(lines, Shape{7, 3, 2, 2}).kept());
    lines.pop_back();
    const wheel::Verification check = wheel::Verify(lines, Shape{7, 3, 2, 2});
    EXPECT_EQ(check.missed, 3U); // the three pairs of the line taken away
}

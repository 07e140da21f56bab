#include "models/wheel/Constructions.h"
#include "models/wheel/Verify.h"
#include "models/wheel/WheelSearch.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <vector>

using wheel::Mask;
using wheel::Shape;

// A Steiner system holds every draw of t exactly once: C(v,t)/C(K,t) distinct forms of K that
// together meet every draw. Each construction is checked that way, independently of how it was
// built.
TEST(WheelConstructions, BuildSteinerSystems)
{
    const std::vector<Shape> shapes{{8, 4, 3, 3},  {16, 4, 3, 3}, {12, 6, 5, 5}, {11, 5, 4, 4},
                                    {10, 4, 3, 3}, {20, 4, 3, 3}, {17, 5, 3, 3}, {16, 4, 2, 2},
                                    {24, 8, 5, 5}, {23, 7, 4, 4}, {22, 6, 3, 3}, {21, 5, 2, 2},
                                    {24, 6, 5, 5}, {23, 5, 4, 4}, {14, 4, 3, 3}, {22, 4, 3, 3}};
    for (const Shape& s : shapes) {
        SCOPED_TRACE(testing::Message() << s.numbers << ',' << s.formSize << ',' << s.drawn);
        const std::optional<std::vector<Mask>> forms = wheel::SteinerSystem(s);
        ASSERT_TRUE(forms.has_value());
        EXPECT_EQ(forms->size(),
                  wheel::Binomial(s.numbers, s.drawn) / wheel::Binomial(s.formSize, s.drawn));
        EXPECT_EQ(std::set<Mask>(forms->begin(), forms->end()).size(), forms->size());
        for (const Mask form : *forms) {
            EXPECT_EQ(std::popcount(form), s.formSize);
            EXPECT_EQ(form >> s.numbers, 0U);
        }
        EXPECT_TRUE(wheel::Verify(*forms, s).kept());
    }
    EXPECT_FALSE(wheel::SteinerSystem({22, 6, 2, 3}).has_value()); // a lotto design
    EXPECT_FALSE(wheel::SteinerSystem({15, 6, 4, 4}).has_value()); // none exists
}

// The search hands a Steiner system it can build straight back, the smallest possible.
TEST(WheelConstructions, SearchUsesThem)
{
    wheel::WheelOptions options;
    options.maxSteps = 1000;
    const wheel::WheelResult result = wheel::FindWheel(Shape{22, 6, 3, 3}, options);
    EXPECT_TRUE(result.verified);
    EXPECT_EQ(result.size(), 77);
    EXPECT_TRUE(result.smallestPossible());
    EXPECT_EQ(result.steps, 0U);
}

// A Steiner system on one to three numbers more, cut down: every form on the first v numbers,
// every draw of them still met, and no more forms than the system had.
TEST(WheelConstructions, ShortenedSteinerSystemsKeepThePromise)
{
    for (const auto& [shape, larger] : std::vector<std::pair<Shape, int>>{
             {{21, 6, 3, 3}, 77}, {{19, 6, 3, 3}, 77}, {{13, 4, 3, 3}, 91}, {{10, 5, 4, 4}, 66}}) {
        const auto& s = shape;
        SCOPED_TRACE(testing::Message() << s.numbers << ',' << s.formSize << ',' << s.drawn);
        const std::vector<Mask> forms = wheel::ShortenedSteinerSystem(s);
        ASSERT_FALSE(forms.empty());
        EXPECT_LE(forms.size(), static_cast<std::size_t>(larger));
        for (const Mask form : forms) {
            EXPECT_EQ(std::popcount(form), s.formSize);
            EXPECT_EQ(form >> s.numbers, 0U);
        }
        EXPECT_TRUE(wheel::Verify(forms, s).kept());
    }
    EXPECT_TRUE(wheel::ShortenedSteinerSystem({15, 6, 4, 4}).empty());
    EXPECT_TRUE(wheel::ShortenedSteinerSystem({20, 6, 2, 3}).empty());
}

// Unions of groups: the wheels players know by heart come out at their known sizes, every one
// keeps its promise, and a shape no union of groups can serve gets nothing.
TEST(WheelConstructions, GroupUnionsKeepThePromise)
{
    for (const auto& [shape, size] : std::vector<std::pair<Shape, std::size_t>>{
             {{12, 6, 4, 6}, 6}, {{9, 6, 4, 6}, 3}, {{15, 6, 3, 6}, 10}, {{8, 4, 2, 3}, 2}}) {
        const auto& s = shape;
        SCOPED_TRACE(testing::Message()
                     << s.numbers << ',' << s.formSize << ',' << s.match << '/' << s.drawn);
        const std::vector<Mask> forms = wheel::GroupUnions(s);
        EXPECT_EQ(forms.size(), size);
        for (const Mask form : forms)
            EXPECT_EQ(std::popcount(form), s.formSize);
        EXPECT_TRUE(wheel::Verify(forms, s).kept());
    }
    EXPECT_TRUE(wheel::GroupUnions({30, 6, 4, 6}).empty()); // only the 593,775 forms of all
    EXPECT_TRUE(wheel::GroupUnions({12, 6, 4, 4}).empty()); // a covering: m = t

    // The search starts from them: the six forms of "4 if 6" on twelve numbers at once.
    wheel::WheelOptions options;
    options.maxSteps = 1000;
    EXPECT_EQ(wheel::FindWheel(Shape{12, 6, 4, 6}, options).size(), 6);
}

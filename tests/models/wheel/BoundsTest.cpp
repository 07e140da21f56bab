#include "models/wheel/WheelShape.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

#include <vector>

using wheel::BoundKind;
using wheel::Shape;

// Each bound worked out by hand, innermost ceiling first.
TEST(WheelBounds, MatchHandComputedValues)
{
    struct Case {
        Shape shape;
        std::uint64_t count;
        std::uint64_t schonheim;
        std::uint64_t value;
        BoundKind kind;
    };
    const std::vector<Case> cases{
        // C(7,2)/C(3,2) = 21/3 = 7;  ceil(7/3 ceil(6/2)) = 7
        {{7, 3, 2, 2}, 7, 7, 7, BoundKind::Schonheim},
        // 36/3 = 12;  ceil(9/3 ceil(8/2)) = 12
        {{9, 3, 2, 2}, 12, 12, 12, BoundKind::Schonheim},
        // 56/4 = 14;  ceil(8/4 ceil(7/3 ceil(6/2))) = ceil(2 * 7) = 14
        {{8, 4, 3, 3}, 14, 14, 14, BoundKind::Schonheim},
        // 78/6 = 13;  ceil(13/4 ceil(12/3)) = 13
        {{13, 4, 2, 2}, 13, 13, 13, BoundKind::Schonheim},
        // 120/10 = 12;  ceil(8/3) = 3, ceil(9/4 * 3) = 7, ceil(10/5 * 7) = 14
        {{10, 5, 3, 3}, 12, 14, 14, BoundKind::Schonheim},
        // 210/5 = 42;  4, ceil(8/3 * 4) = 11, ceil(9/4 * 11) = 25, 10/5 * 25 = 50
        {{10, 5, 4, 4}, 42, 50, 50, BoundKind::Schonheim},
        // 28/15 -> 2;  ceil(8/6 ceil(7/5)) = ceil(16/6) = 3
        {{8, 6, 2, 2}, 2, 3, 3, BoundKind::Schonheim},
        // 3 if 4 on 12, forms of 6: a form meets C(6,3)C(6,1) + C(6,4) = 135 of the 495 draws
        {{12, 6, 3, 4}, 4, 0, 4, BoundKind::Count},
        // 2 if 3 on 10, forms of 5: C(5,2)C(5,1) + C(5,3) = 60 of 120
        {{10, 5, 2, 3}, 2, 0, 2, BoundKind::Count},
        // 3 if 4 on 10, forms of 9: every one of the 210 draws is met by one form
        {{10, 9, 3, 4}, 1, 0, 1, BoundKind::Count},
    };
    for (const Case& c : cases) {
        const wheel::LowerBound bound = wheel::LowerBounds(c.shape);
        const auto& s = c.shape;
        SCOPED_TRACE(testing::Message()
                     << s.numbers << ',' << s.formSize << ',' << s.match << '/' << s.drawn);
        EXPECT_EQ(bound.count, c.count);
        EXPECT_EQ(bound.schonheim, c.schonheim);
        EXPECT_EQ(bound.value, c.value);
        EXPECT_EQ(bound.kind, c.kind);
    }
}

TEST(WheelShapes, RefusePromisesThatCannotBeKeptOrSearched)
{
    const std::vector<std::pair<Shape, QString>> refused{
        {{41, 6, 3, 3}, QStringLiteral("a wheel takes 2 to 40 numbers, not 41")},
        {{12, 12, 3, 3}, QStringLiteral("the form size must be from 1 to 11")},
        {{12, 0, 1, 1}, QStringLiteral("the form size must be from 1 to 11")},
        {{12, 6, 4, 3}, QStringLiteral("needs 1 <= M <= T, not 4/3")},
        {{12, 6, 0, 3}, QStringLiteral("needs 1 <= M <= T, not 0/3")},
        {{5, 3, 2, 6}, QStringLiteral("6 of your 5 numbers cannot be drawn")},
        {{12, 4, 5, 5}, QStringLiteral("a form of 4 numbers cannot hold 5")},
        {{40, 8, 7, 7}, QStringLiteral("too many draws to check: C(40, 7) = 18643560")},
        {{40, 6, 6, 6}, QStringLiteral("needs at least 3838380 forms, more than 10000")},
        {{30, 29, 3, 6}, QStringLiteral("too large to search")},
    };
    for (const auto& [shape, reason] : refused) {
        const std::optional<QString> problem = wheel::ShapeProblem(shape);
        ASSERT_TRUE(problem.has_value()) << reason.toStdString();
        EXPECT_TRUE(problem->contains(reason)) << problem->toStdString();
    }
    for (const Shape& fine : std::vector<Shape>{
             {40, 6, 3, 6}, {40, 10, 3, 3}, {12, 6, 4, 4}, {2, 1, 1, 2}, {20, 7, 5, 5}})
        EXPECT_EQ(wheel::ShapeProblem(fine), std::nullopt)
            << fine.numbers << ',' << fine.formSize << ',' << fine.match << '/' << fine.drawn;
}

TEST(WheelShapes, PromiseInWords)
{
    EXPECT_EQ(
        wheel::PromiseText({12, 6, 3, 4}),
        QStringLiteral("whenever 4 of your 12 numbers are drawn, some form holds at least 3"));
    EXPECT_EQ(wheel::PromiseText({9, 4, 3, 3}),
              QStringLiteral("whenever 3 of your 9 numbers are drawn, some form holds all 3"));
    EXPECT_EQ(wheel::PromiseText({7, 3, 2, 2}),
              QStringLiteral("whenever 2 of your 7 numbers are drawn, some form holds both"));
    EXPECT_EQ(wheel::PromiseText({10, 4, 1, 1}),
              QStringLiteral("whenever 1 of your 10 numbers is drawn, some form holds it"));
}

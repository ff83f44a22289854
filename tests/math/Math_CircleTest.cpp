#include "tests/math/Math_TestSupport.h"

#include "math/Math_Circle2D.h"
#include "math/Math_Constants.h"

#include <cmath>

namespace {

using Math::Circle2D;
using Math::Point2D;
namespace Code = Math::Code;

const Point2D Untouched(-99.0f, -99.0f);

TEST(MathCircle2D, ClassifyToCircle)
{
    const float root3 = std::sqrt(3.0f);
    const struct {
        const char* name;
        Circle2D self;
        Circle2D other;
        int code;
        Point2D first;
        Point2D second;
    } cases[] = {
        {"other inside this", {{0, 0}, 5}, {{1, 0}, 1}, Code::ContainsCircle, {}, {}},
        {"this inside the other", {{1, 0}, 1}, {{0, 0}, 5}, Code::Inside, {}, {}},
        {"concentric, other smaller", {{0, 0}, 2}, {{0, 0}, 1}, Code::ContainsCircle, {}, {}},
        {"concentric, this smaller", {{0, 0}, 1}, {{0, 0}, 2}, Code::Inside, {}, {}},
        {"the same circle", {{3, -2}, 1.5f}, {{3, -2}, 1.5f}, Code::Same, {}, {}},
        {"touching from outside", {{0, 0}, 1}, {{2, 0}, 1}, Code::TouchOutside, {1, 0}, {}},
        {"touching from inside", {{0, 0}, 2}, {{1, 0}, 1}, Code::TouchInside, {2, 0}, {}},
        {"touching from inside, this smaller", {{1, 0}, 1}, {{0, 0}, 2}, Code::TouchInside, {2, 0}, {}},
        {"apart", {{0, 0}, 1}, {{3, 0}, 1}, Code::Outside, {}, {}},
        {"crossing", {{0, 0}, 2}, {{2, 0}, 2}, Code::TwoPoints, {1, root3}, {1, -root3}},
        {"crossing, vertical axis", {{0, 0}, 2}, {{0, 2}, 2}, Code::TwoPoints, {-root3, 1}, {root3, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point2D first = Untouched;
        Point2D second = Untouched;
        EXPECT_EQ(c.self.ClassifyToCircle(c.other, first, second), c.code);
        const bool onePoint = c.code == Code::TouchInside || c.code == Code::TouchOutside;
        if (onePoint || c.code == Code::TwoPoints)
            ExpectPointNear(first, c.first);
        else
            EXPECT_EQ(first, Untouched);
        if (c.code == Code::TwoPoints)
            ExpectPointNear(second, c.second);
        else
            EXPECT_EQ(second, Untouched);
    }
}

TEST(MathCircle2D, NearTangencyGivesTheTouchingPointInsteadOfNaN)
{
    // Just inside touching distance: the circles cross, but r1² − a² rounds below zero.
    const float r1 = 1.21159995f;
    const float r2 = 1.727f;
    const float d = 2.93859982f;
    const Circle2D self({0, 0}, r1);
    const Circle2D other({d, 0}, r2);
    const float distance = (other.center - self.center).Length();
    const float along = (distance * distance + r1 * r1 - r2 * r2) / (2.0f * distance);
    ASSERT_LT(r1 * r1 - along * along, 0.0f);

    Point2D first;
    Point2D second;
    ASSERT_EQ(self.ClassifyToCircle(other, first, second), Code::TwoPoints);
    EXPECT_EQ(first, Point2D(along, 0));
    EXPECT_EQ(second, Point2D(along, 0));
}

} // namespace

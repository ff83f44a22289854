#include "tests/support/Support_ScriptTest.h"

#include "math/Math_Circle2D.h"
#include "math/Math_Line2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"
#include "script/Lua_Stack.h"

namespace
{
using Math::Point2D;

class ShapesScriptTest : public ScriptTest
{
protected:
    template <class T>
    void SetShape(const char* name, const T& shape, const char* className)
    {
        Lua::PushValueCopy(master, shape, className);
        SetGlobalFromTop(name);
    }
};

TEST_F(ShapesScriptTest, ScriptsCallEveryShapeMethodAndGetTheNativeResults)
{
    const Math::Line2D line(Point2D(0, 0), Math::Vector2D(1, 0));
    const Math::Line2D otherLine(Point2D(0, 1), Math::Vector2D(1, 0));
    const Math::LineSegment2D segment(Point2D(0, 0), Point2D(1, 0));
    const Math::LineSegment2D otherSegment(Point2D(2, 0), Point2D(3, 0));
    const Math::Circle2D circle(Point2D(0, 1), 1);
    const Math::Circle2D otherCircle(Point2D(2, 0), 1.5f);
    const Math::Ray2D ray(Point2D(2, 0), Math::Vector2D(-1, 0));
    const Math::Ray2D otherRay(Point2D(-2, 0), Math::Vector2D(1, 0));
    SetShape("line", line, "Line2D");
    SetShape("otherLine", otherLine, "Line2D");
    SetShape("segment", segment, "LineSegment2D");
    SetShape("otherSegment", otherSegment, "LineSegment2D");
    SetShape("circle", circle, "Circle2D");
    SetShape("otherCircle", otherCircle, "Circle2D");
    SetShape("ray", ray, "Ray2D");
    SetShape("otherRay", otherRay, "Ray2D");

    Point2D first;
    Point2D second;
    Math::LineSegment2D shared;
    Math::Ray2D sharedRay;
    SetGlobalNumber("expected_line_line", line.ClassifyToLine(otherLine, first));
    SetGlobalNumber("expected_line_circle", line.ClassifyToCircle(circle, first, second));
    SetGlobalNumber("expected_line_circle_x", first.x);
    lua_pushboolean(master, line.Tangent(circle, first));
    SetGlobalFromTop("expected_line_tangent");
    SetGlobalNumber("expected_segment_ray", segment.ClassifyToRay(ray, first, shared));
    SetGlobalNumber("expected_segment_ray_shared_bx", shared.GetPointB().x);
    SetGlobalNumber("expected_segment_circle", segment.ClassifyToCircle(otherCircle, first, second));
    lua_pushboolean(master, segment.Alligned(otherSegment));
    SetGlobalFromTop("expected_segment_alligned");
    SetGlobalNumber("expected_circle_circle", circle.ClassifyToCircle(otherCircle, first, second));
    SetGlobalNumber("expected_ray_ray", ray.ClassifyToRay(otherRay, first, shared, sharedRay));
    SetGlobalNumber("expected_ray_ray_ax", shared.GetPointA().x);

    EXPECT_EQ(RunFile("Math_Shapes.lua"), "");
}

TEST_F(ShapesScriptTest, ShapesPushThemselvesAsTheScriptsViewOfTheNativeShape)
{
    Math::Line2D line(Point2D(1, 2), Math::Vector2D(0, 1));
    Math::LineSegment2D segment(Point2D(0, 0), Point2D(4, 0));
    Math::Circle2D circle(Point2D(3, 4), 5);
    Math::Ray2D ray(Point2D(-1, 0), Math::Vector2D(1, 0));
    line.PushToScript(master);
    SetGlobalFromTop("line");
    segment.PushToScript(master);
    SetGlobalFromTop("segment");
    circle.PushToScript(master);
    SetGlobalFromTop("circle");
    ray.PushToScript(master);
    SetGlobalFromTop("ray");
    EXPECT_EQ(lua_gettop(master), 0);

    EXPECT_EQ(RunFile("Math_PushedShapes.lua"), "");
    EXPECT_EQ(line.GetPoint(), Point2D(7, 8));
    EXPECT_EQ(segment.GetPointB(), Point2D(7, 8));
    EXPECT_EQ(circle.GetRadius(), 9.0f);
    EXPECT_EQ(ray.GetOrigin(), Point2D(7, 8));
}
} // namespace

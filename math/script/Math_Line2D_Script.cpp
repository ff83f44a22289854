// Script methods of "Line2D": every test pushes its code first, then its points.
#include "math/Math_Circle2D.h"
#include "math/Math_Line2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"
#include "script/Lua_ScriptClass.h"

namespace
{
using Math::Line2D;

i32 GetPoint(lua_State* state, Line2D& line)
{
    return Lua::PushPoint(state, line.GetPoint());
}

i32 SetPoint(lua_State* state, Line2D& line)
{
    if (Lua::IsTable(state, 1))
        line.SetPoint(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetDirection(lua_State* state, Line2D& line)
{
    return Lua::PushVector(state, line.GetDirection());
}

i32 SetDirection(lua_State* state, Line2D& line)
{
    if (Lua::IsTable(state, 1))
        line.SetDirection(Lua::ToVector(state, 1));
    return 0;
}

i32 ClassifyToLine(lua_State* state, Line2D& line)
{
    const Line2D* other = Lua::ToValue<Line2D>(state, 1, "Line2D");
    if (!other)
        return 0;
    Math::Point2D meeting;
    Lua::PushNumber(state, line.ClassifyToLine(*other, meeting));
    return 1 + Lua::PushPoint(state, meeting);
}

i32 Perpendicular(lua_State* state, Line2D& line)
{
    const Line2D* other = Lua::ToValue<Line2D>(state, 1, "Line2D");
    return other ? Lua::PushBoolean(state, line.Perpendicular(*other)) : 0;
}

i32 Parallel(lua_State* state, Line2D& line)
{
    const Line2D* other = Lua::ToValue<Line2D>(state, 1, "Line2D");
    return other ? Lua::PushBoolean(state, line.Parallel(*other)) : 0;
}

i32 AngleBetween(lua_State* state, Line2D& line)
{
    const Line2D* other = Lua::ToValue<Line2D>(state, 1, "Line2D");
    return other ? Lua::PushNumber(state, line.AngleBetween(*other)) : 0;
}

i32 ClassifyToCircle(lua_State* state, Line2D& line)
{
    const Math::Circle2D* circle = Lua::ToValue<Math::Circle2D>(state, 1, "Circle2D");
    if (!circle)
        return 0;
    Math::Point2D first;
    Math::Point2D second;
    Lua::PushNumber(state, line.ClassifyToCircle(*circle, first, second));
    Lua::PushPoint(state, first);
    return 2 + Lua::PushPoint(state, second);
}

i32 Tangent(lua_State* state, Line2D& line)
{
    const Math::Circle2D* circle = Lua::ToValue<Math::Circle2D>(state, 1, "Circle2D");
    if (!circle)
        return 0;
    Math::Point2D touching;
    Lua::PushBoolean(state, line.Tangent(*circle, touching));
    return 1 + Lua::PushPoint(state, touching);
}

i32 ClassifyToRay(lua_State* state, Line2D& line)
{
    const Math::Ray2D* ray = Lua::ToValue<Math::Ray2D>(state, 1, "Ray2D");
    if (!ray)
        return 0;
    Math::Point2D meeting;
    Lua::PushNumber(state, line.ClassifyToRay(*ray, meeting));
    return 1 + Lua::PushPoint(state, meeting);
}

i32 ClassifyToLineSegment(lua_State* state, Line2D& line)
{
    const Math::LineSegment2D* segment = Lua::ToValue<Math::LineSegment2D>(state, 1, "LineSegment2D");
    if (!segment)
        return 0;
    Math::Point2D meeting;
    Lua::PushNumber(state, line.ClassifyToLineSegment(*segment, meeting));
    return 1 + Lua::PushPoint(state, meeting);
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"GetPoint", Lua::Method<&GetPoint>},
    {"SetPoint", Lua::Method<&SetPoint>},
    {"GetDirection", Lua::Method<&GetDirection>},
    {"SetDirection", Lua::Method<&SetDirection>},
    {"ClassifyToLine", Lua::Method<&ClassifyToLine>},
    {"Perpendicular", Lua::Method<&Perpendicular>},
    {"Parallel", Lua::Method<&Parallel>},
    {"AngleBetween", Lua::Method<&AngleBetween>},
    {"ClassifyToCircle", Lua::Method<&ClassifyToCircle>},
    {"Tangent", Lua::Method<&Tangent>},
    {"ClassifyToRay", Lua::Method<&ClassifyToRay>},
    {"ClassifyToLineSegment", Lua::Method<&ClassifyToLineSegment>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"Line2D", methods, false};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace

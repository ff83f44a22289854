// Script methods of "LineSegment2D": every test pushes its code first, then its points and the
// shared segment (the script's own copy).
#include "math/Math_Circle2D.h"
#include "math/Math_Line2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"
#include "script/Lua_ScriptClass.h"

namespace
{
using Math::LineSegment2D;

const LineSegment2D* OtherSegment(lua_State* state)
{
    return Lua::ToValue<LineSegment2D>(state, 1, "LineSegment2D");
}

i32 GetPointA(lua_State* state, LineSegment2D& segment)
{
    return Lua::PushPoint(state, segment.GetPointA());
}

i32 SetPointA(lua_State* state, LineSegment2D& segment)
{
    if (Lua::IsTable(state, 1))
        segment.SetPointA(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetPointB(lua_State* state, LineSegment2D& segment)
{
    return Lua::PushPoint(state, segment.GetPointB());
}

i32 SetPointB(lua_State* state, LineSegment2D& segment)
{
    if (Lua::IsTable(state, 1))
        segment.SetPointB(Lua::ToPoint(state, 1));
    return 0;
}

i32 ClassifyToLineSegment(lua_State* state, LineSegment2D& segment)
{
    const LineSegment2D* other = OtherSegment(state);
    if (!other)
        return 0;
    Math::Point2D meeting;
    LineSegment2D shared;
    Lua::PushNumber(state, segment.ClassifyToLineSegment(*other, meeting, shared));
    Lua::PushPoint(state, meeting);
    return 2 + Lua::PushValueCopy(state, shared, "LineSegment2D");
}

i32 Perpendicular(lua_State* state, LineSegment2D& segment)
{
    const LineSegment2D* other = OtherSegment(state);
    return other ? Lua::PushBoolean(state, segment.Perpendicular(*other)) : 0;
}

i32 Parallel(lua_State* state, LineSegment2D& segment)
{
    const LineSegment2D* other = OtherSegment(state);
    return other ? Lua::PushBoolean(state, segment.Parallel(*other)) : 0;
}

i32 Alligned(lua_State* state, LineSegment2D& segment)
{
    const LineSegment2D* other = OtherSegment(state);
    return other ? Lua::PushBoolean(state, segment.Alligned(*other)) : 0;
}

i32 AngleBetween(lua_State* state, LineSegment2D& segment)
{
    const LineSegment2D* other = OtherSegment(state);
    return other ? Lua::PushNumber(state, segment.AngleBetween(*other)) : 0;
}

i32 ClassifyToCircle(lua_State* state, LineSegment2D& segment)
{
    const Math::Circle2D* circle = Lua::ToValue<Math::Circle2D>(state, 1, "Circle2D");
    if (!circle)
        return 0;
    Math::Point2D first;
    Math::Point2D second;
    Lua::PushNumber(state, segment.ClassifyToCircle(*circle, first, second));
    Lua::PushPoint(state, first);
    return 2 + Lua::PushPoint(state, second);
}

i32 Tangent(lua_State* state, LineSegment2D& segment)
{
    const Math::Circle2D* circle = Lua::ToValue<Math::Circle2D>(state, 1, "Circle2D");
    if (!circle)
        return 0;
    Math::Point2D touching;
    Lua::PushBoolean(state, segment.Tangent(*circle, touching));
    return 1 + Lua::PushPoint(state, touching);
}

i32 ClassifyToRay(lua_State* state, LineSegment2D& segment)
{
    const Math::Ray2D* ray = Lua::ToValue<Math::Ray2D>(state, 1, "Ray2D");
    if (!ray)
        return 0;
    Math::Point2D meeting;
    LineSegment2D shared;
    Lua::PushNumber(state, segment.ClassifyToRay(*ray, meeting, shared));
    Lua::PushPoint(state, meeting);
    return 2 + Lua::PushValueCopy(state, shared, "LineSegment2D");
}

i32 ClassifyToLine(lua_State* state, LineSegment2D& segment)
{
    const Math::Line2D* line = Lua::ToValue<Math::Line2D>(state, 1, "Line2D");
    if (!line)
        return 0;
    Math::Point2D meeting;
    Lua::PushNumber(state, segment.ClassifyToLine(*line, meeting));
    return 1 + Lua::PushPoint(state, meeting);
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"GetPointA", Lua::Method<&GetPointA>},
    {"SetPointA", Lua::Method<&SetPointA>},
    {"GetPointB", Lua::Method<&GetPointB>},
    {"SetPointB", Lua::Method<&SetPointB>},
    {"ClassifyToLineSegment", Lua::Method<&ClassifyToLineSegment>},
    {"Perpendicular", Lua::Method<&Perpendicular>},
    {"Parallel", Lua::Method<&Parallel>},
    {"Alligned", Lua::Method<&Alligned>},
    {"AngleBetween", Lua::Method<&AngleBetween>},
    {"ClassifyToCircle", Lua::Method<&ClassifyToCircle>},
    {"Tangent", Lua::Method<&Tangent>},
    {"ClassifyToRay", Lua::Method<&ClassifyToRay>},
    {"ClassifyToLine", Lua::Method<&ClassifyToLine>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"LineSegment2D", methods, false};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace

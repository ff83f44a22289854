// Script methods of "Ray2D": every test pushes its code first, then its points and the shared
// shapes (the script's own copies).
#include "math/Math_Circle2D.h"
#include "math/Math_Line2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"
#include "script/Lua_ScriptClass.h"

namespace
{
using Math::Ray2D;

const Ray2D* OtherRay(lua_State* state)
{
    return Lua::ToValue<Ray2D>(state, 1, "Ray2D");
}

i32 GetOrigin(lua_State* state, Ray2D& ray)
{
    return Lua::PushPoint(state, ray.GetOrigin());
}

i32 SetOrigin(lua_State* state, Ray2D& ray)
{
    if (Lua::IsTable(state, 1))
        ray.SetOrigin(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetDirection(lua_State* state, Ray2D& ray)
{
    return Lua::PushVector(state, ray.GetDirection());
}

i32 SetDirection(lua_State* state, Ray2D& ray)
{
    if (Lua::IsTable(state, 1))
        ray.SetDirection(Lua::ToVector(state, 1));
    return 0;
}

i32 ClassifyToRay(lua_State* state, Ray2D& ray)
{
    const Ray2D* other = OtherRay(state);
    if (!other)
        return 0;
    Math::Point2D meeting;
    Math::LineSegment2D sharedSegment;
    Ray2D sharedRay;
    Lua::PushNumber(state, ray.ClassifyToRay(*other, meeting, sharedSegment, sharedRay));
    Lua::PushPoint(state, meeting);
    Lua::PushValueCopy(state, sharedSegment, "LineSegment2D");
    return 3 + Lua::PushValueCopy(state, sharedRay, "Ray2D");
}

i32 Perpendicular(lua_State* state, Ray2D& ray)
{
    const Ray2D* other = OtherRay(state);
    return other ? Lua::PushBoolean(state, ray.Perpendicular(*other)) : 0;
}

i32 Parallel(lua_State* state, Ray2D& ray)
{
    const Ray2D* other = OtherRay(state);
    return other ? Lua::PushBoolean(state, ray.Parallel(*other)) : 0;
}

i32 AngleBetween(lua_State* state, Ray2D& ray)
{
    const Ray2D* other = OtherRay(state);
    return other ? Lua::PushNumber(state, ray.AngleBetween(*other)) : 0;
}

i32 ClassifyToCircle(lua_State* state, Ray2D& ray)
{
    const Math::Circle2D* circle = Lua::ToValue<Math::Circle2D>(state, 1, "Circle2D");
    if (!circle)
        return 0;
    Math::Point2D first;
    Math::Point2D second;
    Lua::PushNumber(state, ray.ClassifyToCircle(*circle, first, second));
    Lua::PushPoint(state, first);
    return 2 + Lua::PushPoint(state, second);
}

i32 Tangent(lua_State* state, Ray2D& ray)
{
    const Math::Circle2D* circle = Lua::ToValue<Math::Circle2D>(state, 1, "Circle2D");
    if (!circle)
        return 0;
    Math::Point2D touching;
    Lua::PushBoolean(state, ray.Tangent(*circle, touching));
    return 1 + Lua::PushPoint(state, touching);
}

i32 ClassifyToLineSegment(lua_State* state, Ray2D& ray)
{
    const Math::LineSegment2D* segment = Lua::ToValue<Math::LineSegment2D>(state, 1, "LineSegment2D");
    if (!segment)
        return 0;
    Math::Point2D meeting;
    Math::LineSegment2D shared;
    Lua::PushNumber(state, ray.ClassifyToLineSegment(*segment, meeting, shared));
    Lua::PushPoint(state, meeting);
    return 2 + Lua::PushValueCopy(state, shared, "LineSegment2D");
}

i32 ClassifyToLine(lua_State* state, Ray2D& ray)
{
    const Math::Line2D* line = Lua::ToValue<Math::Line2D>(state, 1, "Line2D");
    if (!line)
        return 0;
    Math::Point2D meeting;
    Lua::PushNumber(state, ray.ClassifyToLine(*line, meeting));
    return 1 + Lua::PushPoint(state, meeting);
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"GetOrigin", Lua::Method<&GetOrigin>},
    {"SetOrigin", Lua::Method<&SetOrigin>},
    {"GetDirection", Lua::Method<&GetDirection>},
    {"SetDirection", Lua::Method<&SetDirection>},
    {"ClassifyToRay", Lua::Method<&ClassifyToRay>},
    {"Perpendicular", Lua::Method<&Perpendicular>},
    {"Parallel", Lua::Method<&Parallel>},
    {"AngleBetween", Lua::Method<&AngleBetween>},
    {"ClassifyToCircle", Lua::Method<&ClassifyToCircle>},
    {"Tangent", Lua::Method<&Tangent>},
    {"ClassifyToLineSegment", Lua::Method<&ClassifyToLineSegment>},
    {"ClassifyToLine", Lua::Method<&ClassifyToLine>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"Ray2D", methods, false};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace

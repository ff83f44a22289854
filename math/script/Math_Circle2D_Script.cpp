// Script methods of "Circle2D": the tests push their code, then their two points.
#include "math/Math_Circle2D.h"
#include "math/Math_LineSegment2D.h"
#include "script/Lua_ScriptClass.h"

namespace
{
using Math::Circle2D;

i32 GetCenter(lua_State* state, Circle2D& circle)
{
    return Lua::PushPoint(state, circle.GetCenter());
}

i32 SetCenter(lua_State* state, Circle2D& circle)
{
    if (Lua::IsTable(state, 1))
        circle.SetCenter(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetRadius(lua_State* state, Circle2D& circle)
{
    return Lua::PushNumber(state, circle.GetRadius());
}

i32 SetRadius(lua_State* state, Circle2D& circle)
{
    if (Lua::HasArguments(state, 1))
        circle.SetRadius(Lua::CheckFloat(state, 1));
    return 0;
}

i32 ClassifyToCircle(lua_State* state, Circle2D& circle)
{
    const Circle2D* other = Lua::ToValue<Circle2D>(state, 1, "Circle2D");
    if (!other)
        return 0;
    Math::Point2D first;
    Math::Point2D second;
    Lua::PushNumber(state, circle.ClassifyToCircle(*other, first, second));
    Lua::PushPoint(state, first);
    return 2 + Lua::PushPoint(state, second);
}

i32 ClassifyToLineSegment(lua_State* state, Circle2D& circle)
{
    const Math::LineSegment2D* segment = Lua::ToValue<Math::LineSegment2D>(state, 1, "LineSegment2D");
    if (!segment)
        return 0;
    Math::Point2D first;
    Math::Point2D second;
    Lua::PushNumber(state, circle.ClassifyToLineSegment(*segment, first, second));
    Lua::PushPoint(state, first);
    return 2 + Lua::PushPoint(state, second);
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"GetCenter", Lua::Method<&GetCenter>},
    {"SetCenter", Lua::Method<&SetCenter>},
    {"GetRadius", Lua::Method<&GetRadius>},
    {"SetRadius", Lua::Method<&SetRadius>},
    {"ClassifyToCircle", Lua::Method<&ClassifyToCircle>},
    {"ClassifyToLineSegment", Lua::Method<&ClassifyToLineSegment>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"Circle2D", methods, false};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace

// Script methods of "MouseImp". Buttons are numbers; a missing button gives no result.
#include "platform/Input_Mouse.h"
#include "script/Lua_ScriptClass.h"

namespace
{
using Input::MouseImp;

template <bool (MouseImp::*Query)(u32) const>
i32 ButtonQuery(lua_State* state, MouseImp& mouse)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushBoolean(state, (mouse.*Query)(Lua::CheckUnsigned(state, 1)));
}

i32 GetPosition(lua_State* state, MouseImp& mouse)
{
    return Lua::PushVector(state, mouse.GetPosition());
}

i32 GetPositionX(lua_State* state, MouseImp& mouse)
{
    return Lua::PushNumber(state, mouse.GetPositionX());
}

i32 GetPositionY(lua_State* state, MouseImp& mouse)
{
    return Lua::PushNumber(state, mouse.GetPositionY());
}

i32 IsInWindow(lua_State* state, MouseImp& mouse)
{
    return Lua::PushBoolean(state, mouse.IsInWindow());
}

i32 IsMoved(lua_State* state, MouseImp& mouse)
{
    return Lua::PushBoolean(state, mouse.IsMoved());
}

i32 IsCursorVisible(lua_State* state, MouseImp& mouse)
{
    return Lua::PushBoolean(state, mouse.IsCursorVisible());
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"GetPosition", Lua::Method<&GetPosition>},
    {"GetPositionX", Lua::Method<&GetPositionX>},
    {"GetPositionY", Lua::Method<&GetPositionY>},
    {"IsInWindow", Lua::Method<&IsInWindow>},
    {"IsMoved", Lua::Method<&IsMoved>},
    {"IsPressed", Lua::Method<&ButtonQuery<&MouseImp::IsPressed>>},
    {"IsTriggered", Lua::Method<&ButtonQuery<&MouseImp::IsTriggered>>},
    {"IsDown", Lua::Method<&ButtonQuery<&MouseImp::IsDown>>},
    {"IsUp", Lua::Method<&ButtonQuery<&MouseImp::IsUp>>},
    {"IsCursorVisible", Lua::Method<&IsCursorVisible>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"MouseImp", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace

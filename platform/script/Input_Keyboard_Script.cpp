// Script methods of "KeyboardImp". Keys are engine key codes; a missing key, or a number that is
// no engine key, gives no result.
#include "platform/Input_KeyCodes.h"
#include "platform/Input_Keyboard.h"
#include "script/Lua_ScriptClass.h"

namespace
{
using Input::KeyboardImp;

bool ReadKey(lua_State* state, u32& key)
{
    return Lua::HasArguments(state, 1) && Lua::CheckIndex(state, 1, Input::EngineKeyCount, key);
}

template <bool (KeyboardImp::*Query)(u32) const>
i32 KeyQuery(lua_State* state, KeyboardImp& keyboard)
{
    u32 key = 0;
    return ReadKey(state, key) ? Lua::PushBoolean(state, (keyboard.*Query)(key)) : 0;
}

i32 AnyKey(lua_State* state, KeyboardImp& keyboard)
{
    return Lua::PushBoolean(state, keyboard.AnyKey());
}

i32 GetPressed(lua_State* state, KeyboardImp& keyboard)
{
    u32 key = 0;
    return keyboard.GetPressed(key) ? Lua::PushNumber(state, key) : 0;
}

i32 GetTriggered(lua_State* state, KeyboardImp& keyboard)
{
    u32 key = 0;
    return keyboard.GetTriggered(key) ? Lua::PushNumber(state, key) : 0;
}

i32 GetKeyAsChar(lua_State* state, KeyboardImp& keyboard)
{
    u32 key = 0;
    return ReadKey(state, key) ? Lua::PushNumber(state, static_cast<signed char>(keyboard.GetKeyAsChar(key))) : 0;
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"IsPressed", Lua::Method<&KeyQuery<&KeyboardImp::IsPressed>>},
    {"IsTriggered", Lua::Method<&KeyQuery<&KeyboardImp::IsTriggered>>},
    {"IsDown", Lua::Method<&KeyQuery<&KeyboardImp::IsDown>>},
    {"IsUp", Lua::Method<&KeyQuery<&KeyboardImp::IsUp>>},
    {"AnyKey", Lua::Method<&AnyKey>},
    {"GetPressed", Lua::Method<&GetPressed>},
    {"GetTriggered", Lua::Method<&GetTriggered>},
    {"GetKeyAsChar", Lua::Method<&GetKeyAsChar>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"KeyboardImp", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace

#include "tests/support/Support_ScriptTestOwner.h"

#include "script/Lua_ScriptClass.h"

namespace
{
i32 ObjectFunction(lua_State* state, ScriptTestOwner& owner)
{
    return LuaScript::ObjectFunction(state, owner.script);
}

i32 CloseScript(lua_State*, ScriptTestOwner& owner)
{
    LuaScript::Close(owner.script);
    return 0;
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"ObjectFunction", Lua::Method<&ObjectFunction>},
    {"CloseScript", Lua::Method<&CloseScript>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"TestOwner", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace

// Script methods of "Text": the GameObject rows and the text's own.
#include "script/Lua_ScriptClass.h"
#include "framework/script/Vellumar_GameObject_Script.h"
#include "framework/drawables/Vellumar_Text.h"

namespace Vellumar
{
namespace
{
i32 SetText(lua_State* state, Text& text)
{
    if (Lua::HasArguments(state, 1))
        text.SetText(Lua::CheckString(state, 1));
    return 0;
}

i32 GetText(lua_State* state, Text& text)
{
    return Lua::PushString(state, text.GetText());
}

i32 SetHUDObject(lua_State* state, Text& text)
{
    if (Lua::HasArguments(state, 1))
        text.SetHUDObject(Lua::ToBoolean(state, 1));
    return 0;
}

i32 IsHUDObject(lua_State* state, Text& text)
{
    return Lua::PushBoolean(state, text.IsHUDObject());
}

const Vellumar::ScriptMethodEntry textMethods[] = {
    {"SetText", Lua::Method<&SetText>},
    {"GetText", Lua::Method<&GetText>},
    {"SetHUDObject", Lua::Method<&SetHUDObject>},
    {"IsHUDObject", Lua::Method<&IsHUDObject>},
    {"Clone", Lua::Method<&CloneForScript>},
    {nullptr, nullptr},
};
const Core::Vector<Vellumar::ScriptMethodEntry> methods = ComposeScriptMethods(textMethods, ManagedObjectsRow::Kept);
const Lua::ScriptClass scriptClass{"Text", methods.data(), true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar

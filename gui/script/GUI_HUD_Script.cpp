// The HUD's script methods, table "HUD".
#include "script/Lua_Stack.h"
#include "gui/script/GUI_Control_Script.h"
#include "gui/GUI_Form.h"
#include "gui/GUI_HUD.h"

#include <cmath>
#include <cstdlib>

namespace GUI
{
namespace
{
i32 ShowCursor(lua_State* state, HUD& self)
{
    if (Lua::HasArguments(state, 1))
        self.ShowCursor(Lua::ToBoolean(state, 1));
    return 0;
}

i32 IsCursorVisible(lua_State* state, HUD& self)
{
    return Lua::PushBoolean(state, self.IsCursorVisible());
}

i32 AddForm(lua_State* state, HUD& self)
{
    if (Lua::HasArguments(state, 1))
        self.AddForm(Lua::ToObject<Form>(state, 1));
    return 0;
}

// The number a string spells out whole, as Lua converts it.
bool ParseNumber(const Core::String& text, f64& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    while (end && (*end == ' ' || *end == '\t' || *end == '\n' || *end == '\r'))
        ++end;
    return end && *end == '\0';
}

// A number, or a string that converts to one, is an index into the forms; another string a name.
i32 GetForm(lua_State* state, HUD& self)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    Form* found = nullptr;
    f64 number = 0.0;
    const bool isNumber = Lua::IsNumber(state, 1);
    if (isNumber)
        number = Lua::CheckNumber(state, 1);
    if (isNumber || (Lua::IsString(state, 1) && ParseNumber(Lua::CheckString(state, 1), number)))
    {
        const f64 index = std::trunc(number);
        if (index >= 0.0 && index < static_cast<f64>(self.GetFormCount()))
            found = self.GetForm(static_cast<u32>(index));
    }
    else if (Lua::IsString(state, 1))
    {
        found = self.FindForm(Lua::CheckString(state, 1));
    }
    return found ? Lua::PushObject(state, found) : 0;
}

i32 IsLoading(lua_State* state, HUD& self)
{
    return Lua::PushBoolean(state, self.IsLoading());
}

const Vellumar::ScriptMethodEntry Methods[] = {
    {"ShowCursor", Lua::Method<&ShowCursor>},
    {"IsCursorVisible", Lua::Method<&IsCursorVisible>},
    {"AddForm", Lua::Method<&AddForm>},
    {"GetForm", Lua::Method<&GetForm>},
    {"IsLoading", Lua::Method<&IsLoading>},
    {nullptr, nullptr},
};

const Lua::ScriptClass HUDClass{"HUD", Methods, true};
const Lua::ScriptClassRegistrar hudClassRegistrar(HUDClass);
} // namespace

const Vellumar::ScriptMethodEntry* GetHUDScriptMethods()
{
    return Methods;
}
} // namespace GUI

// The script methods of buttons, table "Button": the button's own rows, then the control's.
#include "script/Lua_Stack.h"
#include "gui/GUI_Button.h"
#include "gui/script/GUI_Control_Script.h"

namespace GUI
{
namespace
{
i32 SetModulationColor(lua_State* state, Button& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetModulationColor(Lua::ToColor(state, 1));
    return 0;
}

// One argument is a point table; two or more are x and y.
i32 SetPosition(lua_State* state, Button& self)
{
    if (Lua::HasArguments(state, 2))
        self.SetPosition(Math::Point2D(Lua::CheckFloat(state, 1), Lua::CheckFloat(state, 2)));
    else if (Lua::HasArguments(state, 1))
        self.SetPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 SetVisible(lua_State* state, Button& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetVisible(Lua::ToBoolean(state, 1));
    return 0;
}

constexpr std::array<Vellumar::ScriptMethodEntry, 6> OwnRows{{
    {"SetModulationColor", Lua::Method<&SetModulationColor>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"SetOpacity", Lua::Method<&ControlScript::SharedSetOpacity>},
    {"SetVisible", Lua::Method<&SetVisible>},
    {"SetEnabled", Lua::Method<&ControlScript::SharedSetEnabled>},
    {"UpdatePosition", Lua::Method<&ControlScript::UpdatePosition>},
}};

constexpr auto ButtonTable = ControlScript::BuildTable(
    OwnRows, std::array<const char*, 6>{"SetModulationColor", "SetPosition", "SetOpacity", "SetVisible", "SetEnabled",
                                        "UpdatePosition"});
const Lua::ScriptClass ButtonClass{"Button", ButtonTable.data(), true};
const Lua::ScriptClassRegistrar buttonClassRegistrar(ButtonClass);
} // namespace

const Vellumar::ScriptMethodEntry* GetButtonScriptMethods()
{
    return ButtonTable.data();
}
} // namespace GUI

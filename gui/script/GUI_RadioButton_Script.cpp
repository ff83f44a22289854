// The script methods of radio buttons, table "RadioButton": its own rows, then the control's.
#include "script/Lua_Stack.h"
#include "gui/script/GUI_Control_Script.h"
#include "gui/GUI_RadioButton.h"

namespace GUI
{
namespace
{
i32 SetModulationColor(lua_State* state, RadioButton& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetModulationColor(Lua::ToColor(state, 1));
    return 0;
}

// A point table only: anything else reads as (0, 0).
i32 SetPosition(lua_State* state, RadioButton& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 SetVisible(lua_State* state, RadioButton& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetVisible(Lua::ToBoolean(state, 1));
    return 0;
}

i32 SetChecked(lua_State* state, RadioButton& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetChecked(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetChecked(lua_State* state, RadioButton& self)
{
    return Lua::PushBoolean(state, self.IsChecked());
}

constexpr std::array<Vellumar::ScriptMethodEntry, 8> OwnRows{{
    {"UpdatePosition", Lua::Method<&ControlScript::UpdatePosition>},
    {"SetModulationColor", Lua::Method<&SetModulationColor>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"SetOpacity", Lua::Method<&ControlScript::SharedSetOpacity>},
    {"SetVisible", Lua::Method<&SetVisible>},
    {"SetEnabled", Lua::Method<&ControlScript::SharedSetEnabled>},
    {"SetChecked", Lua::Method<&SetChecked>},
    {"GetChecked", Lua::Method<&GetChecked>},
}};

constexpr auto RadioButtonTable = ControlScript::BuildTable(
    OwnRows, std::array<const char*, 6>{"SetModulationColor", "SetPosition", "SetOpacity", "SetVisible", "SetEnabled",
                                        "UpdatePosition"});
const Lua::ScriptClass RadioButtonClass{"RadioButton", RadioButtonTable.data(), true};
const Lua::ScriptClassRegistrar radioButtonClassRegistrar(RadioButtonClass);
} // namespace

const Vellumar::ScriptMethodEntry* GetRadioButtonScriptMethods()
{
    return RadioButtonTable.data();
}
} // namespace GUI

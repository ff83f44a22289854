#pragma once
// The control's script methods and the rows of the script tables "Control", "Form", "Button" and
// "RadioButton". The form's, button's and radio button's tables reuse the control's methods for
// most rows, so the rows are built here, as constant data, from one list.
#include "core/Core_Types.h"
#include "script/Lua_Accessors.h"
#include "script/Lua_ScriptClass.h"
#include "gui/GUI_Control.h"

#include <array>
#include <cstddef>

namespace GUI
{
namespace ControlScript
{
// The setter of the whole position, picked from its overloads.
inline constexpr void (Control::*SetWholePosition)(const Math::Point2D&) = &Control::SetPosition;

i32 SetPosition(lua_State* state, Control& self);
i32 GetPosition(lua_State* state, Control& self);
i32 SetControlSize(lua_State* state, Control& self);
i32 GetControlSize(lua_State* state, Control& self);
i32 Destroy(lua_State* state, Control& self);
i32 GetRectangle(lua_State* state, Control& self);
i32 GetClientRectangle(lua_State* state, Control& self);
i32 SetUserData(lua_State* state, Control& self);
i32 GetUserData(lua_State* state, Control& self);
i32 AddControl(lua_State* state, Control& self);
i32 GetControl(lua_State* state, Control& self);
i32 GetParent(lua_State* state, Control& self);
i32 UpdatePosition(lua_State* state, Control& self);

// The control's table, in order.
inline constexpr std::array<Vellumar::ScriptMethodEntry, 45> ControlRows{{
    {"SetPosition", Lua::Method<&SetPosition>},
    {"SetPositionX", Lua::Method<&Lua::SetX<&Control::GetPosition, SetWholePosition>>},
    {"SetPositionY", Lua::Method<&Lua::SetY<&Control::GetPosition, SetWholePosition>>},
    {"GetPosition", Lua::Method<&GetPosition>},
    {"GetPositionX", Lua::Method<&Lua::GetX<&Control::GetPosition>>},
    {"GetPositionY", Lua::Method<&Lua::GetY<&Control::GetPosition>>},
    {"SetWidth", Lua::Method<&Lua::SetValue<&Control::SetWidth>>},
    {"GetWidth", Lua::Method<&Lua::GetValue<&Control::GetWidth>>},
    {"SetHeight", Lua::Method<&Lua::SetValue<&Control::SetHeight>>},
    {"GetHeight", Lua::Method<&Lua::GetValue<&Control::GetHeight>>},
    {"SetControlSize", Lua::Method<&SetControlSize>},
    {"GetControlSize", Lua::Method<&GetControlSize>},
    {"SetSkin", Lua::Method<&Lua::SetValue<&Control::SetSkin>>},
    {"GetSkin", Lua::Method<&Lua::GetValue<&Control::GetSkin>>},
    {"SetText", Lua::Method<&Lua::SetValue<&Control::SetText>>},
    {"GetText", Lua::Method<&Lua::GetValue<&Control::GetText>>},
    {"SetVisible", Lua::Method<&Lua::SetValue<&Control::SetVisible>>},
    {"GetVisible", Lua::Method<&Lua::GetValue<&Control::IsVisibleInTree>>},
    {"SetFont", Lua::Method<&Lua::SetValue<&Control::SetFont>>},
    {"GetFont", Lua::Method<&Lua::GetValue<&Control::GetFontName>>},
    {"SetModulationColor", Lua::Method<&Lua::SetValue<&Control::SetModulationColor>>},
    {"GetModulationColor", Lua::Method<&Lua::GetValue<&Control::GetModulationColor>>},
    {"SetTextModulationColor", Lua::Method<&Lua::SetValue<&Control::SetTextModulationColor>>},
    {"GetTextModulationColor", Lua::Method<&Lua::GetValue<&Control::GetTextModulationColor>>},
    {"SetOpacity", Lua::Method<&Lua::SetValue<&Control::SetOpacity>>},
    {"GetOpacity", Lua::Method<&Lua::GetValue<&Control::GetEffectiveOpacity>>},
    {"SetEnabled", Lua::Method<&Lua::SetValue<&Control::SetEnabled>>},
    {"GetEnabled", Lua::Method<&Lua::GetValue<&Control::IsEnabledInTree>>},
    {"SetName", Lua::Method<&Lua::SetValue<&Control::SetName>>},
    {"GetName", Lua::Method<&Lua::GetValue<&Control::GetName>>},
    {"SetTabStop", Lua::Method<&Lua::SetValue<&Control::SetTabStop>>},
    {"GetTabStop", Lua::Method<&Lua::GetValue<&Control::GetTabStop>>},
    {"SetTabIndex", Lua::Method<&Lua::SetValue<&Control::SetTabIndex>>},
    {"GetTabIndex", Lua::Method<&Lua::GetValue<&Control::GetTabIndex>>},
    {"Destroy", Lua::Method<&Destroy>},
    {"GetRectangle", Lua::Method<&GetRectangle>},
    {"GetClientRectangle", Lua::Method<&GetClientRectangle>},
    {"GetFocused", Lua::Method<&Lua::GetValue<&Control::IsFocused>>},
    {"SetUserData", Lua::Method<&SetUserData>},
    {"GetUserData", Lua::Method<&GetUserData>},
    {"AddControl", Lua::Method<&AddControl>},
    {"GetControl", Lua::Method<&GetControl>},
    {"GetParent", Lua::Method<&GetParent>},
    {"GetControlsCount", Lua::Method<&Lua::GetValue<&Control::GetChildCount>>},
    {"UpdatePosition", Lua::Method<&UpdatePosition>},
}};

constexpr bool SameName(const char* a, const char* b)
{
    while (*a && *a == *b)
    {
        ++a;
        ++b;
    }
    return *a == *b;
}

// A class's table: its own rows first, then the control's rows except the skipped names (in the
// control's order), then the empty end row.
template <std::size_t Own, std::size_t Skipped>
constexpr auto BuildTable(const std::array<Vellumar::ScriptMethodEntry, Own>& own,
                          const std::array<const char*, Skipped>& skipped)
{
    std::array<Vellumar::ScriptMethodEntry, Own + ControlRows.size() - Skipped + 1> table{};
    std::size_t next = 0;
    for (const Vellumar::ScriptMethodEntry& row : own)
        table[next++] = row;
    for (const Vellumar::ScriptMethodEntry& row : ControlRows)
    {
        bool skip = false;
        for (const char* name : skipped)
            skip = skip || SameName(row.name, name);
        if (!skip)
            table[next++] = row;
    }
    table[next] = Vellumar::ScriptMethodEntry{nullptr, nullptr};
    return table;
}

// The opacity setter shared by the form's, button's and radio button's tables.
i32 SharedSetOpacity(lua_State* state, Control& self);
// The enabled setter shared by the button's and radio button's tables.
i32 SharedSetEnabled(lua_State* state, Control& self);
} // namespace ControlScript

const Vellumar::ScriptMethodEntry* GetControlScriptMethods();
const Vellumar::ScriptMethodEntry* GetFormScriptMethods();
const Vellumar::ScriptMethodEntry* GetButtonScriptMethods();
const Vellumar::ScriptMethodEntry* GetRadioButtonScriptMethods();
const Vellumar::ScriptMethodEntry* GetHUDScriptMethods();
} // namespace GUI

#pragma once
// The control's script methods and the rows of the script tables "Control", "Form", "Button" and
// "RadioButton". The form's, button's and radio button's tables reuse the control's methods for
// most rows, so the rows are built here, as constant data, from one list.
#include "core/Core_Types.h"
#include "core/Lua_ScriptClass.h"

#include <array>
#include <cstddef>

namespace GUI
{
class Control;

namespace ControlScript
{
i32 SetPosition(lua_State* state, Control& self);
i32 SetPositionX(lua_State* state, Control& self);
i32 SetPositionY(lua_State* state, Control& self);
i32 GetPosition(lua_State* state, Control& self);
i32 GetPositionX(lua_State* state, Control& self);
i32 GetPositionY(lua_State* state, Control& self);
i32 SetWidth(lua_State* state, Control& self);
i32 GetWidth(lua_State* state, Control& self);
i32 SetHeight(lua_State* state, Control& self);
i32 GetHeight(lua_State* state, Control& self);
i32 SetControlSize(lua_State* state, Control& self);
i32 GetControlSize(lua_State* state, Control& self);
i32 SetSkin(lua_State* state, Control& self);
i32 GetSkin(lua_State* state, Control& self);
i32 SetText(lua_State* state, Control& self);
i32 GetText(lua_State* state, Control& self);
i32 SetVisible(lua_State* state, Control& self);
i32 GetVisible(lua_State* state, Control& self);
i32 SetFont(lua_State* state, Control& self);
i32 GetFont(lua_State* state, Control& self);
i32 SetModulationColor(lua_State* state, Control& self);
i32 GetModulationColor(lua_State* state, Control& self);
i32 SetTextModulationColor(lua_State* state, Control& self);
i32 GetTextModulationColor(lua_State* state, Control& self);
i32 SetOpacity(lua_State* state, Control& self);
i32 GetOpacity(lua_State* state, Control& self);
i32 SetEnabled(lua_State* state, Control& self);
i32 GetEnabled(lua_State* state, Control& self);
i32 SetName(lua_State* state, Control& self);
i32 GetName(lua_State* state, Control& self);
i32 SetTabStop(lua_State* state, Control& self);
i32 GetTabStop(lua_State* state, Control& self);
i32 SetTabIndex(lua_State* state, Control& self);
i32 GetTabIndex(lua_State* state, Control& self);
i32 Destroy(lua_State* state, Control& self);
i32 GetRectangle(lua_State* state, Control& self);
i32 GetClientRectangle(lua_State* state, Control& self);
i32 GetFocused(lua_State* state, Control& self);
i32 SetUserData(lua_State* state, Control& self);
i32 GetUserData(lua_State* state, Control& self);
i32 AddControl(lua_State* state, Control& self);
i32 GetControl(lua_State* state, Control& self);
i32 GetParent(lua_State* state, Control& self);
i32 GetControlsCount(lua_State* state, Control& self);
i32 UpdatePosition(lua_State* state, Control& self);

// The control's table, in order.
inline constexpr std::array<Vellumar::ScriptMethodEntry, 45> ControlRows{{
    {"SetPosition", Lua::Method<&SetPosition>},
    {"SetPositionX", Lua::Method<&SetPositionX>},
    {"SetPositionY", Lua::Method<&SetPositionY>},
    {"GetPosition", Lua::Method<&GetPosition>},
    {"GetPositionX", Lua::Method<&GetPositionX>},
    {"GetPositionY", Lua::Method<&GetPositionY>},
    {"SetWidth", Lua::Method<&SetWidth>},
    {"GetWidth", Lua::Method<&GetWidth>},
    {"SetHeight", Lua::Method<&SetHeight>},
    {"GetHeight", Lua::Method<&GetHeight>},
    {"SetControlSize", Lua::Method<&SetControlSize>},
    {"GetControlSize", Lua::Method<&GetControlSize>},
    {"SetSkin", Lua::Method<&SetSkin>},
    {"GetSkin", Lua::Method<&GetSkin>},
    {"SetText", Lua::Method<&SetText>},
    {"GetText", Lua::Method<&GetText>},
    {"SetVisible", Lua::Method<&SetVisible>},
    {"GetVisible", Lua::Method<&GetVisible>},
    {"SetFont", Lua::Method<&SetFont>},
    {"GetFont", Lua::Method<&GetFont>},
    {"SetModulationColor", Lua::Method<&SetModulationColor>},
    {"GetModulationColor", Lua::Method<&GetModulationColor>},
    {"SetTextModulationColor", Lua::Method<&SetTextModulationColor>},
    {"GetTextModulationColor", Lua::Method<&GetTextModulationColor>},
    {"SetOpacity", Lua::Method<&SetOpacity>},
    {"GetOpacity", Lua::Method<&GetOpacity>},
    {"SetEnabled", Lua::Method<&SetEnabled>},
    {"GetEnabled", Lua::Method<&GetEnabled>},
    {"SetName", Lua::Method<&SetName>},
    {"GetName", Lua::Method<&GetName>},
    {"SetTabStop", Lua::Method<&SetTabStop>},
    {"GetTabStop", Lua::Method<&GetTabStop>},
    {"SetTabIndex", Lua::Method<&SetTabIndex>},
    {"GetTabIndex", Lua::Method<&GetTabIndex>},
    {"Destroy", Lua::Method<&Destroy>},
    {"GetRectangle", Lua::Method<&GetRectangle>},
    {"GetClientRectangle", Lua::Method<&GetClientRectangle>},
    {"GetFocused", Lua::Method<&GetFocused>},
    {"SetUserData", Lua::Method<&SetUserData>},
    {"GetUserData", Lua::Method<&GetUserData>},
    {"AddControl", Lua::Method<&AddControl>},
    {"GetControl", Lua::Method<&GetControl>},
    {"GetParent", Lua::Method<&GetParent>},
    {"GetControlsCount", Lua::Method<&GetControlsCount>},
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

// The script methods of forms, table "Form": the form's own rows, then the control's.
#include "script/Lua_Stack.h"
#include "gui/script/GUI_Control_Script.h"
#include "gui/GUI_Form.h"

namespace GUI
{
namespace
{
i32 Close(lua_State*, Form& self)
{
    self.Close();
    return 0;
}

i32 SetPosition(lua_State* state, Form& self)
{
    if (Lua::HasArguments(state, 2))
        self.SetPosition(Math::Point2D(Lua::CheckFloat(state, 1), Lua::CheckFloat(state, 2)));
    else if (Lua::HasArguments(state, 1))
        self.SetPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 SetVisible(lua_State* state, Form& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetVisible(Lua::ToBoolean(state, 1));
    return 0;
}

i32 SetModal(lua_State* state, Form& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetModal(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetModal(lua_State* state, Form& self)
{
    return Lua::PushBoolean(state, self.GetModal());
}

i32 SetShowOnlyControls(lua_State* state, Form& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetShowOnlyControls(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetShowOnlyControls(lua_State* state, Form& self)
{
    return Lua::PushBoolean(state, self.GetShowOnlyControls());
}

i32 SetPicture(lua_State* state, Form& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetPicture(Lua::CheckString(state, 1));
    return 0;
}

i32 GetPicture(lua_State* state, Form& self)
{
    return Lua::PushString(state, self.GetPicture());
}

i32 SetInactiveModulationColor(lua_State* state, Form& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetInactiveModulationColor(Lua::ToColor(state, 1));
    return 0;
}

i32 GetInactiveModulationColor(lua_State* state, Form& self)
{
    return Lua::PushColor(state, self.GetInactiveModulationColor());
}

i32 SetCloseButtonVisible(lua_State* state, Form& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetCloseButtonVisible(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetCloseButtonVisible(lua_State* state, Form& self)
{
    return Lua::PushBoolean(state, self.GetCloseButtonVisible());
}

// A border's setter and getter: the setter lays the frame out again.
template <void (Form::*Set)(f32)>
i32 SetBorder(lua_State* state, Form& self)
{
    if (Lua::HasArguments(state, 1))
        (self.*Set)(Lua::CheckFloat(state, 1));
    return 0;
}

template <f32 (Form::*Get)() const>
i32 GetBorder(lua_State* state, Form& self)
{
    return Lua::PushNumber(state, (self.*Get)());
}

constexpr std::array<Vellumar::ScriptMethodEntry, 22> OwnRows{{
    {"Close", Lua::Method<&Close>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"SetOpacity", Lua::Method<&ControlScript::SharedSetOpacity>},
    {"SetVisible", Lua::Method<&SetVisible>},
    {"SetModal", Lua::Method<&SetModal>},
    {"GetModal", Lua::Method<&GetModal>},
    {"SetShowOnlyControls", Lua::Method<&SetShowOnlyControls>},
    {"GetShowOnlyControls", Lua::Method<&GetShowOnlyControls>},
    {"SetPicture", Lua::Method<&SetPicture>},
    {"GetPicture", Lua::Method<&GetPicture>},
    {"SetInactiveModulationColor", Lua::Method<&SetInactiveModulationColor>},
    {"GetInactiveModulationColor", Lua::Method<&GetInactiveModulationColor>},
    {"SetCloseButtonVisible", Lua::Method<&SetCloseButtonVisible>},
    {"GetCloseButtonVisible", Lua::Method<&GetCloseButtonVisible>},
    {"SetCaptionHeight", Lua::Method<&SetBorder<&Form::SetCaptionHeight>>},
    {"GetCaptionHeight", Lua::Method<&GetBorder<&Form::GetCaptionHeight>>},
    {"SetBottomBorderHeight", Lua::Method<&SetBorder<&Form::SetBottomBorderHeight>>},
    {"GetBottomBorderHeight", Lua::Method<&GetBorder<&Form::GetBottomBorderHeight>>},
    {"SetLeftBorderWidth", Lua::Method<&SetBorder<&Form::SetLeftBorderWidth>>},
    {"GetLeftBorderWidth", Lua::Method<&GetBorder<&Form::GetLeftBorderWidth>>},
    {"SetRightBorderWidth", Lua::Method<&SetBorder<&Form::SetRightBorderWidth>>},
    {"GetRightBorderWidth", Lua::Method<&GetBorder<&Form::GetRightBorderWidth>>},
}};

constexpr auto FormTable = ControlScript::BuildTable(
    OwnRows, std::array<const char*, 4>{"SetPosition", "SetVisible", "SetOpacity", "UpdatePosition"});
const Lua::ScriptClass FormClass{"Form", FormTable.data(), true};
const Lua::ScriptClassRegistrar formClassRegistrar(FormClass);
} // namespace

const Vellumar::ScriptMethodEntry* GetFormScriptMethods()
{
    return FormTable.data();
}
} // namespace GUI

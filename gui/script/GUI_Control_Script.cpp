// The script methods of controls, table "Control". Setters without their argument change nothing.
#include "gui/script/GUI_Control_Script.h"
#include "gui/script/GUI_Size_Script.h"

#include "script/Lua_Stack.h"
#include "gui/GUI_Control.h"
#include "gui/GUI_HUD.h"
#include "gui/GUI_Size.h"

namespace GUI
{
namespace ControlScript
{
i32 SetPosition(lua_State* state, Control& self)
{
    if (Lua::HasArguments(state, 2))
        self.SetPosition(Math::Point2D(Lua::CheckFloat(state, 1), Lua::CheckFloat(state, 2)));
    else if (Lua::HasArguments(state, 1))
        self.SetPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetPosition(lua_State* state, Control& self)
{
    return Lua::PushPoint(state, self.GetPosition());
}

i32 SetControlSize(lua_State* state, Control& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetControlSize(ReadSize(state, 1));
    return 0;
}

i32 GetControlSize(lua_State* state, Control& self)
{
    PushSize(state, self.GetWidth(), self.GetHeight());
    return 1;
}

i32 Destroy(lua_State*, Control& self)
{
    self.Destroy();
    return 0;
}

i32 GetRectangle(lua_State* state, Control& self)
{
    return Lua::PushValueCopy(state, self.GetRectangle(), "NRectangle");
}

i32 GetClientRectangle(lua_State* state, Control& self)
{
    return Lua::PushValueCopy(state, self.GetClientRectangle(), "NRectangle");
}

i32 SetUserData(lua_State* state, Control& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetUserData(Lua::ToObject<Core::Object>(state, 1));
    return 0;
}

i32 GetUserData(lua_State* state, Control& self)
{
    if (!self.GetUserData())
        return 0;
    return Lua::PushObject(state, self.GetUserData());
}

i32 AddControl(lua_State* state, Control& self)
{
    if (Lua::HasArguments(state, 1))
        self.AddControl(Lua::ToObject<Control>(state, 1));
    return 0;
}

i32 GetControl(lua_State* state, Control& self)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    Control* found = nullptr;
    u32 index = 0;
    if (Lua::IsNumber(state, 1))
        found = Lua::CheckIndex(state, 1, self.GetChildCount(), index) ? self.GetChild(index) : nullptr;
    else if (Lua::IsString(state, 1))
        found = self.FindControl(Lua::CheckString(state, 1));
    return found ? Lua::PushObject(state, found) : 0;
}

i32 GetParent(lua_State* state, Control& self)
{
    return self.GetParent() ? Lua::PushObject(state, self.GetParent()) : 0;
}

i32 UpdatePosition(lua_State*, Control& self)
{
    self.UpdatePosition();
    return 0;
}

i32 SharedSetOpacity(lua_State* state, Control& self)
{
    if (Lua::HasArguments(state, 1))
        self.Control::SetOpacity(Lua::CheckFloat(state, 1));
    return 0;
}

i32 SharedSetEnabled(lua_State* state, Control& self)
{
    if (Lua::HasArguments(state, 1))
        self.Control::SetEnabled(Lua::ToBoolean(state, 1));
    return 0;
}
} // namespace ControlScript

namespace
{
constexpr auto ControlTable = ControlScript::BuildTable(std::array<Vellumar::ScriptMethodEntry, 0>{},
                                                        std::array<const char*, 0>{});
const Lua::ScriptClass ControlClass{"Control", ControlTable.data(), true};
const Lua::ScriptClassRegistrar controlClassRegistrar(ControlClass);
} // namespace

const Vellumar::ScriptMethodEntry* GetControlScriptMethods()
{
    return ControlTable.data();
}
} // namespace GUI

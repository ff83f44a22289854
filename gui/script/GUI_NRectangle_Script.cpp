// The script methods of rectangles, table "NRectangle". A rectangle reaches scripts as a userdata
// that does not own it; only the rectangle "Intersect" makes belongs to its userdata.
#include "gui/script/GUI_NRectangle_Script.h"
#include "gui/script/GUI_Size_Script.h"

#include "script/Lua_ScriptClass.h"
#include "script/Lua_Stack.h"
#include "gui/GUI_NRectangle.h"
#include "gui/GUI_Size.h"

namespace GUI
{
namespace
{
i32 LuaZeroize(lua_State*, NRectangle& self)
{
    self = NRectangle();
    return 0;
}

i32 SetPosition(lua_State* state, NRectangle& self)
{
    if (Lua::HasArguments(state, 1))
        self.SetPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetPosition(lua_State* state, NRectangle& self)
{
    return Lua::PushPoint(state, self.GetPosition());
}

i32 SetSize(lua_State* state, NRectangle& self)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    const Size size = ReadSize(state, 1);
    self.width = size.width;
    self.height = size.height;
    return 0;
}

i32 GetSize(lua_State* state, NRectangle& self)
{
    PushSize(state, self.width, self.height);
    return 1;
}

// Setters of one field from a number; nothing without an argument.
template <f32 NRectangle::*Field>
i32 SetField(lua_State* state, NRectangle& self)
{
    if (Lua::HasArguments(state, 1))
        self.*Field = Lua::CheckFloat(state, 1);
    return 0;
}

template <f32 NRectangle::*Field>
i32 GetField(lua_State* state, NRectangle& self)
{
    return Lua::PushNumber(state, self.*Field);
}

i32 GetRight(lua_State* state, NRectangle& self)
{
    return Lua::PushNumber(state, self.GetRight());
}

i32 GetTop(lua_State* state, NRectangle& self)
{
    return Lua::PushNumber(state, self.GetTop());
}

i32 IsInside(lua_State* state, NRectangle& self)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    return Lua::PushBoolean(state, self.IsInside(Lua::CheckFloat(state, 1), Lua::CheckFloat(state, 2)));
}

i32 IsValid(lua_State* state, NRectangle& self)
{
    return Lua::PushBoolean(state, self.IsValid());
}

i32 Translate(lua_State* state, NRectangle& self)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    self.x += Lua::CheckFloat(state, 1);
    self.y += Lua::CheckFloat(state, 2);
    return 0;
}

// Takes its two rectangles from the arguments, not from the receiver; the overlap is pushed
// whether it is valid or not.
i32 Intersect(lua_State* state, NRectangle&)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    const NRectangle* a = Lua::ToObject<NRectangle>(state, 1);
    const NRectangle* b = Lua::ToObject<NRectangle>(state, 2);
    if (!a || !b)
        return 0;
    NRectangle overlap;
    NRectangle::Intersect(overlap, *a, *b);
    return Lua::PushValueCopy(state, overlap, "NRectangle");
}

const Vellumar::ScriptMethodEntry Methods[] = {
    {"LuaZeroize", Lua::Method<&LuaZeroize>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"GetPosition", Lua::Method<&GetPosition>},
    {"SetSize", Lua::Method<&SetSize>},
    {"GetSize", Lua::Method<&GetSize>},
    {"SetLeft", Lua::Method<&SetField<&NRectangle::x>>},
    {"GetLeft", Lua::Method<&GetField<&NRectangle::x>>},
    {"SetBottom", Lua::Method<&SetField<&NRectangle::y>>},
    {"GetBottom", Lua::Method<&GetField<&NRectangle::y>>},
    {"SetWidth", Lua::Method<&SetField<&NRectangle::width>>},
    {"GetWidth", Lua::Method<&GetField<&NRectangle::width>>},
    {"SetHeight", Lua::Method<&SetField<&NRectangle::height>>},
    {"GetHeight", Lua::Method<&GetField<&NRectangle::height>>},
    {"GetRight", Lua::Method<&GetRight>},
    {"GetTop", Lua::Method<&GetTop>},
    {"IsInside", Lua::Method<&IsInside>},
    {"IsValid", Lua::Method<&IsValid>},
    {"Translate", Lua::Method<&Translate>},
    {"Intersect", Lua::Method<&Intersect>},
    {nullptr, nullptr},
};

const Lua::ScriptClass RectangleClass{"NRectangle", Methods, true};
const Lua::ScriptClassRegistrar rectangleRegistrar(RectangleClass);
} // namespace

const Vellumar::ScriptMethodEntry* GetRectangleScriptMethods()
{
    return Methods;
}
} // namespace GUI

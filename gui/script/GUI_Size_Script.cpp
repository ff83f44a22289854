#include "gui/script/GUI_Size_Script.h"

#include "script/Lua_ScriptEngine.h"

namespace GUI
{
Size ReadSize(lua_State* state, i32 index)
{
    Size size;
    LuaScript::ReadSize(state, index, size.width, size.height);
    return size;
}

i32 PushSize(lua_State* state, f32 width, f32 height)
{
    return LuaScript::PushSize(state, width, height);
}
} // namespace GUI

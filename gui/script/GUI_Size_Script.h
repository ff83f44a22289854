#pragma once
// Sizes as scripts see them: tables with the fields "Width" and "Height".
#include "core/Core_Types.h"
#include "gui/GUI_Size.h"

struct lua_State;

namespace GUI
{
// The size table at the stack index; (0, 0) for a value that is not a table.
Size ReadSize(lua_State* state, i32 index);
// Pushes a new size table with the two fields; returns its stack index.
i32 PushSize(lua_State* state, f32 width, f32 height);
}  // namespace GUI

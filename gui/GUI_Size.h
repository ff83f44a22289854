#pragma once
// A width and a height in pixels; scripts see it as a table with the fields "Width" and "Height",
// made by the script global "CreateSize".
#include "core/Core_Types.h"

struct lua_State;

namespace GUI
{
struct Size
{
    f32 width = 0.0f;
    f32 height = 0.0f;
};

// The size table at the stack index; (0, 0) for a value that is not a table.
Size ReadSize(lua_State* state, i32 index);
// Pushes a new size table with the two fields; returns its stack index.
i32 PushSize(lua_State* state, f32 width, f32 height);
} // namespace GUI

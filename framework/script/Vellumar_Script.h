#pragma once
// What the framework classes' script methods share.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"

struct lua_State;

namespace Vellumar
{
class GameObject;
class Viewport;

// A new table {1 = object, 2 = object, ...}, each object pushed through its own PushToScript.
i32 PushGameObjects(lua_State* state, const Core::Vector<GameObject*>& objects);

// The viewport argument of "IsInViewport": a viewport, or the index of one of the current level's
// viewports (null for an index that names none). False for any other argument.
bool ReadViewportArgument(lua_State* state, const Viewport*& viewport);
}  // namespace Vellumar

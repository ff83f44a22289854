#pragma once
// What the framework classes' script methods share.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"

struct lua_State;

namespace Vellumar
{
class GameObject;

// A new table {1 = object, 2 = object, ...}, each object pushed through its own PushToScript.
i32 PushGameObjects(lua_State* state, const Core::Vector<GameObject*>& objects);
}  // namespace Vellumar

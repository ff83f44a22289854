#pragma once
// The "GameObject" rows, which the tables of the object classes derived from it repeat.
#include <initializer_list>
#include "core/Core_Memory.h"
#include "core/Lua_ScriptClass.h"

namespace Vellumar
{
class GameObject;

// A derived class's table: the GameObject rows but those named in left out, "SaveNetworkData" and
// "LoadNetworkData", then its own rows, then the terminating empty entry.
// "Clone" of the object classes: the copy (slot Clone) runs the original's compiled script for
// itself, without its "Constructor", and is pushed.
i32 CloneForScript(lua_State* state, GameObject& object);

Core::Vector<ScriptMethodEntry> ComposeScriptMethods(std::initializer_list<const char*> leftOut,
                                                    const ScriptMethodEntry* own);
}  // namespace Vellumar

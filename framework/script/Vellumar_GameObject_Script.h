#pragma once
// The "GameObject" rows, which the tables of the object classes derived from it repeat.
#include "core/Core_Memory.h"
#include "script/Lua_ScriptClass.h"

namespace Vellumar
{
class GameObject;

// "Clone" of the object classes: the copy (slot Clone) runs the original's compiled script for
// itself, without its "Constructor", and is pushed.
i32 CloneForScript(lua_State* state, GameObject& object);

// Whether a derived table keeps the GameObject's "AddManagedObject" row as its second one.
enum class ManagedObjectsRow
{
    Left,
    Kept
};

// A derived class's table: the block every object table shares (the GameObject rows without
// "AddManagedObject", then "SaveNetworkData" and "LoadNetworkData"), then its own rows, then the
// terminating empty entry. The text table alone keeps "AddManagedObject" after "ObjectFunction".
Core::Vector<ScriptMethodEntry> ComposeScriptMethods(const ScriptMethodEntry* own,
                                                    ManagedObjectsRow managed = ManagedObjectsRow::Left);
}  // namespace Vellumar

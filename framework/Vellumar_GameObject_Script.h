#pragma once
// The "GameObject" rows, which the tables of the object classes derived from it repeat.
#include <initializer_list>
#include "core/Core_Memory.h"
#include "framework/Lua_ScriptClass.h"

namespace Vellumar
{
// A derived class's table: the GameObject rows but those named in left out, then its own rows,
// then the terminating empty entry.
Core::Vector<ScriptMethodEntry> ComposeScriptMethods(std::initializer_list<const char*> leftOut,
                                                    const ScriptMethodEntry* own);
}  // namespace Vellumar

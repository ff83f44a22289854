#pragma once
// Paths of the game's resource files, built from names that saved games and scripts hand in. Such
// a name may only pick a file (or a folder) inside a resource folder, never climb out of it.
#include "core/Core_String.h"

namespace Core
{
class Base;
}

namespace Vellumar
{
class GameObject;

// A name without separators that is neither "." nor "..".
bool IsResourceName(const Core::String& name);
// The executable directory + "\Resources\" + folder + "\" + name, or the empty string when the
// name is empty or not a resource name.
Core::String ResourceFile(const char* folder, const Core::String& name);
// As above with one sub-folder of the folder between them; empty unless both names are resource
// names.
Core::String ResourceFile(const char* folder, const Core::String& subFolder, const Core::String& name);

// The folder whose Resources\Scripts scripts attach from: the running game's script directory, the
// executable directory while no game lives.
Core::String ScriptDirectory();

// After a copy was made: the copy's script hears "OnClone" with the source as its argument.
void NotifyClone(GameObject& copy, const GameObject& source);
}  // namespace Vellumar

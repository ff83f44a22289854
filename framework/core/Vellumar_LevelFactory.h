#pragma once
// Builds the game's levels in code, by index; the game supplies the only implementation.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

namespace Vellumar
{
class Level;

class LevelFactory : public Core::Object
{
public:
    // Valid indices are 0 .. count - 1.
    virtual u32 GetLevelsCount() = 0;
    // The populated level of that index; the game takes a counted reference.
    virtual Level* CreateLevel(u32 index) = 0;
    // Before every level creation that replaces a level (a switch or a load), not the first.
    virtual void OnLevelSwitch() = 0;
    // False when no level has that name.
    virtual bool GetLevelIndex(const Core::String& name, u32* index) = 0;
};
}  // namespace Vellumar

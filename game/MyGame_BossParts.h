#pragma once
// How a boss makes its parts: each part is a visible clone of its archetype under a name of its own
// (which tells the part its place), added to layer 1 and listed as an enemy like every spawned
// enemy.
#include "math/Math_Vector2D.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_Archetypes.h"

// The part starts in the layer's next pass, so the caller may still set its fields. Null when the
// level holds no archetype of that name and class.
template <class T>
T* AddBossPart(const char* archetype, const char* name, f32 z, const Math::Vector2D& at, bool flipped = false)
{
    BaseLevelClass* level = GetPlayLevel();
    T* part = level && level->GetLayer(1) ? CloneArchetype<T>(archetype, name, z) : nullptr;
    if (!part)
        return nullptr;
    if (flipped)
        part->SetFlipHorizontal(true);
    level->AddEnemy(part, at.x, at.y);
    return part;
}

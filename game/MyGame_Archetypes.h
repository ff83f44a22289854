#pragma once
// Archetypes: the invisible objects the content places once for every kind the game multiplies.
// While it runs the game makes no object from scratch: it clones the archetype, names the clone,
// shows it and adds it to the play layer, where its start hook, seeing it visible, sets it up.
#include "core/Core_String.h"
#include "game/MyGame_Lookup.h"

// The archetype cloned under the clone's name, shown and ordered in z; the caller sets the kind's
// fields and the place, then hands it to AddToPlayLayer.
template <class T>
T* CloneArchetype(const T& archetype, const Core::String& cloneName, f32 z)
{
    auto* clone = static_cast<T*>(archetype.Clone());
    clone->SetName(cloneName);
    clone->SetVisible(true);
    clone->SetZOrder(z);
    return clone;
}

// The same for the archetype of that name and class; null when the level holds none.
template <class T>
T* CloneArchetype(const Core::String& archetype, const Core::String& cloneName, f32 z)
{
    const T* source = FindObjectByName<T>(archetype);
    return source ? CloneArchetype(*source, cloneName, z) : nullptr;
}

// Adds a new object to layer 1 of the current level; without one the object is freed.
void AddToPlayLayer(Vellumar::GameObject* object);

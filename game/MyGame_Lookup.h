#pragma once
// How the game's objects find each other: by name or id in the current level, layer by layer in
// index order, and only as an object of the asked class. Nothing found (no level, no such object,
// none of that class) is null, which every caller tests.
#include "core/Core_Memory.h"
#include "core/Core_String.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"

// The first object of that name and class: the layer's objects of that name in their order, then
// the next layer's.
template <class T>
T* FindObjectByName(const Core::String& name)
{
    Vellumar::Game* game = Vellumar::Game::GetInstance();
    Vellumar::Level* level = game ? game->GetCurrentLevel() : nullptr;
    if (!level)
        return nullptr;
    Core::Vector<Vellumar::GameObject*> named;
    for (u32 i = 0; i < level->GetLayersCount(); ++i)
    {
        named.clear();
        level->GetLayer(i)->GetGameObjectsByName(name, named);
        for (Vellumar::GameObject* object : named)
        {
            if (auto* found = dynamic_cast<T*>(object))
                return found;
        }
    }
    return nullptr;
}

template <class T>
T* FindObjectById(u32 id)
{
    Vellumar::Game* game = Vellumar::Game::GetInstance();
    Vellumar::Level* level = game ? game->GetCurrentLevel() : nullptr;
    if (!level)
        return nullptr;
    for (u32 i = 0; i < level->GetLayersCount(); ++i)
    {
        if (auto* found = dynamic_cast<T*>(level->GetLayer(i)->GetGameObject(id)))
            return found;
    }
    return nullptr;
}

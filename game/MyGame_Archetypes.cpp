#include "game/MyGame_Archetypes.h"

#include "framework/core/Vellumar_Layer.h"

void AddToPlayLayer(Vellumar::GameObject* object)
{
    Vellumar::Game* game = Vellumar::Game::GetInstance();
    Vellumar::Level* level = game ? game->GetCurrentLevel() : nullptr;
    Vellumar::Layer* layer = level ? level->GetLayer(1u) : nullptr;
    // A new clone is counted from zero: held here, it is freed when no layer takes it.
    const Core::RefPtr<Vellumar::GameObject> hold(object);
    if (layer)
        layer->AddGameObject(object, false, nullptr);
}

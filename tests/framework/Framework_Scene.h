#pragma once
// A game whose pre-level hook stirs a sprite scene with random draws and the Space key: a scene
// whose whole state lives in the saved game.
#include "Framework_GameFixture.h"
#include "Framework_SpriteScene.h"

#include "core/Core_File.h"
#include "core/Core_Random.h"
#include "platform/Input_Keyboard.h"

#include <vector>

namespace FrameworkTest
{
// Every frame one random ball gets a random velocity; Space pushes the first ball right.
class StirringGame : public TestGame
{
public:
    using TestGame::TestGame;

    void PreLevelUpdate(f32 dt) override
    {
        TestGame::PreLevelUpdate(dt);
        Vellumar::Level* level = GetCurrentLevel();
        Vellumar::Layer* layer = level && level->GetLayersCount() ? level->GetLayer(0u) : nullptr;
        if (!layer)
            return;
        Core::Vector<Vellumar::GameObject*> balls;
        layer->GetGameObjects(balls);
        if (balls.empty())
            return;
        Vellumar::GameObject* ball = balls[static_cast<std::size_t>(Core::Rand()) % balls.size()];
        ball->SetVelocity(Math::Vector2D(static_cast<f32>(Core::Rand() % 200) - 100.0f, static_cast<f32>(Core::Rand() % 200) - 100.0f));
        if (GetKeyboard()->IsPressed(Input::EngineKey::Space))
            balls.front()->SetVelocity(Math::Vector2D(300.0f, 0.0f));
    }

    void PostCollisionUpdate(f32 dt) override
    {
        TestGame::PostCollisionUpdate(dt);
        Vellumar::Level* level = GetCurrentLevel();
        if (!level || !level->GetLayersCount())
            return;
        Core::Vector<Vellumar::GameObject*> balls;
        level->GetLayer(0u)->GetGameObjects(balls);
        for (Vellumar::GameObject* ball : balls)
            touching += ball->ObjectInCollision() ? 1 : 0;
    }

    // Balls in contact, summed over the frames.
    u32 touching = 0;
};

// The game's whole state as it saves.
inline std::vector<u8> SavedGame(Vellumar::Game& game)
{
    Core::MemoryFile file;
    game.Save(file);
    return std::vector<u8>(file.GetData(), file.GetData() + file.GetSize());
}
}  // namespace FrameworkTest

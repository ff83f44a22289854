#pragma once
// A level of sprites that collide and carry rigid bodies, built by level 0 of a test factory, and
// a game whose pre-level hook stirs it with random draws and the Space key: a scene whose whole
// state lives in the saved game.
#include "Framework_GameFixture.h"

#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "core/Core_File.h"
#include "core/Core_Random.h"
#include "core/Input_Keyboard.h"
#include "framework/Vellumar_Sprite.h"
#include "framework/Vellumar_SpriteAnimation.h"
#include "physics/Physics_MassProperties.h"

#include <vector>

namespace FrameworkTest
{
// count sprites in a row 30 units apart, each a circle of radius 5 with a unit-mass body.
inline void BuildSpriteScene(Vellumar::Level& level, u32 count)
{
    auto* layer = new Vellumar::Layer(0.0f);
    level.AddLayer(layer);
    auto* actor = new Collision2D::CollisionActor();
    Collision2D::CollisionFrame& frame = actor->AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(Collision2D::VelRect(5.0f, -5.0f, 5.0f, -5.0f), true);
    frame.AddCircle(Math::Point2D(0.0f, 0.0f), 5.0f, 1, true);
    Vellumar::Game::GetInstance()->AddCollisionAssets(actor);
    const Core::RefPtr<Vellumar::SpriteAnimation> still(new Vellumar::SpriteAnimation(nullptr, 1, 1, Core::Vector<f32>{1.0f}));
    for (u32 i = 0; i < count; ++i)
    {
        auto* sprite = new Vellumar::Sprite(Core::Vector<Vellumar::SpriteAnimation*>{still.Get()});
        sprite->SetName("ball");
        auto* body = new Collision2D::DynamicObject();
        body->AddCollisionData(actor, 0, 0);
        body->SetCollisionType(1);
        body->SetCanCollid(0, true);
        body->SetUpdateOnIdle(true);
        sprite->AddCollision(body, layer->GetCollisionId());
        sprite->SetCollisionActorIndex(0);
        sprite->SetPosition(static_cast<f32>(i) * 30.0f, 0.0f);
        sprite->AddPhysicalProperties(Physics2D::MassProperties(1.0f, 1.0f, Math::Vector2D()), 0);
        layer->AddGameObject(sprite);
    }
}

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

#pragma once
// A level of sprites that collide and carry rigid bodies: what the saved-game tests, fuzz seeds and
// benchmarks fill a level with. Needs a live game (the collision assets go to it).
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_SpriteAnimation.h"
#include "physics/Physics_MassProperties.h"

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
}  // namespace FrameworkTest

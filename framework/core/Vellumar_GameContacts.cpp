// The physics position pass's contacts, built from the collision results of every game object that
// has a rigid body. Each touching point asks the game's contact filter first.
#include "collision/Collision_Results.h"
#include "framework/core/Vellumar_CollisionResults.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "physics/Physics_Contact.h"
#include "physics/Physics_PhysicsEngine.h"
#include "physics/Physics_RigidBody.h"

namespace Vellumar
{
namespace
{
constexpr f32 DefaultRestitution = 0.3f;
constexpr f32 DefaultFriction = 0.5f;

struct ContactBuilder
{
    Game& game;
    Physics2D::PhysicsEngine& engine;
    GameObject& self;

    // Every point of one segment or circle result; other is null for static geometry.
    void AddPoints(const Collision2D::ShapeContact& result, GameObject* other, const Math::Vector2D& referenceA,
                   const Math::Vector2D& referenceB)
    {
        const i32 points = std::clamp(result.numberOfIntersectedPoints, 0, Collision2D::MaximumContactPoints);
        for (i32 k = 0; k < points; ++k)
        {
            f32 restitution = DefaultRestitution;
            f32 friction = DefaultFriction;
            game.SetOneWayCollision(false);
            if (!game.AllowContact(&self, other, &restitution, &friction))
                continue;
            auto* contact = new Physics2D::Contact(result.contactPoint[k], result.normal[k], referenceA, referenceB,
                                                   result.penetrationDistance, restitution, friction, other ? 1 : 0);
            const u32 secondId = other && !game.IsOneWayCollision() ? other->GetPhysicsId() : 0;
            engine.AddContact(self.GetPhysicsId(), secondId, contact);
        }
    }

    // The partner's position as its own result naming self recorded it, the last such one winning.
    Math::Vector2D PartnerReference(GameObject& other) const
    {
        Math::Vector2D reference = other.GetPosition();
        const CollisionResults results = CollisionResults::Of(other);
        const i32 count = results.GetCollidedSpritesCount(true);
        for (i32 i = 0; i < count; ++i)
        {
            const Collision2D::DGEO_C* record = results.GetCollidedGeometryData(i);
            if (record && results.GetCollidedSprite(i, true) == &self)
                reference = record->contactPosition;
        }
        return reference;
    }

    void AddSpritePairs(const CollisionResults& results)
    {
        const i32 count = results.GetCollidedSpritesCount(true);
        for (i32 i = 0; i < count; ++i)
        {
            const Collision2D::DGEO_C* record = results.GetCollidedGeometryData(i);
            GameObject* other = results.GetCollidedSprite(i, true);
            if (!record || !other)
                continue;
            const Math::Vector2D referenceB = PartnerReference(*other);
            const i32 segments = std::clamp(record->currentLineSegmentsNumber, 0, static_cast<i32>(record->lineSegments.size()));
            for (i32 s = 0; s < segments; ++s)
                AddPoints(record->lineSegments[static_cast<std::size_t>(s)], other, record->contactPosition, referenceB);
            const i32 circles = std::clamp(record->currentCirclesNumber, 0, static_cast<i32>(record->circles.size()));
            for (i32 c = 0; c < circles; ++c)
                AddPoints(record->circles[static_cast<std::size_t>(c)], other, record->contactPosition, referenceB);
        }
    }

    void AddStatics(const CollisionResults& results)
    {
        const i32 segments = results.GetCollidedLineSegmentsCount();
        for (i32 i = 0; i < segments; ++i)
        {
            if (const Collision2D::LNS_C* record = results.GetCollidedLineSegmentData(i))
                AddPoints(*record, nullptr, record->contactPosition, Math::Vector2D());
        }
        const i32 circles = results.GetCollidedCirclesCount();
        for (i32 i = 0; i < circles; ++i)
        {
            if (const Collision2D::CIR_C* record = results.GetCollidedCircleData(i))
                AddPoints(*record, nullptr, record->contactPosition, Math::Vector2D());
        }
    }
};
}  // namespace

void Game::UpdateContactList(Physics2D::PhysicsEngine* engine, void* data)
{
    auto* game = static_cast<Game*>(data);
    if (!engine || !game)
        return;
    // The filter may add contacts but never bodies; a copy of the table keeps the walk safe anyway.
    const Core::Vector<Core::RefPtr<Physics2D::RigidBody>> bodies = engine->GetRigidBodies();
    for (const Core::RefPtr<Physics2D::RigidBody>& body : bodies)
    {
        auto* self = body ? static_cast<GameObject*>(body->GetCallbackData()) : nullptr;
        if (!self)
            continue;
        const CollisionResults results = CollisionResults::Of(*self);
        if (results.IsNull())
            continue;
        ContactBuilder builder{*game, *engine, *self};
        builder.AddSpritePairs(results);
        builder.AddStatics(results);
    }
}
}  // namespace Vellumar

// Physics contacts made from collision results (sprite pairs, static shapes, the contact filter
// and its one-way flag, bodies or results that name no object) and the sprite queries over them.
#include "Framework_Scene.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Results.h"
#include "framework/core/Vellumar_CollisionResults.h"
#include "physics/Physics_Contact.h"
#include "physics/Physics_PhysicsEngine.h"
#include "physics/Physics_RigidBody.h"

using namespace FrameworkTest;

namespace
{
class FilteringGame : public TestGame
{
public:
    using TestGame::TestGame;

    bool AllowContact(Vellumar::GameObject* self, Vellumar::GameObject* other, f32* restitution, f32* friction) override
    {
        ++calls;
        EXPECT_EQ(*restitution, 0.3f);
        EXPECT_EQ(*friction, 0.5f);
        EXPECT_FALSE(IsOneWayCollision()) << "reset before every call";
        if (refuseAll)
            return false;
        if (calls == 1 && oneWayFirst)
            SetOneWayCollision(true);
        lastOther = other;
        (void)self;
        *friction = 0.25f;
        return true;
    }

    int calls = 0;
    bool refuseAll = false;
    bool oneWayFirst = false;
    Vellumar::GameObject* lastOther = nullptr;
};

class ContactTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        factory = new TestFactory(log, 1);
        factory->builders[0] = [](Vellumar::Level& level) { BuildSpriteScene(level, 2); };
        filtering = new FilteringGame(factory.Get(), 0, input, log);
        game = filtering;
        Start();
        Core::Vector<Vellumar::GameObject*> objects;
        game->GetCurrentLevel()->GetLayer(0u)->GetGameObjects(objects);
        ASSERT_EQ(objects.size(), 2u);
        a = objects[0];
        b = objects[1];
        engine = game->GetPhysicsEngine();
        ASSERT_TRUE(engine->GetContacts().empty()) << "the balls start apart";
        Results(*a).Reset();
        Results(*b).Reset();
    }

    Collision2D::CollisionResults& Results(Vellumar::GameObject& object)
    {
        return *game->GetCollisionEngine()->GetResults(object.GetCollisionId());
    }

    // A geometry record of self naming partner, with one circle result of points points.
    Collision2D::DGEO_C& Touch(Vellumar::GameObject& self, u32 partnerId, i32 points, const Math::Vector2D& at)
    {
        Collision2D::CollisionResults& block = Results(self);
        Collision2D::DGEO_C& record = block.NextGeometry();
        record.id = partnerId;
        record.contactPosition = at;
        Collision2D::CIR_C& circle = record.NextCircle();
        circle.numberOfIntersectedPoints = points;
        circle.penetrationDistance = 1.5f;
        for (i32 k = 0; k < points; ++k)
        {
            circle.contactPoint[k] = Math::Vector2D(static_cast<f32>(k), 1.0f);
            circle.normal[k] = Math::Vector2D(1.0f, 0.0f);
        }
        record.CommitCircleResult();
        // A segment result without points makes nothing.
        record.NextLineSegment().numberOfIntersectedPoints = 0;
        record.CommitLineSegmentResult();
        block.CommitGeometryResult();
        return record;
    }

    void BuildContacts() { Vellumar::Game::UpdateContactList(engine, game.Get()); }

    FilteringGame* filtering = nullptr;
    Vellumar::GameObject* a = nullptr;
    Vellumar::GameObject* b = nullptr;
    Physics2D::PhysicsEngine* engine = nullptr;
};
}  // namespace

TEST_F(ContactTest, ASpritePairMakesOneContactPerPointWithThePartnersOwnRecordAsItsReference)
{
    Touch(*a, b->GetCollisionId(), 2, Math::Vector2D(1.0f, 2.0f));
    Touch(*b, a->GetCollisionId(), 0, Math::Vector2D(7.0f, 8.0f));
    BuildContacts();
    ASSERT_EQ(engine->GetContacts().size(), 2u);
    EXPECT_EQ(filtering->calls, 2);
    const Physics2D::Contact& second = *engine->GetContacts()[1];
    EXPECT_EQ(second.GetPoint(), Math::Vector2D(1.0f, 1.0f));
    EXPECT_EQ(second.GetDepth(), 1.5f);
    EXPECT_EQ(second.GetReferencePosition1(), Math::Vector2D(1.0f, 2.0f));
    EXPECT_EQ(second.GetReferencePosition2(), Math::Vector2D(7.0f, 8.0f));
    EXPECT_EQ(second.GetRestitution(), 0.3f);
    EXPECT_EQ(second.GetFriction(), 0.25f);
    EXPECT_EQ(second.GetContactFlag(), 1);
    EXPECT_EQ(second.GetBody1(), engine->GetRigidBody(a->GetPhysicsId()).Get());
    EXPECT_EQ(second.GetBody2(), engine->GetRigidBody(b->GetPhysicsId()).Get());
    EXPECT_EQ(filtering->lastOther, b);
}

TEST_F(ContactTest, WithoutARecordNamingSelfThePartnersReferenceIsItsPosition)
{
    b->SetPosition(40.0f, 3.0f);
    Touch(*a, b->GetCollisionId(), 1, Math::Vector2D());
    BuildContacts();
    ASSERT_EQ(engine->GetContacts().size(), 1u);
    EXPECT_EQ(engine->GetContacts()[0]->GetReferencePosition2(), Math::Vector2D(40.0f, 3.0f));
}

TEST_F(ContactTest, TheOneWayFlagBindsOneContactToTheStaticBodyOnly)
{
    filtering->oneWayFirst = true;
    Touch(*a, b->GetCollisionId(), 2, Math::Vector2D(1.0f, 2.0f));
    BuildContacts();
    ASSERT_EQ(engine->GetContacts().size(), 2u);
    EXPECT_EQ(engine->GetContacts()[0]->GetBody2(), engine->GetStaticBody());
    EXPECT_EQ(engine->GetContacts()[0]->GetReferencePosition2(), Math::Vector2D());
    EXPECT_EQ(engine->GetContacts()[1]->GetBody2(), engine->GetRigidBody(b->GetPhysicsId()).Get());
    EXPECT_FALSE(game->IsOneWayCollision()) << "not carried past the contact it was set for";
}

TEST_F(ContactTest, StaticSegmentsAndCirclesMakeSingleBodyContacts)
{
    Collision2D::CollisionResults& block = Results(*a);
    Collision2D::LNS_C& segment = block.NextLineSegment();
    segment.numberOfIntersectedPoints = 1;
    segment.contactPosition = Math::Vector2D(3.0f, 4.0f);
    segment.penetrationDistance = 0.5f;
    block.CommitLineSegmentResult();
    Collision2D::CIR_C& circle = block.NextCircle();
    circle.numberOfIntersectedPoints = 3;
    block.CommitCircleResult();
    BuildContacts();
    ASSERT_EQ(engine->GetContacts().size(), 4u);
    const Physics2D::Contact& first = *engine->GetContacts()[0];
    EXPECT_EQ(first.GetReferencePosition1(), Math::Vector2D(3.0f, 4.0f));
    EXPECT_EQ(first.GetDepth(), 0.5f);
    EXPECT_EQ(first.GetContactFlag(), 0);
    EXPECT_EQ(first.GetBody2(), engine->GetStaticBody());
    EXPECT_EQ(filtering->lastOther, nullptr);
}

TEST_F(ContactTest, RefusedContactsAndUnownedBodiesOrPartnersMakeNothing)
{
    Touch(*a, b->GetCollisionId(), 2, Math::Vector2D());
    filtering->refuseAll = true;
    BuildContacts();
    EXPECT_TRUE(engine->GetContacts().empty());
    filtering->refuseAll = false;
    filtering->calls = 0;
    // A partner id that names no collision object, and a body nobody owns.
    Results(*a).Reset();
    Touch(*a, 0xFFFFu, 2, Math::Vector2D());
    engine->GetRigidBody(b->GetPhysicsId())->SetCallbackData(nullptr);
    Touch(*b, a->GetCollisionId(), 2, Math::Vector2D());
    BuildContacts();
    EXPECT_EQ(filtering->calls, 0);
    EXPECT_TRUE(engine->GetContacts().empty());
    // The unowned body still moves through whole frames, telling no object.
    ASSERT_TRUE(b->SetVelocity(Math::Vector2D(10.0f, 0.0f)));
    const Math::Vector2D resting = b->GetPosition();
    RunFrames(3);
    EXPECT_EQ(b->GetPosition(), resting);
}

TEST_F(ContactTest, SpriteQueriesFindThePartnersOwnerByNameAndShapeIds)
{
    b->SetName("crystal");
    Collision2D::DGEO_C& record = Touch(*a, b->GetCollisionId(), 1, Math::Vector2D());
    record.circles[0].userId = 17;
    record.circles[0].myCircleUserId[0] = 4;
    const Vellumar::CollisionResults results = Vellumar::CollisionResults::Of(*a);
    EXPECT_EQ(results.GetCollidedSpritesCount(true), 1);
    EXPECT_EQ(results.GetCollidedSprite(0, true), b);
    EXPECT_EQ(results.GetCollidedSprite(1, true), nullptr);
    EXPECT_TRUE(results.IsCollidedWithSprite("crystal", true));
    EXPECT_FALSE(results.IsCollidedWithSprite("ball", true));
    EXPECT_FALSE(results.IsCollidedWithSprite("crystal", false)) << "no rectangle results";
    EXPECT_TRUE(results.IsCollidedWithSpriteCircle(17));
    EXPECT_FALSE(results.IsCollidedWithSpriteLineSegment(17));
    const u32 partnerShape = 17;
    const u32 otherShape = 18;
    EXPECT_TRUE(results.IsMyCircleCollided(4, &partnerShape));
    EXPECT_FALSE(results.IsMyCircleCollided(4, &otherShape));
    EXPECT_TRUE(a->ObjectInCollision());
    EXPECT_FALSE(Vellumar::CollisionResults::Of(*b).IsCollidedWithSprite("ball", true));
}

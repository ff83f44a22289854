#include "Physics_TestSupport.h"

#include "physics/Physics_Contact.h"

#include <cmath>

namespace
{
using namespace Physics2D;
using PhysicsTest::AddBody;
using PhysicsRestitution = PhysicsTest::Fixture;
using PhysicsTest::MakeBody;
using Math::Vector2D;

using Rows = PhysicsTest::Rows<2>;

// A contact under a falling body against the static body, prepared as the engine would.
class PhysicsContact : public PhysicsTest::Fixture
{
protected:
    void SetUp() override
    {
        PhysicsTest::Fixture::SetUp();
        engine = new PhysicsEngine();
        id = AddBody(*engine, 1.0f, 1.0f, Vector2D(0.0f, 0.5f));
        body = engine->GetRigidBody(id);
    }
    void TearDown() override
    {
        body.Reset();
        engine.Reset();
        PhysicsTest::Fixture::TearDown();
    }

    Contact* Add(float restitution, float friction, float depth = 0.0f)
    {
        return engine->AddContact(id, 0,
                                  new Contact(Vector2D(0.0f, 0.0f), Vector2D(0.0f, 2.0f), body->GetPosition(),
                                              Vector2D(), depth, restitution, friction, 0));
    }

    Core::RefPtr<PhysicsEngine> engine;
    u32 id = 0;
    Core::RefPtr<RigidBody> body;
};

TEST_F(PhysicsContact, VelocityTargetIsTheBounce)
{
    body->SetVelocity(Vector2D(0.0f, -3.0f));
    Rows rows;
    Add(0.0f, 0.5f)->FillRows(rows.Block());
    EXPECT_EQ(rows.target[0], 0.0f);
    EXPECT_EQ(rows.target[1], 0.0f);
    EXPECT_EQ(rows.lower[0], 0.0f);
    EXPECT_EQ(rows.upper[0], Infinity);
    EXPECT_EQ(rows.lower[1], -0.5f);
    EXPECT_EQ(rows.records[1].normalRow, 0);
    EXPECT_EQ(rows.records[1].friction, 0.5f);

    Rows bouncing;
    Contact* contact = Add(1.0f, -0.25f);
    EXPECT_EQ(contact->GetNormal(), Vector2D(0.0f, 1.0f));
    EXPECT_EQ(contact->GetTangent(), Vector2D(-1.0f, 0.0f));
    contact->FillRows(bouncing.Block());
    EXPECT_FLOAT_EQ(bouncing.target[0], 3.0f);
    EXPECT_EQ(bouncing.records[1].friction, 0.25f);
    // The normal row pushes body 1 along the normal.
    EXPECT_EQ(bouncing.jacobian[1], 1.0f);
    EXPECT_EQ(bouncing.jacobian[4], -1.0f);
}

TEST_F(PhysicsContact, PositionTargetIsTheDepthOverTheStep)
{
    SimulationStep = 0.02f;
    SimulationInverseStep = 50.0f;
    PositionPass = true;
    Rows rows;
    Add(0.3f, 0.5f, 0.1f)->FillRows(rows.Block());
    PositionPass = false;
    EXPECT_FLOAT_EQ(rows.target[0], 5.0f);
}

TEST_F(PhysicsContact, PositionPassMovesTheBodyOutByTheDepth)
{
    struct Sink
    {
        RigidBody* body;
        static void Report(PhysicsEngine* engine, void* data)
        {
            RigidBody* body = static_cast<Sink*>(data)->body;
            // Sunk 0.1 below where it touched at (0, 0.5).
            engine->AddContact(1, 0,
                               new Contact(Vector2D(0.0f, 0.0f), Vector2D(0.0f, 1.0f), Vector2D(0.0f, 0.5f),
                                           Vector2D(), 0.1f, 0.3f, 0.5f, 0));
            (void)body;
        }
    } sink{body};
    body->SetPosition(Vector2D(0.0f, 0.4f));
    engine->SetContactListUpdate(&Sink::Report);
    engine->SetContactListUpdateData(&sink);
    engine->PostCollisionUpdate(0.02f);
    EXPECT_NEAR(body->GetPosition().y, 0.5f, 1e-5f);
    EXPECT_EQ(body->GetVelocity(), Vector2D());
    // Out of the floor: nothing is left to push.
    ASSERT_EQ(engine->GetContacts().size(), 1u);
    EXPECT_NEAR(engine->GetContacts().front()->GetDepth(), 0.0f, 1e-5f);
    // The pose integrator moved with it, so the correction survives the next integration.
    engine->SetContactListUpdate(nullptr);
    engine->Update(0.02f);
    EXPECT_NEAR(body->GetPosition().y, 0.5f, 1e-5f);
}

TEST_F(PhysicsContact, VelocityPassNeverTakesTheDepthAsItsTarget)
{
    // A contact still 0.5 deep, and the position-pass flag left set (as a loaded joint may leave it):
    // the velocity pass bounces by the restitution only, and a body at rest stays at rest.
    Add(0.3f, 0.5f, 0.5f);
    PositionPass = true;
    engine->Update(0.02f);
    EXPECT_FALSE(PositionPass);
    EXPECT_EQ(body->GetVelocity(), Vector2D());
}

TEST_F(PhysicsContact, DepthIsTheRemainingOverlapNeverNegative)
{
    body->SetPosition(Vector2D(0.0f, 0.4f));
    Contact* contact = new Contact(Vector2D(0.0f, 0.0f), Vector2D(0.0f, 1.0f), Vector2D(0.0f, 0.5f), Vector2D(), 0.1f,
                                   0.3f, 0.5f, 0);
    engine->AddContact(id, 0, contact);
    Rows rows;
    contact->FillRows(rows.Block());
    EXPECT_EQ(contact->GetWorldAnchor2(), Vector2D(0.0f, 0.0f));
    EXPECT_NEAR(contact->GetWorldAnchor1().y, -0.1f, 1e-6f);

    body->SetPosition(Vector2D(0.0f, 0.46f));
    EXPECT_NEAR(contact->UpdateDepth(), 0.04f, 1e-5f);
    body->SetPosition(Vector2D(0.3f, 0.46f));
    EXPECT_NEAR(contact->UpdateDepth(), 0.04f, 1e-5f);
    // Past each other: no depth left.
    body->SetPosition(Vector2D(0.0f, 0.7f));
    EXPECT_EQ(contact->UpdateDepth(), 0.0f);
}

// Discs of radius 0.5 on the floor at 0, under gravity, at 60 frames per second.
class PhysicsFloor : public PhysicsTest::Fixture
{
protected:
    u32 Drop(const Vector2D& position, float mass = 1.0f)
    {
        const u32 id = AddBody(engine, mass, 0.0f, position);
        PhysicsTest::AddGravity(engine, id);
        floor.ids.push_back(id);
        return id;
    }
    void Run(int frames)
    {
        for (int i = 0; i < frames; ++i)
            PhysicsTest::Step(engine, frame);
    }
    RigidBody* Body(u32 id) { return engine.GetRigidBody(id); }

    const float frame = 1.0f / 60.0f;
    PhysicsEngine engine;
    PhysicsTest::Floor floor;
};

TEST_F(PhysicsFloor, RestingBodyStaysPut)
{
    floor.Install(engine);
    const u32 id = Drop(Vector2D(2.0f, 0.5f));
    float lowest = 1.0f;
    for (int i = 0; i < 600; ++i)
    {
        Run(1);
        lowest = std::fmin(lowest, Body(id)->GetPosition().y);
    }
    EXPECT_NEAR(Body(id)->GetPosition().y, 0.5f, 1e-3f);
    EXPECT_GT(lowest, 0.5f - 1e-3f);
    EXPECT_NEAR(Body(id)->GetVelocity().y, 0.0f, 1e-3f);
    EXPECT_EQ(Body(id)->GetPosition().x, 2.0f);
}

TEST_F(PhysicsFloor, DroppedBodyDoesNotSinkThrough)
{
    floor.Install(engine);
    const u32 light = Drop(Vector2D(0.0f, 3.0f), 1.0f);
    const u32 heavy = Drop(Vector2D(5.0f, 8.0f), 50.0f);
    float lowest = 10.0f;
    for (int i = 0; i < 600; ++i)
    {
        Run(1);
        lowest = std::fmin(lowest, std::fmin(Body(light)->GetPosition().y, Body(heavy)->GetPosition().y));
    }
    // A fast body may end one frame inside the floor before the position pass lifts it out; it never
    // goes further than one frame's fall.
    EXPECT_GT(lowest, 0.5f - 13.0f * frame);
    for (u32 id : {light, heavy})
    {
        EXPECT_NEAR(Body(id)->GetPosition().y, 0.5f, 2e-3f);
        EXPECT_NEAR(Body(id)->GetVelocity().y, 0.0f, 0.05f);
    }
}

// Height of the first bounce of a body dropped from 2.5 (2 above resting) with a restitution.
float FirstBounce(float restitution)
{
    PhysicsEngine engine;
    PhysicsTest::Floor floor;
    floor.restitution = restitution;
    floor.Install(engine);
    const u32 id = AddBody(engine, 1.0f, 0.0f, Vector2D(0.0f, 2.5f));
    PhysicsTest::AddGravity(engine, id);
    floor.ids.push_back(id);
    bool bounced = false;
    float peak = 0.0f;
    for (int i = 0; i < 240; ++i)
    {
        PhysicsTest::Step(engine, 1.0f / 60.0f);
        const Core::RefPtr<RigidBody> body = engine.GetRigidBody(id);
        if (body->GetVelocity().y > 0.0f)
            bounced = true;
        if (bounced)
        {
            peak = std::fmax(peak, body->GetPosition().y - 0.5f);
            if (body->GetVelocity().y < 0.0f)
                break;
        }
    }
    return peak;
}

TEST_F(PhysicsRestitution, RestitutionSetsTheBounce)
{
    // Falling 2 gives about 6.26 per second at impact; a bounce of e climbs back about 2 e².
    EXPECT_LT(FirstBounce(0.0f), 0.01f);
    EXPECT_NEAR(FirstBounce(0.5f), 2.0f * 0.25f, 0.12f);
    EXPECT_NEAR(FirstBounce(1.0f), 2.0f, 0.25f);
    EXPECT_LT(FirstBounce(0.3f), FirstBounce(0.6f));
}

TEST_F(PhysicsFloor, FrictionSlowsASlidingBody)
{
    floor.friction = 0.5f;
    floor.Install(engine);
    const u32 id = Drop(Vector2D(0.0f, 0.5f));
    Body(id)->SetVelocity(Vector2D(4.0f, 0.0f));
    Run(30);
    // Half a second at μ g = 4.9 takes about 2.45 off the speed.
    EXPECT_NEAR(Body(id)->GetVelocity().x, 4.0f - 0.5f * 4.9f, 0.15f);
    Run(60);
    EXPECT_NEAR(Body(id)->GetVelocity().x, 0.0f, 1e-3f);
    // Stopping distance v²/(2 μ g) ≈ 1.63.
    EXPECT_NEAR(Body(id)->GetPosition().x, 16.0f / 9.8f, 0.15f);
}

TEST_F(PhysicsFloor, WithoutFrictionTheBodySlidesOn)
{
    floor.friction = 0.0f;
    floor.Install(engine);
    const u32 id = Drop(Vector2D(0.0f, 0.5f));
    Body(id)->SetVelocity(Vector2D(4.0f, 0.0f));
    Run(60);
    EXPECT_NEAR(Body(id)->GetVelocity().x, 4.0f, 1e-4f);
    EXPECT_NEAR(Body(id)->GetPosition().x, 4.0f, 0.01f);
    EXPECT_NEAR(Body(id)->GetPosition().y, 0.5f, 1e-3f);
}

TEST_F(PhysicsFloor, StackedBodiesPushEachOtherApart)
{
    // Two discs side by side, overlapping by 0.2: a two-body contact pushes both halves apart.
    const u32 left = AddBody(engine, 1.0f, 0.0f, Vector2D(0.0f, 5.0f));
    const u32 right = AddBody(engine, 1.0f, 0.0f, Vector2D(0.8f, 5.0f));
    struct Pair
    {
        u32 left;
        u32 right;
        static void Report(PhysicsEngine* engine, void* data)
        {
            const Pair& pair = *static_cast<Pair*>(data);
            const Vector2D a = engine->GetRigidBody(pair.left)->GetPosition();
            const Vector2D b = engine->GetRigidBody(pair.right)->GetPosition();
            const float overlap = 1.0f - (b.x - a.x);
            if (overlap <= 0.0f)
                return;
            // Each was half the overlap further out when they touched.
            engine->AddContact(pair.left, pair.right,
                               new Contact(Vector2D(a.x + 0.5f, a.y), Vector2D(-1.0f, 0.0f),
                                           a - Vector2D(overlap * 0.5f, 0.0f), b + Vector2D(overlap * 0.5f, 0.0f),
                                           overlap, 0.3f, 0.5f, 1));
        }
    } pair{left, right};
    engine.SetContactListUpdate(&Pair::Report);
    engine.SetContactListUpdateData(&pair);
    engine.PostCollisionUpdate(frame);
    EXPECT_NEAR(Body(left)->GetPosition().x, -0.1f, 1e-4f);
    EXPECT_NEAR(Body(right)->GetPosition().x, 0.9f, 1e-4f);
    EXPECT_EQ(Body(left)->GetVelocity(), Vector2D());
}
} // namespace

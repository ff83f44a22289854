#include "Physics_TestSupport.h"

#include "math/Math_Constants.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_Forces.h"

namespace
{
using namespace Physics2D;
using PhysicsForces = PhysicsTest::Fixture;
using PhysicsTest::MakeBody;
using Math::Vector2D;

TEST_F(PhysicsForces, ShortLivedForceCountsInEachStepOfItsLife)
{
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D());
    const u32 id = body->AddForce(new ConstantForce(Vector2D(), Vector2D(1.0f, 0.0f), 0.05f, ConstantForce::ModeForce));
    for (int step = 1; step <= 3; ++step)
    {
        ASSERT_NE(body->GetForces().GetForce(id), nullptr) << "step " << step;
        body->AccumulateForces(0.02f);
        EXPECT_EQ(body->GetForceSum(), Vector2D(1.0f, 0.0f)) << "step " << step;
    }
    EXPECT_EQ(body->GetForces().GetForce(id), nullptr);
    body->AccumulateForces(0.02f);
    EXPECT_EQ(body->GetForceSum(), Vector2D());
}

TEST_F(PhysicsForces, FreedForceIdsAreReusedLastFreedFirst)
{
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D());
    for (u32 expected = 0; expected < 3; ++expected)
        EXPECT_EQ(body->AddForce(new DragForce()), expected);
    EXPECT_TRUE(body->RemoveForce(1));
    EXPECT_FALSE(body->RemoveForce(1));
    EXPECT_FALSE(body->RemoveForce(7));
    EXPECT_EQ(body->AddForce(new DragForce()), 1u);

    EXPECT_TRUE(body->RemoveForce(0));
    EXPECT_TRUE(body->RemoveForce(2));
    EXPECT_EQ(body->AddForce(new DragForce()), 2u);
    EXPECT_EQ(body->AddForce(new DragForce()), 0u);
    EXPECT_EQ(body->AddForce(new DragForce()), 3u);

    EXPECT_TRUE(body->RemoveAllForces());
    EXPECT_EQ(body->GetForces().GetForceCount(), 0u);
    EXPECT_EQ(body->AddForce(new DragForce()), 3u);
}

TEST_F(PhysicsForces, ReleasedForceNoLongerPointsAtItsBody)
{
    Core::RefPtr<Force> kept = new DragForce(1.0f, 1.0f);
    {
        Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D());
        body->AddForce(kept);
        EXPECT_EQ(kept->GetBody(), body.Get());
    }
    EXPECT_EQ(kept->GetBody(), nullptr);
    EXPECT_TRUE(kept->Update(0.1f));
}

TEST_F(PhysicsForces, RegistryGravityWeighsTheBody)
{
    Core::RefPtr<RigidBody> body = MakeBody(2.0f, 1.0f, Vector2D(3.0f, 3.0f));
    Core::RefPtr<Core::Object> made(Core::CreateObjectByName("Physics2D::GravityForce"));
    Force* gravity = dynamic_cast<GravityForce*>(made.Get());
    ASSERT_NE(gravity, nullptr);
    body->AddForce(gravity);
    body->AccumulateForces(0.02f);
    EXPECT_FLOAT_EQ(body->GetForceSum().x, 0.0f);
    EXPECT_FLOAT_EQ(body->GetForceSum().y, -19.6f);
    EXPECT_EQ(body->GetTorqueSum(), 0.0f);
}

TEST_F(PhysicsForces, GravityAndDragWithoutBodyKeepTheirValues)
{
    GravityForce gravity(Vector2D(0.0f, -3.0f), 9.8f);
    EXPECT_EQ(gravity.GetDirection(), Vector2D(0.0f, -1.0f));
    gravity.Evaluate(0.1f);
    EXPECT_EQ(gravity.GetEvaluatedForce(), Vector2D());
    DragForce drag(1.0f, 1.0f);
    drag.Evaluate(0.1f);
    EXPECT_EQ(drag.GetEvaluatedTorque(), 0.0f);
}

TEST_F(PhysicsForces, DragOpposesMotionInDegrees)
{
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D());
    body->SetVelocity(Vector2D(2.0f, -4.0f));
    body->SetAngularVelocity(3.1415927f * Math::RadiansToDegrees);
    body->AddForce(new DragForce(0.5f, 0.1f));
    body->AccumulateForces(0.02f);
    EXPECT_EQ(body->GetForceSum(), Vector2D(-1.0f, 2.0f));
    EXPECT_NEAR(body->GetTorqueSum(), -18.0f, 1e-4f);
}

TEST_F(PhysicsForces, ConstantForceModes)
{
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D(1.0f, 1.0f));
    const u32 slot = body->AddForce(new ConstantForce(Vector2D(), Vector2D(3.0f, 4.0f), 0.0f, ConstantForce::ModeTorque));
    body->AccumulateForces(0.02f);
    EXPECT_EQ(body->GetForceSum(), Vector2D());
    EXPECT_EQ(body->GetTorqueSum(), 3.0f);
    body->RemoveForce(slot);

    // Pushing up (in the freed slot) at a point one unit right of the centre of mass turns the body counter-clockwise.
    body->AddForce(new ConstantForce(Vector2D(2.0f, 1.0f), Vector2D(0.0f, 5.0f), 0.0f));
    body->AccumulateForces(0.02f);
    EXPECT_EQ(body->GetForceSum(), Vector2D(0.0f, 5.0f));
    EXPECT_FLOAT_EQ(body->GetTorqueSum(), 5.0f);

    // The point of application turns with the body.
    body->SetOrientation(90.0f);
    body->AccumulateForces(0.02f);
    const Force* atPoint = body->GetForces().GetForce(slot);
    ASSERT_NE(atPoint, nullptr);
    EXPECT_NEAR(atPoint->GetPosition().x, 1.0f, 1e-5f);
    EXPECT_NEAR(atPoint->GetPosition().y, 2.0f, 1e-5f);
    EXPECT_NEAR(body->GetTorqueSum(), 0.0f, 1e-5f);

    // Forces and torques are scaled.
    Scale = 2.0f;
    body->AccumulateForces(0.02f);
    EXPECT_EQ(body->GetForceSum(), Vector2D(0.0f, 10.0f));
}

TEST_F(PhysicsForces, ClonedConstantForceKeepsItsMode)
{
    ConstantForce torque(Vector2D(), Vector2D(3.0f, 4.0f), 1.0f, ConstantForce::ModeTorque);
    Core::RefPtr<Core::Object> copy(torque.Clone());
    ConstantForce* cloned = dynamic_cast<ConstantForce*>(copy.Get());
    ASSERT_NE(cloned, nullptr);
    EXPECT_EQ(cloned->GetMode(), ConstantForce::ModeTorque);
    EXPECT_EQ(cloned->GetTimeToLive(), 1.0f);
}

// The cannon's recoil: a 0.5 mass pushed by 200 away from the aim for 0.02 s.
TEST_F(PhysicsForces, CannonRecoilPushesForOneMaximumStep)
{
    PhysicsEngine engine;
    const Vector2D rest(0.0f, -280.0f);
    const u32 cannon = engine.AddRigidBody(MakeBody(0.5f, 0.0f, rest));
    Vector2D aim(3.0f, 4.0f);
    aim.Normalize();
    u32 forceId = 0;
    ASSERT_TRUE(engine.AddRigidBodyForce(cannon, new ConstantForce(rest, aim * -200.0f, 0.02f), forceId));

    PhysicsTest::Step(engine, 0.02f);
    Vector2D velocity;
    engine.GetRigidBodyVelocity(cannon, velocity);
    EXPECT_NEAR(velocity.x, -8.0f * 0.6f, 1e-4f);
    EXPECT_NEAR(velocity.y, -8.0f * 0.8f, 1e-4f);
    const Core::RefPtr<RigidBody> body = engine.GetRigidBody(cannon);
    EXPECT_EQ(body->GetForces().GetForceCount(), 0u);
    EXPECT_EQ(body->GetAngularVelocity(), 0.0f);

    // Coasting afterwards: the push is over.
    PhysicsTest::Step(engine, 0.02f);
    engine.GetRigidBodyVelocity(cannon, velocity);
    EXPECT_NEAR(velocity.y, -6.4f, 1e-4f);
    EXPECT_NEAR(body->GetPosition().y, -280.0f - 6.4f * 0.04f, 1e-3f);
}

TEST_F(PhysicsForces, CannonRecoilAtSixtyFramesPushesForTwoFrames)
{
    PhysicsEngine engine;
    const u32 cannon = engine.AddRigidBody(MakeBody(0.5f, 0.0f, Vector2D(0.0f, -280.0f)));
    u32 forceId = 0;
    engine.AddRigidBodyForce(cannon, new ConstantForce(Vector2D(0.0f, -280.0f), Vector2D(0.0f, -200.0f), 0.02f),
                             forceId);
    const float frame = 1.0f / 60.0f;
    PhysicsTest::Step(engine, frame);
    EXPECT_EQ(engine.GetRigidBody(cannon)->GetForces().GetForceCount(), 1u);
    PhysicsTest::Step(engine, frame);
    EXPECT_EQ(engine.GetRigidBody(cannon)->GetForces().GetForceCount(), 0u);
    Vector2D velocity;
    engine.GetRigidBodyVelocity(cannon, velocity);
    EXPECT_NEAR(velocity.y, -400.0f * 2.0f * frame, 1e-3f);
}

TEST_F(PhysicsForces, EngineRefusesForcesWithoutABody)
{
    PhysicsEngine engine;
    u32 forceId = 99;
    EXPECT_FALSE(engine.AddRigidBodyForce(4, new DragForce(), forceId));
    EXPECT_EQ(forceId, 99u);
    const u32 id = PhysicsTest::AddBody(engine, 1.0f, 1.0f, Vector2D());
    EXPECT_TRUE(engine.AddRigidBodyForce(id, new DragForce(), forceId));
    EXPECT_EQ(forceId, 0u);
    EXPECT_TRUE(engine.RemoveRigidBodyForce(id, 0));
    EXPECT_FALSE(engine.RemoveRigidBodyForce(id, 0));
    EXPECT_FALSE(engine.RemoveAllRigidBodyForces(2));
    EXPECT_TRUE(engine.RemoveAllRigidBodyForces(id));
}
} // namespace

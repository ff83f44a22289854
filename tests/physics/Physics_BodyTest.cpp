#include "Physics_TestSupport.h"

#include "math/Math_Matrix3x3.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_RigidBody.h"

#include <cstring>

namespace
{
using namespace Physics2D;
using PhysicsBody = PhysicsTest::Fixture;
using PhysicsTest::MakeBody;
using Math::Vector2D;

TEST(PhysicsMassProperties, InversesFollowTheValues)
{
    const MassProperties immovable(0.0f, 0.0f, Vector2D());
    EXPECT_EQ(immovable.GetInverseMass(), 0.0f);
    EXPECT_EQ(immovable.GetInverseInertia(), 0.0f);

    MassProperties mass(2.0f, 4.0f, Vector2D(1.0f, -1.0f));
    EXPECT_EQ(mass.GetInverseMass(), 0.5f);
    EXPECT_EQ(mass.GetInverseInertia(), 0.25f);

    mass.SetMass(0.0f);
    mass.SetInertia(8.0f);
    EXPECT_EQ(mass.GetInverseMass(), 0.0f);
    EXPECT_EQ(mass.GetInverseInertia(), 0.125f);
}

TEST_F(PhysicsBody, BodyTakesMassPropertiesVerbatimButCopiesRecomputeInverses)
{
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D());
    MassProperties odd(2.0f, 2.0f, Vector2D());
    odd = MassProperties(4.0f, 4.0f, Vector2D());
    body->SetMassProperties(odd);
    EXPECT_EQ(body->GetMassProperties().GetInverseMass(), 0.25f);
    const MassProperties copy(body->GetMassProperties());
    EXPECT_EQ(copy.GetInverseMass(), 0.25f);
    EXPECT_EQ(copy.GetCenterOfMass(), Vector2D());
}

TEST_F(PhysicsBody, AnglesAreDegreesOutsideAndRadiansInside)
{
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D());
    body->SetAngularVelocity(90.0f);
    EXPECT_EQ(body->GetAngularVelocityRadians(), 1.5707964f);
    EXPECT_FLOAT_EQ(body->GetAngularVelocity(), 90.0f);
    EXPECT_EQ(body->GetVelocityIntegrator()->GetState()[2], 1.5707964f);

    body->SetOrientation(180.0f);
    EXPECT_FLOAT_EQ(body->GetOrientationRadians(), 3.1415927f);
    EXPECT_FLOAT_EQ(body->GetOrientation(), 180.0f);
    EXPECT_FLOAT_EQ(body->GetPoseIntegrator()->GetState()[2], 3.1415927f);
}

TEST_F(PhysicsBody, AngularSpeedIsLimitedBothWays)
{
    for (float sign : {1.0f, -1.0f})
    {
        Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D());
        body->SetAngularVelocity(sign * 10.0f * 57.29578f);
        body->Integrate(0.02f);
        EXPECT_FLOAT_EQ(body->GetAngularVelocityRadians(), sign * 6.2831855f);
        EXPECT_EQ(body->GetVelocityIntegrator()->GetState()[2], body->GetAngularVelocityRadians());
        EXPECT_FLOAT_EQ(body->GetOrientationRadians(), sign * 6.2831855f * 0.02f);
    }

    Scale = 2.0f;
    Core::RefPtr<RigidBody> scaled = MakeBody(1.0f, 1.0f, Vector2D());
    scaled->SetAngularVelocity(20.0f * 57.29578f);
    scaled->Integrate(0.02f);
    EXPECT_FLOAT_EQ(scaled->GetAngularVelocityRadians(), 2.0f * 6.2831855f);
}

TEST_F(PhysicsBody, TinySpeedsSettleInTheBodyOnly)
{
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D(5.0f, 5.0f));
    body->SetVelocity(Vector2D(1e-11f, 3.0f));
    body->Integrate(0.5f);
    EXPECT_EQ(body->GetVelocity().x, 0.0f);
    EXPECT_EQ(body->GetVelocity().y, 3.0f);
    EXPECT_EQ(body->GetVelocityIntegrator()->GetState()[0], 1e-11f);
    EXPECT_EQ(body->GetPosition(), Vector2D(5.0f, 6.5f));
}

TEST_F(PhysicsBody, MatricesPlaceTheCentreOfMassAtThePosition)
{
    const Vector2D center(2.0f, -1.0f);
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D(10.0f, 20.0f), RigidBody::IntegratorEuler, center);
    for (float degrees : {0.0f, 30.0f, 135.0f, -90.0f})
    {
        body->SetOrientation(degrees);
        const Vector2D mapped = Math::TransformPoint(body->GetMatrix(), center);
        EXPECT_NEAR(mapped.x, 10.0f, 1e-4f);
        EXPECT_NEAR(mapped.y, 20.0f, 1e-4f);
        EXPECT_NEAR(body->GetCenterOfMass().x, 10.0f, 1e-4f);
        const Vector2D back = Math::TransformPoint(body->GetInverseMatrix(), Vector2D(10.0f, 20.0f));
        EXPECT_NEAR(back.x, center.x, 1e-4f);
        EXPECT_NEAR(back.y, center.y, 1e-4f);
    }
    body->SetOrientation(90.0f);
    // A point one unit right of the centre of mass ends one unit above the position.
    const Vector2D turned = Math::TransformPoint(body->GetMatrix(), center + Vector2D(1.0f, 0.0f));
    EXPECT_NEAR(turned.x, 10.0f, 1e-4f);
    EXPECT_NEAR(turned.y, 21.0f, 1e-4f);
}

TEST_F(PhysicsBody, PlacementWithoutOffsetIsTheGeneralProductFloatForFloat)
{
    // A centre of mass at the origin takes a shorter way to the matrices; it must give the bits of
    // T(p − c) T(c) R T(−c), signed zeros included, for any placement.
    auto bits = [](float value) {
        u32 out = 0;
        std::memcpy(&out, &value, sizeof out);
        return out;
    };
    const float coordinates[] = {0.0f, -0.0f, 1.0f, -2.5f, 1e-30f, -3e7f, 123.456f, 1e30f};
    const float degrees[] = {0.0f, -0.0f, 90.0f, -90.0f, 180.0f, 33.3f, -170.0f, 720.5f, 1e6f};
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D());
    auto check = [&](float x, float y, float angle) {
        body->SetPosition(Vector2D(x, y));
        body->SetOrientation(angle);
        const Vector2D center = body->GetMassProperties().GetCenterOfMass();
        const Math::Matrix3x3 rotation = Math::Matrix3x3::Rotation(body->GetOrientation());
        const Math::Matrix3x3 general = Math::Matrix3x3::Translation(body->GetPosition() - center) *
                                        Math::Matrix3x3::Translation(center) * rotation *
                                        Math::Matrix3x3::Translation(-center);
        Math::Matrix3x3 inverse;
        general.Inverse(inverse);
        for (int k = 0; k < 9; ++k)
        {
            ASSERT_EQ(bits(body->GetMatrix().m[k]), bits(general.m[k])) << x << " " << y << " " << angle << " " << k;
            ASSERT_EQ(bits(body->GetInverseMatrix().m[k]), bits(inverse.m[k])) << x << " " << y << " " << angle;
        }
    };
    for (float x : coordinates)
    {
        for (float y : coordinates)
        {
            for (float angle : degrees)
                check(x, y, angle);
        }
    }
    // The same again with each rotation standing while the body moves, as between most steps.
    for (float angle : degrees)
    {
        for (float x : coordinates)
        {
            for (float y : coordinates)
                check(x, y, angle);
        }
    }
}

TEST_F(PhysicsBody, ForceWithNegativeTimeToLiveLivesForever)
{
    Core::RefPtr<RigidBody> body = MakeBody(1.0f, 1.0f, Vector2D());
    Core::RefPtr<ConstantForce> force = new ConstantForce(Vector2D(), Vector2D(1.0f, 0.0f), -1.0f);
    body->AddForce(force);
    EXPECT_EQ(force->GetTimeToLive(), 0.0f);
    EXPECT_EQ(force->GetBody(), body.Get());
}

struct CallbackLog
{
    int placement = 0;
    int step = 0;
};

void CountPlacement(RigidBody*, void* data)
{
    ++static_cast<CallbackLog*>(data)->placement;
}

void CountStep(RigidBody*, void* data)
{
    ++static_cast<CallbackLog*>(data)->step;
}

TEST_F(PhysicsBody, TransformCallbacksFollowTheirForm)
{
    CallbackLog log;
    Core::RefPtr<RigidBody> both =
        new RigidBody(MassProperties(1.0f, 1.0f, Vector2D()), 0, &CountPlacement, &CountStep, &log);
    both->UpdateTransform(false);
    both->UpdateTransform(true);
    EXPECT_EQ(log.placement, 1);
    EXPECT_EQ(log.step, 1);

    // Without a placement callback the placement form falls back to the step callback.
    CallbackLog fallback;
    Core::RefPtr<RigidBody> stepOnly =
        new RigidBody(MassProperties(1.0f, 1.0f, Vector2D()), 0, nullptr, &CountStep, &fallback);
    stepOnly->UpdateTransform(false);
    EXPECT_EQ(fallback.step, 1);

    // Setters never run callbacks; integration runs the placement one.
    both->SetPosition(Vector2D(1.0f, 1.0f));
    both->SetOrientation(10.0f);
    EXPECT_EQ(log.placement, 1);
    both->Integrate(0.01f);
    EXPECT_EQ(log.placement, 2);
}

TEST_F(PhysicsBody, BodyWithoutIntegratorsTakesMotionValuesButNeverMoves)
{
    Core::RefPtr<RigidBody> still =
        new RigidBody(MassProperties(1.0f, 1.0f, Vector2D()), RigidBody::IntegratorNone, nullptr, nullptr, nullptr);
    EXPECT_EQ(still->GetVelocityIntegrator(), nullptr);
    still->SetVelocity(Vector2D(1.0f, 2.0f));
    still->SetAngularVelocity(45.0f);
    still->SetPosition(Vector2D(3.0f, 4.0f));
    still->SetOrientation(30.0f);
    still->Integrate(0.02f);
    EXPECT_EQ(still->GetVelocity(), Vector2D(1.0f, 2.0f));
    EXPECT_NEAR(still->GetAngularVelocity(), 45.0f, 1e-4f);
    EXPECT_EQ(still->GetPosition(), Vector2D(3.0f, 4.0f));
    EXPECT_NEAR(still->GetOrientation(), 30.0f, 1e-4f);
    // The matrices follow the set pose.
    EXPECT_EQ(still->GetCenterOfMass(), Vector2D(3.0f, 4.0f));

    // The registry's body has no integrators until it is loaded.
    Core::RefPtr<Core::Object> made(Core::CreateObjectByName("Physics2D::RigidBody"));
    RigidBody* blank = dynamic_cast<RigidBody*>(made.Get());
    ASSERT_NE(blank, nullptr);
    blank->SetPosition(Vector2D(1.0f, 1.0f));
    blank->SetVelocity(Vector2D(1.0f, 1.0f));
    blank->Integrate(1.0f);
    EXPECT_EQ(blank->GetPosition(), Vector2D(1.0f, 1.0f));
}

TEST_F(PhysicsBody, CopyCarriesMotionForcesAndKind)
{
    Core::RefPtr<RigidBody> source = MakeBody(2.0f, 3.0f, Vector2D(1.0f, 2.0f), RigidBody::IntegratorHeun);
    source->SetVelocity(Vector2D(4.0f, 0.0f));
    source->SetAngularVelocity(30.0f);
    source->SetOrientation(45.0f);
    source->AddForce(new ConstantForce(Vector2D(), Vector2D(0.0f, 1.0f), 2.0f, ConstantForce::ModeForce));
    int data = 0;
    Core::RefPtr<RigidBody> copy = new RigidBody(*source, &data);
    EXPECT_EQ(copy->GetCallbackData(), &data);
    EXPECT_EQ(copy->GetPosition(), source->GetPosition());
    EXPECT_EQ(copy->GetVelocity(), source->GetVelocity());
    EXPECT_EQ(copy->GetOrientationRadians(), source->GetOrientationRadians());
    EXPECT_EQ(copy->GetMatrix(), source->GetMatrix());
    EXPECT_NE(dynamic_cast<ODESolverHeun*>(copy->GetVelocityIntegrator()), nullptr);
    ASSERT_EQ(copy->GetForces().GetForceCount(), 1u);
    EXPECT_NE(copy->GetForces().GetForce(0), source->GetForces().GetForce(0));
    EXPECT_EQ(copy->GetForces().GetForce(0)->GetBody(), copy.Get());

    // Both step alike from here.
    source->AccumulateForces(0.1f);
    copy->AccumulateForces(0.1f);
    source->Integrate(0.1f);
    copy->Integrate(0.1f);
    EXPECT_EQ(copy->GetVelocity(), source->GetVelocity());
    EXPECT_EQ(copy->GetPosition(), source->GetPosition());

    // The copy of a body without integrators keeps the kind but integrates by Euler.
    Core::RefPtr<RigidBody> still =
        new RigidBody(MassProperties(1.0f, 1.0f, Vector2D()), RigidBody::IntegratorNone, nullptr, nullptr, nullptr);
    Core::RefPtr<RigidBody> stillCopy = new RigidBody(*still, nullptr);
    EXPECT_EQ(stillCopy->GetIntegratorKind(), RigidBody::IntegratorNone);
    EXPECT_NE(dynamic_cast<ODESolverEuler*>(stillCopy->GetVelocityIntegrator()), nullptr);
    EXPECT_NE(dynamic_cast<ODESolverEuler*>(stillCopy->GetPoseIntegrator()), nullptr);
    stillCopy->SetVelocity(Vector2D(2.0f, 0.0f));
    stillCopy->Integrate(0.5f);
    EXPECT_EQ(stillCopy->GetPosition(), Vector2D(1.0f, 0.0f));
}
} // namespace

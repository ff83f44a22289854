#include "Physics_TestSupport.h"

#include "math/Math_Constants.h"
#include "math/Math_Matrix3x3.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_JointAngularMotor.h"
#include "physics/Physics_JointFixed.h"
#include "physics/Physics_JointNail.h"
#include "physics/Physics_JointSlider.h"

#include <cmath>

namespace
{
using namespace Physics2D;
using PhysicsTest::AddBody;
using PhysicsTest::Fixture;
using Math::Vector2D;

using Rows = PhysicsTest::Rows<3>;

class PhysicsJoint : public Fixture
{
protected:
    void SetUp() override
    {
        Fixture::SetUp();
        first = AddBody(engine, 1.0f, 1.0f, Vector2D(0.0f, 0.0f));
        second = AddBody(engine, 1.0f, 1.0f, Vector2D(1.0f, 0.0f));
        SimulationStep = 0.02f;
        SimulationInverseStep = 50.0f;
    }
    RigidBody* Body(u32 id) { return engine.GetRigidBody(id); }
    // Turns body 2 by the given degrees relative to its prepared angle.
    void Turn(float degrees) { Body(second)->SetOrientation(degrees); }

    PhysicsEngine engine;
    u32 first = 0;
    u32 second = 0;
};

JointNail* Nail(float angleLimit, float stiffness = 0.0f, float damping = 0.0f)
{
    return new JointNail(Vector2D(0.5f, 0.0f), Vector2D(0.5f, 0.0f), Vector2D(1.0f, 0.0f), stiffness, damping,
                         angleLimit, 0.2f);
}

TEST_F(PhysicsJoint, NailAddsItsLimitRowOutsideTheMargin)
{
    JointNail* nail = static_cast<JointNail*>(engine.AddJoint(first, second, Nail(30.0f)));
    Turn(29.995f);
    EXPECT_EQ(nail->GetRowCount(), 3u);
    Rows upper;
    nail->FillRows(upper.Block());
    EXPECT_EQ(upper.jacobian[14], 1.0f);
    EXPECT_EQ(upper.jacobian[17], -1.0f);
    EXPECT_EQ(upper.lower[2], 0.0f);
    EXPECT_EQ(upper.upper[2], Infinity);
    EXPECT_NEAR(upper.target[2], (nail->GetAngleError() - 30.0f) * 50.0f * 0.2f * Math::DegreesToRadians, 1e-6f);

    Turn(29.98f);
    EXPECT_EQ(nail->GetRowCount(), 2u);
    Turn(-35.0f);
    EXPECT_EQ(nail->GetRowCount(), 3u);
    Rows lower;
    nail->FillRows(lower.Block());
    EXPECT_EQ(lower.lower[2], -Infinity);
    EXPECT_EQ(lower.upper[2], 0.0f);
    EXPECT_NEAR(lower.target[2], -5.0f * 50.0f * 0.2f * Math::DegreesToRadians, 1e-4f);
}

TEST_F(PhysicsJoint, OnlyTheNailFamilyWrapsTheAngle)
{
    JointNail* nail = static_cast<JointNail*>(engine.AddJoint(first, second, Nail(JointNail::NoAngleLimit)));
    JointSlider* slider = static_cast<JointSlider*>(engine.AddJoint(first, second, new JointSlider(Vector2D(1, 0), 1.0f)));
    JointFixed* fixed = static_cast<JointFixed*>(engine.AddJoint(first, second, new JointFixed(1.0f)));
    Turn(370.0f);
    EXPECT_NEAR(nail->GetAngleError(), 10.0f, 1e-3f);
    Rows sliderRows;
    slider->FillRows(sliderRows.Block());
    EXPECT_NEAR(sliderRows.target[0], 370.0f * 50.0f * Math::DegreesToRadians, 1e-2f);
    Rows fixedRows;
    fixed->FillRows(fixedRows.Block());
    EXPECT_NEAR(fixedRows.target[2], 370.0f * 50.0f * Math::DegreesToRadians, 1e-2f);
}

TEST(PhysicsJoints, FixedJointClampsItsCorrectionFactor)
{
    EXPECT_EQ(JointFixed(1.5f).GetCorrectionFactor(), 1.0f);
    EXPECT_EQ(JointFixed(-0.2f).GetCorrectionFactor(), 0.0f);
    Core::RefPtr<Core::Object> made(Core::CreateObjectByName("Physics2D::JointFixed"));
    const JointFixed* fixed = dynamic_cast<JointFixed*>(made.Get());
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->GetCorrectionFactor(), 0.7f);
    EXPECT_EQ(fixed->GetKind(), Joint::KindFixed);
    EXPECT_EQ(fixed->GetDeclaredRows(), 3u);
}

TEST_F(PhysicsJoint, SpringSoftensItsAxisRow)
{
    Joint* spring = engine.AddJoint(first, second,
                                    new JointSpring(Vector2D(0.0f, 0.0f), Vector2D(1.0f, 0.0f), Vector2D(1.0f, 0.0f),
                                                    100.0f, 10.0f, JointNail::NoAngleLimit, 0.2f));
    Body(second)->SetPosition(Vector2D(1.5f, 0.0f));
    ASSERT_EQ(spring->GetRowCount(), 2u);
    Rows rows;
    spring->FillRows(rows.Block());
    // The anchors are pinned together, so the separation is the whole 1.5.
    EXPECT_FLOAT_EQ(rows.target[0], 1.5f * 50.0f * (2.0f / 12.0f));
    EXPECT_FLOAT_EQ(rows.regularizer[0], 1.0f / 12.0f);
    EXPECT_EQ(rows.regularizer[1], 0.0f);
}

TEST_F(PhysicsJoint, SpringWithoutSoftnessKeepsTheRigidRow)
{
    // h·k + c = 0 (a pass of dt 0 without damping, or damping cancelling the stiffness).
    Joint* spring = engine.AddJoint(first, second,
                                    new JointSpring(Vector2D(0.0f, 0.0f), Vector2D(1.0f, 0.0f), Vector2D(1.0f, 0.0f),
                                                    100.0f, 0.0f, JointNail::NoAngleLimit, 0.2f));
    Body(second)->SetPosition(Vector2D(1.5f, 0.0f));
    SimulationStep = 0.0f;
    SimulationInverseStep = 0.0f;
    Rows still;
    spring->GetRowCount();
    spring->FillRows(still.Block());
    EXPECT_EQ(still.target[0], 0.0f);
    EXPECT_EQ(still.regularizer[0], 0.0f);

    Joint* cancelled = engine.AddJoint(first, second,
                                       new JointSpring(Vector2D(0.0f, 0.0f), Vector2D(1.0f, 0.0f), Vector2D(1.0f, 0.0f),
                                                       100.0f, -2.0f, JointNail::NoAngleLimit, 0.2f));
    SimulationStep = 0.02f;
    SimulationInverseStep = 50.0f;
    Rows rigid;
    cancelled->GetRowCount();
    cancelled->FillRows(rigid.Block());
    EXPECT_EQ(rigid.regularizer[0], 0.0f);
    // Prepared with body 2 at 1.5, so its anchor sits 1 from body 1's.
    EXPECT_FLOAT_EQ(rigid.target[0], 1.0f * 50.0f * 0.2f);

    // A whole frame at dt 0 leaves everything finite.
    engine.Update(0.0f);
    engine.PostCollisionUpdate(0.0f);
    EXPECT_TRUE(std::isfinite(Body(first)->GetPosition().x));
    EXPECT_TRUE(std::isfinite(Body(second)->GetVelocity().x));
}

TEST_F(PhysicsJoint, MotorRowIsBoundByItsMaximum)
{
    Joint* motor = engine.AddJoint(first, second, new JointAngularMotor(90.0f, 4.0f));
    Rows rows;
    ASSERT_EQ(motor->GetRowCount(), 1u);
    motor->FillRows(rows.Block());
    EXPECT_FLOAT_EQ(rows.target[0], 1.5707964f);
    EXPECT_EQ(rows.lower[0], -4.0f);
    EXPECT_EQ(rows.upper[0], 4.0f);
}

TEST_F(PhysicsJoint, InactiveJointMovesNothing)
{
    Joint* weld = engine.AddJoint(first, second, new JointFixed());
    weld->SetActive(false);
    Body(second)->SetPosition(Vector2D(3.0f, 0.0f));
    PhysicsTest::Step(engine, 0.02f);
    EXPECT_EQ(Body(second)->GetPosition(), Vector2D(3.0f, 0.0f));
    EXPECT_EQ(Body(first)->GetPosition(), Vector2D());
}

// 600 frames at 60 per second under gravity.
class PhysicsJointHolds : public Fixture
{
protected:
    u32 Falling(const Vector2D& position, float mass = 1.0f, float inertia = 0.5f)
    {
        const u32 id = AddBody(engine, mass, inertia, position);
        PhysicsTest::AddGravity(engine, id);
        return id;
    }
    // Runs the frames and returns the largest value the measure took after each.
    template <class Measure>
    float Worst(Measure measure, int frames = 600)
    {
        float worst = 0.0f;
        for (int i = 0; i < frames; ++i)
        {
            PhysicsTest::Step(engine, 1.0f / 60.0f);
            worst = std::fmax(worst, measure());
        }
        return worst;
    }
    RigidBody* Body(u32 id) { return engine.GetRigidBody(id); }
    float Distance(const Vector2D& a, const Vector2D& b) { return (a - b).Length(); }

    PhysicsEngine engine;
};

TEST_F(PhysicsJointHolds, NailKeepsAPendulumOnItsPin)
{
    // A bob hanging 2 to the right of a pin in the world, let go horizontally.
    const u32 bob = Falling(Vector2D(2.0f, 0.0f));
    ASSERT_NE(engine.AddJoint(bob, 0, new JointNail(Vector2D(0, 0), Vector2D(0, 0), Vector2D(1, 0), 0, 0,
                                                   JointNail::NoAngleLimit, 0.2f)),
              nullptr);
    const Math::Matrix3x3* matrix = &Body(bob)->GetMatrix();
    const Vector2D pinInBob = Math::TransformPoint(Body(bob)->GetInverseMatrix(), Vector2D(0, 0));
    float lowest = 0.0f;
    const float drift = Worst([&] {
        lowest = std::fmin(lowest, Body(bob)->GetPosition().y);
        return Math::TransformPoint(*matrix, pinInBob).Length();
    });
    EXPECT_LT(drift, 0.05f);
    // It swings down: the pin holds it at length 2.
    EXPECT_LT(lowest, -1.9f);
    EXPECT_GT(lowest, -2.05f);
}

TEST_F(PhysicsJointHolds, HingeKeepsTwoBodiesTogether)
{
    const u32 top = Falling(Vector2D(0.0f, 0.0f));
    const u32 bottom = Falling(Vector2D(1.0f, 0.0f));
    engine.AddJoint(top, 0, new JointNail(Vector2D(0, 0), Vector2D(0, 0), Vector2D(1, 0), 0, 0, JointNail::NoAngleLimit, 0.2f));
    Joint* hinge = engine.AddJoint(top, bottom, new JointHinge(Vector2D(0.5f, 0.0f), Vector2D(0.5f, 0.0f), Vector2D(1, 0),
                                                               0, 0, JointNail::NoAngleLimit, 0.2f));
    ASSERT_NE(hinge, nullptr);
    const Vector2D local1 = Math::TransformPoint(Body(top)->GetInverseMatrix(), Vector2D(0.5f, 0.0f));
    const Vector2D local2 = Math::TransformPoint(Body(bottom)->GetInverseMatrix(), Vector2D(0.5f, 0.0f));
    float lowest = 0.0f;
    const float drift = Worst([&] {
        lowest = std::fmin(lowest, Body(bottom)->GetPosition().y);
        return Distance(Math::TransformPoint(Body(top)->GetMatrix(), local1),
                        Math::TransformPoint(Body(bottom)->GetMatrix(), local2));
    });
    EXPECT_LT(drift, 0.05f);
    // The pair swings: the lower body reaches below its hinge, never further than the chain allows.
    EXPECT_LT(lowest, -0.5f);
    EXPECT_GT(lowest, -1.6f);
}

TEST_F(PhysicsJointHolds, NailLimitBoundsTheRelativeAngle)
{
    // A bar pinned at its left end and free to turn only 20 degrees either way.
    const u32 bar = Falling(Vector2D(1.0f, 0.0f), 1.0f, 0.33f);
    engine.AddJoint(0, bar, new JointNail(Vector2D(0, 0), Vector2D(0, 0), Vector2D(1, 0), 0, 0, 20.0f, 0.2f));
    const float turned = Worst([&] { return std::fabs(Body(bar)->GetOrientation()); });
    // The limit row takes over once the limit is passed and pulls back a share of the excess per
    // frame: a swing overshoots it by a little, and the bar comes to rest on it.
    EXPECT_LT(turned, 25.0f);
    EXPECT_NEAR(Body(bar)->GetOrientation(), -20.0f, 1.0f);
}

TEST_F(PhysicsJointHolds, SpringPullsAndStaysBounded)
{
    // A weight on a damped spring to a point 1 above it, along the vertical.
    const u32 weight = Falling(Vector2D(0.0f, 0.0f));
    engine.AddJoint(weight, 0, new JointSpring(Vector2D(0, 0), Vector2D(0, 1), Vector2D(0, 1), 200.0f, 5.0f,
                                               JointNail::NoAngleLimit, 0.2f));
    float lowest = 0.0f;
    float highest = 0.0f;
    const float sideways = Worst([&] {
        lowest = std::fmin(lowest, Body(weight)->GetPosition().y);
        highest = std::fmax(highest, Body(weight)->GetPosition().y);
        return std::fabs(Body(weight)->GetPosition().x);
    });
    EXPECT_LT(sideways, 1e-3f);
    // Pulled up past where the spring carries the weight (1 - g/k), never past twice that swing.
    EXPECT_GT(highest, 0.951f);
    EXPECT_LT(highest, 1.9f);
    EXPECT_GT(lowest, -0.1f);
    // Damped, it comes to rest there.
    EXPECT_NEAR(Body(weight)->GetPosition().y, 1.0f - 9.8f / 200.0f, 0.02f);
    EXPECT_NEAR(Body(weight)->GetVelocity().y, 0.0f, 0.05f);
}

TEST_F(PhysicsJointHolds, SliderKeepsItsTrack)
{
    // A block on a 30-degree track fixed in the world slides down it against a drag.
    const u32 block = Falling(Vector2D(0.0f, 0.0f));
    u32 dragId = 0;
    engine.AddRigidBodyForce(block, new DragForce(2.0f, 0.0f), dragId);
    Vector2D along(std::cos(0.5235988f), std::sin(0.5235988f));
    engine.AddJoint(0, block, new JointSlider(along, 0.2f));
    const Vector2D across(-along.y, along.x);
    float travelled = 0.0f;
    const float off = Worst([&] {
        travelled = Math::Dot(Body(block)->GetPosition(), along);
        return std::fabs(Math::Dot(Body(block)->GetPosition(), across)) +
               std::fabs(Body(block)->GetOrientation()) * Math::DegreesToRadians;
    });
    EXPECT_LT(off, 0.01f);
    // Near the terminal speed g sin 30° / 2 for most of the ten seconds.
    EXPECT_NEAR(travelled, -2.45f * 10.0f, 2.0f);
}

TEST_F(PhysicsJointHolds, SliderKeepsItsTrackWhenItsRailGoes)
{
    // A block running along a horizontal rail body; the rail is removed and the track stays in the
    // world where it was, holding the block up against gravity.
    const u32 rail = AddBody(engine, 1.0f, 0.5f, Vector2D(0.0f, 0.0f));
    const u32 block = AddBody(engine, 1.0f, 0.5f, Vector2D(2.0f, 0.0f));
    engine.AddJoint(rail, block, new JointSlider(Vector2D(1.0f, 0.0f), 0.2f));
    Body(block)->SetVelocity(Vector2D(1.0f, 0.0f));
    Worst([] { return 0.0f; }, 10);
    const Vector2D before = Body(block)->GetPosition();
    ASSERT_TRUE(engine.RemoveRigidBody(rail));
    PhysicsTest::AddGravity(engine, block);
    const float sag = Worst([&] { return std::fabs(Body(block)->GetPosition().y - before.y); }, 60);
    EXPECT_LT(sag, 0.01f);
    EXPECT_GT(Body(block)->GetPosition().x, before.x + 0.5f);
}

TEST_F(PhysicsJointHolds, FixedJointWeldsTwoBodies)
{
    const u32 anchor = Falling(Vector2D(0.0f, 0.0f));
    const u32 arm = Falling(Vector2D(1.0f, 0.5f));
    engine.AddJoint(anchor, 0, new JointNail(Vector2D(0, 0), Vector2D(0, 0), Vector2D(1, 0), 0, 0, JointNail::NoAngleLimit, 0.2f));
    engine.AddJoint(anchor, arm, new JointFixed());
    const float drift = Worst([&] {
        const Vector2D offset = Body(arm)->GetPosition() - Body(anchor)->GetPosition();
        const Vector2D rest = Math::TransformDirection(Body(anchor)->GetRotationMatrix(), Vector2D(1.0f, 0.5f));
        const float angle = std::fabs(Body(arm)->GetOrientation() - Body(anchor)->GetOrientation());
        return Distance(offset, rest) + angle * Math::DegreesToRadians;
    });
    EXPECT_LT(drift, 0.05f);
    // The welded pair swings about the pin.
    EXPECT_GT(std::fabs(Body(anchor)->GetOrientation()), 1.0f);
}

TEST_F(PhysicsJointHolds, MotorDrivesTheRelativeSpin)
{
    const u32 wheel = AddBody(engine, 1.0f, 0.5f, Vector2D());
    engine.AddJoint(0, wheel, new JointNail(Vector2D(0, 0), Vector2D(0, 0), Vector2D(1, 0), 0, 0, JointNail::NoAngleLimit, 0.2f));
    // Body 1 is the static body, so the wheel turns at minus the speed.
    engine.AddJoint(0, wheel, new JointAngularMotor(-180.0f, 100.0f));
    float slowest = 1e9f;
    Worst([&] { return 0.0f; }, 60);
    const float faster = Worst([&] {
        slowest = std::fmin(slowest, Body(wheel)->GetAngularVelocity());
        return Body(wheel)->GetAngularVelocity();
    }, 540);
    EXPECT_NEAR(slowest, 180.0f, 0.5f);
    EXPECT_NEAR(faster, 180.0f, 0.5f);
    EXPECT_LT(Body(wheel)->GetPosition().Length(), 1e-3f);

    // A weak motor accelerates at most by its maximum.
    PhysicsEngine weak;
    const u32 slow = AddBody(weak, 1.0f, 1.0f, Vector2D());
    weak.AddJoint(slow, 0, new JointAngularMotor(360.0f, 1.0f));
    PhysicsTest::Step(weak, 0.02f);
    EXPECT_NEAR(weak.GetRigidBody(slow)->GetAngularVelocityRadians(), 0.02f, 1e-5f);
}
} // namespace

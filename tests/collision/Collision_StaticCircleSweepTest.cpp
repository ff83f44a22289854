#include "Collision_TestBodies.h"

#include "collision/Collision_Results.h"
#include "collision/Collision_StaticShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

// Moving bodies swept against a static circle. Normals point from the static centre outwards.
namespace
{
using namespace CollisionTest;
using Collision2D::CIR_C;
using Collision2D::StaticCollisionCircle;

class StaticCircleSweep : public ::testing::Test
{
protected:
    StaticCircleSweep()
    {
        AddCircleFrame(five, 5.0f, 7);
        // Faces down (its front is the left side of (5, 0) -> (-5, 0)).
        AddSegmentFrame(plank, {5, 0}, {-5, 0}, 9);
    }

    static const Collision2D::CollisionResults& Sweep(DynamicObject& body, StaticCollisionCircle& circle)
    {
        body.PrepareFrame();
        body.CollideStaticCircle(circle, 2);
        return *body.GetResults();
    }

    static StaticCollisionCircle Circle(const Vector2D& center, f32 radius)
    {
        StaticCollisionCircle circle({center, radius});
        circle.SetUserId(50);
        return circle;
    }

    InterpolationGuard guard;
    CollisionActor five;
    CollisionActor plank;
};

TEST_F(StaticCircleSweep, HeadOnStopsWhereTheCirclesTouch)
{
    StaticCollisionCircle target = Circle({20, 0}, 5);
    target.SetZCollision(4);
    auto body = MakeBody(five, {-40, 0});
    MoveTo(*body, {40, 0}, 0);
    const auto& results = Sweep(*body, target);

    ASSERT_EQ(results.currentCIRNumber, 1);
    const CIR_C& record = results.circles[0];
    EXPECT_EQ(record.id, Collision2D::MakeObjectId(Collision2D::StaticCircleBase + target.GetId(), 2, 4));
    EXPECT_EQ(record.userId, 50u);
    EXPECT_NEAR(record.contactPosition.x, 10.0f, 1e-3f);
    ASSERT_EQ(record.numberOfIntersectedPoints, 1);
    EXPECT_NEAR(record.contactPoint[0].x, 15.0f, 1e-3f);
    EXPECT_NEAR(record.normal[0].x, -1.0f, 1e-5f);
    EXPECT_EQ(record.myCircleUserId[0], 7u);
    EXPECT_EQ(record.myLineSegmentUserId[0], Collision2D::EmptyUserId);
    EXPECT_NEAR(record.penetrationDistance, 30.0f, 1e-3f);
}

TEST_F(StaticCircleSweep, GrazingTouchesAtOnePointWithoutDepth)
{
    StaticCollisionCircle target = Circle({0, 0}, 5);
    auto body = MakeBody(five, {-50, 10});
    MoveTo(*body, {50, 10}, 0);
    const auto& results = Sweep(*body, target);
    ASSERT_EQ(results.currentCIRNumber, 1);
    const CIR_C& record = results.circles[0];
    EXPECT_NEAR(record.contactPosition.x, 0.0f, 1e-3f);
    EXPECT_NEAR(record.contactPoint[0].x, 0.0f, 1e-3f);
    EXPECT_NEAR(record.contactPoint[0].y, 5.0f, 1e-3f);
    EXPECT_NEAR(record.normal[0].y, 1.0f, 1e-5f);
    EXPECT_NEAR(record.penetrationDistance, 0.0f, 1e-3f);

    auto clear = MakeBody(five, {-50, 10.01f});
    MoveTo(*clear, {50, 10.01f}, 0);
    EXPECT_EQ(Sweep(*clear, target).currentCIRNumber, 0) << "passing just beside it";
}

TEST_F(StaticCircleSweep, OverlapAtTheStartCountsWithinTheThicknessWhenApproaching)
{
    StaticCollisionCircle target = Circle({0, 0}, 5);
    auto body = MakeBody(five, {9, 0});
    MoveTo(*body, {7, 0}, 0);
    EXPECT_EQ(Sweep(*body, target).currentCIRNumber, 0) << "no thickness";

    body = MakeBody(five, {9, 0});
    body->SetCollisionThickness(2.0f);
    MoveTo(*body, {7, 0}, 0);
    const auto& results = Sweep(*body, target);
    ASSERT_EQ(results.currentCIRNumber, 1);
    EXPECT_EQ(results.circles[0].contactPosition, Vector2D(9, 0));
    EXPECT_NEAR(results.circles[0].normal[0].x, 1.0f, 1e-5f);

    body = MakeBody(five, {9, 0});
    body->SetCollisionThickness(2.0f);
    MoveTo(*body, {11, 0}, 0);
    EXPECT_EQ(Sweep(*body, target).currentCIRNumber, 0) << "moving away";
}

TEST_F(StaticCircleSweep, SegmentFaceStopsOnTheCircle)
{
    StaticCollisionCircle target = Circle({0, 0}, 5);
    auto body = MakeBody(plank, {0, 12});
    MoveTo(*body, {0, 2}, 0);
    const auto& results = Sweep(*body, target);
    ASSERT_EQ(results.currentCIRNumber, 1);
    const CIR_C& record = results.circles[0];
    EXPECT_NEAR(record.contactPosition.y, 5.0f, 1e-3f);
    EXPECT_NEAR(record.contactPoint[0].y, 5.0f, 1e-3f);
    EXPECT_NEAR(record.normal[0].y, 1.0f, 1e-5f);
    EXPECT_EQ(record.myLineSegmentUserId[0], 9u);
    EXPECT_NEAR(record.penetrationDistance, 3.0f, 1e-3f);
}

TEST_F(StaticCircleSweep, SegmentEndPointEntersTheCircle)
{
    // The plank spans x from -13 to -3: the foot of the centre lies beyond its end A.
    StaticCollisionCircle target = Circle({0, 0}, 5);
    auto body = MakeBody(plank, {-8, 10});
    MoveTo(*body, {-8, -10}, 0);
    const auto& results = Sweep(*body, target);
    ASSERT_EQ(results.currentCIRNumber, 1);
    const CIR_C& record = results.circles[0];
    EXPECT_NEAR(record.contactPosition.y, 4.0f, 1e-3f);
    EXPECT_NEAR(record.contactPoint[0].x, -3.0f, 1e-3f);
    EXPECT_NEAR(record.contactPoint[0].y, 4.0f, 1e-3f);
    EXPECT_NEAR(record.normal[0].x, -0.6f, 1e-4f);
    EXPECT_NEAR(record.normal[0].y, 0.8f, 1e-4f);
}

TEST_F(StaticCircleSweep, SegmentGrazingTheCircleSlides)
{
    StaticCollisionCircle target = Circle({0, 0}, 5);
    auto body = MakeBody(plank, {-3, 5});
    MoveTo(*body, {3, 5}, 0);
    const auto& results = Sweep(*body, target);
    ASSERT_EQ(results.currentCIRNumber, 1);
    const CIR_C& record = results.circles[0];
    EXPECT_NEAR(record.contactPosition.x, -2.0f, 1e-4f) << "the end of the first sub-step";
    EXPECT_EQ(record.contactPoint[0], Vector2D(0, 5));
    EXPECT_EQ(record.normal[0], Vector2D(0, 1));
    EXPECT_EQ(record.penetrationDistance, 0.0f);
}

TEST_F(StaticCircleSweep, FastSegmentCannotJumpOverASmallCircle)
{
    // 20 sub-steps of 25 units: the plank is above the pin at the end of one and below at the end
    // of the next.
    StaticCollisionCircle pin = Circle({0, 0}, 2);
    auto body = MakeBody(plank, {0, 110});
    MoveTo(*body, {0, -390}, 0);
    const auto& results = Sweep(*body, pin);
    ASSERT_EQ(results.currentCIRNumber, 1);
    const CIR_C& record = results.circles[0];
    EXPECT_NEAR(record.contactPosition.y, 2.0f, 1e-3f);
    EXPECT_NEAR(record.contactPoint[0].y, 2.0f, 1e-3f);
    EXPECT_NEAR(record.normal[0].y, 1.0f, 1e-5f);

    // Moving along its own line, its end point runs through the pin between two sub-step ends.
    StaticCollisionCircle low = Circle({0, 0}, 1);
    auto along = MakeBody(plank, {-110, 0.5f});
    MoveTo(*along, {290, 0.5f}, 0);
    const auto& passed = Sweep(*along, low);
    ASSERT_EQ(passed.currentCIRNumber, 1);
    EXPECT_NEAR(passed.circles[0].contactPosition.x, -5.0f - std::sqrt(0.75f), 1e-3f);
    EXPECT_NEAR(passed.circles[0].contactPoint[0].x, -std::sqrt(0.75f), 1e-3f);
}

TEST_F(StaticCircleSweep, NeverTunnelsWhateverTheSpeedAndAngle)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<f32> unit(0.0f, 1.0f);
    StaticCollisionCircle pin = Circle({0, 0}, 3);
    for (int shot = 0; shot < 300; ++shot)
    {
        // Aimed so that the path passes within the reach of the two shapes.
        const f32 angle = unit(random) * 6.2831853f;
        const Vector2D direction(std::cos(angle), std::sin(angle));
        const Vector2D side(-direction.y, direction.x);
        const bool round = shot % 2 == 0;
        const f32 miss = (unit(random) * 2 - 1) * (round ? 7.5f : 2.5f);
        const f32 before = 10 + unit(random) * 200;
        const f32 after = 10 + unit(random) * 3000;
        const Vector2D from = side * miss - direction * before;
        const Vector2D to = side * miss + direction * after;
        auto body = MakeBody(round ? five : plank, from);
        if (!round)
        {
            // Turned so that the plank's front faces the way it moves.
            const f32 degrees = angle * 57.29578f + 90.0f;
            body->SetOldOrientation(degrees);
            body->SetOrientation(degrees);
        }
        MoveTo(*body, to, body->GetOrientation());
        const auto& results = Sweep(*body, pin);
        ASSERT_EQ(results.currentCIRNumber, 1) << "shot " << shot;
        const CIR_C& record = results.circles[0];
        EXPECT_GE(record.penetrationDistance, 0.0f);
        EXPECT_NEAR((record.contactPoint[0] - Vector2D(0, 0)).Length(), 3.0f, 1e-2f) << "shot " << shot;
        EXPECT_NEAR(record.normal[0].Length(), 1.0f, 1e-4f);
    }
}
} // namespace

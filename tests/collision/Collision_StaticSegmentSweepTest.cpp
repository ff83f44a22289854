#include "Collision_TestBodies.h"

#include "collision/Collision_Results.h"
#include "collision/Collision_StaticShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

// Moving bodies swept against a static line segment. A segment's front is its left side: the floor
// from (-100, 0) to (100, 0) faces up, and a body segment from (5, 0) to (-5, 0) faces down.
namespace
{
using namespace CollisionTest;
using Collision2D::LNS_C;
using Collision2D::StaticCollisionLineSegment;

class StaticSegmentSweep : public ::testing::Test
{
protected:
    StaticSegmentSweep() : floor({{-100, 0}, {100, 0}})
    {
        floor.SetUserId(40);
        floor.SetZCollision(3);
        floor.SetUserData(&owner);
        AddCircleFrame(ball, 2.0f, 7);
        AddSegmentFrame(plank, {5, 0}, {-5, 0}, 9);
    }

    // Prepares the body for the frame, as the layer does, and sweeps it against the segment.
    static const Collision2D::CollisionResults& Sweep(DynamicObject& body, StaticCollisionLineSegment& segment)
    {
        body.PrepareFrame();
        body.CollideStaticLineSegment(segment, 1);
        return *body.GetResults();
    }

    InterpolationGuard guard;
    int owner = 0;
    StaticCollisionLineSegment floor;
    CollisionActor ball;
    CollisionActor plank;
};

TEST_F(StaticSegmentSweep, FastCircleStopsOnTheFront)
{
    auto body = MakeBody(ball, {0, 50});
    MoveTo(*body, {0, -450}, 0);
    const auto& results = Sweep(*body, floor);

    ASSERT_EQ(results.currentLNSNumber, 1);
    const LNS_C& record = results.lineSegments[0];
    EXPECT_EQ(record.id, Collision2D::MakeObjectId(Collision2D::StaticLineSegmentBase + floor.GetId(), 1, 3));
    EXPECT_EQ(record.userId, 40u);
    EXPECT_EQ(record.partnerUserData, &owner);
    EXPECT_NEAR(record.contactPosition.y, 2.0f, 1e-3f) << "the circle touches the floor";
    EXPECT_EQ(record.contactOrientation, 0.0f);
    ASSERT_EQ(record.numberOfIntersectedPoints, 1);
    EXPECT_NEAR(record.contactPoint[0].x, 0.0f, 1e-3f);
    EXPECT_NEAR(record.contactPoint[0].y, 0.0f, 1e-3f);
    EXPECT_EQ(record.normal[0], Vector2D(0, 1));
    EXPECT_EQ(record.myCircleUserId[0], 7u);
    EXPECT_EQ(record.myLineSegmentUserId[0], Collision2D::EmptyUserId);
    // The frame ends 452 units behind the front.
    EXPECT_NEAR(record.penetrationDistance, 452.0f, 1e-2f);
}

TEST_F(StaticSegmentSweep, FastSegmentHitsWithBothEndsAtOnce)
{
    auto body = MakeBody(plank, {0, 50});
    MoveTo(*body, {0, -450}, 0);
    const auto& results = Sweep(*body, floor);

    ASSERT_EQ(results.currentLNSNumber, 1);
    const LNS_C& record = results.lineSegments[0];
    EXPECT_NEAR(record.contactPosition.y, 0.0f, 1e-3f);
    ASSERT_EQ(record.numberOfIntersectedPoints, 2);
    EXPECT_NEAR(record.contactPoint[0].x, 5.0f, 1e-3f);
    EXPECT_NEAR(record.contactPoint[1].x, -5.0f, 1e-3f);
    EXPECT_EQ(record.normal[0], Vector2D(0, 1));
    EXPECT_EQ(record.normal[1], Vector2D(0, 1));
    EXPECT_EQ(record.myLineSegmentUserId[0], 9u);
    EXPECT_EQ(record.myLineSegmentUserId[1], 9u);
    EXPECT_EQ(record.myCircleUserId[1], Collision2D::EmptyUserId);
    EXPECT_NEAR(record.penetrationDistance, 450.0f, 1e-2f);
    // The contact pose of the shapes is that of the contact sub-step's end.
    EXPECT_LE(body->GetContactLineSegments()[0].A.y, 0.0f);
}

TEST_F(StaticSegmentSweep, NeverTunnelsWhateverTheSpeedAndAngle)
{
    std::mt19937 random(99);
    std::uniform_real_distribution<f32> unit(0.0f, 1.0f);
    for (int shot = 0; shot < 300; ++shot)
    {
        const bool round = shot % 2 == 0;
        const Vector2D from(unit(random) * 160 - 80, 5 + unit(random) * 300);
        const Vector2D to(unit(random) * 160 - 80, -5 - unit(random) * 3000);
        auto body = MakeBody(round ? ball : plank, from);
        MoveTo(*body, to, 0);
        const auto& results = Sweep(*body, floor);
        ASSERT_EQ(results.currentLNSNumber, 1) << "shot " << shot << " from (" << from.x << ", " << from.y
                                                << ") to (" << to.x << ", " << to.y << ")";
        const LNS_C& record = results.lineSegments[0];
        // The contact pose lies on the way, at the floor.
        EXPECT_NEAR(record.contactPosition.y, round ? 2.0f : 0.0f, 0.01f) << "shot " << shot;
        EXPECT_GE(record.penetrationDistance, 0.0f);
        EXPECT_EQ(record.normal[0], Vector2D(0, 1));
    }
}

TEST_F(StaticSegmentSweep, SegmentSlidesAlongTheFloor)
{
    CollisionActor lying;
    AddSegmentFrame(lying, {-5, 0}, {5, 0}, 12);
    auto body = MakeBody(lying, {0, 0});
    MoveTo(*body, {10, 0}, 0);
    const auto& results = Sweep(*body, floor);

    ASSERT_EQ(results.currentLNSNumber, 1);
    const LNS_C& record = results.lineSegments[0];
    // Sliding contacts lie at the end of the first sub-step.
    EXPECT_NEAR(record.contactPosition.x, 10.0f / static_cast<f32>(body->GetSteps()), 1e-4f);
    ASSERT_EQ(record.numberOfIntersectedPoints, 2);
    EXPECT_EQ(record.normal[0], Vector2D(0, 1));
    EXPECT_EQ(record.normal[1], Vector2D(0, 1));
    EXPECT_EQ(record.penetrationDistance, 0.0f);
}

TEST_F(StaticSegmentSweep, BodySegmentMeetsTheFloorsEndPoint)
{
    // A slope rising to its end at (0, 0), below the middle of the plank: that end meets the
    // plank before the plank's own end reaches the slope.
    StaticCollisionLineSegment ledge({{-100, -50}, {0, 0}});
    auto body = MakeBody(plank, {0, 20});
    MoveTo(*body, {0, -20}, 0);
    const auto& results = Sweep(*body, ledge);

    ASSERT_EQ(results.currentLNSNumber, 1);
    const LNS_C& record = results.lineSegments[0];
    EXPECT_NEAR(record.contactPosition.y, 0.0f, 1e-3f);
    ASSERT_EQ(record.numberOfIntersectedPoints, 1);
    EXPECT_EQ(record.contactPoint[0], Vector2D(0, 0));
    EXPECT_EQ(record.normal[0], Vector2D(0, 1)) << "against the plank's front";
    EXPECT_NEAR(record.penetrationDistance, 20.0f, 1e-3f);
}

TEST_F(StaticSegmentSweep, CircleMeetsAnEndPointBesideTheFace)
{
    // A wall facing left whose upper end is at (10, 0); the circle passes just above the face.
    StaticCollisionLineSegment wall({{10, -100}, {10, 0}});
    CollisionActor five;
    AddCircleFrame(five, 5.0f);
    auto body = MakeBody(five, {-30, 3});
    MoveTo(*body, {30, 3}, 0);
    const auto& results = Sweep(*body, wall);

    ASSERT_EQ(results.currentLNSNumber, 1);
    const LNS_C& record = results.lineSegments[0];
    EXPECT_NEAR(record.contactPosition.x, 6.0f, 1e-3f);
    EXPECT_EQ(record.contactPoint[0], Vector2D(10, 0));
    EXPECT_NEAR(record.normal[0].x, -0.8f, 1e-4f);
    EXPECT_NEAR(record.normal[0].y, 0.6f, 1e-4f);
}

TEST_F(StaticSegmentSweep, BackSideLetsSegmentsThrough)
{
    // The plank faces up (its front is its left side) and comes from below the floor's back.
    CollisionActor upward;
    AddSegmentFrame(upward, {-5, 0}, {5, 0});
    auto body = MakeBody(upward, {0, -20});
    MoveTo(*body, {0, 20}, 0);
    EXPECT_EQ(Sweep(*body, floor).currentLNSNumber, 0);
    // A circle coming from behind meets no front either.
    auto round = MakeBody(ball, {0, -20});
    MoveTo(*round, {0, 20}, 0);
    EXPECT_EQ(Sweep(*round, floor).currentLNSNumber, 0);
}

TEST_F(StaticSegmentSweep, OverlapAtTheStartCountsOnlyWithinTheThickness)
{
    // The circle reaches 0.5 behind the front before it moves on down.
    auto body = MakeBody(ball, {0, 1.5f});
    MoveTo(*body, {0, -2.5f}, 0);
    EXPECT_EQ(Sweep(*body, floor).currentLNSNumber, 0) << "no thickness";

    body = MakeBody(ball, {0, 1.5f});
    body->SetCollisionThickness(1.0f);
    MoveTo(*body, {0, -2.5f}, 0);
    const auto& results = Sweep(*body, floor);
    ASSERT_EQ(results.currentLNSNumber, 1);
    const LNS_C& record = results.lineSegments[0];
    EXPECT_EQ(record.contactPosition, Vector2D(0, 1.5f)) << "fraction 0 of the first sub-step";
    EXPECT_EQ(record.contactPoint[0], Vector2D(0, -0.5f)) << "the leading point";
    EXPECT_NEAR(record.penetrationDistance, 4.5f, 1e-4f);

    body = MakeBody(ball, {0, 0.5f});
    body->SetCollisionThickness(1.0f);
    MoveTo(*body, {0, -2.5f}, 0);
    EXPECT_EQ(Sweep(*body, floor).currentLNSNumber, 0) << "deeper than the thickness";
}

TEST_F(StaticSegmentSweep, SegmentEndsBehindTheFrontWithinTheThickness)
{
    // Both ends of the plank start 0.5 behind the floor's front and press on down.
    auto body = MakeBody(plank, {0, -0.5f});
    body->SetCollisionThickness(1.0f);
    MoveTo(*body, {0, -5}, 0);
    const auto& results = Sweep(*body, floor);
    ASSERT_EQ(results.currentLNSNumber, 1);
    const LNS_C& record = results.lineSegments[0];
    EXPECT_EQ(record.contactPosition, Vector2D(0, -0.5f)) << "fraction 0 of the first sub-step";
    ASSERT_EQ(record.numberOfIntersectedPoints, 2);
    // Where the ends' probes meet the floor.
    EXPECT_NEAR(record.contactPoint[0].x, 5.0f, 1e-4f);
    EXPECT_EQ(record.contactPoint[0].y, 0.0f);
    EXPECT_NEAR(record.contactPoint[1].x, -5.0f, 1e-4f);
    EXPECT_NEAR(record.penetrationDistance, 5.0f, 1e-4f);

    body = MakeBody(plank, {0, -0.5f});
    MoveTo(*body, {0, -5}, 0);
    EXPECT_EQ(Sweep(*body, floor).currentLNSNumber, 0) << "without thickness";

    body = MakeBody(plank, {0, 0});
    MoveTo(*body, {0, -5}, 0);
    ASSERT_EQ(Sweep(*body, floor).currentLNSNumber, 1) << "an exact touch counts without thickness";
    EXPECT_NEAR(body->GetResults()->lineSegments[0].contactPosition.y, 0.0f, 1e-4f);
}

TEST_F(StaticSegmentSweep, TheFirstSubStepWithAContactEndsTheSearch)
{
    // Two floors: the upper one is met first; the lower one is not reported in the same record.
    StaticCollisionLineSegment upper({{-100, 10}, {100, 10}});
    auto body = MakeBody(plank, {0, 30});
    MoveTo(*body, {0, -30}, 0);
    const auto& results = Sweep(*body, upper);
    ASSERT_EQ(results.currentLNSNumber, 1);
    EXPECT_NEAR(results.lineSegments[0].contactPosition.y, 10.0f, 1e-3f);
    // The sub-step position is that of the contact sub-step's end, not of the frame's.
    EXPECT_GT(body->GetSubStepPosition().y, 0.0f);
    EXPECT_LE(body->GetSubStepPosition().y, 10.0f);
}

TEST_F(StaticSegmentSweep, ARecordHoldsAtMostFourPoints)
{
    CollisionActor rake;
    Collision2D::CollisionFrame& frame = rake.AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(VelRect(1, -20, 20, -1), true);
    frame.AddLineSegment({-10, 0}, {-15, 0}, 61, true);
    frame.AddLineSegment({3, 0}, {-3, 0}, 62, true);
    frame.AddLineSegment({15, 0}, {10, 0}, 63, true);
    auto body = MakeBody(rake, {0, 10});
    MoveTo(*body, {0, -10}, 0);
    const auto& results = Sweep(*body, floor);

    ASSERT_EQ(results.currentLNSNumber, 1);
    const LNS_C& record = results.lineSegments[0];
    EXPECT_EQ(record.numberOfIntersectedPoints, 4);
    EXPECT_EQ(record.myLineSegmentUserId[1], 61u);
    EXPECT_EQ(record.myLineSegmentUserId[2], 63u) << "the third pair overwrites the second";
    EXPECT_EQ(record.myLineSegmentUserId[3], 63u);
    EXPECT_NEAR(record.contactPoint[3].x, 10.0f, 1e-3f);
}

TEST_F(StaticSegmentSweep, ATurningBodyIsSweptAboutItsPivot)
{
    // A plank hanging 20 units below its pivot (the offset point) swings counter-clockwise, so that
    // its lower end moves right, into a wall at x = 15 that faces left.
    CollisionActor pendulum;
    AddSegmentFrame(pendulum, {10, 0}, {10, -20}, 3);
    auto body = MakeBody(pendulum, {0, 0});
    body->SetOffset({10, 0});
    body->SetOldPosition({0, 25});
    body->SetPosition({0, 25});
    body->SetOrientation(90.0f);
    StaticCollisionLineSegment wall({{15, -100}, {15, 100}});
    const auto& results = Sweep(*body, wall);

    ASSERT_EQ(results.currentLNSNumber, 1);
    const LNS_C& record = results.lineSegments[0];
    const f32 expected = std::asin(15.0f / 20.0f) * 57.29578f;
    EXPECT_NEAR(record.contactOrientation, expected, 0.5f);
    EXPECT_EQ(record.contactPosition, Vector2D(-10, 25)) << "the pivot stays where it is";
    EXPECT_NEAR(record.contactPoint[0].x, 15.0f, 1e-3f);
    EXPECT_NEAR(record.contactPoint[0].y, 25.0f - 20.0f * std::cos(expected / 57.29578f), 0.2f);
    EXPECT_EQ(record.normal[0], Vector2D(-1, 0));
}
TEST_F(StaticSegmentSweep, AFarBodyEndsWhereASweptOneEnds)
{
    // One circle falls towards the floor and stops short of it, the other falls far above it: both
    // meet nothing and are left at the end of their last sub-step, whether or not they were swept.
    for (const f32 height : {10.0f, 400.0f})
    {
        SCOPED_TRACE(height);
        auto body = MakeBody(ball, {3, height});
        body->SetCollisionThickness(1.0f);
        MoveTo(*body, {4, height - 7.0f}, 0);
        EXPECT_EQ(Sweep(*body, floor).currentLNSNumber, 0);
        EXPECT_EQ(body->GetSubStepPosition(), Vector2D(4, height - 7.0f));
        ASSERT_EQ(body->GetContactCircles().size(), 1u);
        EXPECT_EQ(body->GetContactCircles()[0].center, Vector2D(4, height - 7.0f));
    }
    // Just within reach of the floor's end point, beside it, the circle still meets it.
    StaticCollisionLineSegment post({{10, -50}, {10, 0}});
    auto body = MakeBody(ball, {10, 10});
    MoveTo(*body, {10, 1.5f}, 0);
    EXPECT_EQ(Sweep(*body, post).currentLNSNumber, 1);
}

} // namespace

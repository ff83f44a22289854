#include "Collision_TestBodies.h"

#include "collision/Collision_Results.h"

#include <gtest/gtest.h>

#include <cmath>

// Segments of dynamic objects meeting segments and circles, moving, turning and at rest. A
// segment's front is its left side: the walls below face the body that runs at them.
namespace
{
using namespace CollisionTest;
using Collision2D::DGEO_C;
using Collision2D::LNS_C;

class SegmentContact : public ::testing::Test
{
protected:
    SegmentContact()
    {
        AddSegmentFrame(facingRight, {0, 5}, {0, -5}, 1);
        AddSegmentFrame(facingLeft, {0, -5}, {0, 5}, 2);
        AddSegmentFrame(facingUp, {-5, 0}, {5, 0}, 3);
        AddSegmentFrame(pole, {0, 0}, {0, 10}, 4);
        AddCircleFrame(ball, 1.0f, 5);
    }

    void Collide(DynamicObject& a, DynamicObject& b)
    {
        a.PrepareFrame();
        b.PrepareFrame();
        a.CollideGeometry(b, 0);
    }

    static const DGEO_C& Record(const DynamicObject& body)
    {
        return body.GetResults()->geometries[0];
    }

    InterpolationGuard guard;
    CollisionActor facingRight;
    CollisionActor facingLeft;
    CollisionActor facingUp;
    CollisionActor pole;
    CollisionActor ball;
};

TEST_F(SegmentContact, MovingIntoStillWallHitsWithBothEnds)
{
    auto mover = MakeBody(facingRight, {0, 0});
    auto wall = MakeBody(facingLeft, {20, 0});
    MoveTo(*mover, {30, 0}, 0);
    Collide(*mover, *wall);

    ASSERT_EQ(mover->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = Record(*mover);
    EXPECT_NEAR(own.contactPosition.x, 20.0f, 1e-3f);
    ASSERT_EQ(own.currentLineSegmentsNumber, 1);
    const LNS_C& contact = own.lineSegments[0];
    EXPECT_EQ(contact.numberOfIntersectedPoints, 2) << "both end points at the same distance";
    EXPECT_EQ(contact.normal[0], Vector2D(-1, 0));
    EXPECT_EQ(contact.normal[1], Vector2D(-1, 0));
    EXPECT_EQ(contact.userId, 2u);
    EXPECT_EQ(contact.myLineSegmentUserId[0], 1u);
    EXPECT_NEAR(contact.penetrationDistance, 10.0f, 1e-3f);

    const LNS_C& mirrored = Record(*wall).lineSegments[0];
    EXPECT_EQ(Record(*wall).currentLineSegmentsNumber, 1);
    EXPECT_EQ(mirrored.normal[0], Vector2D(1, 0));
    EXPECT_EQ(mirrored.userId, 1u);
    EXPECT_EQ(mirrored.myLineSegmentUserId[0], 2u);
}

TEST_F(SegmentContact, StillBodyMetByMovingWall)
{
    auto still = MakeBody(facingRight, {0, 0});
    auto wall = MakeBody(facingLeft, {20, 0});
    MoveTo(*wall, {-10, 0}, 0);
    // The still body owns the pair; the moving one is swept against it.
    Collide(*still, *wall);

    ASSERT_EQ(still->GetResults()->currentDGEONumber, 1);
    EXPECT_NEAR(Record(*wall).contactPosition.x, 0.0f, 1e-3f);
    EXPECT_EQ(Record(*still).contactPosition.x, 0.0f);
    // Each normal points from the other body towards the record's owner.
    EXPECT_EQ(Record(*still).lineSegments[0].normal[0], Vector2D(-1, 0));
    EXPECT_EQ(Record(*wall).lineSegments[0].normal[0], Vector2D(1, 0));
}

TEST_F(SegmentContact, FastWallsDoNotPassThroughEachOther)
{
    auto a = MakeBody(facingRight, {0, 0});
    auto b = MakeBody(facingLeft, {1000, 0});
    MoveTo(*a, {1000, 0}, 0);
    MoveTo(*b, {0, 0}, 0);
    Collide(*a, *b);
    ASSERT_EQ(a->GetResults()->currentDGEONumber, 1);
    EXPECT_NEAR(Record(*a).contactPosition.x, 500.0f, 0.05f);
}

TEST_F(SegmentContact, WallsApproachingFromTheBackDoNotMeet)
{
    // Both fronts face away from each other.
    auto a = MakeBody(facingLeft, {0, 0});
    auto b = MakeBody(facingRight, {20, 0});
    MoveTo(*a, {30, 0}, 0);
    Collide(*a, *b);
    EXPECT_EQ(a->GetResults()->currentDGEONumber, 0);
}

TEST_F(SegmentContact, StillCrossingSegmentsWithUpdateOnIdle)
{
    auto a = MakeBody(facingUp, {0, 2});
    auto b = MakeBody(facingLeft, {1, 0});
    a->SetUpdateOnIdle(true);
    Collide(*a, *b);
    ASSERT_EQ(a->GetResults()->currentDGEONumber, 1);
    const LNS_C& own = Record(*a).lineSegments[0];
    EXPECT_EQ(own.numberOfIntersectedPoints, 1);
    EXPECT_EQ(own.contactPoint[0], Vector2D(1, 2));
    EXPECT_EQ(own.normal[0], Vector2D(-1, 0));
    EXPECT_EQ(own.penetrationDistance, 0.0f);
    EXPECT_EQ(Record(*b).lineSegments[0].normal[0], Vector2D(1, 0));
}

TEST_F(SegmentContact, FrontOfSegmentMeetsPartnerEndPoint)
{
    auto plate = MakeBody(facingUp, {0, 0});
    auto post = MakeBody(pole, {0, 10});
    MoveTo(*plate, {0, 20}, 0);
    Collide(*plate, *post);

    ASSERT_EQ(plate->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = Record(*plate);
    EXPECT_NEAR(own.contactPosition.y, 10.0f, 1e-3f);
    const LNS_C& contact = own.lineSegments[0];
    EXPECT_EQ(contact.numberOfIntersectedPoints, 1);
    EXPECT_EQ(contact.contactPoint[0], Vector2D(0, 10));
    EXPECT_EQ(contact.normal[0], Vector2D(0, -1));
    EXPECT_NEAR(contact.penetrationDistance, 10.0f, 1e-3f);
}

TEST_F(SegmentContact, SegmentSweepsIntoCircle)
{
    auto wall = MakeBody(facingRight, {0, 0});
    auto target = MakeBody(ball, {10, 0});
    MoveTo(*wall, {20, 0}, 0);
    Collide(*wall, *target);

    ASSERT_EQ(wall->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = Record(*wall);
    EXPECT_NEAR(own.contactPosition.x, 9.0f, 1e-3f);
    ASSERT_EQ(own.currentCirclesNumber, 1);
    const Collision2D::CIR_C& contact = own.circles[0];
    EXPECT_NEAR(contact.contactPoint[0].x, 9.0f, 1e-3f);
    EXPECT_NEAR(contact.normal[0].x, -1.0f, 1e-5f);
    EXPECT_EQ(contact.myLineSegmentUserId[0], 1u);
    EXPECT_EQ(contact.userId, 5u);
    // The circle's mirror goes to the segment pool of the circle's owner.
    ASSERT_EQ(Record(*target).currentLineSegmentsNumber, 1);
    EXPECT_NEAR(Record(*target).lineSegments[0].normal[0].x, 1.0f, 1e-5f);
    EXPECT_EQ(Record(*target).lineSegments[0].myCircleUserId[0], 5u);
}

TEST_F(SegmentContact, FastSegmentCannotJumpOverASmallCircle)
{
    // 20 sub-steps of 25 units: the wall is left of the pin at the end of one and right of it at the
    // end of the next.
    CollisionActor pin;
    AddCircleFrame(pin, 2.0f, 8);
    auto wall = MakeBody(facingRight, {-110, 0});
    auto still = MakeBody(pin, {0, 0});
    MoveTo(*wall, {390, 0}, 0);
    Collide(*wall, *still);
    ASSERT_EQ(wall->GetResults()->currentDGEONumber, 1);
    EXPECT_NEAR(Record(*wall).contactPosition.x, -2.0f, 1e-3f);
    ASSERT_EQ(Record(*wall).currentCirclesNumber, 1);
    EXPECT_NEAR(Record(*wall).circles[0].contactPoint[0].x, -2.0f, 1e-3f);
    EXPECT_NEAR(Record(*wall).circles[0].normal[0].x, -1.0f, 1e-5f);
    EXPECT_GE(Record(*wall).circles[0].penetrationDistance, 0.0f);
    ASSERT_EQ(Record(*still).currentLineSegmentsNumber, 1);
    EXPECT_NEAR(Record(*still).lineSegments[0].normal[0].x, 1.0f, 1e-5f);

    // The pin moving too, slower, the same way: they meet where the wall catches up with it.
    auto chaser = MakeBody(facingRight, {-110, 0});
    auto runner = MakeBody(pin, {0, 0});
    MoveTo(*chaser, {390, 0}, 0);
    MoveTo(*runner, {100, 0}, 0);
    Collide(*chaser, *runner);
    ASSERT_EQ(chaser->GetResults()->currentDGEONumber, 1);
    // The wall's x is -110 + 500 t and the pin's left side 100 t - 2: they meet at t = 0.27.
    EXPECT_NEAR(Record(*chaser).contactPosition.x, 25.0f, 1e-2f);
    EXPECT_NEAR(Record(*runner).contactPosition.x, 27.0f, 1e-2f);
}

TEST_F(SegmentContact, CircleRunsIntoSegmentFront)
{
    auto mover = MakeBody(ball, {0, 0});
    auto wall = MakeBody(facingLeft, {10, 0});
    MoveTo(*mover, {20, 0}, 0);
    Collide(*mover, *wall);

    ASSERT_EQ(mover->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = Record(*mover);
    EXPECT_NEAR(own.contactPosition.x, 9.0f, 1e-3f);
    ASSERT_EQ(own.currentLineSegmentsNumber, 1);
    EXPECT_NEAR(own.lineSegments[0].contactPoint[0].x, 10.0f, 1e-3f);
    EXPECT_EQ(own.lineSegments[0].normal[0], Vector2D(-1, 0));
    EXPECT_EQ(own.lineSegments[0].myCircleUserId[0], 5u);
    // The leading point at the end of the frame lies 11 units behind the front.
    EXPECT_NEAR(own.lineSegments[0].penetrationDistance, 11.0f, 1e-3f);
}

TEST_F(SegmentContact, CircleAlreadyBehindAFrontCountsOnlyWithinTheThickness)
{
    // The circle's leading point starts 0.5 behind the wall's front and keeps pressing on.
    auto wallBody = MakeBody(facingLeft, {10, 0});
    auto mover = MakeBody(ball, {9.5f, 0});
    MoveTo(*mover, {10.5f, 0}, 0);
    Collide(*mover, *wallBody);
    EXPECT_EQ(mover->GetResults()->currentDGEONumber, 0) << "thickness 0";

    mover->SetCollisionThickness(1.0f);
    mover->SetOldPosition({9.5f, 0});
    MoveTo(*mover, {10.5f, 0}, 0);
    Collide(*mover, *wallBody);
    ASSERT_EQ(mover->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = Record(*mover);
    EXPECT_EQ(own.contactPosition.x, 9.5f) << "fraction 0";
    EXPECT_EQ(own.lineSegments[0].contactPoint[0], Vector2D(10.5f, 0));
    EXPECT_EQ(own.lineSegments[0].normal[0], Vector2D(-1, 0));
    EXPECT_NEAR(own.lineSegments[0].penetrationDistance, 1.5f, 1e-4f);

    // Moving away from the front meets nothing.
    mover->SetOldPosition({9.5f, 0});
    MoveTo(*mover, {8.5f, 0}, 0);
    Collide(*mover, *wallBody);
    EXPECT_EQ(mover->GetResults()->currentDGEONumber, 0);
}

TEST_F(SegmentContact, CircleMeetsSegmentEndPoint)
{
    auto mover = MakeBody(ball, {-10, 11});
    auto post = MakeBody(pole, {0, 0});
    // Passes just above the post's top end at (0, 10).
    MoveTo(*mover, {10, 11}, 0);
    Collide(*mover, *post);

    ASSERT_EQ(mover->GetResults()->currentDGEONumber, 1);
    const Collision2D::LNS_C& contact = Record(*mover).lineSegments[0];
    EXPECT_EQ(contact.contactPoint[0], Vector2D(0, 10));
    EXPECT_NEAR(Record(*mover).contactPosition.x, 0.0f, 1e-3f);
    EXPECT_NEAR(contact.normal[0].y, 1.0f, 1e-3f);
}

TEST_F(SegmentContact, CircleRunningParallelToASegmentMeetsItsEnd)
{
    // The ball's leading point runs parallel to the plate's line, half a unit behind it: the
    // plate's end point is what the ball meets.
    auto mover = MakeBody(ball, {-20, 0.5f});
    auto plate = MakeBody(facingUp, {0, 0});
    MoveTo(*mover, {20, 0.5f}, 0);
    Collide(*mover, *plate);

    ASSERT_EQ(mover->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = Record(*mover);
    EXPECT_NEAR(own.contactPosition.x, -5.0f - std::sqrt(0.75f), 1e-3f);
    ASSERT_EQ(own.currentLineSegmentsNumber, 1);
    EXPECT_EQ(own.lineSegments[0].contactPoint[0], Vector2D(-5, 0));
    EXPECT_NEAR(own.lineSegments[0].normal[0].x, -std::sqrt(0.75f), 1e-3f);
    EXPECT_NEAR(own.lineSegments[0].normal[0].y, 0.5f, 1e-3f);
}

TEST_F(SegmentContact, TurningBodySweepsOntoCircle)
{
    CollisionActor arm;
    AddSegmentFrame(arm, {0, 0}, {10, 0}, 6);
    auto body = MakeBody(arm, {0, 0});
    auto target = MakeBody(ball, {5, 5});
    MoveTo(*body, {0, 0}, 90.0f);
    Collide(*body, *target);

    ASSERT_EQ(body->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = Record(*body);
    // The arm's line passes at distance 1 from the centre at about 36.87 degrees.
    EXPECT_NEAR(own.contactOrientation, 36.87f, 1.0f);
    EXPECT_EQ(own.contactPosition, Vector2D(0, 0));
    const Collision2D::CIR_C& contact = own.circles[0];
    EXPECT_GE(contact.penetrationDistance, 0.0f);
    EXPECT_LT(Vector2D(contact.contactPoint[0] - Vector2D(5, 5)).Length() - 1.0f, 1e-3f);
}

TEST_F(SegmentContact, TiesAreAppendedAndEarlierContactsReplaceThem)
{
    // A circle and a segment tangent to its leading side reach the partner's circle together.
    CollisionActor shield;
    {
        Collision2D::CollisionFrame& frame = shield.AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(VelRect(5, -1, 1, -5), true);
        frame.AddCircle({0, 0}, 1.0f, 31, true);
        frame.AddLineSegment({1, 5}, {1, -5}, 32, true);
    }
    auto mover = MakeBody(shield, {0, 0});
    auto target = MakeBody(ball, {10, 0});
    MoveTo(*mover, {20, 0}, 0);
    Collide(*mover, *target);
    ASSERT_EQ(mover->GetResults()->currentDGEONumber, 1);
    const DGEO_C& tie = Record(*mover);
    ASSERT_EQ(tie.currentCirclesNumber, 2);
    EXPECT_EQ(tie.circles[0].myLineSegmentUserId[0], 32u);
    EXPECT_EQ(tie.circles[1].myCircleUserId[0], 31u);
    EXPECT_EQ(Record(*target).currentLineSegmentsNumber + Record(*target).currentCirclesNumber, 2);

    // An earlier contact found after a later one replaces it on both sides.
    CollisionActor pair;
    {
        Collision2D::CollisionFrame& frame = pair.AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(VelRect(11, -1, 1, -11), true);
        frame.AddCircle({0, 10}, 1.0f, 41, true);
        frame.AddCircle({0, -10}, 1.0f, 42, true);
    }
    CollisionActor targets;
    {
        Collision2D::CollisionFrame& frame = targets.AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(VelRect(11, -1, 1, -11), true);
        frame.AddCircle({0, 10}, 1.0f, 51, true);
        frame.AddCircle({-0.5f, -10}, 1.0f, 52, true);
    }
    // The first circle pair touches at x = 8, the second, found after it, at x = 7.5.
    auto twin = MakeBody(pair, {0, 0});
    auto goal = MakeBody(targets, {10, 0});
    MoveTo(*twin, {20, 0}, 0);
    Collide(*twin, *goal);
    ASSERT_EQ(twin->GetResults()->currentDGEONumber, 1);
    EXPECT_NEAR(Record(*twin).contactPosition.x, 7.5f, 1e-3f);
    ASSERT_EQ(Record(*twin).currentCirclesNumber, 1);
    EXPECT_EQ(Record(*twin).circles[0].myCircleUserId[0], 42u);
    // The partner's mirror of the replaced contact is gone as well.
    ASSERT_EQ(Record(*goal).currentCirclesNumber, 1);
    EXPECT_EQ(Record(*goal).circles[0].myCircleUserId[0], 52u);
}
} // namespace

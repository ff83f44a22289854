#include "Collision_TestBodies.h"

#include <gtest/gtest.h>

#include <cmath>

// Configuration, binding, copies and the frame preparation of a dynamic object.
namespace
{
using namespace CollisionTest;

TEST(DynamicObject, SettersKeepTheirRules)
{
    DynamicObject body;
    body.SetZCollision(255);
    EXPECT_EQ(body.GetZCollision(), 254);
    body.SetZCollision(254);
    EXPECT_EQ(body.GetZCollision(), 254);

    body.SetOffset({3, 4});
    body.SetPosition({10, 10});
    EXPECT_EQ(body.GetPosition(), Vector2D(7, 6));
    body.SetOffset({3, 4});
    EXPECT_EQ(body.GetPosition(), Vector2D(7, 6));
    body.SetOffset({0, 0});
    EXPECT_EQ(body.GetPosition(), Vector2D(10, 10)) << "the owner's position stays";
    EXPECT_EQ(body.GetOldPosition(), Vector2D(0, 0));
}

TEST(DynamicObject, CandidatesAreUniqueAndGrowByFive)
{
    DynamicObject body;
    for (u32 slot = 1; slot <= 4; ++slot)
        body.AddCandidate(slot);
    EXPECT_EQ(body.GetCandidateCapacity(), 5u);
    body.AddCandidate(2);
    EXPECT_EQ(body.GetCandidates().size(), 4u);
    body.AddCandidate(5);
    EXPECT_EQ(body.GetCandidateCapacity(), 10u);
    EXPECT_EQ(body.GetCandidates().size(), 5u);
}

class BoundObject : public ::testing::Test
{
protected:
    BoundObject()
    {
        // Animation 0: frames with 2, 5 and 5 segments; animation 1: one frame with 5.
        Collision2D::CollisionAnimation& first = actor.AddCollisionAnimation();
        for (int count : {2, 5, 5})
        {
            Collision2D::CollisionFrame& frame = first.AddCollisionFrame();
            frame.SetBoundingRectangle(VelRect(10, -10, 10, -10), true);
            for (int i = 0; i < count; ++i)
                frame.AddLineSegment({f32(i), 0}, {f32(i), 1}, u32(100 * count + i), true);
            frame.AddHotSpot({f32(count), 1}, true);
        }
        Collision2D::CollisionFrame& other = actor.AddCollisionAnimation().AddCollisionFrame();
        other.SetBoundingRectangle(VelRect(2, -3, 4, -1), true);
        for (int i = 0; i < 5; ++i)
            other.AddLineSegment({0, 0}, {1, 1}, 9, true);
        other.AddCircle({1, 2}, 3, 77, true);
    }

    InterpolationGuard guard;
    CollisionActor actor;
};

TEST_F(BoundObject, WorldListsFollowTheFirstLargestFrame)
{
    DynamicObject body;
    body.AddCollisionData(&actor, 1, 0);
    EXPECT_EQ(body.GetCurrentCollisionFrame(), actor.GetFrame(1, 0));
    EXPECT_EQ(body.GetOldLineSegments().size(), 5u);
    EXPECT_EQ(body.GetOldLineSegments()[4].A, Vector2D(4, 0)) << "copied from the second frame of animation 0";
    EXPECT_EQ(body.GetCurrentCircles().size(), 1u);
    EXPECT_EQ(body.GetOldHotSpots().size(), 1u);
    EXPECT_EQ(body.GetOldWorldRectangle(), VelRect(2, -3, 4, -1));
}

TEST_F(BoundObject, IndexesBeyondTheListsSelectNoFrame)
{
    DynamicObject body;
    body.AddCollisionData(&actor, 2, 0);
    EXPECT_EQ(body.GetCurrentCollisionFrame(), nullptr);
    body.SetCurrentCollisionFrame(0, 3, false, false);
    body.PrepareFrame();
    EXPECT_EQ(body.GetCurrentCollisionFrame(), nullptr);
    body.SetCurrentCollisionFrame(-1, 0, false, false);
    body.PrepareFrame();
    EXPECT_EQ(body.GetCurrentCollisionFrame(), nullptr);
    body.SetCurrentCollisionFrame(0, 2, false, false);
    body.PrepareFrame();
    EXPECT_EQ(body.GetCurrentCollisionFrame(), actor.GetFrame(0, 2));
}

TEST_F(BoundObject, RebindingReplacesTheWorldShapes)
{
    DynamicObject body;
    body.AddCollisionData(&actor, 0, 0);
    CollisionActor plain;
    AddCircleFrame(plain, 2.0f);
    body.SetCollisionActor(&plain, 0, 0);
    EXPECT_EQ(body.GetOldLineSegments().size(), 0u);
    EXPECT_EQ(body.GetCurrentHotSpots().size(), 0u);
    EXPECT_EQ(body.GetOldCircles().size(), 1u);
    EXPECT_EQ(body.GetCollisionActor(), &plain);
}

TEST_F(BoundObject, CopyOwnsItsShapesAndStartsWithoutResults)
{
    auto source = MakeBody(actor, {5, 5});
    source->SetSlot(4);
    source->SetCurrentCollisionFrame(1, 0, true, false);
    source->AddCandidate(3);
    source->SetCollisionThickness(2.5f);
    source->GetResults()->CommitCircleResult();
    auto copy = std::unique_ptr<DynamicObject>(source->Clone());
    EXPECT_EQ(copy->GetSlot(), 0);
    EXPECT_EQ(copy->GetKind(), Collision2D::KindDynamicObject);
    EXPECT_FALSE(copy->GetResults()->Any());
    EXPECT_EQ(copy->GetCandidates().size(), 1u);
    EXPECT_EQ(copy->GetCollisionThickness(), 2.5f);
    EXPECT_NE(copy->GetOldLineSegments().data(), source->GetOldLineSegments().data());
    source.reset();
    copy->PrepareFrame();
    EXPECT_EQ(copy->GetCurrentCollisionFrame(), actor.GetFrame(1, 0));
    EXPECT_EQ(copy->GetBoundingRectangle(), actor.GetFrame(1, 0)->boundingRectangles[Collision2D::HFlip]);
}

TEST_F(BoundObject, StillObjectTakesOneStep)
{
    auto body = MakeBody(actor, {5, 5});
    body->PrepareFrame();
    EXPECT_FALSE(body->IsMoved());
    EXPECT_EQ(body->GetSteps(), 1);
    EXPECT_EQ(body->GetStepDeltaPosition(), Vector2D(0, 0));
    EXPECT_EQ(body->GetOldLineSegments()[0].A, body->GetCurrentLineSegments()[0].A);
}

TEST_F(BoundObject, StepCountFollowsTheMotion)
{
    auto body = MakeBody(actor, {0, 0});
    MoveTo(*body, {0.5f, 0}, 0);
    body->PrepareFrame();
    EXPECT_TRUE(body->IsMoved());
    EXPECT_EQ(body->GetSteps(), 1);
    body->CommitPose();
    MoveTo(*body, {2.0f, 0}, 0);
    body->PrepareFrame();
    EXPECT_EQ(body->GetSteps(), 2);
    body->CommitPose();
    MoveTo(*body, {2.0f, 0}, 30.0f);
    body->PrepareFrame();
    EXPECT_EQ(body->GetSteps(), 20) << "30 degrees, capped";
    body->CommitPose();
    Collision2D::MaximumInterpolationValue = 2;
    MoveTo(*body, {100.0f, 0}, 30.0f);
    body->PrepareFrame();
    EXPECT_EQ(body->GetSteps(), 2);
    body->CommitPose();
    // An undefined turn counts as a change but as no length.
    MoveTo(*body, {100.0f, 0}, std::nanf(""));
    body->PrepareFrame();
    EXPECT_TRUE(body->IsMoved());
    EXPECT_EQ(body->GetSteps(), 1);
}

TEST_F(BoundObject, NoWrapAroundOfOrientation)
{
    auto body = MakeBody(actor, {0, 0}, 1, 359.0f);
    MoveTo(*body, {0, 0}, 1.0f);
    body->PrepareFrame();
    EXPECT_EQ(body->GetDeltaOrientation(), -358.0f);
    EXPECT_EQ(body->GetSteps(), 20);
}

TEST_F(BoundObject, BothFlipsSelectTheMirrorOfBothAxes)
{
    auto body = MakeBody(actor, {0, 0});
    body->SetCurrentCollisionFrame(1, 0, true, true);
    body->PrepareFrame();
    EXPECT_EQ(body->GetLocalCircle(0).center, Vector2D(-1, -2));
    EXPECT_EQ(body->GetBoundingRectangle(), VelRect(1, -4, 3, -2));
}

TEST_F(BoundObject, SmallerFrameKeepsTheLongerLists)
{
    auto body = MakeBody(actor, {0, 0});
    body->SetCurrentCollisionFrame(0, 1, false, false);
    body->PrepareFrame();
    EXPECT_EQ(body->GetLineSegmentCount(), 5);
    body->SetCurrentCollisionFrame(0, 0, false, false);
    body->PrepareFrame();
    EXPECT_EQ(body->GetLineSegmentCount(), 2);
    EXPECT_EQ(body->GetOldLineSegments().size(), 5u);
    EXPECT_EQ(body->GetLineSegmentUserId(1), 201u);
}

TEST_F(BoundObject, ShapesTurnAboutTheOffsetPoint)
{
    auto body = MakeBody(actor, {0, 0});
    body->SetCurrentCollisionFrame(1, 0, false, false);
    // The owner stands at (10, 0); the collision origin is 10 units to its left.
    body->SetOffset({10, 0});
    body->SetOldPosition({10, 0});
    body->SetPosition({10, 0});
    body->SetOrientation(90.0f);
    body->PrepareFrame();
    // The circle's centre (1, 2) is (−9, 2) from the pivot; turned by 90 degrees it is (−2, −9).
    const Vector2D center = body->GetCurrentCircles()[0].center;
    EXPECT_NEAR(center.x, 8.0f, 1e-4f);
    EXPECT_NEAR(center.y, -9.0f, 1e-4f);
    EXPECT_EQ(body->GetOldCircles()[0].center, Vector2D(1, 2));
    const Vector2D halfway = body->GetTransformAt({1, 2}, 0.5f);
    EXPECT_NEAR((halfway - Vector2D(10, 0)).Length(), (Vector2D(1, 2) - Vector2D(10, 0)).Length(), 1e-4f);
    // The world rectangle turns about the same point: local (top 2, left −3, right 4, bottom −1).
    const VelRect& placed = body->GetCurrentWorldRectangle();
    EXPECT_NEAR(placed.left, 8.0f, 1e-4f);
    EXPECT_NEAR(placed.right, 11.0f, 1e-4f);
    EXPECT_NEAR(placed.bottom, -13.0f, 1e-4f);
    EXPECT_NEAR(placed.top, -6.0f, 1e-4f);
}

TEST_F(BoundObject, MotionTransformsCarryRelativePoints)
{
    auto body = MakeBody(actor, {0, 0});
    MoveTo(*body, {4, 0}, 90.0f);
    body->PrepareFrame();
    const Vector2D forward = body->TransformForward({1, 0}, 1.0f);
    EXPECT_NEAR(forward.x, 4.0f, 1e-5f);
    EXPECT_NEAR(forward.y, 1.0f, 1e-5f);
    const Vector2D back = body->TransformBackward({0, 1}, 1.0f);
    EXPECT_NEAR(back.x, -3.0f, 1e-5f);
    EXPECT_NEAR(back.y, 0.0f, 1e-5f);
    EXPECT_EQ(body->GetTransformAt({0, 0}, 0.0f), Vector2D(0, 0));
    const Vector2D end = body->GetTransformAt({1, 0}, 1.0f);
    EXPECT_NEAR(end.x, 4.0f, 1e-5f);
    EXPECT_NEAR(end.y, 1.0f, 1e-5f);
}

TEST_F(BoundObject, ResetMotionStartsTheNextFrameAtRest)
{
    auto body = MakeBody(actor, {0, 0});
    body->PrepareFrame();
    MoveTo(*body, {50, 50}, 45.0f);
    body->ResetMotion();
    EXPECT_EQ(body->GetDeltaPosition(), Vector2D(0, 0));
    EXPECT_EQ(body->GetOldPosition(), Vector2D(50, 50));
    body->PrepareFrame();
    EXPECT_FALSE(body->IsMoved());
}

TEST_F(BoundObject, CurrentHotSpotBeyondTheListIsZero)
{
    auto body = MakeBody(actor, {3, 3});
    body->PrepareFrame();
    EXPECT_EQ(body->GetCurrentHotSpot(0), Vector2D(5, 4));
    EXPECT_EQ(body->GetCurrentHotSpot(1), Vector2D(0, 0));
}
} // namespace

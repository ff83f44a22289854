#include "Collision_TestBodies.h"

#include "collision/Collision_Rect.h"

#include <gtest/gtest.h>

#include <cmath>

// Rectangle operations and the bounding-rectangle pair test.
namespace
{
using namespace CollisionTest;
using Collision2D::VelRect;

int Intersect(const VelRect& a, const VelRect& b)
{
    VelRect out;
    return Collision2D::IntersectRectangles(&a, &b, &out);
}

TEST(CollisionRect, EdgeContactOverlapsButDoesNotIntersect)
{
    const VelRect a(10, 0, 10, 0);
    const VelRect b(10, 10, 20, 0);
    EXPECT_TRUE(Collision2D::RectanglesOverlap(&a, &b));
    VelRect out;
    EXPECT_EQ(Collision2D::IntersectRectangles(&a, &b, &out), 0);
    EXPECT_EQ(out.left, 10.0f);
    EXPECT_EQ(out.right, 10.0f);
}

TEST(CollisionRect, IntersectionTruncatesItsSize)
{
    const VelRect a(10, 0, 10, 0);
    EXPECT_EQ(Intersect(a, VelRect(10, 9.1f, 20, 0)), 0);
    EXPECT_EQ(Intersect(a, VelRect(10, 9.0f, 20, 0)), 1);
    EXPECT_EQ(Intersect(a, VelRect(10, 8.5f, 20, 9.01f)), 0);
    EXPECT_EQ(Intersect(a, VelRect(10, 8.5f, 20, std::nanf(""))), 0);
}

TEST(CollisionRect, ContainedRectangleOverlapsBothWays)
{
    const VelRect outer(10, 0, 10, 0);
    const VelRect inner(6, 4, 6, 4);
    EXPECT_TRUE(Collision2D::RectanglesOverlap(&outer, &inner));
    EXPECT_TRUE(Collision2D::RectanglesOverlap(&inner, &outer));
    const VelRect beside(10, 11, 12, 0);
    EXPECT_FALSE(Collision2D::RectanglesOverlap(&outer, &beside));
}

TEST(CollisionRect, UnionAndOutputAliasing)
{
    VelRect a(10, 0, 10, 0);
    const VelRect b(20, 5, 15, -5);
    Collision2D::UniteRectangles(&a, &b, &a);
    EXPECT_EQ(a, VelRect(20, 0, 15, -5));
}

TEST(CollisionRect, PlacingTurnsAboutTheLocalOrigin)
{
    const VelRect local(5, -10, 10, -5);
    VelRect out;
    Collision2D::GetWorldBoundingRectangle(&local, &out, 100, 200, 90.0f);
    EXPECT_NEAR(out.left, 95.0f, 1e-4f);
    EXPECT_NEAR(out.right, 105.0f, 1e-4f);
    EXPECT_NEAR(out.bottom, 190.0f, 1e-4f);
    EXPECT_NEAR(out.top, 210.0f, 1e-4f);

    Collision2D::GetWorldBoundingRectangle(&local, &out, 1, 2, 360.0f);
    EXPECT_EQ(out, VelRect(7, -9, 11, -3));
    Collision2D::GetWorldBoundingRectangle(&local, &out, 0, 0, 720.0f);
    EXPECT_NEAR(out.right, 10.0f, 1e-3f);

    const VelRect far(1, 200000, 200001, 0);
    Collision2D::GetWorldBoundingRectangle(&far, &out, 0, 0, 0.001f);
    EXPECT_EQ(out.left, 99999.0f) << "the starting bound is kept";
}

class RectanglePair : public ::testing::Test
{
protected:
    RectanglePair()
    {
        AddBoxFrame(box, 5.0f, 5.0f);
        AddBoxFrame(plank, 20.0f, 1.0f);
    }

    InterpolationGuard guard;
    CollisionActor box;
    CollisionActor plank;
};

TEST_F(RectanglePair, OverlapInTheFirstSubStep)
{
    auto a = MakeBody(box, {0, 0}, 0);
    auto b = MakeBody(box, {8, 0}, 0);
    b->SetSlot(6);
    MoveTo(*a, {10, 0}, 0);
    a->PrepareFrame();
    b->PrepareFrame();
    a->CollideRectangles(*b, 3);
    ASSERT_EQ(a->GetResults()->currentBRECTNumber, 1);
    ASSERT_EQ(b->GetResults()->currentBRECTNumber, 1);
    const Collision2D::BRECT_C& own = a->GetResults()->rectangles[0];
    EXPECT_EQ(own.id, Collision2D::MakeObjectId(Collision2D::DynamicObjectBase + 6, 3, 0));
    EXPECT_NEAR(own.contactPosition.x, 1.0f, 1e-5f) << "contact time 1/M with M = 10";
    EXPECT_EQ(own.rectangleIntersection, b->GetResults()->rectangles[0].rectangleIntersection);
    EXPECT_EQ(b->GetResults()->rectangles[0].contactPosition, Vector2D(8, 0));
}

TEST_F(RectanglePair, TouchingAlongAnEdgeIsNoContact)
{
    auto a = MakeBody(box, {0, 0}, 0);
    auto b = MakeBody(box, {10, 0}, 0);
    a->SetUpdateOnIdle(true);
    a->PrepareFrame();
    b->PrepareFrame();
    a->CollideRectangles(*b, 0);
    EXPECT_EQ(a->GetResults()->currentBRECTNumber, 0);
}

TEST_F(RectanglePair, SlowPartnerDoesNotOvershootItsEndPose)
{
    // The partner moves 1 unit in 1 step, the other 10 in 10; placing the partner by its own step
    // delta at every one of the 10 sub-steps would carry it 9 units past its end pose.
    auto runner = MakeBody(box, {-100, 0}, 0);
    auto slow = MakeBody(box, {0, 0}, 0);
    auto wall = MakeBody(box, {20, 0}, 0);
    MoveTo(*runner, {-90, 0}, 0);
    MoveTo(*slow, {1, 0}, 0);
    runner->PrepareFrame();
    slow->PrepareFrame();
    wall->PrepareFrame();
    runner->CollideRectangles(*slow, 0);
    EXPECT_EQ(slow->GetSubStepPosition(), Vector2D(1, 0));
    EXPECT_EQ(slow->GetSubStepRectangle(), VelRect(5, -4, 6, -5));
    slow->CollideRectangles(*wall, 0);
    EXPECT_EQ(slow->GetResults()->currentBRECTNumber, 0);
}

TEST_F(RectanglePair, TurningPlankIsPlacedFromItsLocalRectangle)
{
    // A plank turning by 90 degrees about its centre, and a box that only its upright pose reaches.
    auto turning = MakeBody(plank, {0, 0}, 0);
    auto box2 = MakeBody(box, {0, 22}, 0);
    MoveTo(*turning, {0, 0}, 90.0f);
    turning->PrepareFrame();
    box2->PrepareFrame();
    turning->CollideRectangles(*box2, 0);
    ASSERT_EQ(turning->GetResults()->currentBRECTNumber, 1);
    EXPECT_GT(turning->GetResults()->rectangles[0].contactOrientation, 45.0f);
    // Every sub-step rectangle stays a rectangle about the centre, never one swung about the
    // world origin.
    const VelRect& last = turning->GetSubStepRectangle();
    EXPECT_NEAR(last.left + last.right, 0.0f, 1e-3f);
    EXPECT_NEAR(last.top + last.bottom, 0.0f, 1e-3f);
}
} // namespace

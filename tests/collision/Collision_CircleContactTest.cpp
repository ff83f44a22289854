#include "Collision_TestBodies.h"

#include "collision/Collision_Results.h"

#include <gtest/gtest.h>

#include <cmath>

// Circles of two dynamic objects meeting during a frame, tested through the geometry pair test.
namespace
{
using namespace CollisionTest;
using Collision2D::DGEO_C;

class CircleContact : public ::testing::Test
{
protected:
    // Prepares both bodies for the frame, as the layer does, and runs the pair test of a on b.
    void Collide(DynamicObject& a, DynamicObject& b)
    {
        a.PrepareFrame();
        b.PrepareFrame();
        a.CollideGeometry(b, 0);
    }

    InterpolationGuard guard;
    CollisionActor small;
    CollisionActor five;
};

TEST_F(CircleContact, HeadOnAgainstStillCircleStopsWhereTheyTouch)
{
    AddCircleFrame(five, 5.0f, 7);
    auto mover = MakeBody(five, {0, 0});
    auto still = MakeBody(five, {30, 0});
    still->SetSlot(2);
    MoveTo(*mover, {40, 0}, 0);
    Collide(*mover, *still);

    ASSERT_EQ(mover->GetResults()->currentDGEONumber, 1);
    ASSERT_EQ(still->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = mover->GetResults()->geometries[0];
    EXPECT_NEAR(own.contactPosition.x, 20.0f, 1e-3f);
    EXPECT_EQ(own.id, Collision2D::MakeObjectId(Collision2D::DynamicObjectBase + 2, 0, 0));
    ASSERT_EQ(own.currentCirclesNumber, 1);
    const Collision2D::CIR_C& contact = own.circles[0];
    EXPECT_EQ(contact.numberOfIntersectedPoints, 1);
    EXPECT_NEAR(contact.contactPoint[0].x, 25.0f, 1e-3f);
    // From the partner towards the mover.
    EXPECT_NEAR(contact.normal[0].x, -1.0f, 1e-5f);
    EXPECT_EQ(contact.userId, 7u);
    EXPECT_EQ(contact.myCircleUserId[0], 7u);
    EXPECT_EQ(contact.myLineSegmentUserId[0], Collision2D::EmptyUserId);
    EXPECT_GE(contact.penetrationDistance, 0.0f);

    // The partner holds the same contact, seen from its side, at its own rest pose.
    const DGEO_C& mirrored = still->GetResults()->geometries[0];
    EXPECT_EQ(mirrored.contactPosition.x, 30.0f);
    ASSERT_EQ(mirrored.currentCirclesNumber, 1);
    EXPECT_NEAR(mirrored.circles[0].normal[0].x, 1.0f, 1e-5f);
    EXPECT_NEAR(mirrored.circles[0].contactPoint[0].x, 25.0f, 1e-3f);
    EXPECT_EQ(mirrored.circles[0].penetrationDistance, contact.penetrationDistance);
}

TEST_F(CircleContact, GrazingPathTouchesOnce)
{
    AddCircleFrame(five, 5.0f);
    auto mover = MakeBody(five, {0, 10});
    auto still = MakeBody(five, {10, 0});
    MoveTo(*mover, {20, 10}, 0);
    Collide(*mover, *still);

    ASSERT_EQ(mover->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = mover->GetResults()->geometries[0];
    EXPECT_NEAR(own.contactPosition.x, 10.0f, 1e-3f);
    ASSERT_EQ(own.currentCirclesNumber, 1);
    EXPECT_NEAR(own.circles[0].normal[0].y, 1.0f, 1e-5f);
    EXPECT_NEAR(own.circles[0].contactPoint[0].y, 5.0f, 1e-3f);
}

TEST_F(CircleContact, MissingPathAndReceding)
{
    AddCircleFrame(five, 5.0f);
    auto passing = MakeBody(five, {0, 10.5f});
    auto still = MakeBody(five, {10, 0});
    MoveTo(*passing, {20, 10.5f}, 0);
    Collide(*passing, *still);
    EXPECT_EQ(passing->GetResults()->currentDGEONumber, 0);

    auto receding = MakeBody(five, {-15, 0});
    MoveTo(*receding, {-30, 0}, 0);
    Collide(*receding, *still);
    EXPECT_EQ(receding->GetResults()->currentDGEONumber, 0);
    EXPECT_EQ(still->GetResults()->currentDGEONumber, 0);
}

TEST_F(CircleContact, OverlapAtStartCountsOnlyBelowTheThickness)
{
    AddCircleFrame(five, 5.0f);
    auto mover = MakeBody(five, {0, 0});
    auto still = MakeBody(five, {7, 0});
    MoveTo(*mover, {1, 0}, 0);
    Collide(*mover, *still);
    EXPECT_EQ(mover->GetResults()->currentDGEONumber, 0) << "overlap 3 with thickness 0";

    mover->SetCollisionThickness(5.0f);
    MoveTo(*mover, {1, 0}, 0);
    mover->SetOldPosition({0, 0});
    Collide(*mover, *still);
    ASSERT_EQ(mover->GetResults()->currentDGEONumber, 1);
    const DGEO_C& own = mover->GetResults()->geometries[0];
    EXPECT_EQ(own.contactPosition.x, 0.0f) << "fraction 0 of the first sub-step";
    ASSERT_EQ(own.currentCirclesNumber, 1);
    EXPECT_NEAR(own.circles[0].penetrationDistance, 3.0f, 1e-4f);
}

TEST_F(CircleContact, FastCircleDoesNotTunnelThroughSmallOne)
{
    AddCircleFrame(small, 1.0f);
    auto bullet = MakeBody(small, {0, 0});
    auto target = MakeBody(small, {500, 0});
    MoveTo(*bullet, {1000, 0}, 0);
    Collide(*bullet, *target);
    ASSERT_EQ(bullet->GetResults()->currentDGEONumber, 1);
    EXPECT_NEAR(bullet->GetResults()->geometries[0].contactPosition.x, 498.0f, 0.05f);
    EXPECT_EQ(bullet->GetSteps(), Collision2D::DefaultMaximumInterpolationValue);
}

TEST_F(CircleContact, StillBodiesAreTestedOnlyWithUpdateOnIdle)
{
    AddCircleFrame(five, 5.0f);
    auto a = MakeBody(five, {0, 0});
    auto b = MakeBody(five, {8, 0});
    Collide(*a, *b);
    EXPECT_EQ(a->GetResults()->currentDGEONumber, 0);

    a->SetUpdateOnIdle(true);
    Collide(*a, *b);
    ASSERT_EQ(a->GetResults()->currentDGEONumber, 1);
    ASSERT_EQ(b->GetResults()->currentDGEONumber, 1);
    const Collision2D::CIR_C& own = a->GetResults()->geometries[0].circles[0];
    const Collision2D::CIR_C& other = b->GetResults()->geometries[0].circles[0];
    EXPECT_EQ(own.numberOfIntersectedPoints, 2);
    EXPECT_EQ(own.penetrationDistance, 0.0f);
    EXPECT_NEAR(own.normal[0].x, -1.0f, 1e-6f);
    EXPECT_NEAR(other.normal[0].x, 1.0f, 1e-6f);
    EXPECT_EQ(own.contactPoint[0], other.contactPoint[0]);
}
} // namespace

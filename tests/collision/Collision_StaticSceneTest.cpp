#include "Collision_TestBodies.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Results.h"
#include "collision/Collision_StaticShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

// Bodies among the static shapes of a layer, frame after frame, through the collision engine.
namespace
{
using namespace CollisionTest;
using namespace Collision2D;

class StaticScene : public ::testing::Test
{
protected:
    StaticScene()
    {
        engine.AddLayer();
        engine.InitializeLayerGrid(0, {0, 0}, 400, 300, 50);
    }

    u32 AddSegment(const Vector2D& a, const Vector2D& b, u32 userId)
    {
        auto* segment = new StaticCollisionLineSegment({a, b});
        segment->SetUserId(userId);
        return engine.AddObject(segment, 0, {0, 0});
    }

    InterpolationGuard guard;
    CollisionEngine engine;
};

TEST_F(StaticScene, FastBallStaysInsideItsBox)
{
    // Walls listed counter-clockwise face inwards; a post stands in the middle.
    AddSegment({0, 0}, {400, 0}, 1);
    AddSegment({400, 0}, {400, 300}, 2);
    AddSegment({400, 300}, {0, 300}, 3);
    AddSegment({0, 300}, {0, 0}, 4);
    engine.AddObject(new StaticCollisionCircle({{200, 150}, 20}), 0, {0, 0});
    CollisionActor ball;
    AddCircleFrame(ball, 5.0f);
    Vector2D position(50, 50);
    const u32 id = engine.AddObject(MakeBody(ball, position).release(), 0, position);

    std::mt19937 random(3);
    std::uniform_real_distribution<f32> unit(0.0f, 1.0f);
    Vector2D velocity(370, 230);
    i32 bounces = 0;
    for (int frame = 0; frame < 500; ++frame)
    {
        engine.SetDynamicObjectPosition(id, position + velocity);
        engine.Update(1.0f / 60.0f);
        const CollisionResults& results = *engine.GetResults(id);
        // The contact met first is the one nearest to where the ball started the frame.
        const ShapeContact* first = nullptr;
        f32 nearest = 1e30f;
        auto consider = [&](const ShapeContact& contact) {
            const f32 distance = (contact.contactPosition - position).Length();
            if (distance < nearest)
            {
                nearest = distance;
                first = &contact;
            }
        };
        for (i32 r = 0; r < results.currentLNSNumber; ++r)
            consider(results.lineSegments[r]);
        for (i32 r = 0; r < results.currentCIRNumber; ++r)
            consider(results.circles[r]);
        if (first)
        {
            ++bounces;
            position = first->contactPosition;
            const Vector2D normal = first->normal[0];
            velocity = velocity - normal * (2.0f * velocity.Dot(normal));
            // Now and then a new speed, up to far more than the box is wide.
            if (frame % 7 == 0)
                velocity = velocity * (0.5f + unit(random) * 2.5f);
            engine.SetDynamicObjectPosition(id, position);
            engine.SetDynamicObjectOldPosition(id, position);
        }
        else
        {
            position = position + velocity;
        }
        ASSERT_GE(position.x, 5.0f - 0.01f) << "frame " << frame;
        ASSERT_LE(position.x, 395.0f + 0.01f) << "frame " << frame;
        ASSERT_GE(position.y, 5.0f - 0.01f) << "frame " << frame;
        ASSERT_LE(position.y, 295.0f + 0.01f) << "frame " << frame;
        ASSERT_GE((position - Vector2D(200, 150)).Length(), 25.0f - 0.01f) << "frame " << frame;
    }
    EXPECT_GT(bounces, 100);
}

TEST_F(StaticScene, BodiesRestingOnAFloorWhileIdle)
{
    const u32 floorId = AddSegment({0, 100}, {400, 100}, 8);
    CollisionActor lying;
    AddSegmentFrame(lying, {-20, 0}, {20, 0}, 5);
    CollisionActor ball;
    AddCircleFrame(ball, 10.0f, 6);
    DynamicObject* plank = MakeBody(lying, {100, 100}).release();
    DynamicObject* round = MakeBody(ball, {300, 110}).release();
    engine.AddObject(plank, 0, {100, 100});
    const u32 roundId = engine.AddObject(round, 0, {300, 110});

    engine.Update(1.0f / 60.0f);
    EXPECT_EQ(plank->GetResults()->currentLNSNumber, 0) << "still bodies without UpdateOnIdle";
    EXPECT_EQ(round->GetResults()->currentLNSNumber, 0);

    plank->SetUpdateOnIdle(true);
    round->SetUpdateOnIdle(true);
    engine.Update(1.0f / 60.0f);
    ASSERT_EQ(plank->GetResults()->currentLNSNumber, 1);
    const LNS_C& lyingOn = plank->GetResults()->lineSegments[0];
    EXPECT_EQ(lyingOn.id, floorId);
    ASSERT_EQ(lyingOn.numberOfIntersectedPoints, 2) << "the two ends of the overlap";
    EXPECT_EQ(lyingOn.contactPoint[0], Vector2D(80, 100));
    EXPECT_EQ(lyingOn.contactPoint[1], Vector2D(120, 100));
    EXPECT_EQ(lyingOn.normal[0], Vector2D(0, 1));
    EXPECT_EQ(lyingOn.penetrationDistance, 0.0f);
    EXPECT_EQ(lyingOn.contactPosition, Vector2D(100, 100));
    EXPECT_EQ(lyingOn.userId, 8u);

    ASSERT_EQ(round->GetResults()->currentLNSNumber, 1);
    const LNS_C& touching = round->GetResults()->lineSegments[0];
    ASSERT_EQ(touching.numberOfIntersectedPoints, 1);
    EXPECT_EQ(touching.contactPoint[0], Vector2D(300, 100));
    EXPECT_EQ(touching.normal[0], Vector2D(0, 1)) << "the floor's normal";
    EXPECT_EQ(touching.penetrationDistance, 0.0f);
    EXPECT_EQ(touching.myCircleUserId[0], 6u);

    // Pushed down into the floor, the ball is swept and stops on it.
    engine.SetDynamicObjectPosition(roundId, {300, 80});
    engine.Update(1.0f / 60.0f);
    ASSERT_EQ(round->GetResults()->currentLNSNumber, 1);
    EXPECT_EQ(round->GetResults()->lineSegments[0].contactPosition, Vector2D(300, 110));
}
} // namespace

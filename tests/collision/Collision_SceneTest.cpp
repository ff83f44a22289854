#include "Collision_TestBodies.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

// Crowded scenes of turning bodies run for many frames: every record the engine writes keeps the
// rules of the result pools.
namespace
{
using namespace CollisionTest;
using namespace Collision2D;

void ExpectSoundContact(const ShapeContact& contact, i32 maximumPoints)
{
    EXPECT_GE(contact.numberOfIntersectedPoints, 1);
    EXPECT_LE(contact.numberOfIntersectedPoints, maximumPoints);
    EXPECT_GE(contact.penetrationDistance, 0.0f);
    EXPECT_TRUE(std::isfinite(contact.penetrationDistance));
    for (i32 i = 0; i < contact.numberOfIntersectedPoints; ++i)
        EXPECT_NEAR(contact.normal[i].Length(), 1.0f, 1e-3f);
    // Each point names exactly one own shape.
    for (i32 i = 0; i < (maximumPoints == 2 ? 1 : contact.numberOfIntersectedPoints); ++i)
        EXPECT_NE(contact.myCircleUserId[i] == EmptyUserId, contact.myLineSegmentUserId[i] == EmptyUserId);
}

TEST(CollisionScene, RecordsStaySoundInACrowd)
{
    InterpolationGuard guard;
    CollisionActor actor;
    {
        Collision2D::CollisionFrame& frame = actor.AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(VelRect(9, -9, 9, -9), true);
        frame.AddCircle({0, 0}, 6, 1, true);
        frame.AddLineSegment({-8, 2}, {8, 2}, 2, true);
        frame.AddLineSegment({8, -2}, {-8, -2}, 3, true);
    }
    CollisionEngine engine;
    engine.AddLayer();
    engine.InitializeLayerGrid(0, {0, 0}, 400, 300, 50);
    engine.AddObject(new StaticCollisionCircle({{200, 150}, 30}), 0, {0, 0});
    engine.AddObject(new StaticCollisionLineSegment({{0, 20}, {400, 20}}), 0, {0, 0});

    std::mt19937 random(7);
    std::uniform_real_distribution<f32> unit(0.0f, 1.0f);
    struct Mover
    {
        u32 id;
        Vector2D position;
        Vector2D velocity;
        f32 orientation;
        f32 turn;
    };
    std::vector<Mover> movers;
    for (int i = 0; i < 120; ++i)
    {
        Mover mover{0, {unit(random) * 400, unit(random) * 300}, {unit(random) * 30 - 15, unit(random) * 30 - 15},
                    unit(random) * 360, unit(random) * 20 - 10};
        if (i % 5 == 0)
            mover.velocity = {0, 0};
        auto body = MakeBody(actor, mover.position, i % 7 == 0 ? 0 : 1, mover.orientation);
        body->SetCollisionThickness(i % 2 ? 0.0f : 2.0f);
        body->SetUpdateOnIdle(i % 3 == 0);
        mover.id = engine.AddObject(body.release(), 0, mover.position);
        movers.push_back(mover);
    }

    i64 geometryRecords = 0;
    for (int frame = 0; frame < 60; ++frame)
    {
        for (Mover& mover : movers)
        {
            mover.position = mover.position + mover.velocity;
            if (mover.position.x < 0 || mover.position.x > 400)
                mover.velocity.x = -mover.velocity.x;
            if (mover.position.y < 0 || mover.position.y > 300)
                mover.velocity.y = -mover.velocity.y;
            if (mover.velocity.x != 0)
                mover.orientation += mover.turn;
            engine.SetDynamicObjectPosition(mover.id, mover.position);
            engine.SetDynamicObjectOrientation(mover.id, mover.orientation);
        }
        engine.Update(1.0f / 60.0f);
        for (const Mover& mover : movers)
        {
            const CollisionResults& results = *engine.GetResults(mover.id);
            for (i32 r = 0; r < results.currentDGEONumber; ++r)
            {
                const DGEO_C& record = results.geometries[r];
                ++geometryRecords;
                ASSERT_NE(engine.GetResults(record.id), nullptr);
                // The partner holds a record about this body; each holds contacts (its own, or,
                // when only the other found one, the other's seen from its side).
                const CollisionResults& other = *engine.GetResults(record.id);
                const DGEO_C* mirror = nullptr;
                for (i32 k = 0; k < other.currentDGEONumber; ++k)
                    if (other.geometries[k].id == mover.id)
                        mirror = &other.geometries[k];
                ASSERT_NE(mirror, nullptr);
                EXPECT_GT(record.currentCirclesNumber + record.currentLineSegmentsNumber, 0);
                EXPECT_GT(mirror->currentCirclesNumber + mirror->currentLineSegmentsNumber, 0);
                for (i32 k = 0; k < record.currentCirclesNumber; ++k)
                    ExpectSoundContact(record.circles[k], 2);
                for (i32 k = 0; k < record.currentLineSegmentsNumber; ++k)
                    ExpectSoundContact(record.lineSegments[k], 2);
            }
            for (i32 r = 0; r < results.currentLNSNumber; ++r)
                ExpectSoundContact(results.lineSegments[r], 4);
            for (i32 r = 0; r < results.currentCIRNumber; ++r)
                ExpectSoundContact(results.circles[r], 4);
        }
    }
    EXPECT_GT(geometryRecords, 100) << "the scene is crowded enough to test something";
}
} // namespace

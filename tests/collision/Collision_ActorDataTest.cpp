#include "collision/Collision_ActorData.h"

#include "core/Core_File.h"

#include <gtest/gtest.h>

#include <cstring>

// Collision frames with their flip variants, and the stream form of actors.
namespace
{
using namespace Collision2D;
using Math::Vector2D;

TEST(CollisionActorData, FlipVariantsOfRectangleAndSegment)
{
    CollisionFrame frame;
    frame.SetBoundingRectangle(VelRect(10, -4, 6, -2), true);
    EXPECT_EQ(frame.boundingRectangles[HVFlip], VelRect(2, -6, 4, -10));
    EXPECT_EQ(frame.boundingRectangles[HFlip], VelRect(10, -6, 4, -2));
    EXPECT_EQ(frame.boundingRectangles[VFlip], VelRect(2, -4, 6, -10));
    frame.SetBoundingRectangle(VelRect(10, -4, 6, -2), false);
    EXPECT_EQ(frame.boundingRectangles[HVFlip], VelRect(10, -4, 6, -2));

    frame.AddLineSegment({1, 2}, {3, 4}, 9, true);
    const DynamicCollisionLineSegment& segment = frame.lineSegments.back();
    EXPECT_EQ(segment.variants[HFlip].A, Vector2D(-3, 4));
    EXPECT_EQ(segment.variants[HFlip].B, Vector2D(-1, 2));
    EXPECT_EQ(segment.variants[VFlip].A, Vector2D(3, -4));
    EXPECT_EQ(segment.variants[VFlip].B, Vector2D(1, -2));
    EXPECT_EQ(segment.variants[HVFlip].A, Vector2D(-1, -2));
    EXPECT_EQ(segment.variants[HVFlip].B, Vector2D(-3, -4));
    EXPECT_EQ(segment.GetUserId(), 9u);

    // The outer (left) side of a wall facing +x follows the drawing: a single mirror in x and the
    // half-turn of both mirrors make it face -x, a mirror in y leaves it facing +x.
    frame.AddLineSegment({2, 5}, {2, -5}, 10, true);
    const DynamicCollisionLineSegment& wall = frame.lineSegments.back();
    auto facing = [&](FlipVariant variant) {
        const Math::LineSegment2D& s = wall.variants[variant];
        return (s.B - s.A).y > 0 ? -1 : 1;
    };
    EXPECT_EQ(facing(NoFlip), 1);
    EXPECT_EQ(facing(HFlip), -1);
    EXPECT_EQ(facing(VFlip), 1);
    EXPECT_EQ(facing(HVFlip), -1);

    frame.AddCircle({1, 2}, 3, 5, true);
    EXPECT_EQ(frame.circles.back().variants[HVFlip].center, Vector2D(-1, -2));
    EXPECT_EQ(frame.circles.back().variants[HVFlip].radius, 3.0f);
    frame.AddHotSpot({1, 2}, false);
    EXPECT_EQ(frame.hotSpots.back().variants[VFlip], Vector2D(1, 2));
}

CollisionActor MakeActor()
{
    CollisionActor actor;
    for (int a = 0; a < 2; ++a)
    {
        CollisionAnimation& animation = actor.AddCollisionAnimation();
        for (int f = 0; f <= a; ++f)
        {
            CollisionFrame& frame = animation.AddCollisionFrame();
            frame.SetBoundingRectangle(VelRect(1.5f, -2.25f, 3.125f, -0.1f), true);
            frame.AddLineSegment({0.1f, 0.2f}, {0.3f, 0.4f}, u32(a * 10 + f), true);
            frame.AddCircle({1.0f / 3.0f, 2}, 0.7f, 0xFFFFFFFFu, true);
            frame.AddHotSpot({5, 6}, true);
        }
    }
    return actor;
}

TEST(CollisionActorData, ActorRoundTripsBitForBit)
{
    const CollisionActor actor = MakeActor();
    Core::MemoryFile first;
    actor.Save(first);
    EXPECT_EQ(first.GetSize(), 4u + (4 + 228) + (4 + 2 * 228)) << "64 + 3 * 4 + 68 + 52 + 32 per frame";

    Core::MemoryFile reader(first.GetData(), first.GetSize());
    CollisionActor loaded;
    ASSERT_TRUE(loaded.Load(reader));
    EXPECT_EQ(reader.GetRemaining(), 0u);
    ASSERT_EQ(loaded.animations.size(), 2u);
    ASSERT_NE(loaded.GetFrame(1, 1), nullptr);
    EXPECT_EQ(loaded.GetFrame(1, 1)->lineSegments.front().GetUserId(), 11u);
    Core::MemoryFile second;
    loaded.Save(second);
    ASSERT_EQ(second.GetSize(), first.GetSize());
    EXPECT_EQ(0, std::memcmp(first.GetData(), second.GetData(), first.GetSize()));

    // A second load into the same actor replaces its contents.
    Core::MemoryFile again(first.GetData(), first.GetSize());
    ASSERT_TRUE(loaded.Load(again));
    EXPECT_EQ(loaded.animations.size(), 2u);
}

TEST(CollisionActorData, TruncatedOrHostileStreamsFailCleanly)
{
    Core::MemoryFile full;
    MakeActor().Save(full);
    for (u32 size = 0; size < full.GetSize(); size += 7)
    {
        Core::MemoryFile reader(full.GetData(), size);
        CollisionActor actor;
        EXPECT_FALSE(actor.Load(reader)) << size;
        EXPECT_TRUE(reader.Failed());
    }
    // An animation count far beyond the bytes.
    Core::MemoryFile huge;
    Core::WriteU32(huge, 0x7FFFFFFFu);
    Core::MemoryFile reader(huge.GetData(), huge.GetSize());
    CollisionActor actor;
    EXPECT_FALSE(actor.Load(reader));
    EXPECT_TRUE(actor.animations.empty());
}

TEST(CollisionActorData, LargestFramesAreTheFirstOfTheirSize)
{
    const CollisionActor actor = MakeActor();
    const CollisionActor::LargestFrames largest = actor.FindLargestFrames();
    EXPECT_EQ(largest.lineSegments, actor.GetFrame(0, 0));
    EXPECT_EQ(CollisionActor().FindLargestFrames().circles, nullptr);
}
} // namespace

// The collision-actor table builds into exactly the content the sprites expect.
#include "collision/Collision_ActorData.h"
#include "game/content/MyGame_CollisionActors.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace
{
using ActorList = std::vector<std::unique_ptr<Collision2D::CollisionActor>>;

ActorList Build(const char* table)
{
    ActorList actors;
    BuildCollisionActors(table, [&](u32 number, Collision2D::CollisionActor* actor) {
        EXPECT_EQ(number, actors.size());
        actors.emplace_back(actor);
    });
    return actors;
}

TEST(CollisionActorTableTest, BuildsEveryActorWithTheContentsTotals)
{
    const ActorList actors = Build(CollisionActorTable);
    ASSERT_EQ(actors.size(), CollisionActorCount);
    size_t animations = 0, frames = 0, segments = 0, markedSegments = 0, circles = 0, shapedFrames = 0;
    for (const auto& actor : actors)
    {
        animations += actor->animations.size();
        for (const auto& animation : actor->animations)
        {
            for (const auto& frame : animation.frames)
            {
                ++frames;
                segments += frame.lineSegments.size();
                circles += frame.circles.size();
                shapedFrames += (frame.lineSegments.empty() && frame.circles.empty()) ? 0 : 1;
                for (const auto& segment : frame.lineSegments)
                    markedSegments += segment.userId == 1 ? 1 : 0;
                EXPECT_TRUE(frame.hotSpots.empty());
                const Collision2D::VelRect& rectangle = frame.boundingRectangles[0];
                EXPECT_TRUE(rectangle.top >= rectangle.bottom && rectangle.right >= rectangle.left);
            }
        }
    }
    EXPECT_EQ(animations, 126u);
    EXPECT_EQ(frames, 211u);
    EXPECT_EQ(segments, 334u);
    EXPECT_EQ(markedSegments, 32u);
    EXPECT_EQ(circles, 28u);
    EXPECT_EQ(shapedFrames, 100u);
}

TEST(CollisionActorTableTest, FramesKeepTheirOwnRectanglesShapesAndIds)
{
    const ActorList actors = Build(CollisionActorTable);
    ASSERT_EQ(actors.size(), CollisionActorCount);

    // Shield bits: the lower edge (first four segments) answers with user id 1 in every animation,
    // and the last animation has four side segments instead of three.
    const Collision2D::CollisionActor& bits = *actors[3];
    ASSERT_EQ(bits.animations.size(), 4u);
    for (const auto& animation : bits.animations)
    {
        const auto& segments = animation.frames.front().lineSegments;
        ASSERT_GE(segments.size(), 7u);
        auto segment = segments.begin();
        for (int i = 0; i < 4; ++i, ++segment)
            EXPECT_EQ(segment->userId, 1u);
        for (; segment != segments.end(); ++segment)
            EXPECT_EQ(segment->userId, 0u);
    }
    EXPECT_EQ(bits.animations.back().frames.front().lineSegments.size(), 8u);

    // A fire projectile's first frame is round, its second has its rectangle only.
    const Collision2D::CollisionFrame* round = actors[7]->GetFrame(0, 0);
    const Collision2D::CollisionFrame* bare = actors[7]->GetFrame(0, 1);
    ASSERT_TRUE(round && bare);
    ASSERT_EQ(round->circles.size(), 1u);
    EXPECT_EQ(round->circles.front().variants[0].radius, 14.0f);
    EXPECT_TRUE(bare->circles.empty());
    EXPECT_EQ(bare->boundingRectangles[0], Collision2D::VelRect(15, -15, 15, -15));

    // The music icon's two frames differ in their rectangles alone.
    EXPECT_EQ(actors[97]->GetFrame(0, 0)->boundingRectangles[0], Collision2D::VelRect(48, -50, 50, -48));
    EXPECT_EQ(actors[97]->GetFrame(0, 1)->boundingRectangles[0], Collision2D::VelRect(48, -50, 51, -49));

    // Zero-length segments are kept like the others; the city is one segment across.
    EXPECT_EQ(actors[15]->GetFrame(0, 3)->lineSegments.size(), 10u);
    EXPECT_EQ(actors[26]->GetFrame(0, 4)->lineSegments.size(), 1u);
    EXPECT_EQ(actors[91]->GetFrame(0, 1)->boundingRectangles[0], Collision2D::VelRect(178, -110, 10, 58));

    // Mirroring: the horizontally flipped rectangle of an off-centre frame swaps its sides.
    const Collision2D::VelRect& flipped = actors[88]->GetFrame(0, 0)->boundingRectangles[Collision2D::HFlip];
    EXPECT_EQ(flipped.left, -60.0f);
    EXPECT_EQ(flipped.right, 280.0f);
}

TEST(CollisionActorTableTest, AMalformedTableIsRefusedBeforeItsActorIsHandedOver)
{
    EXPECT_THROW(Build("1 1 r 1 0 1 0\n"), std::invalid_argument);
    EXPECT_THROW(Build("0 1 r 1 0 1 0 x 1\n"), std::invalid_argument);
    EXPECT_THROW(Build("0 1 r 1 0 1\n"), std::invalid_argument);
    EXPECT_THROW(Build("0 1 r 1 0 1 0 / r 2 0 2 0\n"), std::invalid_argument);

    u32 taken = 0;
    EXPECT_THROW(BuildCollisionActors("0 1 r 1 0 1 0\n1 1 c 0 0\n", [&](u32, Collision2D::CollisionActor* actor) {
                     ++taken;
                     delete actor;
                 }),
                 std::invalid_argument);
    EXPECT_EQ(taken, 1u);
}
}  // namespace

#pragma once

#include "collision/Collision_Rect.h"
#include "collision/Collision_Shapes.h"
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace Collision2D
{
// The collision shapes of one animation frame of a sprite: its bounding rectangle and its lists of
// segments, circles and hot spots, each in the four flip variants. List order is the order the
// tests visit the shapes and report their user ids in.
class CollisionFrame : public Core::Base
{
public:
    VelRect boundingRectangles[FlipVariantCount];
    Core::List<DynamicCollisionLineSegment> lineSegments;
    Core::List<DynamicCollisionCircle> circles;
    Core::List<DynamicCollisionHotSpot> hotSpots;

    // The unflipped rectangle; with deriveFlips the other three are its mirrors, else copies.
    void SetBoundingRectangle(const VelRect& rectangle, bool deriveFlips);
    void AddLineSegment(const Math::Point2D& a, const Math::Point2D& b, u32 userId, bool deriveFlips);
    void AddCircle(const Math::Point2D& center, f32 radius, u32 userId, bool deriveFlips);
    void AddHotSpot(const Math::Point2D& point, bool deriveFlips);
    // Removes every shape.
    void Clear();

    // The four rectangles (64 bytes), then each list as a count and its shapes.
    void Save(Core::File& file) const;
    // Replaces the frame's contents; false (with the frame emptied) when the stream fails or holds
    // more shapes than it has bytes for.
    bool Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "CollisionFrame"; }
};

// The frames of one animation, in frame order (index 0 first).
class CollisionAnimation : public Core::Base
{
public:
    Core::List<CollisionFrame> frames;

    // Appends an empty frame and returns it to be filled.
    CollisionFrame& AddCollisionFrame();
    // Appends a copy of the frame.
    CollisionFrame& AddCollisionFrame(const CollisionFrame& frame);
    // Null for an index at or beyond the frame count.
    const CollisionFrame* GetFrame(u32 index) const;

    void Save(Core::File& file) const;
    bool Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "CollisionAnimation"; }
};

// The collision data of one sprite kind: its animations in order. Dynamic objects refer to the
// frames of an actor, which must therefore outlive them and keep its frames in place.
class CollisionActor : public Core::Base
{
public:
    Core::List<CollisionAnimation> animations;

    CollisionAnimation& AddCollisionAnimation();
    CollisionAnimation& AddCollisionAnimation(const CollisionAnimation& animation);
    // Null when either index is at or beyond its list's length.
    const CollisionFrame* GetFrame(u32 animation, u32 frame) const;

    // The first frame (animations and frames in order) with the most segments, circles and hot
    // spots; null when the actor has no frame.
    struct LargestFrames
    {
        const CollisionFrame* lineSegments = nullptr;
        const CollisionFrame* circles = nullptr;
        const CollisionFrame* hotSpots = nullptr;
    };
    LargestFrames FindLargestFrames() const;

    void Save(Core::File& file) const;
    bool Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "CollisionActor"; }
};
} // namespace Collision2D

#pragma once

#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "math/Math_Circle2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace Collision2D
{
class VelRect;

// The four drawings of a sprite frame, always in this order.
enum FlipVariant : i32
{
    NoFlip = 0,
    HVFlip = 1,
    HFlip = 2,
    VFlip = 3,
    FlipVariantCount = 4,
};

// The variant drawn with the given flip flags.
FlipVariant SelectFlipVariant(bool horizontalFlip, bool verticalFlip);

// Mirrored copies about the local origin. A segment's left side stays its outer side: mirrored in
// one axis its end points are exchanged, mirrored in both (a half-turn) they are not.
Math::Point2D FlipPoint(const Math::Point2D& p, FlipVariant variant);
Math::LineSegment2D FlipLineSegment(const Math::LineSegment2D& s, FlipVariant variant);
Math::Circle2D FlipCircle(const Math::Circle2D& c, FlipVariant variant);
VelRect FlipRectangle(const VelRect& r, FlipVariant variant);

// One circle of a collision frame in its four flip variants, with the content's user id.
class DynamicCollisionCircle : public Core::Base
{
public:
    Math::Circle2D variants[FlipVariantCount];
    u32 userId = 0;

    // centre (two f32) and radius per variant, then the user id: 52 bytes.
    void Save(Core::File& file) const;
    bool Load(Core::File& file);
    u32 GetUserId() const { return userId; }

protected:
    const char* GetScriptTypeName() const override { return "DynamicCollisionCircle"; }
};

// One line segment of a collision frame in its four flip variants, with the content's user id.
class DynamicCollisionLineSegment : public Core::Base
{
public:
    Math::LineSegment2D variants[FlipVariantCount];
    u32 userId = 0;

    // A and B (two f32 each) per variant, then the user id: 68 bytes.
    void Save(Core::File& file) const;
    bool Load(Core::File& file);
    u32 GetUserId() const { return userId; }

protected:
    const char* GetScriptTypeName() const override { return "DynamicCollisionLineSegment"; }
};

// One hot spot of a collision frame in its four flip variants.
class DynamicCollisionHotSpot : public Core::Base
{
public:
    Math::Point2D variants[FlipVariantCount];

    // Two f32 per variant: 32 bytes.
    void Save(Core::File& file) const;
    bool Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "DynamicCollisionHotSpot"; }
};
} // namespace Collision2D

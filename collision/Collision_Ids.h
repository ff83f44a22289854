#pragma once

#include "core/Core_Types.h"

namespace Collision2D
{
// Kind codes stored in every collidable (1, 4 and 5 are never stored).
enum ObjectKind : i32
{
    KindUnset = -1,
    KindDynamicObject = 0,
    KindStaticCircle = 2,
    KindStaticLineSegment = 3,
    KindFour = 4,
    KindFive = 5,
    KindTileMap = 6,
};

// The low 16 bits of an object id are a kind base plus a slot; slot 0 names no object.
inline constexpr u32 StaticCircleBase = 535;
inline constexpr u32 StaticLineSegmentBase = 3535;
inline constexpr u32 KindFourBase = 6535;
inline constexpr u32 KindFiveBase = 7535;
inline constexpr u32 TileMapBase = 8535;
inline constexpr u32 DynamicObjectBase = 9535;

// Slots a layer may hand out per kind: one more would produce an id of the next kind's range.
inline constexpr u32 MaximumStaticCircles = StaticLineSegmentBase - StaticCircleBase - 1;
inline constexpr u32 MaximumStaticLineSegments = KindFourBase - StaticLineSegmentBase - 1;
inline constexpr u32 MaximumTileMaps = DynamicObjectBase - TileMapBase - 1;
inline constexpr u32 MaximumDynamicObjects = 0xFFFFu - DynamicObjectBase;

// layer << 24 | z << 16 | low.
inline constexpr u32 MakeObjectId(u32 low, u8 layer, u8 z)
{
    return u32(layer) << 24 | u32(z) << 16 | (low & 0xFFFFu);
}

// An id taken apart: its kind (by the range of its low bits) and the slot within that kind.
struct SplitId
{
    u32 low = 0;
    u8 z = 0;
    u8 layer = 0;
    i32 kind = KindUnset; // KindUnset for low bits below the first base
    u32 slot = 0;         // 0: no object
};

SplitId SplitObjectId(u32 id);

// Cap on the sub-steps of one frame's motion; saved with every dynamic object.
extern i32 MaximumInterpolationValue;
inline constexpr i32 DefaultMaximumInterpolationValue = 20;
} // namespace Collision2D

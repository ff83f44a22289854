#include "collision/Collision_Ids.h"

namespace Collision2D
{
i32 MaximumInterpolationValue = DefaultMaximumInterpolationValue;

SplitId SplitObjectId(u32 id)
{
    SplitId split;
    split.low = id & 0xFFFFu;
    split.z = u8((id >> 16) & 0xFFu);
    split.layer = u8(id >> 24);
    struct Range
    {
        u32 base;
        i32 kind;
    };
    static constexpr Range ranges[] = {
        {DynamicObjectBase, KindDynamicObject}, {TileMapBase, KindTileMap},
        {KindFiveBase, KindFive},               {KindFourBase, KindFour},
        {StaticLineSegmentBase, KindStaticLineSegment}, {StaticCircleBase, KindStaticCircle},
    };
    for (const Range& range : ranges)
    {
        if (split.low >= range.base)
        {
            split.kind = range.kind;
            split.slot = split.low - range.base;
            break;
        }
    }
    return split;
}
} // namespace Collision2D

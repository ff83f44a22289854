#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_StaticShapes.h"

// Sweeps of a moving body against the static shapes of its layer. The layer already offers every
// static shape of the cells a moving body covers; the sweeps themselves are not part of this
// engine yet, so a moving body records no contact with static shapes.
namespace Collision2D
{
void DynamicObject::CollideStaticLineSegment(StaticCollisionLineSegment&, u8)
{
}

void DynamicObject::CollideStaticCircle(StaticCollisionCircle&, u8)
{
}
} // namespace Collision2D

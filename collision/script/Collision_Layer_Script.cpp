// Script methods of "CollisionLayer": its static shapes and their slot counts.
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/script/Collision_Script.h"
#include "script/Lua_ScriptClass.h"

namespace Collision2D
{
namespace
{
template <class Shape>
i32 PushStaticShapes(lua_State* state, const SlotArray<Shape>& shapes)
{
    if (shapes.slots.empty())
        return 0;
    Lua::PushNewTable(state);
    u32 position = 0;
    for (i32 slot = 1; slot < shapes.count; ++slot)
    {
        if (Shape* shape = shapes.At(static_cast<u32>(slot)))
        {
            Lua::PushObject(state, shape);
            Lua::SetListElement(state, ++position);
        }
    }
    return 1;
}

i32 GetLineSegments(lua_State* state, CollisionLayer& layer)
{
    return PushStaticLineSegments(state, layer);
}

i32 GetCircles(lua_State* state, CollisionLayer& layer)
{
    return PushStaticCircles(state, layer);
}

i32 GetLineSegmentsNumber(lua_State* state, CollisionLayer& layer)
{
    return Lua::PushNumber(state, layer.GetLineSegmentsNumber());
}

i32 GetCirclesNumber(lua_State* state, CollisionLayer& layer)
{
    return Lua::PushNumber(state, layer.GetCirclesNumber());
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"GetLineSegments", Lua::Method<&GetLineSegments>},
    {"GetCircles", Lua::Method<&GetCircles>},
    {"GetLineSegmentsNumber", Lua::Method<&GetLineSegmentsNumber>},
    {"GetCirclesNumber", Lua::Method<&GetCirclesNumber>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"CollisionLayer", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace

i32 PushStaticLineSegments(lua_State* state, const CollisionLayer& layer)
{
    return PushStaticShapes(state, layer.GetStaticLineSegments());
}

i32 PushStaticCircles(lua_State* state, const CollisionLayer& layer)
{
    return PushStaticShapes(state, layer.GetStaticCircles());
}
} // namespace Collision2D

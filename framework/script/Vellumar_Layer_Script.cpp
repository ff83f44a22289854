// Script methods of "Layer". A call with too few arguments, or with something else where a table
// is needed, does nothing and returns no result.
#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "script/Lua_Accessors.h"
#include "script/Lua_ScriptClass.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Resources.h"
#include "framework/script/Vellumar_Script.h"
#include "framework/net/Vellumar_VelNet.h"

namespace Vellumar
{
namespace
{
i32 SetScale(lua_State* state, Layer& layer)
{
    if (Lua::HasArguments(state, 2))
        layer.SetScale(Lua::CheckFloat(state, 1), Lua::CheckFloat(state, 2));
    return 0;
}

i32 GetScale(lua_State* state, Layer& layer)
{
    return Lua::PushVector(state, Math::Vector2D(layer.GetScaleX(), layer.GetScaleY()));
}

i32 GetLayerCollision(lua_State* state, Layer& layer)
{
    Game* game = Game::GetInstance();
    Collision2D::CollisionEngine* engine = game ? game->GetCollisionEngine() : nullptr;
    return Lua::PushObject(state, engine ? engine->GetLayer(layer.GetCollisionId()) : nullptr);
}

i32 AddGameObject(lua_State* state, Layer& layer)
{
    if (GameObject* object = Lua::ToObject<GameObject>(state, 1))
        layer.AddGameObject(object, Lua::ToBoolean(state, 2), Lua::ToObject<VelPlayer>(state, 3));
    return 0;
}

i32 AddNetworkGameObject(lua_State* state, Layer& layer)
{
    if (!Lua::IsString(state, 1))
        return 0;
    GameObject* object = layer.AddNetworkGameObject(Lua::CheckString(state, 1), Lua::ToObject<VelPlayer>(state, 2));
    return object ? Lua::PushObject(state, object) : 0;
}

i32 RemoveGameObject(lua_State* state, Layer& layer)
{
    if (GameObject* object = Lua::ToObject<GameObject>(state, 1))
        layer.RemoveGameObject(object);
    return 0;
}

i32 AddCollisionData(lua_State* state, Layer& layer)
{
    if (!Lua::HasArguments(state, 3) || !Lua::IsTable(state, 1))
        return 0;
    const u8 z = static_cast<u8>(Lua::CheckInteger(state, 3));
    const u32 userId = static_cast<u32>(Lua::OptInteger(state, 4, 0));
    if (Lua::IsNumber(state, 2))
        layer.AddStaticCircle(Lua::ToPoint(state, 1), Lua::CheckFloat(state, 2), z, userId);
    else if (Lua::IsTable(state, 2))
        layer.AddStaticLineSegment(Lua::ToPoint(state, 1), Lua::ToPoint(state, 2), z, userId);
    return 0;
}

// A file named by a script lies below the Resources folder of the game's script directory: its path is taken relative to
// that folder, and one that is absolute or climbs out ("..") is refused.
i32 ReadStaticCollision(lua_State* state, Layer& layer)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    const Core::String path = Lua::CheckString(state, 1);
    if (path.empty() || path.front() == '\\' || path.front() == '/' || path.find("..") != Core::String::npos)
        return 0;
    layer.ReadStaticCollision(ScriptDirectory() + "\\Resources\\" + path);
    return 0;
}

i32 SetCollisionProperties(lua_State* state, Layer& layer)
{
    if (Lua::HasArguments(state, 3) && Lua::IsTable(state, 1))
        layer.SetCollisionProperties(Lua::ToPoint(state, 1), Lua::CheckInteger(state, 2), Lua::CheckInteger(state, 3), 100);
    return 0;
}

i32 GetCollisionId(lua_State* state, Layer& layer)
{
    return Lua::PushNumber(state, layer.GetCollisionId());
}

i32 GetGameObjects(lua_State* state, Layer& layer)
{
    Core::Vector<GameObject*> objects;
    layer.GetGameObjects(objects);
    return PushGameObjects(state, objects);
}

i32 GetGameObjectsCount(lua_State* state, Layer& layer)
{
    return Lua::PushNumber(state, layer.GetGameObjectsCount());
}

i32 SetVisibleCollisionData(lua_State* state, Layer& layer)
{
    if (Lua::HasArguments(state, 1))
        layer.SetVisibleCollisionData(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetVisibleCollisionData(lua_State* state, Layer& layer)
{
    return Lua::PushBoolean(state, layer.GetVisibleCollisionData());
}

i32 SetCollisionDataColor(lua_State* state, Layer& layer)
{
    if (Lua::IsTable(state, 1))
        layer.SetCollisionDataColor(Lua::ToColor(state, 1));
    return 0;
}

i32 GetCollisionDataColor(lua_State* state, Layer& layer)
{
    return Lua::PushColor(state, layer.GetCollisionDataColor());
}

i32 SetLayerPartitionColor(lua_State* state, Layer& layer)
{
    if (Lua::IsTable(state, 1))
        layer.SetLayerPartitionColor(Lua::ToColor(state, 1));
    return 0;
}

i32 GetLayerPartitionColor(lua_State* state, Layer& layer)
{
    return Lua::PushColor(state, layer.GetLayerPartitionColor());
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"SetName", Lua::Method<&Lua::SetValue<&Layer::SetName>>},
    {"GetName", Lua::Method<&Lua::GetValue<&Layer::GetName>>},
    {"SetZOrder", Lua::Method<&Lua::SetValue<&Layer::SetZOrder>>},
    {"GetZOrder", Lua::Method<&Lua::GetValue<&Layer::GetZOrder>>},
    {"SetScale", Lua::Method<&SetScale>},
    {"GetScale", Lua::Method<&GetScale>},
    {"SetRotation", Lua::Method<&Lua::SetValue<&Layer::SetRotation>>},
    {"GetRotation", Lua::Method<&Lua::GetValue<&Layer::GetRotation>>},
    {"GetIndex", Lua::Method<&Lua::GetValue<&Layer::GetIndex>>},
    {"GetLayerCollision", Lua::Method<&GetLayerCollision>},
    {"AddGameObject", Lua::Method<&AddGameObject>},
    {"AddNetworkGameObject", Lua::Method<&AddNetworkGameObject>},
    {"RemoveGameObject", Lua::Method<&RemoveGameObject>},
    {"AddCollisionData", Lua::Method<&AddCollisionData>},
    {"ReadInformation_StaticCollision", Lua::Method<&ReadStaticCollision>},
    {"SetCollisionProperties", Lua::Method<&SetCollisionProperties>},
    {"GetCollisionId", Lua::Method<&GetCollisionId>},
    {"GetGameObjects", Lua::Method<&GetGameObjects>},
    {"GetGameObjectsCount", Lua::Method<&GetGameObjectsCount>},
    {"SetVisibleCollisionData", Lua::Method<&SetVisibleCollisionData>},
    {"GetVisibleCollisionData", Lua::Method<&GetVisibleCollisionData>},
    {"SetCollisionDataColor", Lua::Method<&SetCollisionDataColor>},
    {"GetCollisionDataColor", Lua::Method<&GetCollisionDataColor>},
    {"SetVisibleLayerPartition", Lua::Method<&SetVisibleCollisionData>},
    {"GetVisibleLayerPartition", Lua::Method<&GetVisibleCollisionData>},
    {"SetLayerPartitionColor", Lua::Method<&SetLayerPartitionColor>},
    {"GetLayerPartitionColor", Lua::Method<&GetLayerPartitionColor>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"Layer", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar

// Script methods of "GameObject". A call with too few arguments, or with something else where a
// table is needed, does nothing and returns no result; indexes are range-checked.
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Results.h"
#include "collision/script/Collision_Results_Script.h"
#include "collision/Collision_TileMap.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "script/Lua_Accessors.h"
#include "script/Lua_ScriptClass.h"
#include "script/Lua_ScriptEngine.h"
#include "framework/core/Vellumar_CollisionResults.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/script/Vellumar_GameObject_Script.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/net/Vellumar_VelNet.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_MassProperties.h"
#include "physics/Physics_PhysicsEngine.h"

#include <cmath>
#include <cstring>

namespace Vellumar
{
namespace
{
Physics2D::PhysicsEngine* Physics()
{
    Game* game = Game::GetInstance();
    return game ? game->GetPhysicsEngine() : nullptr;
}

// A point from a table argument at index, or from two numbers there.
bool ReadPoint(lua_State* state, i32 index, Math::Vector2D& point)
{
    if (Lua::IsTable(state, index))
    {
        point = Lua::ToPoint(state, index);
        return true;
    }
    if (Lua::HasArguments(state, index + 1))
    {
        point = Math::Vector2D(Lua::CheckFloat(state, index), Lua::CheckFloat(state, index + 1));
        return true;
    }
    return false;
}

i32 ObjectFunction(lua_State* state, GameObject& object)
{
    return LuaScript::ObjectFunction(state, object.GetScript());
}

i32 AddManagedObject(lua_State* state, GameObject& object)
{
    Core::Object* managed = Lua::ToObject<Core::Object>(state, 1);
    if (managed && Lua::HasArguments(state, 2))
        object.AddManagedObject(managed, Lua::CheckString(state, 2));
    return 0;
}

i32 Mount(lua_State* state, GameObject& object)
{
    if (GameObject* mounted = Lua::ToObject<GameObject>(state, 1))
        object.Mount(mounted);
    return 0;
}

// The mounted object comes as a "GameObject" whatever its class, so that the script calls the game
// object's methods on it.
i32 GetMount(lua_State* state, GameObject& object)
{
    u32 index = 0;
    const Core::Vector<GameObject*>& mounted = object.GetMountedObjects();
    if (!Lua::HasArguments(state, 1) || !Lua::CheckIndex(state, 1, static_cast<u32>(mounted.size()), index) ||
        !mounted[index])
        return 0;
    Lua::PushObjectAs(state, static_cast<Core::Base*>(mounted[index]), "GameObject");
    return 1;
}

i32 UnMount(lua_State* state, GameObject& object)
{
    if (GameObject* mounted = Lua::ToObject<GameObject>(state, 1))
        object.UnMount(mounted);
    return 0;
}

i32 GetMountsCount(lua_State* state, GameObject& object)
{
    return Lua::PushNumber(state, static_cast<f64>(object.GetMountedObjects().size()));
}

i32 IsMounted(lua_State* state, GameObject& object)
{
    return Lua::PushBoolean(state, object.GetMount() != nullptr);
}

i32 GetMountSupport(lua_State* state, GameObject& object)
{
    return Lua::PushObject(state, object.GetMount());
}

i32 GetLayer(lua_State* state, GameObject& object)
{
    return Lua::PushObject(state, object.GetLayer());
}

i32 ResetAge(lua_State*, GameObject& object)
{
    object.ResetAge();
    return 0;
}

i32 Destroy(lua_State*, GameObject& object)
{
    object.Destroy();
    return 0;
}

i32 SetPosition(lua_State* state, GameObject& object)
{
    Math::Vector2D point;
    if (ReadPoint(state, 1, point))
        object.SetPosition(point);
    return 0;
}

i32 GetPosition(lua_State* state, GameObject& object)
{
    return Lua::PushPoint(state, object.GetPosition());
}

i32 SetOldPosition(lua_State* state, GameObject& object)
{
    Math::Vector2D point;
    if (ReadPoint(state, 1, point))
        object.SetOldPosition(point);
    return 0;
}

i32 SetDirection(lua_State* state, GameObject& object)
{
    if (Lua::IsTable(state, 1))
        object.SetDirection(Lua::ToVector(state, 1));
    return 0;
}

i32 GetDirection(lua_State* state, GameObject& object)
{
    return Lua::PushVector(state, object.GetDirection());
}

i32 SetScale(lua_State* state, GameObject& object)
{
    if (Lua::HasArguments(state, 2))
        object.SetScale(Lua::CheckFloat(state, 1), Lua::CheckFloat(state, 2));
    return 0;
}

i32 GetScale(lua_State* state, GameObject& object)
{
    return Lua::PushVector(state, Math::Vector2D(object.GetScaleX(), object.GetScaleY()));
}

i32 SetCenter(lua_State* state, GameObject& object)
{
    if (Lua::IsTable(state, 1))
        object.SetCenter(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetCenter(lua_State* state, GameObject& object)
{
    return Lua::PushPoint(state, object.GetCenter());
}

i32 SetModulationColor(lua_State* state, GameObject& object)
{
    if (Lua::IsTable(state, 1))
        object.SetModulationColor(Lua::ToColor(state, 1));
    return 0;
}

template <f32 Math::Color::*Channel>
i32 SetModulationChannel(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    Math::Color color = object.GetModulationColor();
    color.*Channel = Lua::CheckFloat(state, 1);
    object.SetModulationColor(color);
    return 0;
}

template <f32 Math::Color::*Channel>
i32 GetModulationChannel(lua_State* state, GameObject& object)
{
    return Lua::PushNumber(state, object.GetModulationColor().*Channel);
}

i32 AddCollision(lua_State* state, GameObject& object)
{
    Collision2D::DynamicObject* body = Lua::ToObject<Collision2D::DynamicObject>(state, 1);
    if (body && Lua::HasArguments(state, 2))
        object.AddCollision(body, static_cast<u8>(Lua::CheckInteger(state, 2)));
    return 0;
}

i32 RemoveCollision(lua_State*, GameObject& object)
{
    object.RemoveCollision();
    return 0;
}

i32 GetCollisionId(lua_State* state, GameObject& object)
{
    return Lua::PushNumber(state, static_cast<i32>(object.GetCollisionId()));
}

// Without a registered dynamic object, a "DynamicObject" userdata holding null, whose methods do
// nothing.
i32 GetCollisionObject(lua_State* state, GameObject& object)
{
    if (Collision2D::DynamicObject* dynamic = object.GetRegisteredObject())
        return Lua::PushObject(state, dynamic);
    Lua::PushObjectAs(state, nullptr, "DynamicObject");
    return 1;
}

i32 GetTileMapCollisionObject(lua_State* state, GameObject& object)
{
    return Lua::PushObject(state, object.GetTileMapCollisionObject());
}

i32 AddPhysicalProperties(lua_State* state, GameObject& object)
{
    const Physics2D::MassProperties* mass = Lua::ToObject<Physics2D::MassProperties>(state, 1);
    if (!mass || !Lua::HasArguments(state, 2))
        return 0;
    return Lua::PushBoolean(state, object.AddPhysicalProperties(*mass, Lua::CheckInteger(state, 2)));
}

i32 RemovePhysicalProperties(lua_State* state, GameObject& object)
{
    return Lua::PushBoolean(state, object.RemovePhysicalProperties());
}

i32 SetMassProperties(lua_State* state, GameObject& object)
{
    const Physics2D::MassProperties* mass = Lua::ToObject<Physics2D::MassProperties>(state, 1);
    if (mass && Physics())
        Physics()->SetMassProperties(object.GetPhysicsId(), *mass);
    return 0;
}

i32 GetMassProperties(lua_State* state, GameObject& object)
{
    Physics2D::MassProperties mass;
    if (!Physics() || !Physics()->GetMassProperties(object.GetPhysicsId(), mass))
        return 0;
    return Lua::PushValueCopy(state, mass, "MassProperties");
}

i32 GetCenterOfMass(lua_State* state, GameObject& object)
{
    Math::Vector2D center;
    if (!Physics() || !Physics()->GetRigidBodyCenterOfMass(object.GetPhysicsId(), center))
        return 0;
    return Lua::PushPoint(state, center);
}

bool BodyVelocity(const GameObject& object, Math::Vector2D& velocity)
{
    return Physics() && Physics()->GetRigidBodyVelocity(object.GetPhysicsId(), velocity);
}

i32 SetVelocity(lua_State* state, GameObject& object)
{
    return Lua::IsTable(state, 1) ? Lua::PushBoolean(state, object.SetVelocity(Lua::ToVector(state, 1))) : 0;
}

i32 GetVelocity(lua_State* state, GameObject& object)
{
    Math::Vector2D velocity;
    return BodyVelocity(object, velocity) ? Lua::PushVector(state, velocity) : 0;
}

i32 SetAngularVelocity(lua_State* state, GameObject& object)
{
    if (Lua::HasArguments(state, 1))
        object.SetAngularVelocity(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetAngularVelocity(lua_State* state, GameObject& object)
{
    f32 degreesPerSecond = 0.0f;
    if (Physics())
        Physics()->GetRigidBodyAngularVelocity(object.GetPhysicsId(), degreesPerSecond);
    return Lua::PushNumber(state, degreesPerSecond);
}

i32 SetSpeed(lua_State* state, GameObject& object)
{
    return Lua::HasArguments(state, 1) ? Lua::PushBoolean(state, object.SetSpeed(Lua::CheckFloat(state, 1))) : 0;
}

i32 GetSpeed(lua_State* state, GameObject& object)
{
    Math::Vector2D velocity;
    return Lua::PushNumber(state, BodyVelocity(object, velocity) ? velocity.Length() : 0.0f);
}

i32 SetVelocityDirection(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    return Lua::PushBoolean(state, object.SetVelocityDirection(Lua::CheckFloat(state, 1), Lua::CheckFloat(state, 2)));
}

i32 GetVelocityDirection(lua_State* state, GameObject& object)
{
    Math::Vector2D velocity;
    return BodyVelocity(object, velocity) ? Lua::PushVector(state, Math::Normalized(velocity)) : 0;
}

i32 AddForce(lua_State* state, GameObject& object)
{
    Physics2D::Force* force = Lua::ToObject<Physics2D::Force>(state, 1);
    return force ? Lua::PushBoolean(state, object.AddForce(force)) : 0;
}

i32 RemoveForce(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushBoolean(state, Physics() && Physics()->RemoveRigidBodyForce(object.GetPhysicsId(), Lua::CheckUnsigned(state, 1)));
}

i32 RemoveAllForces(lua_State*, GameObject& object)
{
    if (Physics())
        Physics()->RemoveAllRigidBodyForces(object.GetPhysicsId());
    return 0;
}

i32 GetNetworkKeyboard(lua_State* state, GameObject& object)
{
    return Lua::PushObject(state, object.GetNetworkKeyboard());
}

i32 GetNetworkMouse(lua_State* state, GameObject& object)
{
    return Lua::PushObject(state, object.GetNetworkMouse());
}

i32 GetNetworkOwner(lua_State* state, GameObject& object)
{
    Game* game = Game::GetInstance();
    VelNet* network = game ? game->GetNetworkEngine() : nullptr;
    if (!object.HasNetworkId() || !network)
        return 0;
    VelPlayer* player = network->FindPlayerByID(object.GetNetworkId()->GetOwnerID());
    return player ? Lua::PushObject(state, player) : 0;
}

i32 ChangeNetworkOwner(lua_State* state, GameObject& object)
{
    VelPlayer* player = Lua::ToObject<VelPlayer>(state, 1);
    return player ? Lua::PushBoolean(state, object.ChangeNetworkOwner(player)) : 0;
}

CollisionResults Results(const GameObject& object)
{
    return object.GetCollisionObject();
}

i32 GetNumberOfCollidedSprites(lua_State* state, GameObject& object)
{
    return Lua::HasArguments(state, 1)
               ? Lua::PushNumber(state, Results(object).GetCollidedSpritesCount(Lua::ToBoolean(state, 1)))
               : 0;
}

i32 GetNumberOfCollidedCircles(lua_State* state, GameObject& object)
{
    return Lua::PushNumber(state, Results(object).GetCollidedCirclesCount());
}

i32 GetNumberOfCollidedLineSegments(lua_State* state, GameObject& object)
{
    return Lua::PushNumber(state, Results(object).GetCollidedLineSegmentsCount());
}

i32 GetNumberOfCollidedTileMaps(lua_State* state, GameObject& object)
{
    return Lua::PushNumber(state, Results(object).GetCollidedTileMapsCount());
}

i32 GetCollidedSprite(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    GameObject* partner = Results(object).GetCollidedSprite(Lua::CheckInteger(state, 1), Lua::ToBoolean(state, 2));
    return partner ? Lua::PushObject(state, partner) : 0;
}

i32 GetCollidedTileMap(lua_State*, GameObject&)
{
    return 0;
}

i32 IsCollidedWithSprite(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    return Lua::PushBoolean(state, Results(object).IsCollidedWithSprite(Lua::CheckString(state, 1), Lua::ToBoolean(state, 2)));
}

template <bool (CollisionResults::*Query)(u32) const>
i32 IdQuery(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushBoolean(state, (Results(object).*Query)(static_cast<u32>(Lua::CheckInteger(state, 1))));
}

i32 IsCollidedWithTileMap(lua_State* state, GameObject& object)
{
    return Lua::HasArguments(state, 1) ? Lua::PushBoolean(state, Results(object).IsCollidedWithTileMap(Lua::CheckString(state, 1))) : 0;
}

template <bool (CollisionResults::*Query)(u32, const u32*) const>
i32 MyShapeQuery(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    const bool withPartner = Lua::HasArguments(state, 2);
    const u32 other = withPartner ? static_cast<u32>(Lua::CheckInteger(state, 2)) : 0;
    const u32* partner = withPartner ? &other : nullptr;
    return Lua::PushBoolean(state, (Results(object).*Query)(static_cast<u32>(Lua::CheckInteger(state, 1)), partner));
}

i32 PushEntries(lua_State* state, const Core::Vector<u32>& entries)
{
    Lua::PushNewTable(state);
    u32 position = 0;
    for (const u32 entry : entries)
    {
        Lua::PushNumber(state, entry);
        Lua::SetListElement(state, ++position);
    }
    return 1;
}

// (type, [hot spot,] cellX, cellY, [side,] record, start): the arguments in the native's order.
template <bool HotSpot, bool NewEntries>
i32 TileMapEntries(lua_State* state, GameObject& object)
{
    // Only the static entries by hot spot are not filtered by side.
    constexpr bool Side = NewEntries || !HotSpot;
    constexpr i32 count = 5 + (HotSpot ? 1 : 0) + (Side ? 1 : 0);
    if (!Lua::HasArguments(state, count))
        return 0;
    i32 index = 1;
    const i8 type = static_cast<i8>(Lua::CheckInteger(state, index++));
    const i32 hotSpot = HotSpot ? Lua::CheckInteger(state, index++) : -1;
    const i32 x = Lua::CheckInteger(state, index++);
    const i32 y = Lua::CheckInteger(state, index++);
    const i32 side = Side ? Lua::CheckInteger(state, index++) : 0;
    const i32 t = Lua::CheckInteger(state, index++);
    const i32 start = Lua::CheckInteger(state, index);
    Core::Vector<u32> entries;
    if constexpr (!HotSpot && NewEntries)
        object.FilterTileMapNewEntries_UsingBoundingRectangle(type, x, y, side, t, entries, start);
    else if constexpr (!HotSpot)
        object.FilterTileMapStaticEntries_UsingBoundingRectangle(type, x, y, side, t, entries, start);
    else if constexpr (NewEntries)
        object.FilterTileMapNewEntries_UsingHotSpot(type, hotSpot, x, y, side, t, entries, start);
    else
        object.FilterTileMapStaticEntries_UsingHotSpot(type, hotSpot, x, y, t, entries, start);
    return PushEntries(state, entries);
}

// A record as its table, or nil.
i32 PushRecord(lua_State* state, i32 table)
{
    return table < 0 ? Lua::PushNil(state) : 1;
}

i32 GetCollidedCircleData(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return PushRecord(state, Collision2D::PushCIR_C(state, Results(object).GetCollidedCircleData(Lua::CheckInteger(state, 1))));
}

i32 GetCollidedLineSegmentData(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return PushRecord(state,
                      Collision2D::PushLNS_C(state, Results(object).GetCollidedLineSegmentData(Lua::CheckInteger(state, 1))));
}

i32 GetCollidedTileMapData(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return PushRecord(state, Collision2D::PushTMAP_C(state, Results(object).GetCollidedTileMapData(Lua::CheckInteger(state, 1))));
}

i32 GetCollidedSpriteData(lua_State* state, GameObject& object)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    const i32 index = Lua::CheckInteger(state, 1);
    const bool geometric = Lua::ToBoolean(state, 2);
    const CollisionResults::SpriteData data = Results(object).GetCollidedSpriteData(index, geometric);
    if (geometric)
        return PushRecord(state, Collision2D::PushDGEO_C(state, data.geometry));
    return PushRecord(state, Collision2D::PushBRECT_C(state, data.rectangle));
}

i32 SetScript(lua_State* state, GameObject& object)
{
    if (Lua::HasArguments(state, 1))
        object.SetScriptName(Lua::CheckString(state, 1));
    return 0;
}

i32 RunScript(lua_State*, GameObject& object)
{
    object.RunScript(false);
    return 0;
}

// The script's values in the network record being written or read; nothing outside one.
i32 SaveNetworkData(lua_State* state, GameObject& object)
{
    if (object.GetNetworkPayload() && Lua::HasArguments(state, 1))
        LuaScript::WriteNetworkValues(state, 1, *object.GetNetworkPayload());
    return 0;
}

i32 LoadNetworkData(lua_State* state, GameObject& object)
{
    return object.GetNetworkPayload() ? LuaScript::ReadNetworkValues(state, *object.GetNetworkPayload()) : 0;
}

// The object classes' tables end the GameObject rows with these.
const Vellumar::ScriptMethodEntry networkDataMethods[] = {
    {"SaveNetworkData", Lua::Method<&SaveNetworkData>},
    {"LoadNetworkData", Lua::Method<&LoadNetworkData>},
    {nullptr, nullptr},
};

const Vellumar::ScriptMethodEntry methods[] = {
    {"ObjectFunction", Lua::Method<&ObjectFunction>},
    {"AddManagedObject", Lua::Method<&AddManagedObject>},
    {"Mount", Lua::Method<&Mount>},
    {"GetMount", Lua::Method<&GetMount>},
    {"UnMount", Lua::Method<&UnMount>},
    {"GetMountsCount", Lua::Method<&GetMountsCount>},
    {"IsMounted", Lua::Method<&IsMounted>},
    {"GetMountSupport", Lua::Method<&GetMountSupport>},
    {"GetLayer", Lua::Method<&GetLayer>},
    {"SetName", Lua::Method<&Lua::SetValue<&GameObject::SetName>>},
    {"GetName", Lua::Method<&Lua::GetValue<&GameObject::GetName>>},
    {"GetID", Lua::Method<&Lua::GetValue<&GameObject::GetID>>},
    {"SetLifeTime", Lua::Method<&Lua::SetValue<&GameObject::SetLifeTime>>},
    {"GetLifeTime", Lua::Method<&Lua::GetValue<&GameObject::GetLifeTime>>},
    {"GetAge", Lua::Method<&Lua::GetValue<&GameObject::GetAge>>},
    {"ResetAge", Lua::Method<&ResetAge>},
    {"SetVisible", Lua::Method<&Lua::SetValue<&GameObject::SetVisible>>},
    {"GetVisible", Lua::Method<&Lua::GetValue<&GameObject::GetVisible>>},
    {"Destroy", Lua::Method<&Destroy>},
    {"IsDestroyed", Lua::Method<&Lua::GetValue<&GameObject::IsDestroyed>>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"SetPositionX", Lua::Method<&Lua::SetValue<&GameObject::SetPositionX>>},
    {"SetPositionY", Lua::Method<&Lua::SetValue<&GameObject::SetPositionY>>},
    {"GetPosition", Lua::Method<&GetPosition>},
    {"GetPositionX", Lua::Method<&Lua::GetValue<&GameObject::GetPositionX>>},
    {"GetPositionY", Lua::Method<&Lua::GetValue<&GameObject::GetPositionY>>},
    {"SetOldPosition", Lua::Method<&SetOldPosition>},
    {"SetZOrder", Lua::Method<&Lua::SetValue<&GameObject::SetZOrder>>},
    {"GetZOrder", Lua::Method<&Lua::GetValue<&GameObject::GetZOrder>>},
    {"SetRotationAngle", Lua::Method<&Lua::SetValue<&GameObject::SetRotationAngle>>},
    {"SetOldRotationAngle", Lua::Method<&Lua::SetValue<&GameObject::SetOldRotationAngle>>},
    {"GetRotationAngle", Lua::Method<&Lua::GetValue<&GameObject::GetRotationAngle>>},
    {"SetDirection", Lua::Method<&SetDirection>},
    {"SetDirectionX", Lua::Method<&Lua::SetValue<&GameObject::SetDirectionX>>},
    {"SetDirectionY", Lua::Method<&Lua::SetValue<&GameObject::SetDirectionY>>},
    {"GetDirection", Lua::Method<&GetDirection>},
    {"GetDirectionX", Lua::Method<&Lua::GetValue<&GameObject::GetDirectionX>>},
    {"GetDirectionY", Lua::Method<&Lua::GetValue<&GameObject::GetDirectionY>>},
    {"SetScale", Lua::Method<&SetScale>},
    {"SetScaleX", Lua::Method<&Lua::SetValue<&GameObject::SetScaleX>>},
    {"SetScaleY", Lua::Method<&Lua::SetValue<&GameObject::SetScaleY>>},
    {"GetScale", Lua::Method<&GetScale>},
    {"GetScaleX", Lua::Method<&Lua::GetValue<&GameObject::GetScaleX>>},
    {"GetScaleY", Lua::Method<&Lua::GetValue<&GameObject::GetScaleY>>},
    {"SetCenter", Lua::Method<&SetCenter>},
    {"SetCenterX", Lua::Method<&Lua::SetX<&GameObject::GetCenter, &GameObject::SetCenter>>},
    {"SetCenterY", Lua::Method<&Lua::SetY<&GameObject::GetCenter, &GameObject::SetCenter>>},
    {"GetCenter", Lua::Method<&GetCenter>},
    {"GetCenterX", Lua::Method<&Lua::GetX<&GameObject::GetCenter>>},
    {"GetCenterY", Lua::Method<&Lua::GetY<&GameObject::GetCenter>>},
    {"SetModulationColor", Lua::Method<&SetModulationColor>},
    {"SetModulationR", Lua::Method<&SetModulationChannel<&Math::Color::r>>},
    {"SetModulationG", Lua::Method<&SetModulationChannel<&Math::Color::g>>},
    {"SetModulationB", Lua::Method<&SetModulationChannel<&Math::Color::b>>},
    {"GetModulationColor", Lua::Method<&Lua::GetValue<&GameObject::GetModulationColor>>},
    {"GetModulationR", Lua::Method<&GetModulationChannel<&Math::Color::r>>},
    {"GetModulationG", Lua::Method<&GetModulationChannel<&Math::Color::g>>},
    {"GetModulationB", Lua::Method<&GetModulationChannel<&Math::Color::b>>},
    {"SetOpacity", Lua::Method<&Lua::SetValue<&GameObject::SetOpacity>>},
    {"GetOpacity", Lua::Method<&Lua::GetValue<&GameObject::GetOpacity>>},
    {"AddCollision", Lua::Method<&AddCollision>},
    {"RemoveCollision", Lua::Method<&RemoveCollision>},
    {"ObjectInCollision", Lua::Method<&Lua::GetValue<&GameObject::ObjectInCollision>>},
    {"GetCollisionId", Lua::Method<&GetCollisionId>},
    {"GetCollisionObject", Lua::Method<&GetCollisionObject>},
    {"GetTileMapCollisionObject", Lua::Method<&GetTileMapCollisionObject>},
    {"AddPhysicalProperties", Lua::Method<&AddPhysicalProperties>},
    {"RemovePhysicalProperties", Lua::Method<&RemovePhysicalProperties>},
    {"SetMassProperties", Lua::Method<&SetMassProperties>},
    {"GetMassProperties", Lua::Method<&GetMassProperties>},
    {"GetCenterOfMass", Lua::Method<&GetCenterOfMass>},
    {"SetVelocity", Lua::Method<&SetVelocity>},
    {"GetVelocity", Lua::Method<&GetVelocity>},
    {"SetAngularVelocity", Lua::Method<&SetAngularVelocity>},
    {"GetAngularVelocity", Lua::Method<&GetAngularVelocity>},
    {"SetSpeed", Lua::Method<&SetSpeed>},
    {"GetSpeed", Lua::Method<&GetSpeed>},
    {"SetVelocityDirection", Lua::Method<&SetVelocityDirection>},
    {"GetVelocityDirection", Lua::Method<&GetVelocityDirection>},
    {"AddForce", Lua::Method<&AddForce>},
    {"RemoveForce", Lua::Method<&RemoveForce>},
    {"RemoveAllForces", Lua::Method<&RemoveAllForces>},
    {"GetPhysicsId", Lua::Method<&Lua::GetValue<&GameObject::GetPhysicsId>>},
    {"GetNetworkKeyboard", Lua::Method<&GetNetworkKeyboard>},
    {"GetNetworkMouse", Lua::Method<&GetNetworkMouse>},
    {"GetNetworkOwner", Lua::Method<&GetNetworkOwner>},
    {"ChangeNetworkOwner", Lua::Method<&ChangeNetworkOwner>},
    {"GetNumberOfCollidedSprites", Lua::Method<&GetNumberOfCollidedSprites>},
    {"GetNumberOfCollidedCircles", Lua::Method<&GetNumberOfCollidedCircles>},
    {"GetNumberOfCollidedLineSegments", Lua::Method<&GetNumberOfCollidedLineSegments>},
    {"GetNumberOfCollidedTileMaps", Lua::Method<&GetNumberOfCollidedTileMaps>},
    {"GetCollidedSprite", Lua::Method<&GetCollidedSprite>},
    {"GetCollidedTileMap", Lua::Method<&GetCollidedTileMap>},
    {"IsCollidedWithSprite", Lua::Method<&IsCollidedWithSprite>},
    {"IsCollidedWithSpriteLineSegment", Lua::Method<&IdQuery<&CollisionResults::IsCollidedWithSpriteLineSegment>>},
    {"IsCollidedWithSpriteCircle", Lua::Method<&IdQuery<&CollisionResults::IsCollidedWithSpriteCircle>>},
    {"IsCollidedWithLineSegment", Lua::Method<&IdQuery<&CollisionResults::IsCollidedWithLineSegment>>},
    {"IsCollidedWithCircle", Lua::Method<&IdQuery<&CollisionResults::IsCollidedWithCircle>>},
    {"IsCollidedWithTileMap", Lua::Method<&IsCollidedWithTileMap>},
    {"IsMyLineSegmentCollided", Lua::Method<&MyShapeQuery<&CollisionResults::IsMyLineSegmentCollided>>},
    {"IsMyCircleCollided", Lua::Method<&MyShapeQuery<&CollisionResults::IsMyCircleCollided>>},
    {"GetTileMapNewEntries_UsingBoundingRectangle", Lua::Method<&TileMapEntries<false, true>>},
    {"GetTileMapStaticEntries_UsingBoundingRectangle", Lua::Method<&TileMapEntries<false, false>>},
    {"GetTileMapNewEntries_UsingHotSpot", Lua::Method<&TileMapEntries<true, true>>},
    {"GetTileMapStaticEntries_UsingHotSpot", Lua::Method<&TileMapEntries<true, false>>},
    {"GetCollidedCircleData", Lua::Method<&GetCollidedCircleData>},
    {"GetCollidedLineSegmentData", Lua::Method<&GetCollidedLineSegmentData>},
    {"GetCollidedTileMapData", Lua::Method<&GetCollidedTileMapData>},
    {"GetCollidedSpriteData", Lua::Method<&GetCollidedSpriteData>},
    {"SetScript", Lua::Method<&SetScript>},
    {"RunScript", Lua::Method<&RunScript>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"GameObject", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace

i32 CloneForScript(lua_State* state, GameObject& object)
{
    GameObject* copy = object.Clone();
    if (copy->GetScript())
        copy->RunScript(true);
    return Lua::PushObject(state, copy);
}

Core::Vector<ScriptMethodEntry> ComposeScriptMethods(const ScriptMethodEntry* own, ManagedObjectsRow managed)
{
    Core::Vector<ScriptMethodEntry> rows;
    for (const ScriptMethodEntry* row = methods; row->name; ++row)
    {
        if (managed == ManagedObjectsRow::Kept || std::strcmp(row->name, "AddManagedObject") != 0)
            rows.push_back(*row);
    }
    for (const ScriptMethodEntry* row = networkDataMethods; row->name; ++row)
        rows.push_back(*row);
    for (const ScriptMethodEntry* row = own; row->name; ++row)
        rows.push_back(*row);
    rows.push_back({nullptr, nullptr});
    return rows;
}
} // namespace Vellumar

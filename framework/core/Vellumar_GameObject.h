#pragma once
// The base of every object placed in a level: its name, pose (position, pivot, rotation, scale,
// z order), colour and opacity, life time, render node, optional collision object and rigid body,
// optional script, the objects mounted on it and its network identity. The pose setters move the
// collision object, the rigid body and the mounted objects along. A layer owns the objects it holds
// and drives their per-frame operations in id order.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"
#include "engine/Engine_TransformationGroup.h"
#include "framework/core/Vellumar_CollisionResults.h"

namespace Collision2D
{
class DynamicObject;
class MainCollisionObject;
class TileMap;
}  // namespace Collision2D

namespace Input
{
class Keyboard;
class Mouse;
}  // namespace Input

namespace Physics2D
{
class Force;
class MassProperties;
class RigidBody;
}  // namespace Physics2D

namespace Vellumar
{
class Layer;
class NetObjectID;
class VelComponentManager;
class VelPlayer;

// The id fields that mean "none" (object ids count from 0, so 0 is a real id).
inline constexpr u32 NoObjectId = 0xFFFFFFFFu;

class GameObject : public Core::Object
{
    CORE_CLASS(GameObject)

public:
    GameObject();
    // The copy takes a new id and copies of the prototype's collision object and rigid body; it
    // keeps the prototype's name and belongs to no layer.
    GameObject(const GameObject& prototype);
    ~GameObject() override;
    GameObject& operator=(const GameObject&) = delete;

    LuaScript* GetScript() override { return script; }
    GameObject* Clone() const override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    // Asks the layer to remove the object at its next update; a second call does nothing.
    virtual void Destroy();
    // Inert slots kept for derived classes: no class overrides them and the framework calls none.
    virtual void ReservedHook() {}
    virtual bool ReservedQuery() { return true; }
    virtual void ExtraUpdate(f32) {}
    virtual void ExtraHook() {}
    virtual void OnStart();
    virtual void OnEnd();
    // The per-frame step: life time, then ScriptUpdate and SyncRenderNode.
    virtual void Update(f32 dt);
    // The object's own per-frame logic; the game's classes override it.
    virtual void ScriptUpdate(f32 dt);
    // Replaces the network components; true when this peer hosts the session.
    virtual bool CreateNetworkComponents();
    // Leaves the layer, the supports, the engines and the script; runs once.
    virtual void Cleanup();
    // Called after every layer updated, then in a second pass.
    virtual void LateUpdate(f32 dt);
    virtual void LateUpdate2(f32 dt);
    // Copies the object's state to its engine node; drawable classes override it.
    virtual void SyncRenderNode(f32 dt);

    // Ids count from 0 again (the game does it at every level switch).
    static void ResetIdCounter();
    static u32 GetIdCounter();
    static void SetIdCounter(u32 next);

    void SetName(const Core::String& newName);
    const Core::String& GetName() const { return name; }
    u32 GetID() const { return id; }
    bool IsDestroyed() const { return destroyed != 0; }
    bool IsDestroying() const { return destroying != 0; }
    bool IsCleanedUp() const { return cleanedUp != 0; }
    Layer* GetLayer() const { return layer; }
    u32 GetCollisionId() const { return collisionId; }
    u32 GetPhysicsId() const { return physicsId; }

    // Pose.
    const Math::Vector2D& GetPosition() const { return position; }
    f32 GetPositionX() const { return position.x; }
    f32 GetPositionY() const { return position.y; }
    void SetPosition(const Math::Vector2D& point);
    void SetPosition(f32 x, f32 y) { SetPosition(Math::Vector2D(x, y)); }
    void SetPositionX(f32 x) { SetPosition(Math::Vector2D(x, position.y)); }
    void SetPositionY(f32 y) { SetPosition(Math::Vector2D(position.x, y)); }
    // As SetPosition, but the collision object's old position is the one set.
    void SetOldPosition(const Math::Vector2D& point);
    void SetOldPosition(f32 x, f32 y) { SetOldPosition(Math::Vector2D(x, y)); }
    f32 GetRotationAngle() const { return rotation; }
    void SetRotationAngle(f32 degrees);
    void SetOldRotationAngle(f32 degrees);
    Math::Vector2D GetDirection() const;
    f32 GetDirectionX() const { return GetDirection().x; }
    f32 GetDirectionY() const { return GetDirection().y; }
    void SetDirection(f32 x, f32 y);
    void SetDirection(const Math::Vector2D& direction) { SetDirection(direction.x, direction.y); }
    void SetDirectionX(f32 x);
    void SetDirectionY(f32 y);
    f32 GetScaleX() const { return scaleX; }
    f32 GetScaleY() const { return scaleY; }
    void SetScale(f32 x, f32 y);
    void SetScaleX(f32 x) { SetScale(x, scaleY); }
    void SetScaleY(f32 y) { SetScale(scaleX, y); }
    const Math::Vector2D& GetCenter() const { return center; }
    void SetCenter(const Math::Vector2D& pivot);
    f32 GetZOrder() const { return zOrder; }
    void SetZOrder(f32 z) { zOrder = z; }
    f32 GetOpacity() const { return opacity; }
    void SetOpacity(f32 value) { opacity = value; }
    const Math::Color& GetModulationColor() const { return modulationColor; }
    void SetModulationColor(const Math::Color& color) { modulationColor = color; }
    f32 GetLifeTime() const { return lifeTime; }
    void SetLifeTime(f32 seconds) { lifeTime = seconds; }
    f32 GetAge() const { return age; }
    void ResetAge() { age = 0.0f; }
    void SetVisible(bool visible);
    bool GetVisible() const;
    u8 GetTransformSync() const { return transformSync; }
    void SetTransformSync(bool on) { transformSync = on ? 1 : 0; }
    // The render node's matrix from the pose, while transform sync is on.
    void UpdateTransform();
    Engine::TransformationGroup* GetRenderNode() const { return renderNode.Get(); }

    // Collision: the collision object is built by the caller and stored in the collision layer
    // given; this object becomes its user data. A refused object leaves the collision id at 0: a
    // new one is freed, one the engine stores already is left untouched.
    void AddCollision(Collision2D::MainCollisionObject* object, u8 collisionLayer);
    // The dynamic object or tile map stored under the collision id, or null when the id names none
    // or names one that is not this object's.
    Collision2D::DynamicObject* GetRegisteredObject() const;
    Collision2D::TileMap* GetTileMapCollisionObject() const;
    // Any collision result this frame.
    bool ObjectInCollision() const;
    // The results of the last collision step for the dynamic object under the collision id; a null
    // handle when the id names none of this object's.
    CollisionResults GetCollisionObject() const;
    // The indexes of the entries of tile-map record t of the results, from start on, that meet every
    // active condition: type -1, a negative cell or hot spot and side 0 match all. False with the
    // list untouched without results; else whether the list is not empty.
    bool FilterTileMapNewEntries_UsingBoundingRectangle(i8 type, i32 cellX, i32 cellY, i32 side, i32 t,
                                                        Core::Vector<u32>& list, i32 start) const;
    bool FilterTileMapStaticEntries_UsingBoundingRectangle(i8 type, i32 cellX, i32 cellY, i32 side, i32 t,
                                                           Core::Vector<u32>& list, i32 start) const;
    bool FilterTileMapNewEntries_UsingHotSpot(i8 type, i32 hotSpot, i32 cellX, i32 cellY, i32 side, i32 t,
                                              Core::Vector<u32>& list, i32 start) const;
    bool FilterTileMapStaticEntries_UsingHotSpot(i8 type, i32 hotSpot, i32 cellX, i32 cellY, i32 t,
                                                 Core::Vector<u32>& list, i32 start) const;
    // Takes the collision object out of the collision engine; the id keeps its value.
    void RemoveCollision();
    // After a load: this object becomes the user data of the dynamic object or tile map stored
    // under its collision id, as AddCollision made it.
    void ClaimCollisionObject();

    // Physics: false when the object already has a body.
    bool AddPhysicalProperties(const Physics2D::MassProperties& massProperties, i32 integrator);
    // Takes the body out of the physics engine; false when there was none.
    bool RemovePhysicalProperties();
    bool SetVelocity(const Math::Vector2D& velocity);
    bool SetAngularVelocity(f32 degreesPerSecond);
    // The velocity's direction with length s; false without a body.
    bool SetSpeed(f32 speed);
    // The velocity's length along (x, y); false without a body.
    bool SetVelocityDirection(f32 x, f32 y);
    bool AddForce(Physics2D::Force* force);

    // Mounted objects are carried along by this object's moves and turns. A mount that would make
    // a cycle is refused; an object mounted elsewhere leaves that support first.
    void Mount(GameObject* object);
    void UnMount(GameObject* object);
    GameObject* GetMount() const { return mountSupport; }
    const Core::Vector<GameObject*>& GetMountedObjects() const { return mountedObjects; }

    // Network records, written to and read from the stream the facade lends as the network payload
    // while they run: the creation record a peer builds its copy from, and the state record that
    // keeps the copy in step. A derived class's part follows the base part.
    virtual void NetworkSave(Core::File& file);
    virtual void NetworkLoad(Core::File& file);
    virtual void NetworkSyncSend(Core::File& file);
    virtual void NetworkSyncReceive(Core::File& file);
    Core::File* GetNetworkPayload() const { return networkPayload; }
    void SetNetworkPayload(Core::File* file) { networkPayload = file; }

    // Network identity.
    bool HasNetworkId() const { return networkId.Get() != nullptr; }
    NetObjectID* GetNetworkId() const { return networkId.Get(); }
    void SetNetworkId(NetObjectID* identity);
    bool IsRemoteCopy() const;
    bool ChangeNetworkOwner(VelPlayer* player);
    Input::Keyboard* GetNetworkKeyboard() const;
    Input::Mouse* GetNetworkMouse() const;
    const Core::String& GetNetworkClassName() const { return networkClassName; }
    void SetNetworkClassName(const Core::String& className) { networkClassName = className; }

    // Script.
    void SetScriptName(const Core::String& file) { scriptName = file; }
    const Core::String& GetScriptName() const { return scriptName; }
    bool IsScriptEnabled() const { return scriptEnabled != 0; }
    bool IsScriptStarted() const { return scriptStarted != 0; }
    // Loads the script file (or the compiled chunk of the script already loaded from it) with this
    // object as "self", then runs its "Constructor" unless told to skip it.
    void RunScript(bool skipConstructor);
    // Objects handed to the script under a global name; owned and deleted at Cleanup.
    void AddManagedObject(Core::Object* object, const Core::String& globalName);

    // After objects were read from a stream: mount links that the two sides do not both record,
    // and links that would close a cycle, are dropped, so moves never loop or reach a freed object.
    static void RepairMounts(const Core::Vector<GameObject*>& objects);
    // Unlinks the object from its support and its mounted objects, on both sides of each link.
    void DropMountLinks();

    // Rigid-body callbacks: the body's pose becomes the object's (the old pose for the second).
    static void SyncStateFromBody(Physics2D::RigidBody* body, void* object);
    static void SyncOldStateFromBody(Physics2D::RigidBody* body, void* object);

protected:
    const char* GetScriptTypeName() const override { return "GameObject"; }
    // Calls the script's function of that name when the script is enabled and running.
    void CallScriptHook(const char* hook);

private:
    friend class Layer;

    // Run on a mounted object when its support moves by offset and turns by angle about support.
    void UpdateMountedChild(const Math::Vector2D& support, const Math::Vector2D& offset, f32 angle);
    // Sets the position and moves the collision object (its old position when old) and the body.
    void MoveTo(const Math::Vector2D& point, bool old);
    void TurnTo(f32 degrees, bool old);
    // Whether this object is o or carries o, directly or through mounted objects.
    bool Carries(const GameObject* object) const;
    bool ScriptRuns() const;
    // The script fields of both network records, and the peer's script started here when it may.
    void StartNetworkScript(bool skipConstructor);

    Core::Vector<Core::Object*> managedObjects;
    Core::Vector<Core::String> managedObjectNames;
    u8 ownsScript = 0;
    LuaScript* scriptSource = nullptr;
    LuaScript* script = nullptr;
    Core::String scriptName;
    u8 scriptEnabled = 0;
    u8 scriptStarted = 0;
    Core::File* networkPayload = nullptr;
    Core::RefPtr<Engine::TransformationGroup> renderNode;
    Core::RefPtr<VelComponentManager> networkComponents;
    Math::Vector2D position;
    Math::Vector2D center;
    f32 rotation = 0.0f;
    Core::RefPtr<NetObjectID> networkId;
    Core::Vector<GameObject*> mountedObjects;
    GameObject* mountSupport = nullptr;
    Layer* layer = nullptr;
    Core::String name;
    f32 scaleX = 1.0f;
    f32 scaleY = 1.0f;
    f32 opacity = 1.0f;
    Math::Color modulationColor{1.0f, 1.0f, 1.0f, 1.0f};
    f32 lifeTime = 0.0f;
    f32 age = 0.0f;
    f32 zOrder = 0.0f;
    u32 id = 0;
    u32 collisionId = 0;
    u32 physicsId = 0;
    u8 destroyed = 0;
    u8 destroying = 0;
    u8 transformSync = 1;
    u8 cleanedUp = 0;
    Math::Vector2D networkTargetPosition;
    f32 networkTargetRotation = 0.0f;
    u8 snapToTarget = 0;
    Core::String networkClassName;
};

// After a saved physics world is read: the two object callbacks again on every body.
void RebindRigidBodyCallbacks(const Core::Vector<Physics2D::RigidBody*>& bodies);
}  // namespace Vellumar

#pragma once
// An ordered container of a level's game objects: one scene group under which their render nodes
// hang, indexes by id (the update order) and by name, additions and removals queued for the start
// of the next update, and one collision layer with the layer's static segments and circles.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"
#include "engine/Engine_TransformationGroup.h"
#include "framework/core/Vellumar_GameObject.h"

namespace Vellumar
{
class Circle;
class Line;
class VelPlayer;

class Layer : public Core::Object
{
    CORE_CLASS(Layer)

public:
    // For a layer read from a saved game: no collision layer of its own until Load restores its id.
    Layer();
    // A layer at that z order with a new collision layer.
    explicit Layer(f32 z);
    ~Layer() override;
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    // Between the removals and the object updates of every Update.
    virtual void UpdateHook(f32 dt);
    // Runs once: every object's cleanup, objects still waiting to enter included, then the static
    // shapes of the collision layer are deleted.
    virtual void Cleanup();

    // Queues the object for the next update. Null objects, objects in a layer and destroyed ones
    // are ignored; a networked object must be accepted by the network facade, and one it refuses
    // is not added and stays the caller's.
    void AddGameObject(GameObject* object, bool networked = false, VelPlayer* owner = nullptr);
    // Queues the removal of an object of this layer that is not destroyed.
    void RemoveGameObject(GameObject* object);
    void InsertGameObject(GameObject* object);
    void EraseGameObject(GameObject* object);
    void RenameGameObject(GameObject* object, const Core::String& oldName, const Core::String& newName);
    // Objects of the id index, in increasing id order.
    void GetGameObjects(Core::Vector<GameObject*>& out) const;
    // Objects queued to enter at the next update, in queue order.
    void GetWaitingGameObjects(Core::Vector<GameObject*>& out) const;
    // Objects listed under the name, in insertion order.
    void GetGameObjectsByName(const Core::String& objectName, Core::Vector<GameObject*>& out) const;
    // The object of that id in the id index, or null.
    GameObject* GetGameObject(u32 id) const;
    u32 GetGameObjectsCount() const { return static_cast<u32>(objectsById.size()); }
    // In a session this peer hosts: a copy of the networked prototype of that class name, added
    // as a networked object.
    GameObject* AddNetworkGameObject(const Core::String& className, VelPlayer* owner);

    // The per-frame step: additions (OnStart), removals (OnEnd, Cleanup), UpdateHook, then every
    // object's Update in increasing id order.
    void Update(f32 dt);
    void LateUpdateObjects(f32 dt);
    void LateUpdate2Objects(f32 dt);
    // Every object's render transform, in increasing id order.
    void EndFrame();
    // OnEnd of every object, in increasing id order.
    void EndGameObjects();

    void SetName(const Core::String& layerName) { name = layerName; }
    const Core::String& GetName() const { return name; }
    f32 GetZOrder() const { return zOrder; }
    void SetZOrder(f32 z);
    void SetScale(f32 x, f32 y);
    void SetRotation(f32 degrees);
    f32 GetScaleX() const { return scaleX; }
    f32 GetScaleY() const { return scaleY; }
    f32 GetRotation() const { return rotation; }
    void SetIndex(u32 value) { index = value; }
    u32 GetIndex() const { return index; }
    u8 GetCollisionId() const { return collisionId; }
    bool IsCleanedUp() const { return cleanedUp != 0; }
    Engine::TransformationGroup* GetSceneGroup() const { return sceneGroup.Get(); }

    // The uniform grid of the layer's collision layer.
    void SetCollisionProperties(const Math::Vector2D& origin, i32 width, i32 height, i32 cellSize);
    void AddStaticLineSegment(const Math::Vector2D& p1, const Math::Vector2D& p2, u8 z, u32 userId);
    void AddStaticCircle(const Math::Vector2D& centre, f32 radius, u8 z, u32 userId);
    // Adds the static segments and circles of a layer collision file.
    void ReadStaticCollision(const Core::String& path);

    // Shows the static circles and segments of the layer's collision layer as circle and line
    // objects in the collision-data colour: on adds objects for the shapes in slots beyond those
    // already shown, off destroys every one. Scripts also know it as the partition's switch.
    void SetVisibleCollisionData(bool on);
    bool GetVisibleCollisionData() const { return visibleCollisionData != 0; }
    // Also the colour of every shown shape.
    void SetCollisionDataColor(const Math::Color& color);
    const Math::Color& GetCollisionDataColor() const { return collisionDataColor; }
    void SetLayerPartitionColor(const Math::Color& color) { layerPartitionColor = color; }
    const Math::Color& GetLayerPartitionColor() const { return layerPartitionColor; }

protected:
    const char* GetScriptTypeName() const override { return "Layer"; }

private:
    using ObjectList = Core::Vector<Core::RefPtr<GameObject>>;

    // Scene group matrix from z order, rotation and scale.
    void UpdateTransform();
    void RemoveFromNameIndex(GameObject* object, const Core::String& objectName);

    Core::RefPtr<Engine::TransformationGroup> sceneGroup;
    ObjectList pendingAdditions;
    ObjectList pendingRemovals;
    Core::Map<u32, Core::RefPtr<GameObject>> objectsById;
    Core::Map<Core::String, ObjectList> objectsByName;
    Core::String name;
    f32 zOrder = 0.0f;
    f32 scaleX = 1.0f;
    f32 scaleY = 1.0f;
    f32 rotation = 0.0f;
    u32 index = 0;
    u8 cleanedUp = 0;
    u8 collisionId = 0;
    Core::Vector<Core::RefPtr<Line>> debugLines;
    Core::Vector<Core::RefPtr<Circle>> debugCircles;
    u8 visibleCollisionData = 0;
    u8 visibleLayerPartition = 0;
    Math::Color collisionDataColor{0.0f, 0.0f, 0.0f, 1.0f};
    Math::Color layerPartitionColor{0.0f, 0.0f, 0.0f, 1.0f};
    Math::Vector2D gridOrigin;
    u32 gridValues[3] = {1, 1, 1};
};

// Clears the list and, when a level is current, fills it with its objects of that name.
void FindGameObjectsByName(const Core::String& name, Core::Vector<GameObject*>& out);
}  // namespace Vellumar

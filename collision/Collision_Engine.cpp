#include "collision/Collision_Engine.h"

#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/Collision_TileMap.h"
#include "core/Core_File.h"

#include <algorithm>

namespace Collision2D
{
namespace
{
constexpr i32 MinimumCellSize = 50;
// Four empty free-slot lists, four arrays without objects, the numbers, rectangle, vector and a
// grid of one cell.
constexpr u32 LayerMinimumBytes = 4 * 4 + 4 * 8 + 2 + 16 + 8 + 28 + 88;

// The object an id names in its layer, by kind; null when it names none.
struct Found
{
    CollisionLayer* layer = nullptr;
    SplitId split;
    DynamicObject* dynamic = nullptr;
    StaticCollisionCircle* circle = nullptr;
    StaticCollisionLineSegment* segment = nullptr;
    TileMap* map = nullptr;

    MainCollisionObject* Object() const
    {
        if (dynamic)
            return dynamic;
        if (circle)
            return circle;
        if (segment)
            return segment;
        return map;
    }
};

Found Find(const CollisionEngine& engine, u32 id)
{
    Found found;
    found.split = SplitObjectId(id);
    found.layer = engine.GetLayer(found.split.layer);
    if (!found.layer)
        return found;
    switch (found.split.kind)
    {
    case KindDynamicObject:
        found.dynamic = found.layer->GetDynamicObject(found.split.slot);
        break;
    case KindStaticCircle:
        found.circle = found.layer->GetStaticCircle(found.split.slot);
        break;
    case KindStaticLineSegment:
        found.segment = found.layer->GetStaticLineSegment(found.split.slot);
        break;
    case KindTileMap:
        found.map = found.layer->GetTileMap(found.split.slot);
        break;
    default:
        break;
    }
    return found;
}
} // namespace

CollisionEngine::~CollisionEngine()
{
    RemoveAllLayers();
}

i32 CollisionEngine::AddLayer()
{
    layers.push_back(new (__FILE__, __LINE__) CollisionLayer());
    return static_cast<i32>(layers.size()) - 1;
}

void CollisionEngine::InitializeLayerGrid(u32 layer, const Math::Vector2D& origin, i32 width, i32 height, i32 cellSize)
{
    CollisionLayer* target = GetLayer(layer);
    if (!target)
        return;
    const i32 cell = cellSize < MinimumCellSize ? MinimumCellSize : cellSize;
    const i32 rows = (height > 0 ? height : 0) / cell + 1;
    const i32 columns = (width > 0 ? width : 0) / cell + 1;
    target->InitializeGrid(origin, width, height, rows, columns, cell);
}

void CollisionEngine::RemoveAllLayers()
{
    for (CollisionLayer* layer : layers)
        delete layer;
    layers.clear();
    CollisionLayer::ResetLayerNumberCounter();
    StaticCollisionCircle::ResetIdCounter();
    StaticCollisionLineSegment::ResetIdCounter();
    TileMap::ResetIdCounter();
}

void CollisionEngine::Update(f32 dt)
{
    for (CollisionLayer* layer : layers)
        layer->Update(dt);
}

u32 CollisionEngine::AddObject(MainCollisionObject* object, u8 layer, const Math::Vector2D& position)
{
    CollisionLayer* target = GetLayer(layer);
    return target ? target->AddObject(object, position) : 0;
}

bool CollisionEngine::Holds(const MainCollisionObject* object) const
{
    return std::any_of(layers.begin(), layers.end(), [object](const CollisionLayer* layer) { return layer && layer->Holds(object); });
}

u32 CollisionEngine::CloneObject(u32 id, const Math::Vector2D& position, void* userData)
{
    const SplitId split = SplitObjectId(id);
    CollisionLayer* layer = GetLayer(split.layer);
    return layer ? layer->CloneObject(split.low, position, userData) : 0;
}

void CollisionEngine::RemoveObject(u32 id)
{
    const Found found = Find(*this, id);
    if (found.dynamic)
        found.layer->RemoveDynamicObject(found.split.slot);
    else if (found.circle)
        found.layer->RemoveStaticCircle(found.split.slot);
    else if (found.segment)
        found.layer->RemoveStaticLineSegment(found.split.slot);
    else if (found.map)
        found.layer->RemoveTileMap(found.split.slot);
}

void CollisionEngine::RemoveStaticObjects(u32 layer)
{
    if (CollisionLayer* target = GetLayer(layer))
    {
        target->RemoveStaticCircles();
        target->RemoveStaticLineSegments();
    }
}

MainCollisionObject* CollisionEngine::GetObject(u32 id) const
{
    return Find(*this, id).Object();
}

DynamicObject* CollisionEngine::GetDynamicObject(u32 id) const
{
    return Find(*this, id).dynamic;
}

CollisionResults* CollisionEngine::GetResults(u32 id) const
{
    DynamicObject* object = GetDynamicObject(id);
    return object ? object->GetResults() : nullptr;
}

bool CollisionEngine::ObjectInCollision(u32 id) const
{
    const CollisionResults* results = GetResults(id);
    return results && results->Any();
}

void CollisionEngine::SetDynamicObjectPosition(u32 id, const Math::Vector2D& point)
{
    const Found found = Find(*this, id);
    if (found.dynamic)
        found.dynamic->SetPosition(point);
    else if (found.map)
        found.map->SetPosition(point);
}

void CollisionEngine::SetDynamicObjectOffset(u32 id, const Math::Vector2D& offset)
{
    const Found found = Find(*this, id);
    if (found.dynamic)
        found.dynamic->SetOffset(offset);
    else if (found.map)
        found.map->SetOffset(offset);
}

void CollisionEngine::SetDynamicObjectOldPosition(u32 id, const Math::Vector2D& point)
{
    if (DynamicObject* object = GetDynamicObject(id))
        object->SetOldPosition(point);
}

void CollisionEngine::SetDynamicObjectOrientation(u32 id, f32 degrees)
{
    if (DynamicObject* object = GetDynamicObject(id))
        object->SetOrientation(degrees);
}

void CollisionEngine::SetDynamicObjectOldOrientation(u32 id, f32 degrees)
{
    if (DynamicObject* object = GetDynamicObject(id))
        object->SetOldOrientation(degrees);
}

u32 CollisionEngine::SetObjectZCollision(u32 id, u8 z)
{
    const Found found = Find(*this, id);
    if (found.split.kind == KindUnset)
        return found.split.low == 0 ? 0 : id;
    u8 stored = z;
    if (found.dynamic)
    {
        found.dynamic->SetZCollision(z);
        stored = found.dynamic->GetZCollision();
    }
    else if (found.circle)
        found.circle->SetZCollision(z);
    else if (found.segment)
        found.segment->SetZCollision(z);
    else if (found.map)
        found.map->SetZCollision(z);
    else
        return 0;
    return MakeObjectId(found.split.low, found.split.layer, stored);
}

void CollisionEngine::SetObjectBoundingRectangle(u32 id, const VelRect& rectangle)
{
    const Found found = Find(*this, id);
    if (found.dynamic)
        found.dynamic->SetBoundingRectangle(rectangle);
    else if (found.map)
        found.map->SetCurrentBoundingRectangle(rectangle);
}

VelRect CollisionEngine::GetObjectBoundingRectangle(u32 id) const
{
    const Found found = Find(*this, id);
    if (found.dynamic)
        return found.dynamic->GetBoundingRectangle();
    if (found.map)
        return found.map->GetBoundingRectangle();
    return {};
}

VelRect CollisionEngine::GetCurrentObjectBoundingRectangle(u32 id) const
{
    const Found found = Find(*this, id);
    if (found.dynamic)
        return found.dynamic->GetCurrentWorldRectangle();
    if (found.map)
        return found.map->GetCurrentBoundingRectangle();
    return {};
}

void CollisionEngine::Save(Core::File& file) const
{
    Core::WriteU32(file, static_cast<u32>(layers.size()));
    for (const CollisionLayer* layer : layers)
        layer->Save(file);
}

bool CollisionEngine::Load(Core::File& file)
{
    u32 count = 0;
    if (!Core::ReadCount(file, count, LayerMinimumBytes))
        return false;
    // Each dynamic object's record sets the global sub-step cap; a stream that fails part-way
    // must not leave one of its values behind.
    const i32 interpolation = MaximumInterpolationValue;
    for (u32 i = 0; i < count; ++i)
    {
        auto* layer = new (__FILE__, __LINE__) CollisionLayer(CollisionLayer::StreamConstruction{});
        layers.push_back(layer);
        // Ids name a layer by its index, so a layer must come back at the index it was saved from.
        if (!layer->Load(file) || layer->GetLayerNumber() != layers.size() - 1)
        {
            file.SetFailed();
            RemoveAllLayers();
            MaximumInterpolationValue = interpolation;
            return false;
        }
    }
    return true;
}
} // namespace Collision2D

#include "engine/Engine_BoundingVolume.h"

#include "core/Core_Random.h"
#include "engine/Engine_RenderItem.h"
#include "engine/Engine_RenderQueue.h"

namespace Engine
{
const u32 BoxIndices[BoxIndexCount] = {0, 1, 5, 0, 5, 4, 3, 2, 1, 3, 1, 0, 3, 6, 2, 3, 7, 6,
                                       5, 6, 4, 4, 6, 7, 0, 7, 3, 0, 4, 7, 2, 6, 1, 6, 5, 1};

namespace
{
float RandomUnit()
{
    return static_cast<float>(Core::Rand()) / static_cast<float>(Core::Random::Max);
}

Math::Color RandomDebugColor()
{
    // Three separate statements: the draws are made in the order red, green, blue.
    const float red = RandomUnit();
    const float green = RandomUnit();
    const float blue = RandomUnit();
    return Math::Color(red, green, blue, 0.5f);
}
} // namespace

Math::Frustum MakeBox(float halfX, float halfY, float halfZ)
{
    Math::Frustum box;
    const float signs[BoxCornerCount][3] = {{1, 1, 1},  {-1, 1, 1},  {-1, 1, -1},  {1, 1, -1},
                                            {1, -1, 1}, {-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}};
    for (u32 i = 0; i < BoxCornerCount; ++i)
        box.corners[i] = Math::Vector3D(signs[i][0] * halfX, signs[i][1] * halfY, signs[i][2] * halfZ);
    return box;
}

BoundingVolume::BoundingVolume()
{
    Initialise(RandomDebugColor());
}

BoundingVolume::BoundingVolume(const Math::Color& debugColor)
{
    Initialise(debugColor);
}

BoundingVolume::BoundingVolume(const BoundingVolume& other)
    : worldBox(other.GetWorldBox()), modelBox(other.modelBox),
      debugMesh(other.debugMesh ? other.debugMesh->Clone() : nullptr), debugColor(other.debugColor)
{
    for (u32 i = 0; i < BoxCornerCount; ++i)
        debugPositions[i] = other.debugPositions[i];
}

BoundingVolume& BoundingVolume::operator=(const BoundingVolume& other)
{
    if (this != &other)
    {
        worldBox = other.GetWorldBox();
        settled = true;
        modelBox = other.modelBox;
        debugMesh = other.debugMesh ? other.debugMesh->Clone() : nullptr;
        debugColor = other.debugColor;
        for (u32 i = 0; i < BoxCornerCount; ++i)
            debugPositions[i] = other.debugPositions[i];
    }
    return *this;
}

void BoundingVolume::Initialise(const Math::Color& color)
{
    debugColor = color;
    modelBox = MakeBox(DefaultHalfSize, DefaultHalfSize, DefaultHalfSize);
    worldBox = modelBox;
}

void BoundingVolume::Transform(const Math::Matrix4x4& matrix)
{
    for (u32 i = 0; i < BoxCornerCount; ++i)
        worldBox.corners[i] = Math::TransformPoint(matrix, modelBox.corners[i]);
}

void BoundingVolume::Merge(const BoundingVolume& other)
{
    const Math::Frustum* const pair[] = {&worldBox, &other.worldBox};
    Math::Frustum::Bounds(pair, mergedLow, mergedHigh);
    worldBox.SetCornersFromBounds(mergedLow, mergedHigh, 0.0f);
    settled = false;
}

void BoundingVolume::Settle() const
{
    const Math::Frustum merged = Math::Frustum::FromBounds(mergedLow, mergedHigh, 0.0f);
    worldBox.center = merged.center;
    for (int i = 0; i < Math::FrustumPlaneCount; ++i)
        worldBox.planes[i] = merged.planes[i];
    settled = true;
}

void BoundingVolume::SetBox(const Math::Frustum& box)
{
    modelBox = box;
    worldBox = box;
    settled = true;
    UpdateDebugMesh();
}

void SubmitBoundingVolume(BoundingVolume& volume, Renderer::Effect* effect)
{
    volume.UpdateDebugMesh();
    RenderQueue* queue = RenderQueue::GetInstance();
    if (!queue)
        return;
    RenderItem item;
    item.effect = effect;
    item.mesh = volume.GetDebugMesh();
    item.primitiveType = Renderer::Primitive::Triangles;
    item.subset = 0;
    queue->Submit(item);
}

void BoundingVolume::UpdateDebugMesh()
{
    for (u32 i = 0; i < BoxCornerCount; ++i)
    {
        if (debugMesh)
            debugMesh->SetPosition(i, worldBox.corners[i]);
        else
            debugPositions[i] = worldBox.corners[i];
    }
}

Core::RefPtr<Mesh> BoundingVolume::GetDebugMesh() const
{
    if (debugMesh)
        return debugMesh;
    debugMesh = new (__FILE__, __LINE__) Mesh();
    MeshSubset subset;
    subset.first = 0;
    subset.last = BoxIndexCount - 1;
    subset.blended = 1;
    debugMesh->AddSubset(subset);
    debugMesh->ReservePositions(BoxCornerCount);
    debugMesh->ReserveColors(BoxCornerCount);
    for (u32 i = 0; i < BoxCornerCount; ++i)
    {
        debugMesh->AddPosition(debugPositions[i]);
        debugMesh->AddColor(debugColor);
    }
    debugMesh->ReserveIndices(BoxIndexCount);
    for (u32 index : BoxIndices)
        debugMesh->AddIndex(index);
    return debugMesh;
}
} // namespace Engine

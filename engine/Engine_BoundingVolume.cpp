#include "engine/Engine_BoundingVolume.h"

#include "core/Core_Random.h"
#include "engine/Engine_RenderItem.h"
#include "engine/Engine_RenderQueue.h"

#include <algorithm>

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
        cornersFromBounds = false;
        ++version;
        ++modelVersion;
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
    cornersFromBounds = false;
    ++version;
}

void BoundingVolume::SetWorldCorners(const Math::Vector3D (&corners)[BoxCornerCount])
{
    for (u32 i = 0; i < BoxCornerCount; ++i)
        worldBox.corners[i] = corners[i];
    cornersFromBounds = false;
    ++version;
}

// The lowest and highest coordinates of this box's corners and then the other's, taken one corner
// at a time from this box's first, as Math::Frustum::Bounds takes them (std::min and std::max, so
// that signed zeros and unordered values come out as they do there).
void BoundingVolume::MergeCorners(const Math::Vector3D (&corners)[BoxCornerCount])
{
    Math::Vector3D low;
    Math::Vector3D high;
    if (cornersFromBounds)
    {
        // Corner 0 holds the highest coordinates and corner 6 the lowest: over the eight corners
        // from corner 0 the lowest comes out as the one below, the highest as the one above.
        const Math::Vector3D& plus = worldBox.corners[0];
        const Math::Vector3D& minus = worldBox.corners[6];
        low = Math::Vector3D(std::min(plus.x, minus.x), std::min(plus.y, minus.y), std::min(plus.z, minus.z));
        high = Math::Vector3D(std::max(plus.x, minus.x), std::max(plus.y, minus.y), std::max(plus.z, minus.z));
    }
    else
    {
        low = worldBox.corners[0];
        high = low;
        for (const Math::Vector3D& corner : worldBox.corners)
        {
            low = Math::Vector3D(std::min(low.x, corner.x), std::min(low.y, corner.y), std::min(low.z, corner.z));
            high = Math::Vector3D(std::max(high.x, corner.x), std::max(high.y, corner.y), std::max(high.z, corner.z));
        }
    }
    for (const Math::Vector3D& corner : corners)
    {
        low = Math::Vector3D(std::min(low.x, corner.x), std::min(low.y, corner.y), std::min(low.z, corner.z));
        high = Math::Vector3D(std::max(high.x, corner.x), std::max(high.y, corner.y), std::max(high.z, corner.z));
    }
    mergedLow = low;
    mergedHigh = high;
    worldBox.SetCornersFromBounds(mergedLow, mergedHigh, 0.0f);
    settled = false;
    cornersFromBounds = true;
    ++version;
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
    cornersFromBounds = false;
    ++version;
    ++modelVersion;
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

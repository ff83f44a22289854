#pragma once
// The box every scene-graph node carries: kept in the node's own space and transformed to world
// space, merged upwards by groups, tested against the view frustum by drawables, and shown as a
// translucent debug box when a node asks for it.
#include "core/Core_Object.h"
#include "math/Math_Color.h"
#include "math/Math_Frustum.h"
#include "math/Math_Matrix4x4.h"
#include "engine/Engine_Mesh.h"

namespace Renderer
{
class Effect;
}

namespace Engine
{
// Corners of a box in the order of Math::Frustum, and the 36 indices of its 12 triangles
// (faces z+, y+, z-, y-, x+, x-, two triangles each).
constexpr u32 BoxCornerCount = 8;
constexpr u32 BoxIndexCount = 36;
extern const u32 BoxIndices[BoxIndexCount];

// The box centred on the origin with the given half sizes, corners in the shared order.
Math::Frustum MakeBox(float halfX, float halfY, float halfZ);

class BoundingVolume
{
public:
    // Half size of the model box until the node sets one.
    static constexpr float DefaultHalfSize = 5.0f;

    // Debug colour (r, g, b, 0.5) with r, g, b drawn from the project generator in that order.
    BoundingVolume();
    explicit BoundingVolume(const Math::Color& debugColor);
    // Copies both boxes; the copy has a clone of the debug mesh.
    BoundingVolume(const BoundingVolume& other);
    BoundingVolume& operator=(const BoundingVolume& other);

    // World corner i := matrix applied to model corner i; centre and planes stay.
    void Transform(const Math::Matrix4x4& matrix);
    // The world corners := corners a Transform of this model box gave, as that Transform would.
    void SetWorldCorners(const Math::Vector3D (&corners)[BoxCornerCount]);
    // The world box becomes the box enclosing it and the other's world box.
    void Merge(const BoundingVolume& other) { MergeCorners(other.worldBox.corners); }
    // The same with the other's world corners given.
    void MergeCorners(const Math::Vector3D (&corners)[BoxCornerCount]);
    const Math::Vector3D (&GetWorldCorners() const)[BoxCornerCount] { return worldBox.corners; }
    // Changes with every Transform, Merge, SetBox and assignment, so that a node can tell whether
    // the volume is still the one it last left.
    u32 GetVersion() const { return version; }
    // Changes with every SetBox and assignment: the model box is still the one it was when equal.
    u32 GetModelVersion() const { return modelVersion; }
    // Model box := world box := box; the debug mesh follows the corners.
    void SetBox(const Math::Frustum& box);
    // Debug-mesh position i := world corner i.
    void UpdateDebugMesh();

    Core::RefPtr<Mesh> GetDebugMesh() const;
    const Math::Frustum& GetWorldBox() const
    {
        if (!settled)
            Settle();
        return worldBox;
    }
    const Math::Frustum& GetModelBox() const { return modelBox; }

private:
    void Initialise(const Math::Color& color);
    // Gives the world box the centre and planes of its last merge.
    void Settle() const;

    // A merge sets the corners at once; the centre and planes, which a group merging many
    // children would rebuild for each, wait until the box is read (a later Transform moves only
    // the corners, so they stay those of the last merge).
    mutable Math::Frustum worldBox;
    mutable bool settled = true;
    // The corners are those that mergedLow and mergedHigh give, as the last merge set them.
    bool cornersFromBounds = false;
    u32 version = 0;
    u32 modelVersion = 0;
    Math::Vector3D mergedLow;
    Math::Vector3D mergedHigh;
    Math::Frustum modelBox;
    // 8 positions of one colour, 36 indices, one blended subset. Made when first asked for: few
    // volumes are ever shown, and a scene of many nodes would otherwise start with a mesh for each.
    // Until then the colour and the positions it would hold are kept here.
    mutable Core::RefPtr<Mesh> debugMesh;
    Math::Color debugColor;
    Math::Vector3D debugPositions[BoxCornerCount];
};

// Refreshes the debug box from the world corners and submits it to the render queue through the
// effect, as a triangle list with an identity world matrix (the corners are in world space).
void SubmitBoundingVolume(BoundingVolume& volume, Renderer::Effect* effect);
}  // namespace Engine

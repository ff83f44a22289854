#pragma once
// Indexed vertex data in main memory, drawn one subset at a time by handing its lists to the
// renderer as client arrays. Text, particles, circles, bounding volumes and the render queue's
// default quad are meshes.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Frustum.h"
#include "math/Math_Vector2D.h"
#include "math/Math_Vector3D.h"
#include "renderer/Renderer_Buffer.h"
#include "renderer/Renderer_Types.h"

namespace Renderer
{
class Effect;
class IRenderer;
}  // namespace Renderer

namespace Engine
{
struct DrawnVertices;

// One draw range of a mesh: indices (or vertices, without indices) first to last inclusive.
struct MeshSubset
{
    u32 first = 0;
    u32 last = 0;
    i32 index = -1; // none; read by nothing
    u8 blended = 0; // items drawing this subset go to the render queue's blended list
};

class Mesh : public Core::Object
{
public:
    Mesh();
    // Copies the bounds and every list; effects are cloned, so a copy never shares an effect with
    // its source; the buffers are shared.
    Mesh(const Mesh& other);
    Mesh& operator=(const Mesh&) = delete;
    ~Mesh() override;

    Mesh* Clone() const override;

    // Building: appends, or overwrites in place (index below the list's size, else ignored).
    void AddSubset(const MeshSubset& subset) { subsets.push_back(subset); }
    void AddPosition(const Math::Vector3D& position) { positions.push_back(position); }
    void AddPositionOverride(const Math::Vector3D& position) { positionsOverride.push_back(position); }
    void AddNormal(const Math::Vector3D& normal) { normals.push_back(normal); }
    void AddNormalOverride(const Math::Vector3D& normal) { normalsOverride.push_back(normal); }
    void AddColor(const Math::Color& color) { colors.push_back(color); }
    void AddSecondaryColor(const Math::Color& color) { secondaryColors.push_back(color); }
    void AddTexCoord(const Math::Vector2D& texCoord) { texCoords.push_back(texCoord); }
    void AddIndex(u32 index) { indices.push_back(index); }
    void AddEffect(Renderer::Effect* effect);
    void SetPosition(u32 i, const Math::Vector3D& position);
    void SetColor(u32 i, const Math::Color& color);
    void SetTexCoord(u32 i, const Math::Vector2D& texCoord);
    void ReservePositions(u32 n) { positions.reserve(n); }
    void ReserveColors(u32 n) { colors.reserve(n); }
    void ReserveTexCoords(u32 n) { texCoords.reserve(n); }
    void ReserveIndices(u32 n) { indices.reserve(n); }
    // Empties every list (effects released); capacities, bounds, buffers and the primitive stay.
    void Clear();

    // Null when i is not a subset of the mesh.
    MeshSubset* GetSubset(u32 i);
    const MeshSubset* GetSubset(u32 i) const;
    u32 GetSubsetCount() const { return static_cast<u32>(subsets.size()); }
    u32 GetPositionCount() const { return static_cast<u32>(positions.size()); }
    u32 GetColorCount() const { return static_cast<u32>(colors.size()); }
    u32 GetTexCoordCount() const { return static_cast<u32>(texCoords.size()); }
    u32 GetIndexCount() const { return static_cast<u32>(indices.size()); }
    u32 GetEffectCount() const { return static_cast<u32>(effects.size()); }
    const Math::Vector3D& GetPosition(u32 i) const { return positions[i]; }
    const Math::Color& GetColor(u32 i) const { return colors[i]; }
    const Math::Vector2D& GetTexCoord(u32 i) const { return texCoords[i]; }
    u32 GetIndex(u32 i) const { return indices[i]; }
    Core::RefPtr<Renderer::Effect> GetEffect(u32 i) const;
    Renderer::PrimitiveType GetPrimitive() const { return primitive; }
    void SetPrimitive(Renderer::PrimitiveType value) { primitive = value; }
    // A box its owner may keep with the mesh; no mesh operation computes or reads it.
    const Math::Frustum& GetBounds() const { return bounds; }
    void SetBounds(const Math::Frustum& box) { bounds = box; }
    // Buffers that, once a vertex buffer is set, the render queue draws from in place of the lists.
    Core::RefPtr<Renderer::IBuffer> GetVertexBuffer() const { return vertexBuffer; }
    Core::RefPtr<Renderer::IBuffer> GetIndexBuffer() const { return indexBuffer; }
    void SetVertexBuffer(Renderer::IBuffer* buffer) { vertexBuffer = buffer; }
    void SetIndexBuffer(Renderer::IBuffer* buffer) { indexBuffer = buffer; }

    // Drawing. ApplyArrays hands every non-empty list to the renderer (the override lists in
    // place of positions and normals when they are not empty) and sets the primitive; DrawSubset
    // draws one subset's range (nothing for a subset the mesh lacks); ResetArrays clears the
    // arrays again.
    void ApplyArrays(Renderer::IRenderer& renderer) const;
    void DrawSubset(Renderer::IRenderer& renderer, u32 subset) const;
    // What DrawSubset after ApplyArrays draws, for the render queue's cheaper states; false for a
    // subset the mesh lacks.
    bool DescribeSubset(u32 subset, DrawnVertices& draw) const;
    void ResetArrays(Renderer::IRenderer& renderer) const;
    // The same through the buffers: ApplyBuffers attaches them, DrawSubsetBuffered draws one
    // subset's index range as triangles (nothing for a subset the mesh lacks), ResetBuffers
    // detaches them again.
    void ApplyBuffers(Renderer::IRenderer& renderer) const;
    void DrawSubsetBuffered(Renderer::IRenderer& renderer, u32 subset) const;
    void ResetBuffers(Renderer::IRenderer& renderer) const;

private:
    Math::Frustum bounds;
    Core::Vector<MeshSubset> subsets;
    Core::Vector<Math::Vector3D> positions;
    Core::Vector<Math::Vector3D> positionsOverride;
    Core::Vector<Math::Vector3D> normals;
    Core::Vector<Math::Vector3D> normalsOverride;
    Core::Vector<Math::Color> colors;
    Core::Vector<Math::Color> secondaryColors;
    Core::Vector<Math::Vector2D> texCoords;
    Core::Vector<u32> indices;
    Core::Vector<Core::RefPtr<Renderer::Effect>> effects; // attached by their users; drawing reads none
    Core::RefPtr<Renderer::IBuffer> vertexBuffer;
    Core::RefPtr<Renderer::IBuffer> indexBuffer;
    Renderer::PrimitiveType primitive = Renderer::Primitive::Triangles;
};
}  // namespace Engine

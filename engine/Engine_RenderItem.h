#pragma once
// One draw request of the scene: a self-contained value record that the render queue copies into
// its lists. Copies share the effect, mesh and texture through counted handles.
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Matrix4x4.h"
#include "engine/Engine_Mesh.h"
#include "renderer/Renderer_Effect.h"
#include "renderer/Renderer_Texture.h"
#include "renderer/Renderer_Types.h"

namespace Engine
{
struct RenderItem
{
    // No subset.
    static constexpr u32 NoSubset = 0xFFFFFFFFu;

    Math::Matrix4x4 world;
    Math::Matrix4x4 textureMatrix; // texture unit 0, mesh items only
    Math::Color color{1.0f, 1.0f, 1.0f, 1.0f};
    Core::RefPtr<Renderer::Effect> effect;
    Core::RefPtr<Mesh> mesh; // null for raw-vertex items
    // Put into texture slot 1 of the effect for items with useQueueDefaults or particle set.
    Core::RefPtr<Renderer::ITexture> texture;
    Renderer::PrimitiveType primitiveType = Renderer::Primitive::Triangles;
    const Math::Color* colorArray = nullptr; // per-vertex colours of point items; not owned
    const f32* vertexArray = nullptr;        // xyz of a mesh-less item; not owned
    f32 depth = 0.0f;                        // sort key, written by the queue
    u32 subset = NoSubset;
    u32 vertexCount = 0;
    u32 blendSource = Renderer::BlendFactor::SourceAlpha; // particle items
    u32 blendDestination = Renderer::BlendFactor::OneMinusSourceAlpha;
    u8 identityView = 0;    // drawn with an identity view matrix
    u8 useQueueDefaults = 0; // the queue's default effect and quad mesh replace effect and mesh
    u8 lastPassOnly = 0;    // drawn once, after the last viewport, under the fixed perspective
    u8 particle = 0;        // the queue's particle effect with the item's blend factors
    // Of a quad of the queue's default mesh, the part that can change a pixel, in the quad's own
    // texture coordinates (0 to 1 across it): the queue may leave the pixels beyond it untouched.
    Renderer::TextureRegion shownPart;
};
}  // namespace Engine

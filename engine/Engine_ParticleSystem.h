#pragma once
// A leaf node that draws a fixed number of particles as camera-facing textured quads, all in one
// mesh and one render item. It simulates nothing: its owner writes every particle in place each
// frame and the draw turns them into quads.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "math/Math_Frustum.h"
#include "engine/Engine_Mesh.h"
#include "engine/Engine_Node.h"
#include "engine/Engine_SpriteDrawing.h"
#include "renderer/Renderer_Texture.h"

namespace Engine
{
// Ten f32 per particle; the owner sees the array as count × 10 floats.
struct Particle
{
    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 z = 0.0f;
    f32 sizeX = 0.0f; // factors on the particle width and height
    f32 sizeY = 0.0f;
    f32 rotation = 0.0f; // degrees about z
    f32 r = 0.0f;
    f32 g = 0.0f;
    f32 b = 0.0f;
    f32 a = 0.0f;
};
static_assert(sizeof(Particle) == 10 * sizeof(f32), "particles are read as plain float records");

class ParticleSystem : public Node
{
public:
    // Whole quads of the texture's size at size factor 1, with fixed texture coordinates. Each draw
    // writes the positions and colours of the particles that can show into the mesh's first
    // slots, in their order. A system without texture or without particles draws nothing.
    ParticleSystem(Renderer::ITexture* texture, u32 particleCount);
    // Shares the texture; copies the particles; clones the mesh.
    ParticleSystem(const ParticleSystem& other);
    ~ParticleSystem() override;

    ParticleSystem* Clone() const override;

    // Update callback only.
    void Update(f32 dt) override;
    void Render(const Math::ViewFrustum&) override { Draw(); }
    void Draw() override;
    void DrawTree() override { Draw(); }

    // Written in place by the owner; the address stays valid for the node's life.
    Particle* GetParticles() { return particles.data(); }
    const Particle* GetParticles() const { return particles.data(); }
    f32* GetVertexArray() { return particles.empty() ? nullptr : &particles.front().x; }
    u32 GetParticleCount() const { return static_cast<u32>(particles.size()); }

    // Particles in the parent's space (true) or in world space keeping only the parent's depth.
    void SetUseLocalCoordinates(bool on) { useLocalCoordinates = on ? 1 : 0; }
    bool GetUseLocalCoordinates() const { return useLocalCoordinates != 0; }
    // BlendFactor codes handed to the render queue with the item.
    void SetBlendFactors(u32 source, u32 destination);
    u32 GetSourceBlend() const { return sourceBlend; }
    u32 GetDestinationBlend() const { return destinationBlend; }
    f32 GetParticleWidth() const { return particleWidth; }
    f32 GetParticleHeight() const { return particleHeight; }
    Core::RefPtr<Renderer::ITexture> GetTexture() const;
    Core::RefPtr<Mesh> GetMesh() const { return mesh; }

    // The bounding box becomes ±size/2 in x and y, from z = 0 back to z = -1.
    void SetBoundingSize(f32 size);
    // The bounding box placed by the parent's matrix.
    void GetWorldBox(Math::Frustum& box);

private:
    // Writes the six corners and colours of every particle facing the camera whose view is view, and
    // narrows the drawn range to those that can show.
    void BuildQuads(const Math::Matrix4x4& view, const PixelMapping& pixels);
    // The blend leaves the destination as it is under a source of alpha 0: then particles of alpha
    // 0 may be left out, since they would change no pixel.
    bool TransparentKeepsDestination() const;

    Core::RefPtr<Renderer::ITexture> texture;
    Core::Vector<Particle> particles; // never resized after construction
    Core::RefPtr<Mesh> mesh;
    u32 sourceBlend = 6;      // source alpha
    u32 destinationBlend = 7; // one minus source alpha
    f32 particleWidth = 0.0f;
    f32 particleHeight = 0.0f;
    u8 useLocalCoordinates = 1;
};
} // namespace Engine

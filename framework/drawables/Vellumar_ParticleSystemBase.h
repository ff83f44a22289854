#pragma once
// The drawing half of a particle system: the engine particle node made for one texture and a
// fixed number of particles, its vertex array (ten floats per particle: x, y, z, scale x, scale
// y, rotation in degrees, r, g, b, a) that the simulation writes, and the drawing state.
#include "core/Core_String.h"
#include "engine/Engine_ParticleSystem.h"
#include "framework/core/Vellumar_GameObject.h"

namespace Vellumar
{
class Viewport;

class ParticleSystemBase : public GameObject
{
    CORE_CLASS(ParticleSystemBase)

public:
    static constexpr u32 VertexFloats = 10;

    // Without an engine node: what Load fills.
    ParticleSystemBase();
    // The texture from the texture cache (with mipmaps); the bounding square of that side is
    // centred on the object.
    ParticleSystemBase(const Core::String& textureFile, u32 count, f32 boundingSize);
    // A clone of the engine node, with a vertex array of its own.
    ParticleSystemBase(const ParticleSystemBase& source);

    ParticleSystemBase* Clone() const override;
    // After the game object: texture file name, particle count, the vertex records, bounding size,
    // blend factors, the HUD and local-coordinates flags. Loading takes the texture from the
    // particle-systems folder by its file name.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    void SetSrcBlendFactor(u32 factor);
    void SetDstBlendFactor(u32 factor);
    u32 GetSrcBlendFactor() const;
    u32 GetDstBlendFactor() const;
    // Particle positions relative to the object (true) or in the world (false).
    void SetUseLocalCoordinates(bool on);
    bool GetUseLocalCoordinates() const { return useLocalCoordinates != 0; }
    // A HUD object draws at fixed pixels of each viewport, whatever the camera does: x and y from
    // the viewport's centre, one unit a pixel at z = 0.
    void SetHUDObject(bool on);
    bool IsHUDObject() const { return hudObject != 0; }
    // As the sprite's test, against the node's bounding square.
    bool IsInViewport(const Viewport* viewport) const;

    u32 GetParticleCount() const { return particleCount; }
    f32 GetBoundingSize() const { return boundingSize; }
    f32* GetVertexArray() const { return vertexArray; }
    Engine::ParticleSystem* GetEngineParticleSystem() const { return engineSystem.Get(); }

protected:
    // The vertex array holds exactly the given number of records.
    bool HasVertexRecords(u32 count) const { return count == particleCount && (count == 0 || vertexArray); }

private:
    void AttachEngineSystem(Engine::ParticleSystem* system);

    f32* vertexArray = nullptr;
    u32 particleCount = 0;
    u8 useLocalCoordinates = 1;
    u8 hudObject = 0;
    Core::RefPtr<Engine::ParticleSystem> engineSystem;
    f32 boundingSize = 0.0f;
};
}  // namespace Vellumar

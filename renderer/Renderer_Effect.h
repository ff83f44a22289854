#pragma once
// An effect: how a piece of geometry is drawn. It holds techniques (each of passes of render
// states), a table of textures for its users, and the flag that makes the render queue treat its
// items as blended. Drawing takes technique 0 and its pass 0.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "renderer/Renderer_AlphaBlendingState.h"
#include "renderer/Renderer_Technique.h"
#include "renderer/Renderer_Texture.h"
#include "renderer/Renderer_Types.h"

namespace Renderer
{
class Effect : public Core::Object
{
public:
    Effect() = default;
    ~Effect() override;

    // A deep copy of the techniques; the textures are shared (each gains a reference).
    Effect* Clone() const override;
    // Pushes the effect's own parameters into the states it keeps a reference to.
    virtual void UpdateStates();

    void AddTechnique(Technique* technique);
    // The caller keeps index below GetTechniqueCount.
    Core::RefPtr<Technique> GetTechnique(u32 index) const { return techniques[index]; }
    u32 GetTechniqueCount() const { return static_cast<u32>(techniques.size()); }

    // Entries 0 to 31; others are ignored (and read as empty). Null clears an entry.
    void SetTexture(u32 index, ITexture* texture);
    Core::RefPtr<ITexture> GetTexture(u32 index) const;

    u8 IsBlended() const { return blended; }
    void SetBlended(u8 on) { blended = on; }

protected:
    // Copies the texture table and the blended flag, not the techniques.
    Effect(const Effect& other);
    // Appends clones of the techniques to the copy's and returns it; on failure the copy is
    // deleted and the exception goes on.
    Effect* CloneTechniquesInto(Effect* copy) const;

private:
    Core::Vector<Core::RefPtr<Technique>> techniques;
    Core::RefPtr<ITexture> textures[TextureSlotCount];
    u8 blended = 0;
};

// The particle effect: the render queue writes a particle item's blend factors into it and calls
// UpdateStates, which copies them into the blending state of its pass.
class ParticleEffect : public Effect
{
public:
    ParticleEffect() = default;
    ~ParticleEffect() override;

    // Copies the factors; the blending-state reference stays empty in the copy.
    ParticleEffect* Clone() const override;
    void UpdateStates() override;

    void SetBlendingState(AlphaBlendingState* state) { blendingState = state; }
    Core::RefPtr<AlphaBlendingState> GetBlendingState() const { return blendingState; }

    // BlendFactor codes.
    u32 sourceFactor = BlendFactor::SourceAlpha;
    u32 destinationFactor = BlendFactor::OneMinusSourceAlpha;

private:
    ParticleEffect(const ParticleEffect& other);

    Core::RefPtr<AlphaBlendingState> blendingState;
};
}  // namespace Renderer

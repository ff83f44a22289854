#include "renderer/Renderer_Effect.h"

namespace Renderer
{
// The texture table and the blended flag; the techniques are cloned by Clone.
Effect::Effect(const Effect& other) : Core::Object(other), blended(other.blended)
{
    for (u32 i = 0; i < TextureSlotCount; ++i)
    {
        textures[i] = other.textures[i];
    }
}

// The texture table goes before the techniques.
Effect::~Effect()
{
    for (Core::RefPtr<ITexture>& texture : textures)
    {
        texture = nullptr;
    }
}

Effect* Effect::Clone() const
{
    return CloneTechniquesInto(new (__FILE__, __LINE__) Effect(*this));
}

Effect* Effect::CloneTechniquesInto(Effect* copy) const
{
    try
    {
        for (const Core::RefPtr<Technique>& technique : techniques)
        {
            const Core::RefPtr<Technique> clone(technique->Clone());
            copy->techniques.push_back(clone);
        }
    }
    catch (...)
    {
        delete copy;
        throw;
    }
    return copy;
}

void Effect::UpdateStates()
{
}

void Effect::AddTechnique(Technique* technique)
{
    techniques.emplace_back(technique);
}

void Effect::SetTexture(u32 index, ITexture* texture)
{
    if (index < TextureSlotCount && textures[index].Get() != texture)
    {
        textures[index] = texture;
    }
}

Core::RefPtr<ITexture> Effect::GetTexture(u32 index) const
{
    return index < TextureSlotCount ? textures[index] : Core::RefPtr<ITexture>();
}

ParticleEffect::ParticleEffect(const ParticleEffect& other)
    : Effect(other), sourceFactor(other.sourceFactor), destinationFactor(other.destinationFactor)
{
}

ParticleEffect::~ParticleEffect()
{
    blendingState = nullptr;
}

ParticleEffect* ParticleEffect::Clone() const
{
    return static_cast<ParticleEffect*>(CloneTechniquesInto(new (__FILE__, __LINE__) ParticleEffect(*this)));
}

void ParticleEffect::UpdateStates()
{
    if (blendingState)
    {
        blendingState->source = sourceFactor;
        blendingState->destination = destinationFactor;
    }
}
}  // namespace Renderer

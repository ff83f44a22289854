#include "framework/drawables/Vellumar_ParticleSystemBase.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/core/Vellumar_Resources.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "renderer/Renderer_Texture.h"
#include "renderer/Renderer_TextureCache.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(ParticleSystemBase, "Vellumar::ParticleSystemBase")

ParticleSystemBase::ParticleSystemBase() = default;

ParticleSystemBase::ParticleSystemBase(const Core::String& textureFile, u32 count, f32 size) : boundingSize(size)
{
    const Core::RefPtr<Renderer::ITexture> texture = Renderer::TextureCache::GetTexture(textureFile, 1);
    AttachEngineSystem(new (__FILE__, __LINE__) Engine::ParticleSystem(texture.Get(), count));
    engineSystem->SetBoundingSize(size);
    engineSystem->SetUseLocalCoordinates(true);
}

ParticleSystemBase::ParticleSystemBase(const ParticleSystemBase& source)
    : GameObject(source), useLocalCoordinates(source.useLocalCoordinates), hudObject(source.hudObject),
      boundingSize(source.boundingSize)
{
    if (source.engineSystem)
    {
        AttachEngineSystem(source.engineSystem->Clone());
    }
}

ParticleSystemBase* ParticleSystemBase::Clone() const
{
    return new (__FILE__, __LINE__) ParticleSystemBase(*this);
}

void ParticleSystemBase::AttachEngineSystem(Engine::ParticleSystem* system)
{
    if (engineSystem)
    {
        GetRenderNode()->DetachChild(engineSystem.Get());
    }
    engineSystem = system;
    GetRenderNode()->AttachChild(system);
    system->SetVisible(GetVisible(), true);
    particleCount = system->GetParticleCount();
    vertexArray = system->GetVertexArray();
}

void ParticleSystemBase::SetSrcBlendFactor(u32 factor)
{
    if (engineSystem)
    {
        engineSystem->SetBlendFactors(factor, engineSystem->GetDestinationBlend());
    }
}

void ParticleSystemBase::SetDstBlendFactor(u32 factor)
{
    if (engineSystem)
    {
        engineSystem->SetBlendFactors(engineSystem->GetSourceBlend(), factor);
    }
}

u32 ParticleSystemBase::GetSrcBlendFactor() const
{
    return engineSystem ? engineSystem->GetSourceBlend() : 0;
}

u32 ParticleSystemBase::GetDstBlendFactor() const
{
    return engineSystem ? engineSystem->GetDestinationBlend() : 0;
}

void ParticleSystemBase::SetUseLocalCoordinates(bool on)
{
    useLocalCoordinates = on ? 1 : 0;
    if (engineSystem)
    {
        engineSystem->SetUseLocalCoordinates(on);
    }
}

bool ParticleSystemBase::IsInViewport(const Viewport* viewport) const
{
    const Camera* camera = viewport ? viewport->GetCamera() : nullptr;
    if (!camera || !engineSystem)
    {
        return false;
    }
    Math::ViewFrustum view;
    camera->GetFrustum(view, viewport->GetWidth(), viewport->GetHeight());
    Math::Frustum box;
    engineSystem->GetWorldBox(box);
    return view.ClassifyBox(box) != Math::Code::Outside;
}

void ParticleSystemBase::Save(Core::File& file)
{
    GameObject::Save(file);
    const Core::RefPtr<Renderer::ITexture> texture = engineSystem ? engineSystem->GetTexture() : nullptr;
    Core::WriteString(file, texture ? Core::GetFileName(texture->GetFileName()) : Core::String());
    Core::WriteU32(file, particleCount);
    for (u32 i = 0; i < particleCount * VertexFloats; ++i)
    {
        Core::WriteF32(file, vertexArray[i]);
    }
    Core::WriteF32(file, boundingSize);
    Core::WriteU32(file, GetSrcBlendFactor());
    Core::WriteU32(file, GetDstBlendFactor());
    Core::WriteU8(file, hudObject);
    Core::WriteU8(file, useLocalCoordinates);
}

void ParticleSystemBase::Load(Core::File& file)
{
    GameObject::Load(file);
    Core::String textureName;
    Core::ReadString(file, textureName);
    u32 count = 0;
    Core::ReadCount(file, count, VertexFloats * sizeof(f32));
    if (file.Failed())
    {
        return;
    }
    // Only a file name: the texture lies in the particle-systems folder whatever path was saved.
    const Core::String path = ResourceFile("ParticleSystems", Core::GetFileName(textureName));
    const Core::RefPtr<Renderer::ITexture> texture =
        path.empty() ? nullptr : Renderer::TextureCache::GetTexture(path, 1);
    AttachEngineSystem(new (__FILE__, __LINE__) Engine::ParticleSystem(texture.Get(), count));
    for (u32 i = 0; i < count * VertexFloats; ++i)
    {
        Core::ReadF32(file, vertexArray[i]);
    }
    Core::ReadF32(file, boundingSize);
    engineSystem->SetBoundingSize(boundingSize);
    u32 source = 0;
    u32 destination = 0;
    Core::ReadU32(file, source);
    Core::ReadU32(file, destination);
    engineSystem->SetBlendFactors(source, destination);
    Core::ReadU8(file, hudObject);
    SetHUDObject(hudObject != 0);
    Core::ReadU8(file, useLocalCoordinates);
    engineSystem->SetUseLocalCoordinates(useLocalCoordinates != 0);
}

void ParticleSystemBase::SetHUDObject(bool on)
{
    hudObject = on ? 1 : 0;
    if (engineSystem)
    {
        engineSystem->SetScreenSpace(on);
    }
}
}  // namespace Vellumar

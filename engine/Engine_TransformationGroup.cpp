#include "engine/Engine_TransformationGroup.h"

#include "core/Core_File.h"
#include "renderer/Renderer_BuiltInEffects.h"

#include <cstring>

namespace Engine
{
CORE_REGISTER_CLASS(TransformationGroup, "Engine::TransformationGroup")

TransformationGroup::TransformationGroup() = default;

TransformationGroup::TransformationGroup(const TransformationGroup& other) : Group(other), transform(other.transform)
{
}

TransformationGroup* TransformationGroup::Clone() const
{
    return new (__FILE__, __LINE__) TransformationGroup(*this);
}

void TransformationGroup::Save(Core::File& file)
{
    Group::Save(file);
    Math::WriteMatrix4x4(file, transform);
    Math::WriteMatrix4x4(file, storedMatrices[0]);
    Math::WriteMatrix4x4(file, storedMatrices[1]);
}

void TransformationGroup::Load(Core::File& file)
{
    Group::Load(file);
    Math::ReadMatrix4x4(file, transform);
    worldDerived = 0;
    Math::ReadMatrix4x4(file, storedMatrices[0]);
    Math::ReadMatrix4x4(file, storedMatrices[1]);
}

Math::Matrix4x4 TransformationGroup::GetMatrix() const
{
    return parent ? parent->GetWorldMatrix() * transform : transform;
}

void TransformationGroup::SetTransform(const Math::Matrix4x4& matrix)
{
    if (std::memcmp(transform.e, matrix.e, sizeof transform.e) == 0)
        return;
    transform = matrix;
    worldDerived = 0;
}

void TransformationGroup::Update(f32 dt)
{
    RunCallbackAndControllers(dt);
    if (!IsWorldCurrent())
        DeriveWorld(ParentWorldMatrix() * transform);
    UpdateVolumeAndChildren(dt);
}

void TransformationGroup::Draw()
{
    if (!drawBoundingVolume)
        return;
    // Built on first use: most groups never show their volume, and a game makes one per moving
    // sprite.
    if (!boundingVolumeEffect)
        boundingVolumeEffect = Renderer::CreateUntexturedBlendEffect();
    SubmitBoundingVolume(boundingVolume, boundingVolumeEffect);
}
} // namespace Engine

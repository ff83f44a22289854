#pragma once
// A group with a transform of its own, so that its whole subtree moves with it (the framework puts
// each layer's objects under one).
#include "math/Math_Matrix4x4.h"
#include "engine/Engine_Group.h"
#include "renderer/Renderer_Effect.h"

namespace Engine
{
class TransformationGroup : public Group
{
    CORE_CLASS(TransformationGroup)

public:
    TransformationGroup();
    // Copies the transform; the two stored matrices start as identity and the debug effect is the
    // copy's own, built when first needed.
    TransformationGroup(const TransformationGroup& other);

    TransformationGroup* Clone() const override;
    // The group's form, then the transform and the two stored matrices.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    u32 GetNodeType() const override { return NodeType::TransformationGroup; }
    // The parent's world matrix x the transform; the transform alone without a parent.
    Math::Matrix4x4 GetMatrix() const override;
    // Stops here: a transformation group does not pass notifications on.
    void Notify() override {}
    // As a group, with world := the parent's world matrix x the transform.
    void Update(f32 dt) override;
    // Submits the debug box when the volume is shown.
    void Draw() override;

    // The world matrices below are derived again only when the value changes.
    void SetTransform(const Math::Matrix4x4& matrix);
    const Math::Matrix4x4& GetTransform() const { return transform; }

private:
    Math::Matrix4x4 transform;
    // Kept in the stream form; nothing else reads them.
    Math::Matrix4x4 storedMatrices[2];
    Core::RefPtr<Renderer::Effect> boundingVolumeEffect; // null until the volume is first shown
};
}  // namespace Engine

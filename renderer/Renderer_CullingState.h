#pragma once
// Face culling.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class CullingState : public State
{
public:
    CullingState() = default;

    CullingState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    // 0 back faces, anything else front faces.
    u32 face = CullFace::Back;
    u8 enabled = 1;
};
}  // namespace Renderer

#pragma once
// Blending of fragments into the colour buffer.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class AlphaBlendingState : public State
{
public:
    AlphaBlendingState() = default;

    AlphaBlendingState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    // BlendFactor, both.
    u32 source = BlendFactor::SourceAlpha;
    u32 destination = BlendFactor::OneMinusSourceAlpha;
    u8 enabled = 0;
};
}  // namespace Renderer

#pragma once
// Smooth or flat shading.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class ShadingState : public State
{
public:
    ShadingState() = default;

    ShadingState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    // ShadeMode: 1 smooth, anything else flat.
    u32 mode = ShadeMode::Smooth;
};
}  // namespace Renderer

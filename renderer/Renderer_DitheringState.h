#pragma once
// Colour dithering.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class DitheringState : public State
{
public:
    DitheringState() = default;

    DitheringState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    u8 enabled = 1;
};
}  // namespace Renderer

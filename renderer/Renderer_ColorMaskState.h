#pragma once
// Which colour channels are written.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class ColorMaskState : public State
{
public:
    ColorMaskState() = default;

    ColorMaskState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    u8 red = 1;
    u8 green = 1;
    u8 blue = 1;
    u8 alpha = 1;
};
}  // namespace Renderer

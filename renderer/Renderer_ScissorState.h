#pragma once
// The scissor rectangle, window pixels from the bottom left.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class ScissorState : public State
{
public:
    ScissorState() = default;

    ScissorState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    i32 x = 0;
    i32 y = 0;
    i32 width = 640;
    i32 height = 480;
    u8 enabled = 0;
};
}  // namespace Renderer

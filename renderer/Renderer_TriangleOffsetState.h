#pragma once
// Depth offset of filled polygons.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class TriangleOffsetState : public State
{
public:
    TriangleOffsetState() = default;

    TriangleOffsetState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    f32 factor = 0.0f;
    f32 units = 0.0f;
    u8 enabled = 0;
};
}  // namespace Renderer

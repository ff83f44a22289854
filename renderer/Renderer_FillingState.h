#pragma once
// How polygons are rasterised.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class FillingState : public State
{
public:
    FillingState() = default;

    FillingState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    // FillMode: 0 points, 1 lines, anything else filled.
    u32 mode = FillMode::Filled;
};
}  // namespace Renderer

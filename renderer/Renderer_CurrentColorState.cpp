#include "renderer/Renderer_CurrentColorState.h"

namespace Renderer
{
CurrentColorState* CurrentColorState::Clone() const
{
    return new (__FILE__, __LINE__) CurrentColorState(*this);
}

void CurrentColorState::Apply(IRenderer& renderer) const
{
    renderer.SetCurrentColor(color);
}

void CurrentColorState::Capture(IRenderer& renderer)
{
    color = renderer.GetCurrentColor();
}

void CurrentColorState::SetDefault()
{
    *this = CurrentColorState();
}
}  // namespace Renderer

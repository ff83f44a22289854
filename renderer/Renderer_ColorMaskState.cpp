#include "renderer/Renderer_ColorMaskState.h"

namespace Renderer
{
ColorMaskState* ColorMaskState::Clone() const
{
    return new (__FILE__, __LINE__) ColorMaskState(*this);
}

void ColorMaskState::Apply(IRenderer& renderer) const
{
    renderer.SetColorMaskState(*this);
}

void ColorMaskState::Capture(IRenderer& renderer)
{
    renderer.GetColorMaskState(*this);
}

void ColorMaskState::SetDefault()
{
    *this = ColorMaskState();
}
}  // namespace Renderer

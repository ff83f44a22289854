#include "renderer/Renderer_LineState.h"

namespace Renderer
{
LineState* LineState::Clone() const
{
    return new (__FILE__, __LINE__) LineState(*this);
}

void LineState::Apply(IRenderer& renderer) const
{
    renderer.SetLineState(*this);
}

void LineState::Capture(IRenderer& renderer)
{
    renderer.GetLineState(*this);
}

void LineState::SetDefault()
{
    *this = LineState();
}
}  // namespace Renderer

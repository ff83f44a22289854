#include "renderer/Renderer_DepthBufferState.h"

namespace Renderer
{
DepthBufferState* DepthBufferState::Clone() const
{
    return new (__FILE__, __LINE__) DepthBufferState(*this);
}

void DepthBufferState::Apply(IRenderer& renderer) const
{
    renderer.SetDepthBufferState(*this);
}

void DepthBufferState::Capture(IRenderer& renderer)
{
    renderer.GetDepthBufferState(*this);
}

void DepthBufferState::SetDefault()
{
    *this = DepthBufferState();
}
}  // namespace Renderer

#include "renderer/Renderer_StencilBufferState.h"

namespace Renderer
{
StencilBufferState* StencilBufferState::Clone() const
{
    return new (__FILE__, __LINE__) StencilBufferState(*this);
}

void StencilBufferState::Apply(IRenderer& renderer) const
{
    renderer.SetStencilBufferState(*this);
}

void StencilBufferState::Capture(IRenderer& renderer)
{
    renderer.GetStencilBufferState(*this);
}

void StencilBufferState::SetDefault()
{
    *this = StencilBufferState();
}
}  // namespace Renderer

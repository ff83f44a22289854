#include "renderer/Renderer_ScissorState.h"

namespace Renderer
{
ScissorState* ScissorState::Clone() const
{
    return new (__FILE__, __LINE__) ScissorState(*this);
}

void ScissorState::Apply(IRenderer& renderer) const
{
    renderer.SetScissorState(*this);
}

void ScissorState::Capture(IRenderer& renderer)
{
    renderer.GetScissorState(*this);
}

void ScissorState::SetDefault()
{
    *this = ScissorState();
}
}  // namespace Renderer

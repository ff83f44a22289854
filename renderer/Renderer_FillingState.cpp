#include "renderer/Renderer_FillingState.h"

namespace Renderer
{
FillingState* FillingState::Clone() const
{
    return new (__FILE__, __LINE__) FillingState(*this);
}

void FillingState::Apply(IRenderer& renderer) const
{
    renderer.SetFillingState(*this);
}

void FillingState::Capture(IRenderer& renderer)
{
    renderer.GetFillingState(*this);
}

void FillingState::SetDefault()
{
    *this = FillingState();
}
}  // namespace Renderer

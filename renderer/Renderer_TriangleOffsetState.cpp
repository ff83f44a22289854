#include "renderer/Renderer_TriangleOffsetState.h"

namespace Renderer
{
TriangleOffsetState* TriangleOffsetState::Clone() const
{
    return new (__FILE__, __LINE__) TriangleOffsetState(*this);
}

void TriangleOffsetState::Apply(IRenderer& renderer) const
{
    renderer.SetTriangleOffsetState(*this);
}

void TriangleOffsetState::Capture(IRenderer& renderer)
{
    renderer.GetTriangleOffsetState(*this);
}

void TriangleOffsetState::SetDefault()
{
    *this = TriangleOffsetState();
}
}  // namespace Renderer

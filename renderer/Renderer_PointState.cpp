#include "renderer/Renderer_PointState.h"

namespace Renderer
{
PointState* PointState::Clone() const
{
    return new (__FILE__, __LINE__) PointState(*this);
}

void PointState::Apply(IRenderer& renderer) const
{
    renderer.SetPointState(*this);
}

void PointState::Capture(IRenderer& renderer)
{
    renderer.GetPointState(*this);
}

void PointState::SetDefault()
{
    *this = PointState();
}
}  // namespace Renderer

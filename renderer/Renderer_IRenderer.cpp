#include "renderer/Renderer_IRenderer.h"

namespace Renderer
{
namespace
{
IRenderer* globalRenderer = nullptr;
}

IRenderer::~IRenderer()
{
    if (globalRenderer == this)
    {
        globalRenderer = nullptr;
    }
}

u32 FrameBufferSize(i32 width, i32 height)
{
    if (width <= 0 || height <= 0)
    {
        return 0;
    }
    const u64 row = (static_cast<u64>(width) * 3 + 3) & ~u64(3);
    const u64 total = row * static_cast<u64>(height);
    return total > 0xFFFFFFFFu ? 0 : static_cast<u32>(total);
}

Core::RefPtr<IRenderer> GetRenderer()
{
    return Core::RefPtr<IRenderer>(globalRenderer);
}

void SetRenderer(IRenderer* renderer)
{
    globalRenderer = renderer;
}
}  // namespace Renderer

#include "renderer/Renderer_Types.h"

#include "platform/PAL_Display.h"

namespace Renderer
{
DisplaySettings::DisplaySettings(i32 width, i32 height) : width(width), height(height), refreshRate(60), colorBits(32)
{
    PAL::DisplayMode current;
    if (PAL::GetCurrentDisplayMode(current))
    {
        refreshRate = static_cast<i32>(current.refreshRate);
        colorBits = static_cast<i32>(current.colorBits);
    }
}

u32 VertexCountOf(PrimitiveType primitive, u32 n)
{
    switch (primitive)
    {
    case Primitive::Points:
        return n;
    case Primitive::Lines:
        return 2 * n;
    case Primitive::LineStrip:
        return n + 1;
    case Primitive::Triangles:
        return 3 * n;
    case Primitive::TriangleStrip:
    case Primitive::TriangleFan:
        return n + 2;
    default:
        return 0;
    }
}

bool IsDrawablePrimitive(PrimitiveType primitive)
{
    return primitive <= Primitive::TriangleFan && primitive != 3;
}
}  // namespace Renderer

#include "renderer/Internal_GLCodes.h"

#include <GL/gl.h>

namespace Renderer
{
u32 ToGLPrimitive(PrimitiveType primitive)
{
    switch (primitive)
    {
    case Primitive::Points:
        return GL_POINTS;
    case Primitive::Lines:
        return GL_LINES;
    case Primitive::LineStrip:
        return GL_LINE_STRIP;
    case Primitive::Triangles:
        return GL_TRIANGLES;
    case Primitive::TriangleStrip:
        return GL_TRIANGLE_STRIP;
    case Primitive::TriangleFan:
        return GL_TRIANGLE_FAN;
    default:
        return 0;
    }
}

u32 ToGLCompare(u32 function)
{
    switch (function)
    {
    case CompareFunction::Less:
        return GL_LESS;
    case CompareFunction::Equal:
        return GL_EQUAL;
    case CompareFunction::LessOrEqual:
        return GL_LEQUAL;
    case CompareFunction::Greater:
        return GL_GREATER;
    case CompareFunction::GreaterOrEqual:
        return GL_GEQUAL;
    case CompareFunction::NotEqual:
        return GL_NOTEQUAL;
    case CompareFunction::Always:
        return GL_ALWAYS;
    default:
        return GL_NEVER;
    }
}

u32 ToGLStencilOperation(u32 operation)
{
    switch (operation)
    {
    case StencilOperation::Zero:
        return GL_ZERO;
    case StencilOperation::Replace:
        return GL_REPLACE;
    case StencilOperation::Increment:
        return GL_INCR;
    case StencilOperation::Decrement:
        return GL_DECR;
    case StencilOperation::Invert:
        return GL_INVERT;
    default:
        return GL_KEEP;
    }
}

u32 ToGLBlendFactor(u32 factor)
{
    switch (factor)
    {
    case BlendFactor::One:
        return GL_ONE;
    case BlendFactor::SourceColor:
        return GL_SRC_COLOR;
    case BlendFactor::OneMinusSourceColor:
        return GL_ONE_MINUS_SRC_COLOR;
    case BlendFactor::DestinationColor:
        return GL_DST_COLOR;
    case BlendFactor::OneMinusDestinationColor:
        return GL_ONE_MINUS_DST_COLOR;
    case BlendFactor::SourceAlpha:
        return GL_SRC_ALPHA;
    case BlendFactor::OneMinusSourceAlpha:
        return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::DestinationAlpha:
        return GL_DST_ALPHA;
    case BlendFactor::OneMinusDestinationAlpha:
        return GL_ONE_MINUS_DST_ALPHA;
    case BlendFactor::SourceAlphaSaturate:
        return GL_SRC_ALPHA_SATURATE;
    default:
        return GL_ZERO;
    }
}

u32 ToGLEnvironmentMode(u32 mode)
{
    switch (mode)
    {
    case TextureEnvironmentMode::Replace:
        return GL_REPLACE;
    case TextureEnvironmentMode::Decal:
        return GL_DECAL;
    case TextureEnvironmentMode::Modulate:
        return GL_MODULATE;
    default:
        return GL_BLEND;
    }
}

u32 ToGLWrap(u32 wrap)
{
    switch (wrap)
    {
    case TextureWrap::Repeat:
        return GL_REPEAT;
    case TextureWrap::ClampToEdge:
        return GL_CLAMP_TO_EDGE;
    case TextureWrap::ClampToBorder:
        return GL_CLAMP_TO_BORDER;
    default:
        return GL_CLAMP;
    }
}

u32 ToGLMagnificationFilter(u32 filter)
{
    return filter == TextureFilter::Linear ? GL_LINEAR : GL_NEAREST;
}

u32 ToGLMinificationFilter(u32 filter, bool mipmapped)
{
    switch (filter)
    {
    case TextureFilter::Nearest:
        return mipmapped ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST;
    case TextureFilter::Linear:
        return mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
    default:
        return GL_NEAREST;
    }
}

u32 ToGLFogMode(u32 mode)
{
    switch (mode)
    {
    case FogMode::Linear:
        return GL_LINEAR;
    case FogMode::Exponential:
        return GL_EXP;
    default:
        return GL_EXP2;
    }
}

u32 ToGLFillMode(u32 mode)
{
    switch (mode)
    {
    case FillMode::Points:
        return GL_POINT;
    case FillMode::Lines:
        return GL_LINE;
    default:
        return GL_FILL;
    }
}

u32 ToGLShadeMode(u32 mode)
{
    return mode == ShadeMode::Smooth ? GL_SMOOTH : GL_FLAT;
}

u32 ToGLCullFace(u32 face)
{
    return face != CullFace::Back ? GL_FRONT : GL_BACK;
}
}  // namespace Renderer

#pragma once
// The renderer's codes turned into OpenGL enumerants. Every table has a fallback for values
// outside it, so no code can reach OpenGL as an invalid enumerant.
#include "core/Core_Types.h"
#include "renderer/Renderer_Types.h"

namespace Renderer
{
// 0 for primitive codes that draw nothing (check IsDrawablePrimitive first).
u32 ToGLPrimitive(PrimitiveType primitive);
u32 ToGLCompare(u32 function);
u32 ToGLStencilOperation(u32 operation);
u32 ToGLBlendFactor(u32 factor);
u32 ToGLEnvironmentMode(u32 mode);
u32 ToGLWrap(u32 wrap);
// Magnification and minification filters; the minifying one uses the mipmaps when there are some.
u32 ToGLMagnificationFilter(u32 filter);
u32 ToGLMinificationFilter(u32 filter, bool mipmapped);
u32 ToGLFogMode(u32 mode);
u32 ToGLFillMode(u32 mode);
u32 ToGLShadeMode(u32 mode);
u32 ToGLCullFace(u32 face);
}  // namespace Renderer

#pragma once
// The value records and codes that cross the renderer interface.
#include "core/Core_Types.h"

namespace PAL
{
class Window;
}

namespace Renderer
{
// The display configuration: filled by the rendering application before the renderer exists,
// copied whole into the renderer and read back by whoever needs the back-buffer size.
struct DisplaySettings
{
    // Refresh rate and colour depth of the desktop's current mode (60 Hz and 32 bits when no
    // display answers), 24 depth bits, 8 stencil bits, no multisampling, windowed, no vsync.
    DisplaySettings(i32 width, i32 height);

    i32 width;
    i32 height;
    i32 refreshRate;
    i32 samples = 0;
    i32 colorBits;
    i32 depthBits = 24;
    i32 stencilBits = 8;
    PAL::Window* window = nullptr;  // not owned
    u8 fullScreen = 0;
    u8 vsync = 0;
};

// Window pixels with the origin at the bottom left, and the depth range.
struct ViewportRect
{
    i32 x = 0;
    i32 y = 0;
    i32 width = 0;
    i32 height = 0;
    f32 zNear = 0.0f;
    f32 zFar = 1.0f;
};

using PrimitiveType = u32;
namespace Primitive
{
constexpr PrimitiveType Points = 0;
constexpr PrimitiveType Lines = 1;
constexpr PrimitiveType LineStrip = 2;
constexpr PrimitiveType Triangles = 4;
constexpr PrimitiveType TriangleStrip = 5;
constexpr PrimitiveType TriangleFan = 6;
}  // namespace Primitive

// Vertices (or indices) that n primitives of a kind take; 0 for code 3 and unknown codes.
u32 VertexCountOf(PrimitiveType primitive, u32 n);
// Whether a code names a primitive that draws anything.
bool IsDrawablePrimitive(PrimitiveType primitive);

// Codes of the render-state fields. Values outside a table act as its stated fallback.
namespace CompareFunction
{
constexpr u32 Never = 0;
constexpr u32 Less = 1;
constexpr u32 Equal = 2;
constexpr u32 LessOrEqual = 3;
constexpr u32 Greater = 4;
constexpr u32 GreaterOrEqual = 5;
constexpr u32 NotEqual = 6;
constexpr u32 Always = 7;
}  // namespace CompareFunction

namespace StencilOperation
{
constexpr u32 Keep = 0;
constexpr u32 Zero = 1;
constexpr u32 Replace = 2;
constexpr u32 Increment = 3;
constexpr u32 Decrement = 4;
constexpr u32 Invert = 5;
}  // namespace StencilOperation

namespace BlendFactor
{
constexpr u32 Zero = 0;
constexpr u32 One = 1;
constexpr u32 SourceColor = 2;
constexpr u32 OneMinusSourceColor = 3;
constexpr u32 DestinationColor = 4;
constexpr u32 OneMinusDestinationColor = 5;
constexpr u32 SourceAlpha = 6;
constexpr u32 OneMinusSourceAlpha = 7;
constexpr u32 DestinationAlpha = 8;
constexpr u32 OneMinusDestinationAlpha = 9;
constexpr u32 SourceAlphaSaturate = 10;
}  // namespace BlendFactor

namespace TextureEnvironmentMode
{
constexpr u32 Replace = 0;
constexpr u32 Decal = 1;
constexpr u32 Modulate = 2;
constexpr u32 Blend = 3;
}  // namespace TextureEnvironmentMode

namespace TextureFilter
{
constexpr u32 Nearest = 0;
constexpr u32 Linear = 1;
// Every other code filters as this one: nearest, level 0 alone, whether the texture has mipmaps
// or not. It is what Nearest gives where filtering reads only level 0, for less work.
constexpr u32 NearestLevelZero = 2;
}  // namespace TextureFilter

namespace TextureWrap
{
constexpr u32 Repeat = 0;
constexpr u32 Clamp = 1;
constexpr u32 ClampToEdge = 2;
constexpr u32 ClampToBorder = 3;
}  // namespace TextureWrap

namespace FogMode
{
constexpr u32 Linear = 0;
constexpr u32 Exponential = 1;
constexpr u32 ExponentialSquared = 2;
}  // namespace FogMode

namespace FillMode
{
constexpr u32 Points = 0;
constexpr u32 Lines = 1;
constexpr u32 Filled = 2;
}  // namespace FillMode

namespace ShadeMode
{
constexpr u32 Flat = 0;
constexpr u32 Smooth = 1;
}  // namespace ShadeMode

namespace CullFace
{
constexpr u32 Back = 0;
constexpr u32 Front = 1;
}  // namespace CullFace

// Slots of the renderer's tables.
constexpr u32 TextureSlotCount = 32;
constexpr u32 TextureMatrixCount = 8;
constexpr u32 LightCount = 8;
constexpr u32 BufferSlotCount = 16;
}  // namespace Renderer

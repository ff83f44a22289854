#pragma once
// The one abstraction through which the engine draws: one operation per fixed-function concern.
// Set operations copy the record they are given; get operations fill the record passed in and
// return it. The OpenGL renderer is the implementation the program runs; the recording renderer
// (the same shadow of every state, without OpenGL) stands in for it in tests.
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Matrix4x4.h"
#include "math/Math_Vector3D.h"
#include "renderer/Renderer_Types.h"

namespace Renderer
{
class ITexture;
class IBuffer;
class Light;
class Surface;

class Material;
class NormalizeNormalsState;
class LightingState;
class TextureUnit0State;
class TextureUnit1State;
class TextureUnit2State;
class TextureUnit3State;
class TextureUnit4State;
class TextureUnit5State;
class TextureUnit6State;
class TextureUnit7State;
class LineState;
class PointState;
class DitheringState;
class TriangleOffsetState;
class StencilBufferState;
class DepthBufferState;
class ShadingState;
class FillingState;
class FogState;
class CullingState;
class AlphaTestingState;
class AlphaBlendingState;
class ScissorState;
class ColorMaskState;

class IRenderer : public Core::Object
{
public:
    ~IRenderer() override;

    virtual void SetMaterial(const Material& state) = 0;
    virtual void SetNormalizeNormalsState(const NormalizeNormalsState& state) = 0;
    virtual void SetLightingState(const LightingState& state) = 0;
    virtual void SetTextureUnit7State(const TextureUnit7State& state) = 0;
    virtual void SetTextureUnit6State(const TextureUnit6State& state) = 0;
    virtual void SetTextureUnit5State(const TextureUnit5State& state) = 0;
    virtual void SetTextureUnit4State(const TextureUnit4State& state) = 0;
    virtual void SetTextureUnit3State(const TextureUnit3State& state) = 0;
    virtual void SetTextureUnit2State(const TextureUnit2State& state) = 0;
    virtual void SetTextureUnit1State(const TextureUnit1State& state) = 0;
    virtual void SetTextureUnit0State(const TextureUnit0State& state) = 0;
    virtual void SetLineState(const LineState& state) = 0;
    virtual void SetPointState(const PointState& state) = 0;
    virtual void SetDitheringState(const DitheringState& state) = 0;
    virtual void SetTriangleOffsetState(const TriangleOffsetState& state) = 0;
    virtual void SetStencilBufferState(const StencilBufferState& state) = 0;
    virtual void SetDepthBufferState(const DepthBufferState& state) = 0;
    virtual void SetShadingState(const ShadingState& state) = 0;
    virtual void SetFillingState(const FillingState& state) = 0;
    virtual void SetFogState(const FogState& state) = 0;
    virtual void SetCullingState(const CullingState& state) = 0;
    virtual void SetAlphaTestingState(const AlphaTestingState& state) = 0;
    virtual void SetAlphaBlendingState(const AlphaBlendingState& state) = 0;
    virtual void SetScissorState(const ScissorState& state) = 0;
    virtual void SetColorMaskState(const ColorMaskState& state) = 0;

    virtual Material& GetMaterial(Material& state) const = 0;
    virtual NormalizeNormalsState& GetNormalizeNormalsState(NormalizeNormalsState& state) const = 0;
    virtual LightingState& GetLightingState(LightingState& state) const = 0;
    virtual TextureUnit7State& GetTextureUnit7State(TextureUnit7State& state) const = 0;
    virtual TextureUnit6State& GetTextureUnit6State(TextureUnit6State& state) const = 0;
    virtual TextureUnit5State& GetTextureUnit5State(TextureUnit5State& state) const = 0;
    virtual TextureUnit4State& GetTextureUnit4State(TextureUnit4State& state) const = 0;
    virtual TextureUnit3State& GetTextureUnit3State(TextureUnit3State& state) const = 0;
    virtual TextureUnit2State& GetTextureUnit2State(TextureUnit2State& state) const = 0;
    virtual TextureUnit1State& GetTextureUnit1State(TextureUnit1State& state) const = 0;
    virtual TextureUnit0State& GetTextureUnit0State(TextureUnit0State& state) const = 0;
    virtual LineState& GetLineState(LineState& state) const = 0;
    virtual PointState& GetPointState(PointState& state) const = 0;
    virtual DitheringState& GetDitheringState(DitheringState& state) const = 0;
    virtual TriangleOffsetState& GetTriangleOffsetState(TriangleOffsetState& state) const = 0;
    virtual StencilBufferState& GetStencilBufferState(StencilBufferState& state) const = 0;
    virtual DepthBufferState& GetDepthBufferState(DepthBufferState& state) const = 0;
    virtual ShadingState& GetShadingState(ShadingState& state) const = 0;
    virtual FillingState& GetFillingState(FillingState& state) const = 0;
    virtual FogState& GetFogState(FogState& state) const = 0;
    virtual CullingState& GetCullingState(CullingState& state) const = 0;
    virtual AlphaTestingState& GetAlphaTestingState(AlphaTestingState& state) const = 0;
    virtual AlphaBlendingState& GetAlphaBlendingState(AlphaBlendingState& state) const = 0;
    virtual ScissorState& GetScissorState(ScissorState& state) const = 0;
    virtual ColorMaskState& GetColorMaskState(ColorMaskState& state) const = 0;

    // Units 0 to 31; null unbinds. A unit outside that range is ignored.
    virtual void SetTexture(i32 unit, ITexture* texture) = 0;
    // Null for a unit outside 0 to 31.
    virtual Core::RefPtr<ITexture> GetTexture(u32 unit) const = 0;
    // Lights 0 to 7; null switches the light off. An index outside that range is ignored.
    virtual void SetLight(u32 index, Light* light) = 0;
    virtual Core::RefPtr<Light> GetLight(u32 index) const = 0;
    // Object plane of one-dimensional texture-coordinate generation.
    virtual void SetTexGenPlane(const Math::Vector4D& plane) = 0;
    virtual void SetCurrentColor(const Math::Color& color) = 0;
    virtual Math::Color GetCurrentColor() const = 0;

    // Client arrays (null disables one). The memory stays the caller's and must outlive the draws.
    virtual void SetVertexArray(const f32* xyz) = 0;
    virtual void SetNormalArray(const f32* xyz) = 0;
    virtual void SetColorArray(const Math::Color* colors) = 0;
    virtual void SetSecondaryColorArray(const Math::Color* colors) = 0;
    // Units 0 to 31 (and below the unit count with multitexture); others are ignored.
    virtual void SetTexCoordArray(i32 unit, const f32* uv) = 0;
    virtual void SetIndexArray32(const u32* indices) = 0;
    virtual void SetIndexArray16(const u16* indices) = 0;
    virtual void SetPrimitiveType(PrimitiveType primitive) = 0;
    virtual PrimitiveType GetPrimitiveType() const = 0;
    // Vertices (or indices) first to last inclusive; nothing when last < first.
    virtual void DrawRange(u32 first, u32 last) = 0;
    // count vertices (or indices) from the first; nothing for count <= 0.
    virtual void Draw(i32 count) = 0;
    // Non-indexed draw of whole primitives; nothing for code 3 and unknown codes.
    virtual void DrawArrays(PrimitiveType primitive, i32 first, u32 primitiveCount) = 0;
    // Indexed draw from the index buffer; nothing without one.
    virtual void DrawIndexed(PrimitiveType primitive, u32 firstIndex, u32 primitiveCount) = 0;
    // Slots 0 to 15; others are ignored.
    virtual void SetBuffer(u32 index, IBuffer* buffer) = 0;
    virtual void SetIndexBuffer(IBuffer* buffer) = 0;
    // Queues a pixel copy of a surface region to the window; it runs at Present.
    virtual void DrawSurface(Surface* surface, u32 x, u32 y, u32 sourceX, u32 sourceY, u32 width, u32 height,
                             u8 flipX, u8 flipY) = 0;
    virtual void DrawRect(f32 x1, f32 y1, f32 x2, f32 y2) = 0;
    virtual void SetLineStippleEnabled(u8 on) = 0;
    virtual u8 IsLineStippleEnabled() const = 0;
    virtual void SetLineStipplePattern(u16 pattern) = 0;
    virtual u16 GetLineStipplePattern() const = 0;
    virtual void SetLineStippleFactor(i32 factor) = 0;
    virtual i32 GetLineStippleFactor() const = 0;
    // Runs the queued pixel commands, then swaps the buffers.
    virtual void Present() = 0;
    // Seconds spent so far in buffer swaps, waiting for the device to finish each frame included
    // (0 for a renderer without a device): what a benchmark reports as presentation.
    virtual f64 GetPresentSeconds() const { return 0.0; }
    virtual void SetViewport(const ViewportRect& viewport) = 0;
    // What the device holds now (the OpenGL renderer asks OpenGL, unlike every other get).
    virtual ViewportRect GetViewport() const = 0;
    virtual void SetWorldMatrix(const Math::Matrix4x4& matrix) = 0;
    virtual Math::Matrix4x4 GetWorldMatrix() const = 0;
    virtual void SetViewMatrix(const Math::Matrix4x4& matrix) = 0;
    virtual Math::Matrix4x4 GetViewMatrix() const = 0;
    virtual void SetProjectionMatrix(const Math::Matrix4x4& matrix) = 0;
    virtual Math::Matrix4x4 GetProjectionMatrix() const = 0;
    // Units 0 to 7; others are ignored (and read as identity).
    virtual void SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix) = 0;
    virtual Math::Matrix4x4 GetTextureMatrix(u32 unit) const = 0;
    // Object space to window coordinates with the current matrices and viewport, and back; false
    // when it cannot be computed.
    virtual bool Project(Math::Vector3D& window, const Math::Vector3D& object) const = 0;
    virtual bool Unproject(Math::Vector3D& object, const Math::Vector3D& window) const = 0;
    virtual void ClearColorBuffer(const Math::Color& color) = 0;
    virtual void ClearDepthBuffer(f32 depth) = 0;
    virtual void ClearStencilBuffer(i32 value) = 0;
    virtual void ClearBuffers(const Math::Color& color, f32 depth, i32 stencil) = 0;
    // The whole back buffer (display-settings width x height) as RGB bytes, bottom row first, rows
    // padded to 4 bytes (FrameBufferSize). False, with nothing written, when size is too small or
    // there is nothing to read.
    virtual bool ReadFrameBuffer(u8* pixels, u32 size) = 0;
    // Replaces the stored settings; no other effect.
    virtual void SetDisplaySettings(const DisplaySettings& settings) = 0;
    virtual DisplaySettings GetDisplaySettings() const = 0;
    // Always (0, 1, 0).
    virtual void GetFixedTriple(i32& first, i32& second, i32& third) const = 0;
    virtual void ToggleFullScreen() = 0;
    virtual void SetVSync(u8 on) = 0;
    virtual u8 GetVSync() const = 0;
};

// Bytes ReadFrameBuffer needs for a width x height read: rows of 3 bytes per pixel padded to 4.
u32 FrameBufferSize(i32 width, i32 height);

// The process-wide renderer (a reference is added); null before one is made and after it is
// destroyed. The global holds no reference of its own.
Core::RefPtr<IRenderer> GetRenderer();
// Records the process-wide renderer; the factories call it.
void SetRenderer(IRenderer* renderer);

// Makes the OpenGL renderer for the settings' window and records it as the process-wide one.
Core::RefPtr<IRenderer> CreateOGLRenderer(const DisplaySettings& settings);
}  // namespace Renderer

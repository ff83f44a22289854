#pragma once
// The OpenGL renderer: fixed-function OpenGL 1.x on the game window. Every set operation records
// its values in the shadow it inherits and then issues its OpenGL calls, every time, even when the
// values equal those already set: what to set, and what to leave, is the caller's choice. Every
// get operation answers from the shadow, except GetViewport.
#include "renderer/Renderer_Adapter.h"
#include "renderer/Renderer_Diagnostics.h"
#include "renderer/Renderer_ShadowRenderer.h"
#include "renderer/Renderer_RenderingContext.h"

#include <GL/gl.h>

namespace Renderer
{
class OGLRenderer : public ShadowRenderer
{
public:
    // Enters full screen when the settings ask and the mode passes its test, records the pixel
    // format, makes the context current on the settings' window, reads the extension lists and
    // sets the engine's OpenGL defaults.
    explicit OGLRenderer(const DisplaySettings& settings);
    ~OGLRenderer() override;

    void SetMaterial(const Material& state) override;
    void SetNormalizeNormalsState(const NormalizeNormalsState& state) override;
    void SetLightingState(const LightingState& state) override;
    void SetLineState(const LineState& state) override;
    void SetPointState(const PointState& state) override;
    void SetDitheringState(const DitheringState& state) override;
    void SetTriangleOffsetState(const TriangleOffsetState& state) override;
    void SetStencilBufferState(const StencilBufferState& state) override;
    void SetDepthBufferState(const DepthBufferState& state) override;
    void SetShadingState(const ShadingState& state) override;
    void SetFillingState(const FillingState& state) override;
    void SetFogState(const FogState& state) override;
    void SetCullingState(const CullingState& state) override;
    void SetAlphaTestingState(const AlphaTestingState& state) override;
    void SetAlphaBlendingState(const AlphaBlendingState& state) override;
    void SetScissorState(const ScissorState& state) override;
    void SetColorMaskState(const ColorMaskState& state) override;

    void SetTexture(i32 unit, ITexture* texture) override;
    void SetLight(u32 index, Light* light) override;
    void SetCurrentColor(const Math::Color& color) override;
    void SetVertexArray(const f32* xyz) override;
    void SetNormalArray(const f32* xyz) override;
    void SetColorArray(const Math::Color* colors) override;
    void SetSecondaryColorArray(const Math::Color* colors) override;
    void SetTexCoordArray(i32 unit, const f32* uv) override;
    void DrawRect(f32 x1, f32 y1, f32 x2, f32 y2) override;
    void SetLineStippleEnabled(u8 on) override;
    void SetLineStipplePattern(u16 pattern) override;
    void SetLineStippleFactor(i32 factor) override;
    void SetViewport(const ViewportRect& viewport) override;
    ViewportRect GetViewport() const override;
    void SetWorldMatrix(const Math::Matrix4x4& matrix) override;
    void SetViewMatrix(const Math::Matrix4x4& matrix) override;
    void SetProjectionMatrix(const Math::Matrix4x4& matrix) override;
    void SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix) override;
    void ClearColorBuffer(const Math::Color& color) override;
    void ClearDepthBuffer(f32 depth) override;
    void ClearStencilBuffer(i32 value) override;
    void ClearBuffers(const Math::Color& color, f32 depth, i32 stencil) override;
    bool ReadFrameBuffer(u8* pixels, u32 size) override;
    void ToggleFullScreen() override;
    f64 GetPresentSeconds() const override { return presentSeconds; }
    void SetVSync(u8 on) override;

    u8 HasSwapControl() const { return swapControl; }
    const RenderingContext& GetRenderingContext() const { return *context; }

protected:
    bool SelectTextureUnit(i32 unit) override;
    void SetTexturingState(u32 unit, const TexturingState& state) override;
    void IssueDraw(const DrawCall& call) override;
    void ExecuteRasterQueue() override;
    void SwapFrame() override;

private:
    void ReadExtensionLists();
    void WriteInformationLog() const;
    void ApplyVSync();
    void ApplyTexturing(const TexturingState& state);
    void Switch(GLenum capability, bool on);
    void LoadMatrix(GLenum mode, const Math::Matrix4x4& matrix);

    AdapterHolder adapter;
    Core::RefPtr<RenderingContext> context;
    OpenGLErrorLog errorLog;
    // Vertices (or indices) from which a draw is flushed to the device at once.
    static constexpr u32 FlushedDrawSize = 4096;
    bool largeDrawFlushed = false; // since the last Present
    f64 presentSeconds = 0.0;
};
}  // namespace Renderer

#pragma once
// The OpenGL renderer: fixed-function OpenGL 1.x on the game window. Every set operation records
// its values in the shadow it inherits and then hands the OpenGL calls to its device record, which
// sends only those that change what OpenGL holds; every get operation answers from the shadow,
// except GetViewport.
#include "renderer/Internal_OGLRendererDevice.h"
#include "renderer/Renderer_Adapter.h"
#include "renderer/Renderer_Diagnostics.h"
#include "renderer/Renderer_ShadowRenderer.h"
#include "renderer/Renderer_RenderingContext.h"

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
    // Sends the alpha test switch and unit 0's environment mode, which are held back until a draw,
    // and the depth test switch. With substitutes, each goes in the cheaper form that gives the same
    // pixels where there is one (a software rasteriser shades much faster without an alpha or depth
    // test and with a replacing unit); the depth test is left off only for a given draw whose every
    // fragment it would pass.
    void SendDrawStates(bool substitutes, const DrawCall* call = nullptr);
    // Testing depth without writing it against a depth buffer untouched since cleared to the far
    // plane passes every fragment of the draw.
    bool DepthTestPassesAll(const DrawCall& call) const;
    // Every vertex the draw uses lies in front of the eye and short of the far plane, so that no
    // fragment reaches the cleared depth.
    bool StaysShortOfFarPlane(const DrawCall& call) const;
    // The draw's vertices sit in client arrays the processor can read (no buffer objects bound).
    bool VerticesInClientArrays() const;
    // The vertex drawn at a place of the call, through its indices when it has them.
    static u32 VertexAt(const DrawCall& call, u32 place);
    // Sends unit 0's filters for the texture it holds; with substitutes, a mipmapped texture that
    // the draw reads at level 0 alone is filtered without mipmaps, which gives the same texels for
    // much less work on a software rasteriser.
    void SendUnit0Filters(bool substitutes, const DrawCall* call);
    void RestoreUnit0Filters();
    // Every triangle of the draw is drawn flat on the screen with as many pixels as texels or more
    // (so that filtering reads only the texture's level 0).
    bool ReadsLevelZeroOnly(const DrawCall& call, const ITexture& texture) const;
    // A clear of the depth buffer now reaches all of it.
    bool ClearsWholeDepthBuffer() const;
    // The alpha test only drops fragments of alpha 0, which blending would leave without effect.
    bool AlphaTestChangesNothing() const;
    // Every fragment enters unit 0 white, so modulating and replacing give the same colour.
    bool FragmentsAreWhite() const;
    // Every fragment leaves the units with alpha 1, so blending by its alpha writes it unchanged.
    bool FragmentsAreOpaque() const;
    // Every fragment leaves the units with alpha 0 and is blended by it into nothing, touching no
    // depth or stencil: the draw changes no pixel.
    bool DrawChangesNothing() const;
    void LoadModelView();
    // Forgets the device's texture bindings when textures were made or deleted since last asked.
    void CheckTextureObjects();

    AdapterHolder adapter;
    Core::RefPtr<RenderingContext> context;
    OpenGLErrorLog errorLog;
    OGLDevice device;
    u32 seenTextureChanges = 0;
    // Vertices (or indices) from which a draw is flushed to the device at once.
    static constexpr u32 FlushedDrawSize = 4096;
    bool largeDrawFlushed = false; // since the last Present
    // The whole depth buffer holds the far plane: cleared to 1 and not written since.
    bool depthAtFarPlane = false;
    // OpenGL has the depth test on as set (it starts off whatever the shadow says), and has it
    // off for the last draw only.
    bool depthTestSent = false;
    bool depthTestSkipped = false;
    // The environment mode last set for unit 0; 0 before any.
    GLint unit0Environment = 0;
    // The texture coordinates of unit 0 (those that ShadowRenderer keeps are the last unit's).
    const f32* unit0TexCoords = nullptr;
    // The draw being issued reads unit 0's texture without its mipmaps.
    bool unit0FiltersSubstituted = false;
    f64 presentSeconds = 0.0;
};
}  // namespace Renderer

#include "renderer/Internal_OGLRenderer.h"

#include "platform/PAL_ErrorReporter.h"
#include "platform/PAL_GLContext.h"
#include "platform/PAL_Window.h"
#include "renderer/Internal_GLCodes.h"
#include "renderer/Internal_GLExtensions.h"
#include "renderer/Renderer_Extensions.h"
#include "renderer/Renderer_TextureCache.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace Renderer
{
namespace
{
const char* GLText(GLenum name)
{
    return reinterpret_cast<const char*>(glGetString(name));
}

PixelFormatRequest RequestFor(const DisplaySettings& settings)
{
    PixelFormatRequest request;
    request.colorBits = static_cast<u32>(settings.colorBits);
    request.depthBits = static_cast<u32>(settings.depthBits);
    request.stencilBits = static_cast<u32>(settings.stencilBits);
    request.samples = static_cast<u32>(settings.samples);
    request.sampleBuffers = settings.samples != 0 ? 1 : 0;
    request.swapMethod = SwapMethod::Exchange;
    return request;
}
}  // namespace

Core::RefPtr<IRenderer> CreateOGLRenderer(const DisplaySettings& settings)
{
    Core::RefPtr<IRenderer> renderer(new (__FILE__, __LINE__) OGLRenderer(settings));
    SetRenderer(renderer.Get());
    return renderer;
}

OGLRenderer::OGLRenderer(const DisplaySettings& displaySettings) : ShadowRenderer(displaySettings)
{
    multitexture = 0;
    textureUnitCount = 1;
    swapControl = 0;
    if (!settings.window)
    {
        PAL::ReportFatalError(1, "the renderer was given no window");
    }
    PAL::Window& window = *settings.window;

    if (settings.fullScreen)
    {
        Adapter& modes = *adapter.Get();
        modes.SetRequestedMode(DisplayMode{static_cast<u32>(settings.width), static_cast<u32>(settings.height),
                                           static_cast<u32>(settings.colorBits),
                                           static_cast<u32>(settings.refreshRate)});
        if (modes.TestMode())
        {
            modes.ToggleMode(true, window);
        }
        settings.fullScreen = modes.IsFullScreenActive();
    }

    window.SetPixelFormat(static_cast<i32>(adapter.Get()->ChoosePixelFormat(RequestFor(settings))));
    context = new (__FILE__, __LINE__) RenderingContext(window);
    context->MakeCurrent(&window);

    ReadExtensionLists();
    if (AreDiagnosticsOn())
    {
        WriteInformationLog();
    }

    const GLEntryPoints& entries = GetGLEntryPoints();
    if (HasGLExtension("GL_ARB_multitexture") && entries.activeTexture && entries.clientActiveTexture)
    {
        multitexture = 1;
        GLint units = 1;
        glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
        textureUnitCount = units;
    }
    swapControl = HasSwapControlExtension(windowSystemExtensions) ? 1 : 0;
    ApplyVSync();

    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glHint(GL_FOG_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);

    const Math::Matrix4x4 identity;
    SetWorldMatrix(identity);
    SetViewMatrix(identity);
    SetProjectionMatrix(identity);
    SetTextureMatrix(0, identity);
    SelectTextureUnit(0);

    ViewportRect whole;
    whole.width = settings.width;
    whole.height = settings.height;
    SetViewport(whole);

    TextureCache::Create();
}

// What the renderer holds goes first, while the texture cache and the context still stand, so that
// a texture whose last holder is the renderer deletes its OpenGL name and leaves the cache; then the
// cache (textures held elsewhere outlive it and delete nothing later), then the context, then the
// display mode.
OGLRenderer::~OGLRenderer()
{
    rasterQueue.clear();
    for (Core::RefPtr<ITexture>& texture : textures)
    {
        texture = nullptr;
    }
    for (Core::RefPtr<IBuffer>& buffer : buffers)
    {
        buffer = nullptr;
    }
    indexBuffer = nullptr;
    TextureCache::Destroy();
    context = nullptr;
    if (settings.fullScreen && settings.window)
    {
        adapter.Get()->ToggleMode(false, *settings.window);
    }
    errorLog.Close();
}

void OGLRenderer::ReadExtensionLists()
{
    SplitExtensionNames(GLText(GL_EXTENSIONS), glExtensions);
    SplitExtensionNames(reinterpret_cast<const char*>(gluGetString(GLU_EXTENSIONS)), gluExtensions);
    windowSystemExtensions = context->GetExtensions().GetWindowSystemExtensions();
}

void OGLRenderer::WriteInformationLog() const
{
    std::FILE* file = OpenDiagnosticFile("\\OpenGL Information.txt");
    if (!file)
    {
        return;
    }
    const auto text = [](const char* value) { return value ? value : ""; };
    std::fprintf(file, "Vendor\n------\n%s\n\n", text(GLText(GL_VENDOR)));
    std::fprintf(file, "Renderer\n--------\n%s\n\n", text(GLText(GL_RENDERER)));
    std::fprintf(file, "OpenGL Version\n--------------\n%s\n\n", text(GLText(GL_VERSION)));
    const auto list = [file](const char* heading, const Core::Vector<Core::String>& names) {
        std::fputs(heading, file);
        for (const Core::String& name : names)
        {
            std::fprintf(file, "%s\n", name.c_str());
        }
        std::fputs("\n", file);
    };
    list("GL Extensions\n-------------\n", glExtensions);
    std::fprintf(file, "GLU Version\n-----------\n%s\n\n",
                 text(reinterpret_cast<const char*>(gluGetString(GLU_VERSION))));
    list("GLU Extensions\n--------------\n", gluExtensions);
    list("WGL Extensions\n--------------\n", windowSystemExtensions);
    std::fclose(file);
}

void OGLRenderer::ApplyVSync()
{
    if (!swapControl)
    {
        return;
    }
    PAL::SetErrorContext("SDL_GL_SetSwapInterval", "Renderer::OGLRenderer::SetVSync", __LINE__, "Internal_OGLRenderer");
    PAL::CheckWin32Error(PAL::SetSwapInterval(settings.vsync ? 1 : 0) ? 0 : 1);
}

void OGLRenderer::SetVSync(u8 on)
{
    ShadowRenderer::SetVSync(on);
    ApplyVSync();
}

// --- render states -------------------------------------------------------------------------------

void OGLRenderer::SetMaterial(const Material& state)
{
    ShadowRenderer::SetMaterial(state);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &material.ambient.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &material.diffuse.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, &material.specular.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &material.emission.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &material.shininess);
}

void OGLRenderer::SetNormalizeNormalsState(const NormalizeNormalsState& state)
{
    ShadowRenderer::SetNormalizeNormalsState(state);
    device.Switch(GL_NORMALIZE, normalizeNormals.enabled);
}

void OGLRenderer::SetLightingState(const LightingState& state)
{
    ShadowRenderer::SetLightingState(state);
    device.Switch(GL_LIGHTING, lighting.enabled);
    device.LightModel(lighting.localViewer != 0, lighting.ambient);
}

void OGLRenderer::SetLineState(const LineState& state)
{
    ShadowRenderer::SetLineState(state);
    device.LineWidth(line.width);
}

void OGLRenderer::SetPointState(const PointState& state)
{
    ShadowRenderer::SetPointState(state);
    device.PointSize(point.size);
}

void OGLRenderer::SetDitheringState(const DitheringState& state)
{
    ShadowRenderer::SetDitheringState(state);
    device.Switch(GL_DITHER, dithering.enabled);
}

void OGLRenderer::SetTriangleOffsetState(const TriangleOffsetState& state)
{
    ShadowRenderer::SetTriangleOffsetState(state);
    device.Switch(GL_POLYGON_OFFSET_FILL, triangleOffset.enabled);
    glPolygonOffset(triangleOffset.factor, triangleOffset.units);
}

void OGLRenderer::SetStencilBufferState(const StencilBufferState& state)
{
    ShadowRenderer::SetStencilBufferState(state);
    device.Switch(GL_STENCIL_TEST, stencilBuffer.enabled);
    glStencilMask(stencilBuffer.writeMask);
    glStencilFunc(ToGLCompare(stencilBuffer.function), stencilBuffer.reference, stencilBuffer.compareMask);
    glStencilOp(ToGLStencilOperation(stencilBuffer.stencilFail), ToGLStencilOperation(stencilBuffer.depthFail),
                ToGLStencilOperation(stencilBuffer.depthPass));
}

void OGLRenderer::SetDepthBufferState(const DepthBufferState& state)
{
    ShadowRenderer::SetDepthBufferState(state);
    device.Switch(GL_DEPTH_TEST, depthBuffer.testEnabled);
    depthTestSent = depthBuffer.testEnabled != 0;
    depthTestSkipped = false;
    device.DepthMask(depthBuffer.writeEnabled != 0);
    device.DepthFunction(ToGLCompare(depthBuffer.function));
}

void OGLRenderer::SetShadingState(const ShadingState& state)
{
    ShadowRenderer::SetShadingState(state);
    device.ShadeModel(ToGLShadeMode(shading.mode));
}

void OGLRenderer::SetFillingState(const FillingState& state)
{
    ShadowRenderer::SetFillingState(state);
    device.PolygonMode(ToGLFillMode(filling.mode));
}

void OGLRenderer::SetFogState(const FogState& state)
{
    ShadowRenderer::SetFogState(state);
    device.Switch(GL_FOG, fog.enabled);
    glFogi(GL_FOG_MODE, static_cast<GLint>(ToGLFogMode(fog.mode)));
    glFogfv(GL_FOG_COLOR, &fog.color.r);
    glFogf(GL_FOG_DENSITY, fog.density);
    glFogf(GL_FOG_START, fog.start);
    glFogf(GL_FOG_END, fog.end);
}

void OGLRenderer::SetCullingState(const CullingState& state)
{
    ShadowRenderer::SetCullingState(state);
    device.Switch(GL_CULL_FACE, culling.enabled);
    device.CullFace(ToGLCullFace(culling.face));
}

void OGLRenderer::SetAlphaTestingState(const AlphaTestingState& state)
{
    ShadowRenderer::SetAlphaTestingState(state);
    device.AlphaFunction(ToGLCompare(alphaTesting.function), alphaTesting.reference);
}

bool OGLRenderer::AlphaTestChangesNothing() const
{
    const bool dropsOnlyZero = (alphaTesting.function == CompareFunction::NotEqual ||
                                alphaTesting.function == CompareFunction::Greater) &&
                               alphaTesting.reference == 0.0f;
    // Alpha 0 scales the source to nothing and keeps the destination whole.
    const bool blendKeepsDestination =
        alphaBlending.enabled && alphaBlending.source == BlendFactor::SourceAlpha &&
        (alphaBlending.destination == BlendFactor::OneMinusSourceAlpha || alphaBlending.destination == BlendFactor::One);
    const bool writesDepth = depthBuffer.testEnabled && depthBuffer.writeEnabled;
    return dropsOnlyZero && blendKeepsDestination && !writesDepth && !stencilBuffer.enabled;
}

bool OGLRenderer::FragmentsAreWhite() const
{
    return !lighting.enabled && !colorArray && currentColor == Math::Color(1.0f, 1.0f, 1.0f, 1.0f);
}

bool OGLRenderer::FragmentsAreOpaque() const
{
    if (lighting.enabled || colorArray || currentColor.a != 1.0f)
        return false;
    // Unit 0 alone reads a texture (the others hold none, which leaves them out) and it reads only
    // opaque texels.
    for (u32 unit = 1; unit < TextureSlotCount; ++unit)
    {
        if (textures[unit])
            return false;
    }
    const TexturingState& unit0 = UnitState(0);
    const ITexture* texture = textures[0].Get();
    return unit0.enabled && !unit0.oneDimensional && unit0.textureGeneration != 1 && texture &&
           texture->GetTextureType() == ITexture::TwoDimensional && texture->IsOpaque() &&
           device.Unit0TextureReadsNoBorder() && (unit0Environment == GL_MODULATE || unit0Environment == GL_REPLACE);
}

bool OGLRenderer::DrawChangesNothing() const
{
    const bool blendsAway = alphaBlending.enabled && alphaBlending.source == BlendFactor::SourceAlpha &&
                            (alphaBlending.destination == BlendFactor::OneMinusSourceAlpha ||
                             alphaBlending.destination == BlendFactor::One);
    if (!blendsAway || lighting.enabled || colorArray || currentColor.a != 0.0f || stencilBuffer.enabled ||
        (depthBuffer.testEnabled && depthBuffer.writeEnabled))
        return false;
    for (u32 unit = 1; unit < TextureSlotCount; ++unit)
    {
        if (textures[unit])
            return false;
    }
    // Only a replacing unit 0 gives the fragment an alpha other than the colour's times its own.
    return unit0Environment != 0 && unit0Environment != GL_REPLACE;
}

void OGLRenderer::SendDrawStates(bool substitutes, const DrawCall* call)
{
    // The depth test goes off only for such a draw, and back on for the next.
    const bool skipsDepthTest = depthTestSent && substitutes && call && DepthTestPassesAll(*call);
    if (skipsDepthTest || depthTestSkipped)
    {
        device.Switch(GL_DEPTH_TEST, !skipsDepthTest);
        depthTestSkipped = skipsDepthTest;
    }
    if (depthTestSent && !skipsDepthTest && depthBuffer.writeEnabled)
    {
        depthAtFarPlane = false;
    }
    device.Switch(GL_ALPHA_TEST, alphaTesting.enabled && !(substitutes && AlphaTestChangesNothing()));
    // Source alpha 1 over (source alpha, one minus source alpha) writes the source as it comes:
    // blending would only read the destination to weigh it by 0.
    const bool blendsNothing = substitutes && alphaBlending.enabled &&
                               alphaBlending.source == BlendFactor::SourceAlpha &&
                               alphaBlending.destination == BlendFactor::OneMinusSourceAlpha && FragmentsAreOpaque();
    device.Switch(GL_BLEND, alphaBlending.enabled && !blendsNothing);
    SendUnit0Filters(substitutes, call);
    if (unit0Environment == 0)
    {
        return;
    }
    const bool replaces = substitutes && unit0Environment == GL_MODULATE && FragmentsAreWhite();
    device.Unit0Environment(replaces ? GL_REPLACE : unit0Environment);
}

void OGLRenderer::SendUnit0Filters(bool substitutes, const DrawCall* call)
{
    // Only the filters of the texture whose parameters unit 0's state sent last are replaced, and
    // only for the one draw: RestoreUnit0Filters puts them back right after it.
    const ITexture* texture = textures[0].Get();
    const TexturingState& unit0 = UnitState(0);
    if (!substitutes || !call || !texture || !texture->HasMipmaps() || unit0.oneDimensional || !unit0.enabled ||
        unit0.textureGeneration == 1 || !device.IsUnit0Active() || !device.Unit0TextureReadsNoBorder() ||
        !ReadsLevelZeroOnly(*call, *texture))
    {
        return;
    }
    // At a level of detail of 0 or less filtering takes the magnification filter on level 0.
    const GLint magnification = static_cast<GLint>(ToGLMagnificationFilter(unit0.filter));
    device.TextureParameters(GL_TEXTURE_2D, magnification, magnification, static_cast<GLint>(ToGLWrap(unit0.wrapS)),
                             static_cast<GLint>(ToGLWrap(unit0.wrapT)));
    unit0FiltersSubstituted = true;
}

void OGLRenderer::RestoreUnit0Filters()
{
    if (!unit0FiltersSubstituted)
    {
        return;
    }
    unit0FiltersSubstituted = false;
    const TexturingState& unit0 = UnitState(0);
    device.TextureParameters(GL_TEXTURE_2D, static_cast<GLint>(ToGLMagnificationFilter(unit0.filter)),
                             static_cast<GLint>(ToGLMinificationFilter(unit0.filter, true)),
                             static_cast<GLint>(ToGLWrap(unit0.wrapS)), static_cast<GLint>(ToGLWrap(unit0.wrapT)));
}

void OGLRenderer::SetAlphaBlendingState(const AlphaBlendingState& state)
{
    ShadowRenderer::SetAlphaBlendingState(state);
    device.Switch(GL_BLEND, alphaBlending.enabled);
    device.BlendFunction(ToGLBlendFactor(alphaBlending.source), ToGLBlendFactor(alphaBlending.destination));
}

void OGLRenderer::SetScissorState(const ScissorState& state)
{
    ShadowRenderer::SetScissorState(state);
    device.Switch(GL_SCISSOR_TEST, scissor.enabled);
    // A negative size is refused by OpenGL and would leave the old rectangle in force.
    device.Scissor(scissor.x, scissor.y, scissor.width > 0 ? scissor.width : 0, scissor.height > 0 ? scissor.height : 0);
}

void OGLRenderer::SetColorMaskState(const ColorMaskState& state)
{
    ShadowRenderer::SetColorMaskState(state);
    device.ColorMask(colorMask.red != 0, colorMask.green != 0, colorMask.blue != 0, colorMask.alpha != 0);
}

// --- texture units -------------------------------------------------------------------------------

bool OGLRenderer::SelectTextureUnit(i32 unit)
{
    const bool available = ShadowRenderer::SelectTextureUnit(unit);
    if (available)
    {
        device.ActiveTexture(static_cast<u32>(unit));
    }
    return available;
}

void OGLRenderer::CheckTextureObjects()
{
    const TextureCache* cache = TextureCache::Get();
    const u32 changes = cache ? cache->GetDeviceChanges() : 0;
    if (changes != seenTextureChanges)
    {
        device.ForgetTextures();
        seenTextureChanges = changes;
    }
}

void OGLRenderer::SetTexture(i32 unit, ITexture* texture)
{
    CheckTextureObjects();
    ShadowRenderer::SetTexture(unit, texture);
    if (unit < 0 || unit >= static_cast<i32>(TextureSlotCount))
    {
        return;
    }
    if (const ITexture* held = textures[unit].Get())
    {
        device.BindTexture(held->GetTextureType() == ITexture::TwoDimensional ? GL_TEXTURE_2D : GL_TEXTURE_1D,
                           held->GetID());
    }
    else
    {
        device.BindTexture(GL_TEXTURE_1D, 0);
        device.BindTexture(GL_TEXTURE_2D, 0);
    }
}

void OGLRenderer::SetTexturingState(u32 unit, const TexturingState& state)
{
    ShadowRenderer::SetTexturingState(unit, state);
    ApplyTexturing(UnitState(unit));
}

void OGLRenderer::ApplyTexturing(const TexturingState& state)
{
    const ITexture* texture = textures[activeTextureUnit].Get();
    if (!texture)
    {
        return;
    }
    const GLenum target = state.oneDimensional ? GL_TEXTURE_1D : GL_TEXTURE_2D;
    CheckTextureObjects();
    device.Switch(target, state.enabled);
    device.TextureParameters(target, static_cast<GLint>(ToGLMagnificationFilter(state.filter)),
                             static_cast<GLint>(ToGLMinificationFilter(state.filter, texture->HasMipmaps() != 0)),
                             static_cast<GLint>(ToGLWrap(state.wrapS)), static_cast<GLint>(ToGLWrap(state.wrapT)));
    const GLint environment = static_cast<GLint>(ToGLEnvironmentMode(state.environment));
    if (device.IsUnit0Active())
        unit0Environment = environment;
    else
        device.TextureEnvironment(environment);

    if (state.oneDimensional)
    {
        device.Switch(GL_TEXTURE_GEN_S, state.textureGeneration == 1);
        if (state.textureGeneration == 1)
        {
            const GLfloat plane[4] = {texGenPlane.x, texGenPlane.y, texGenPlane.z, texGenPlane.w};
            glTexGenfv(GL_S, GL_OBJECT_PLANE, plane);
            glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
        }
        return;
    }
    static const GLenum coordinates[4] = {GL_S, GL_T, GL_R, GL_Q};
    static const GLenum switches[4] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q};
    for (int i = 0; i < 4; ++i)
    {
        device.Switch(switches[i], state.textureGeneration == 1);
        if (state.textureGeneration == 1)
        {
            GLfloat plane[4] = {0.0f, 0.0f, 0.0f, 0.0f};
            plane[i] = 1.0f;
            glTexGenfv(coordinates[i], GL_EYE_PLANE, plane);
            glTexGeni(coordinates[i], GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
        }
    }
}

// --- lights and colour ---------------------------------------------------------------------------

void OGLRenderer::SetLight(u32 index, Light* light)
{
    ShadowRenderer::SetLight(index, light);
    LightRecord record;
    if (index >= LightCount || !MakeLightRecord(light, record))
    {
        return;
    }
    const GLenum id = GL_LIGHT0 + index;
    device.Switch(id, record.enabled);
    glLightfv(id, GL_AMBIENT, &record.ambient.r);
    glLightfv(id, GL_DIFFUSE, &record.diffuse.r);
    glLightfv(id, GL_SPECULAR, &record.specular.r);
    if (record.kind == LightKind::Directional)
    {
        const GLfloat position[4] = {-record.direction.x, -record.direction.y, -record.direction.z, 0.0f};
        glLightfv(id, GL_POSITION, position);
        return;
    }
    const GLfloat position[4] = {record.position.x, record.position.y, record.position.z, 1.0f};
    glLightfv(id, GL_POSITION, position);
    if (record.kind == LightKind::Point)
    {
        glLightf(id, GL_SPOT_CUTOFF, 180.0f);
    }
    else
    {
        const GLfloat direction[3] = {record.direction.x, record.direction.y, record.direction.z};
        glLightf(id, GL_SPOT_CUTOFF, record.cutoff);
        glLightfv(id, GL_SPOT_DIRECTION, direction);
        glLightf(id, GL_SPOT_EXPONENT, record.exponent);
    }
    glLightf(id, GL_CONSTANT_ATTENUATION, record.constantAttenuation);
    glLightf(id, GL_LINEAR_ATTENUATION, record.linearAttenuation);
    glLightf(id, GL_QUADRATIC_ATTENUATION, record.quadraticAttenuation);
}

void OGLRenderer::SetCurrentColor(const Math::Color& color)
{
    ShadowRenderer::SetCurrentColor(color);
    device.Color(color);
}
}  // namespace Renderer

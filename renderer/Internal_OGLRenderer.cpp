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

void OGLRenderer::Switch(GLenum capability, bool on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

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
    Switch(GL_NORMALIZE, normalizeNormals.enabled);
}

void OGLRenderer::SetLightingState(const LightingState& state)
{
    ShadowRenderer::SetLightingState(state);
    Switch(GL_LIGHTING, lighting.enabled);
    glLightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, lighting.localViewer ? 1.0f : 0.0f);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, &lighting.ambient.r);
}

void OGLRenderer::SetLineState(const LineState& state)
{
    ShadowRenderer::SetLineState(state);
    glLineWidth(line.width);
}

void OGLRenderer::SetPointState(const PointState& state)
{
    ShadowRenderer::SetPointState(state);
    glPointSize(point.size);
}

void OGLRenderer::SetDitheringState(const DitheringState& state)
{
    ShadowRenderer::SetDitheringState(state);
    Switch(GL_DITHER, dithering.enabled);
}

void OGLRenderer::SetTriangleOffsetState(const TriangleOffsetState& state)
{
    ShadowRenderer::SetTriangleOffsetState(state);
    Switch(GL_POLYGON_OFFSET_FILL, triangleOffset.enabled);
    glPolygonOffset(triangleOffset.factor, triangleOffset.units);
}

void OGLRenderer::SetStencilBufferState(const StencilBufferState& state)
{
    ShadowRenderer::SetStencilBufferState(state);
    Switch(GL_STENCIL_TEST, stencilBuffer.enabled);
    glStencilMask(stencilBuffer.writeMask);
    glStencilFunc(ToGLCompare(stencilBuffer.function), stencilBuffer.reference, stencilBuffer.compareMask);
    glStencilOp(ToGLStencilOperation(stencilBuffer.stencilFail), ToGLStencilOperation(stencilBuffer.depthFail),
                ToGLStencilOperation(stencilBuffer.depthPass));
}

void OGLRenderer::SetDepthBufferState(const DepthBufferState& state)
{
    ShadowRenderer::SetDepthBufferState(state);
    Switch(GL_DEPTH_TEST, depthBuffer.testEnabled);
    glDepthMask(depthBuffer.writeEnabled ? GL_TRUE : GL_FALSE);
    glDepthFunc(ToGLCompare(depthBuffer.function));
}

void OGLRenderer::SetShadingState(const ShadingState& state)
{
    ShadowRenderer::SetShadingState(state);
    glShadeModel(ToGLShadeMode(shading.mode));
}

void OGLRenderer::SetFillingState(const FillingState& state)
{
    ShadowRenderer::SetFillingState(state);
    glPolygonMode(GL_FRONT_AND_BACK, ToGLFillMode(filling.mode));
}

void OGLRenderer::SetFogState(const FogState& state)
{
    ShadowRenderer::SetFogState(state);
    Switch(GL_FOG, fog.enabled);
    glFogi(GL_FOG_MODE, static_cast<GLint>(ToGLFogMode(fog.mode)));
    glFogfv(GL_FOG_COLOR, &fog.color.r);
    glFogf(GL_FOG_DENSITY, fog.density);
    glFogf(GL_FOG_START, fog.start);
    glFogf(GL_FOG_END, fog.end);
}

void OGLRenderer::SetCullingState(const CullingState& state)
{
    ShadowRenderer::SetCullingState(state);
    Switch(GL_CULL_FACE, culling.enabled);
    glCullFace(ToGLCullFace(culling.face));
}

void OGLRenderer::SetAlphaTestingState(const AlphaTestingState& state)
{
    ShadowRenderer::SetAlphaTestingState(state);
    Switch(GL_ALPHA_TEST, alphaTesting.enabled);
    glAlphaFunc(ToGLCompare(alphaTesting.function), alphaTesting.reference);
}

void OGLRenderer::SetAlphaBlendingState(const AlphaBlendingState& state)
{
    ShadowRenderer::SetAlphaBlendingState(state);
    Switch(GL_BLEND, alphaBlending.enabled);
    glBlendFunc(ToGLBlendFactor(alphaBlending.source), ToGLBlendFactor(alphaBlending.destination));
}

void OGLRenderer::SetScissorState(const ScissorState& state)
{
    ShadowRenderer::SetScissorState(state);
    Switch(GL_SCISSOR_TEST, scissor.enabled);
    // A negative size is refused by OpenGL and would leave the old rectangle in force.
    glScissor(scissor.x, scissor.y, scissor.width > 0 ? scissor.width : 0, scissor.height > 0 ? scissor.height : 0);
}

void OGLRenderer::SetColorMaskState(const ColorMaskState& state)
{
    ShadowRenderer::SetColorMaskState(state);
    glColorMask(colorMask.red ? GL_TRUE : GL_FALSE, colorMask.green ? GL_TRUE : GL_FALSE,
                colorMask.blue ? GL_TRUE : GL_FALSE, colorMask.alpha ? GL_TRUE : GL_FALSE);
}

// --- texture units -------------------------------------------------------------------------------

bool OGLRenderer::SelectTextureUnit(i32 unit)
{
    const bool available = ShadowRenderer::SelectTextureUnit(unit);
    if (available)
    {
        GetGLEntryPoints().activeTexture(GL_TEXTURE0_ARB + static_cast<GLenum>(unit));
    }
    return available;
}

void OGLRenderer::SetTexture(i32 unit, ITexture* texture)
{
    ShadowRenderer::SetTexture(unit, texture);
    if (unit < 0 || unit >= static_cast<i32>(TextureSlotCount))
    {
        return;
    }
    if (const ITexture* held = textures[unit].Get())
    {
        glBindTexture(held->GetTextureType() == ITexture::TwoDimensional ? GL_TEXTURE_2D : GL_TEXTURE_1D, held->GetID());
    }
    else
    {
        glBindTexture(GL_TEXTURE_1D, 0);
        glBindTexture(GL_TEXTURE_2D, 0);
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
    Switch(target, state.enabled);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(ToGLMagnificationFilter(state.filter)));
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER,
                    static_cast<GLint>(ToGLMinificationFilter(state.filter, texture->HasMipmaps() != 0)));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(ToGLEnvironmentMode(state.environment)));
    glTexParameteri(target, GL_TEXTURE_WRAP_S, static_cast<GLint>(ToGLWrap(state.wrapS)));
    if (target == GL_TEXTURE_2D)
    {
        glTexParameteri(target, GL_TEXTURE_WRAP_T, static_cast<GLint>(ToGLWrap(state.wrapT)));
    }

    if (state.oneDimensional)
    {
        Switch(GL_TEXTURE_GEN_S, state.textureGeneration == 1);
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
        Switch(switches[i], state.textureGeneration == 1);
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
    Switch(id, record.enabled);
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
    glColor4f(color.r, color.g, color.b, color.a);
}
}  // namespace Renderer

// The OpenGL renderer on a real window and context (under Xvfb with Mesa's software renderer);
// without a display it fails under scripts/test and skips by hand. Pixels are read back from the
// back buffer after each drawing.
#include "Renderer_TestSupport.h"

#include "platform/PAL_GLContext.h"
#include "platform/PAL_Window.h"
#include "renderer/Internal_OGLRenderer.h"
#include "renderer/Renderer_Diagnostics.h"
#include "renderer/Renderer_Surface.h"
#include "renderer/Renderer_TextureCache.h"
#include "tests/support/Support_GLWindow.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"
#include "tests/support/Support_Skip.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace Renderer;
using RendererTest::Same;

namespace
{
constexpr i32 Width = 64;
constexpr i32 Height = 48;

using Pixel = std::array<int, 3>;


class OGLRendererTest : public TestSupport::GLWindowTest
{
protected:
    OGLRendererTest() : GLWindowTest(Width, Height) {}

    void SetUp() override
    {
        GLWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        gl = static_cast<OGLRenderer*>(renderer.Get());
    }

    DisplaySettings Settings() const override
    {
        DisplaySettings settings = RendererTest::TestSettings(Width, Height);
        settings.window = window.get();
        return settings;
    }

    // One pixel of the back buffer (x, y from the bottom left).
    Pixel At(i32 x, i32 y)
    {
        const std::vector<u8> p = ReadPixel(x, y);
        return Pixel{p[0], p[1], p[2]};
    }

    // One unit per pixel, origin bottom left.
    void PixelProjection() { renderer->SetProjectionMatrix(Math::Matrix4x4::Ortho(0, Width, 0, Height)); }

    OGLRenderer* gl = nullptr;
};

// Notes, when it goes, whether the texture cache and a current context were still there: what a
// real texture needs to delete its OpenGL name and leave the cache.
class ProbeTexture : public RendererTest::FakeTexture
{
public:
    ProbeTexture(bool& sawCache, bool& sawContext) : sawCache(sawCache), sawContext(sawContext) {}
    ~ProbeTexture() override
    {
        sawCache = TextureCache::Get() != nullptr;
        PAL::SurfaceFormat granted;
        sawContext = PAL::QueryGrantedFormat(granted);
    }

private:
    bool& sawCache;
    bool& sawContext;
};

void ExpectNear(const Pixel& actual, const Pixel& expected)
{
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_NEAR(actual[i], expected[i], 2) << "channel " << i;
    }
}
}  // namespace

TEST_F(OGLRendererTest, ClearsFillTheWholeBackBuffer)
{
    renderer->ClearColorBuffer(Math::Color(1, 0, 0, 1));
    ExpectNear(At(0, 0), {255, 0, 0});
    ExpectNear(At(Width - 1, Height - 1), {255, 0, 0});
    renderer->ClearBuffers(Math::Color(0, 0.5f, 1, 1), 1.0f, 0);
    ExpectNear(At(Width / 2, Height / 2), {0, 128, 255});
    renderer->Present();
}

// Present swaps the buffers itself: the time spent swapping grows in each Present, not in
// whatever reaches the window next.
TEST_F(OGLRendererTest, PresentSwapsTheBuffersAtOnce)
{
    for (int frame = 0; frame < 3; ++frame)
    {
        renderer->ClearColorBuffer(Math::Color(0, 0, 1, 1));
        const f64 before = gl->GetPresentSeconds();
        renderer->Present();
        const f64 presented = gl->GetPresentSeconds();
        EXPECT_GT(presented, before) << "frame " << frame;
        renderer->ClearColorBuffer(Math::Color(1, 0, 0, 1));
        ReadFrame();
        EXPECT_EQ(gl->GetPresentSeconds(), presented) << "frame " << frame;
    }
}

TEST_F(OGLRendererTest, AColouredTriangleCoversOnlyItsPixels)
{
    PixelProjection();
    renderer->ClearColorBuffer(Math::Color(0, 0, 0, 1));
    const f32 vertices[] = {8, 8, 0, 56, 8, 0, 8, 40, 0};
    const Math::Color colors[] = {Math::Color(0, 1, 0, 1), Math::Color(0, 1, 0, 1), Math::Color(0, 1, 0, 1)};
    renderer->SetVertexArray(vertices);
    renderer->SetColorArray(colors);
    renderer->SetPrimitiveType(Primitive::Triangles);
    renderer->Draw(3);
    renderer->SetColorArray(nullptr);
    renderer->SetVertexArray(nullptr);

    ExpectNear(At(12, 12), {0, 255, 0});
    ExpectNear(At(50, 40), {0, 0, 0});
    ExpectNear(At(2, 2), {0, 0, 0});
}

TEST_F(OGLRendererTest, ABlendedQuadMixesWithTheBackground)
{
    PixelProjection();
    renderer->ClearColorBuffer(Math::Color(1, 1, 1, 1));
    AlphaBlendingState blending;
    blending.enabled = 1;
    renderer->SetAlphaBlendingState(blending);
    CullingState culling;
    culling.enabled = 0;
    renderer->SetCullingState(culling);
    renderer->SetCurrentColor(Math::Color(1, 0, 0, 0.5f));
    const f32 quad[] = {16, 16, 0, 48, 16, 0, 48, 32, 0, 16, 32, 0};
    renderer->SetVertexArray(quad);
    renderer->DrawArrays(Primitive::TriangleFan, 0, 2);
    renderer->SetVertexArray(nullptr);

    ExpectNear(At(32, 24), {255, 128, 128});
    ExpectNear(At(4, 4), {255, 255, 255});

    blending.enabled = 0;
    renderer->SetAlphaBlendingState(blending);
    renderer->DrawRect(0, 0, 8, 8);
    ExpectNear(At(4, 4), {255, 0, 0});
}

TEST_F(OGLRendererTest, IndexedDrawsStartAtTheirFirstIndex)
{
    PixelProjection();
    renderer->ClearColorBuffer(Math::Color(0, 0, 0, 1));
    renderer->SetCurrentColor(Math::Color(0, 0, 1, 1));
    const f32 vertices[] = {0, 0, 0, 32, 0, 0, 0, 48, 0, 64, 48, 0, 32, 48, 0, 64, 0, 0};
    const u16 indices[] = {0, 1, 2, 5, 3, 4};
    renderer->SetVertexArray(vertices);
    renderer->SetIndexArray16(indices);
    renderer->DrawRange(3, 5);  // the right-hand triangle only
    renderer->SetIndexArray16(nullptr);
    renderer->SetVertexArray(nullptr);
    ExpectNear(At(58, 40), {0, 0, 255});
    ExpectNear(At(4, 4), {0, 0, 0});
}

TEST_F(OGLRendererTest, ScissorAndColourMaskReachOpenGL)
{
    renderer->ClearColorBuffer(Math::Color(0, 0, 0, 1));
    ScissorState scissor;
    scissor.x = 0;
    scissor.y = 0;
    scissor.width = 10;
    scissor.height = 10;
    scissor.enabled = 1;
    renderer->SetScissorState(scissor);
    ColorMaskState mask;
    mask.green = 0;
    renderer->SetColorMaskState(mask);
    renderer->ClearColorBuffer(Math::Color(1, 1, 1, 1));
    ExpectNear(At(5, 5), {255, 0, 255});
    ExpectNear(At(20, 20), {0, 0, 0});
    ScissorState read;
    EXPECT_TRUE(Same(renderer->GetScissorState(read), scissor));
}

TEST_F(OGLRendererTest, TheViewportIsReadFromOpenGL)
{
    const ViewportRect start = renderer->GetViewport();
    EXPECT_EQ(start.width, Width);
    EXPECT_EQ(start.height, Height);
    ViewportRect rect;
    rect.x = 4;
    rect.y = 2;
    rect.width = 20;
    rect.height = 10;
    rect.zNear = 0.0f;
    rect.zFar = 0.5f;
    renderer->SetViewport(rect);
    const ViewportRect read = renderer->GetViewport();
    EXPECT_EQ(read.x, 4);
    EXPECT_EQ(read.width, 20);
    EXPECT_FLOAT_EQ(read.zFar, 0.5f);
}

// The answer is kept between sends: it must still be what OpenGL holds after each new viewport,
// after a repeated one that is not sent again, and after one that OpenGL refuses.
TEST_F(OGLRendererTest, TheViewportReadStaysWhatOpenGLHolds)
{
    ViewportRect rect;
    rect.x = 3;
    rect.y = 1;
    rect.width = 30;
    rect.height = 12;
    rect.zNear = -1.0f;
    rect.zFar = 2.0f;
    renderer->SetViewport(rect);
    for (int repeat = 0; repeat < 2; ++repeat)
    {
        const ViewportRect read = renderer->GetViewport();
        EXPECT_EQ(read.x, 3);
        EXPECT_EQ(read.width, 30);
        // OpenGL keeps the depth range within 0 to 1.
        EXPECT_FLOAT_EQ(read.zNear, 0.0f);
        EXPECT_FLOAT_EQ(read.zFar, 1.0f);
        renderer->SetViewport(rect);
    }
    ViewportRect refused = rect;
    refused.width = -5;
    refused.zNear = 0.25f;
    refused.zFar = 0.75f;
    renderer->SetViewport(refused);
    const ViewportRect kept = renderer->GetViewport();
    EXPECT_EQ(kept.width, 30);
    EXPECT_FLOAT_EQ(kept.zNear, 0.25f);
    renderer->SetViewport(rect);
    const ViewportRect again = renderer->GetViewport();
    EXPECT_EQ(again.width, 30);
    EXPECT_FLOAT_EQ(again.zNear, 0.0f);
    EXPECT_FLOAT_EQ(again.zFar, 1.0f);
    rect.width = 16;
    renderer->SetViewport(rect);
    EXPECT_EQ(renderer->GetViewport().width, 16);
}

// OpenGL is asked each time: a viewport set behind the renderer's back, even right after a read,
// is what the next read reports.
TEST_F(OGLRendererTest, AViewportSetDirectlyInOpenGLIsWhatTheNextReadReports)
{
    ViewportRect rect;
    rect.x = 2;
    rect.y = 3;
    rect.width = 40;
    rect.height = 30;
    renderer->SetViewport(rect);
    EXPECT_EQ(renderer->GetViewport().width, 40);
    glViewport(5, 6, 17, 11);
    glDepthRange(0.25, 0.5);
    const ViewportRect read = renderer->GetViewport();
    EXPECT_EQ(read.x, 5);
    EXPECT_EQ(read.y, 6);
    EXPECT_EQ(read.width, 17);
    EXPECT_EQ(read.height, 11);
    EXPECT_FLOAT_EQ(read.zNear, 0.25f);
    EXPECT_FLOAT_EQ(read.zFar, 0.5f);
}

TEST_F(OGLRendererTest, ReadBackRefusesABufferTooSmall)
{
    std::vector<u8> small(FrameBufferSize(Width, Height) - 1, 0xAB);
    EXPECT_FALSE(renderer->ReadFrameBuffer(small.data(), static_cast<u32>(small.size())));
    EXPECT_EQ(small.back(), 0xAB);
    EXPECT_FALSE(renderer->ReadFrameBuffer(nullptr, 1u << 20));
}

TEST_F(OGLRendererTest, TheDeviceAnswersForExtensionsAndUnits)
{
    EXPECT_FALSE(gl->GetGLExtensions().empty());
    EXPECT_TRUE(IsExtensionSupported(gl->GetGLExtensions().front().c_str()));
    EXPECT_FALSE(IsExtensionSupported("GL_NO_such_extension"));
    if (gl->HasGLExtension("GL_ARB_multitexture"))
    {
        EXPECT_EQ(gl->HasMultitexture(), 1);
        EXPECT_GE(gl->GetTextureUnitCount(), 2);
    }
    EXPECT_EQ(GetRenderer().Get(), renderer.Get());
    EXPECT_EQ(gl->GetRenderingContext().GetGrantedFormat().depthBits, 24);
}

TEST_F(OGLRendererTest, StatesAppliedThroughOpenGLStillReadBackFromTheShadow)
{
    FogState fog;
    fog.enabled = 1;
    fog.mode = FogMode::ExponentialSquared;
    fog.Apply(*renderer);
    FogState read;
    read.Capture(*renderer);
    EXPECT_TRUE(Same(read, fog));
    TextureUnit2State unit;
    unit.enabled = 1;
    unit.Apply(*renderer);  // no texture bound: recorded, not sent
    TextureUnit2State unitRead;
    EXPECT_EQ(renderer->GetTextureUnit2State(unitRead).enabled, 1);
    renderer->SetVSync(0);
    EXPECT_EQ(renderer->GetVSync(), 0);
}

TEST_F(OGLRendererTest, TexturesItHoldsGoWhileTheCacheAndTheContextStand)
{
    bool sawCache = false;
    bool sawContext = false;
    renderer->SetTexture(3, new ProbeTexture(sawCache, sawContext));
    gl = nullptr;
    renderer = nullptr;
    EXPECT_TRUE(sawCache);
    EXPECT_TRUE(sawContext);
    EXPECT_EQ(TextureCache::Get(), nullptr);
}

TEST_F(OGLRendererTest, FullScreenAndBackRestoresTheWindow)
{
    window->SetPosition(30, 40);
    i32 x = 0;
    i32 y = 0;
    window->GetPosition(x, y);
    renderer->ToggleFullScreen();
    if (renderer->GetDisplaySettings().fullScreen == 0)
    {
        MORVANE_SKIP("the display offers no full-screen mode");
    }
    renderer->ToggleFullScreen();
    EXPECT_EQ(renderer->GetDisplaySettings().fullScreen, 0);
    EXPECT_TRUE(window->HasBorder());
    EXPECT_FALSE(window->IsTopMost());
    EXPECT_TRUE(window->IsVisible());
    i32 width = 0;
    i32 height = 0;
    window->GetClientSize(width, height);
    EXPECT_EQ(width, Width);
    EXPECT_EQ(height, Height);
    i32 backX = 0;
    i32 backY = 0;
    window->GetPosition(backX, backY);
    EXPECT_EQ(backX, x);
    EXPECT_EQ(backY, y);
}

TEST_F(OGLRendererTest, SettingsWithoutAWindowPresentAndSwitchNothing)
{
    DisplaySettings settings = renderer->GetDisplaySettings();
    settings.window = nullptr;
    renderer->SetDisplaySettings(settings);
    renderer->Present();
    renderer->ToggleFullScreen();
    EXPECT_EQ(renderer->GetDisplaySettings().fullScreen, 0);
    EXPECT_EQ(renderer->GetDisplaySettings().window, nullptr);
}

TEST(OGLRendererDiagnosticsTest, FilesAreWrittenOnlyWithTheSwitchOn)
{
    auto window = std::make_unique<PAL::Window>(Width, Height);
    if (!window->IsCreated())
    {
        MORVANE_SKIP_WITHOUT_DISPLAY();
    }
    const TestSupport::ScratchFolder folder("morvane_diagnostics");
    SetDiagnosticsFolder(folder.Path().string());
    const auto FileExists = [&](const char* name) { return std::filesystem::exists(folder.Path() / name); };
    DisplaySettings settings = RendererTest::TestSettings(Width, Height);
    settings.window = window.get();
    {
        const Core::RefPtr<IRenderer> renderer = CreateOGLRenderer(settings);
    }
    EXPECT_FALSE(FileExists("OpenGL Information.txt"));
    EXPECT_FALSE(FileExists("OpenGLErrors.txt"));
    EXPECT_FALSE(FileExists("DisplayModes.txt"));

    SetDiagnostics(1);
    {
        const Core::RefPtr<IRenderer> renderer = CreateOGLRenderer(settings);
    }
    SetDiagnostics(0);
    EXPECT_TRUE(FileExists("OpenGL Information.txt"));
    EXPECT_TRUE(FileExists("OpenGLErrors.txt"));
    EXPECT_TRUE(FileExists("DisplayModes.txt"));  // the adapter is made anew with the renderer
    SetDiagnosticsFolder("");
}

// OpenGL ends up holding what the shadow says, also where textures were made or loaded, colour
// arrays drawn or raster commands run in between.
class OGLDeviceTest : public OGLRendererTest
{
protected:
    Core::RefPtr<ITexture> Plain(const char* name, u8 r, u8 g, u8 b)
    {
        TestSupport::Picture picture(4, 4);
        picture.Fill(r, g, b, 255);
        return TextureCache::GetTexture(folder.Write(name, TestSupport::EncodePng(picture)).c_str(), 0);
    }

    // A quad over the whole window through texture unit 0 with a linear, replacing unit state.
    void DrawTexturedQuad(ITexture* texture)
    {
        PixelProjection();
        renderer->SetTexture(0, texture);
        TextureUnit0State unit;
        unit.enabled = 1;
        unit.filter = TextureFilter::Linear;
        unit.environment = TextureEnvironmentMode::Replace;
        unit.Apply(*renderer);
        static const f32 quad[] = {0, 0, 0, Width, 0, 0, Width, Height, 0, 0, Height, 0};
        static const f32 uv[] = {0, 0, 1, 0, 1, 1, 0, 1};
        renderer->SetVertexArray(quad);
        renderer->SetTexCoordArray(0, uv);
        renderer->DrawArrays(Primitive::TriangleFan, 0, 2);
        renderer->SetTexCoordArray(0, nullptr);
        renderer->SetVertexArray(nullptr);
    }

    TestSupport::ScratchFolder folder{"morvane_ogl_device"};
};

TEST_F(OGLDeviceTest, FirstSetOfAKindReachesOpenGLThoughItEqualsTheShadow)
{
    // The shadow starts with culling and depth test on; OpenGL starts with both off.
    CullingState culling;
    renderer->SetCullingState(culling);
    DepthBufferState depth;
    renderer->SetDepthBufferState(depth);
    EXPECT_EQ(glIsEnabled(GL_CULL_FACE), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
    culling.enabled = 0;
    renderer->SetCullingState(culling);
    renderer->SetCullingState(culling);
    EXPECT_EQ(glIsEnabled(GL_CULL_FACE), GL_FALSE);
}

// Each set goes to OpenGL whole, even when its values equal those set last: OpenGL changed behind
// the renderer's back holds the renderer's values again after the same set.
TEST_F(OGLDeviceTest, SettingTheSameValuesAgainReachesOpenGL)
{
    const Core::RefPtr<ITexture> red = Plain("red.png", 255, 0, 0);
    const Core::RefPtr<ITexture> blue = Plain("blue.png", 0, 0, 255);
    AlphaBlendingState blending;
    blending.enabled = 1;
    blending.destination = BlendFactor::One;
    AlphaTestingState alphaTest;
    alphaTest.enabled = 1;
    alphaTest.function = CompareFunction::Greater;
    alphaTest.reference = 0.5f;
    DepthBufferState depth;
    depth.writeEnabled = 0;
    depth.function = CompareFunction::LessOrEqual;
    ScissorState scissor;
    scissor.enabled = 1;
    scissor.x = 3;
    scissor.y = 4;
    scissor.width = 20;
    scissor.height = 10;
    TextureUnit0State unit;
    unit.enabled = 1;
    unit.environment = TextureEnvironmentMode::Modulate;
    const Math::Matrix4x4 world = Math::Matrix4x4::Translation(5.0f, 6.0f, 7.0f);
    const auto setAll = [&] {
        renderer->SetAlphaBlendingState(blending);
        renderer->SetAlphaTestingState(alphaTest);
        renderer->SetDepthBufferState(depth);
        renderer->SetScissorState(scissor);
        renderer->SetTexture(0, red);
        renderer->SetTextureUnit0State(unit);
        renderer->SetWorldMatrix(world);
    };
    setAll();
    // Everything changed behind the renderer's back.
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDisable(GL_ALPHA_TEST);
    glAlphaFunc(GL_ALWAYS, 0.0f);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_GREATER);
    glDisable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);
    glBindTexture(GL_TEXTURE_2D, blue->GetID());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    setAll();

    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    GLint value = 0;
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE);
    EXPECT_EQ(glIsEnabled(GL_ALPHA_TEST), GL_TRUE);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &value);
    EXPECT_EQ(value, GL_GREATER);
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
    GLboolean mask = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_FALSE);
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), GL_TRUE);
    GLint box[4] = {};
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ(box[0], 3);
    EXPECT_EQ(box[3], 10);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
    EXPECT_EQ(static_cast<u32>(value), red->GetID());
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    GLfloat modelView[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    EXPECT_FLOAT_EQ(modelView[12], 5.0f);
    EXPECT_FLOAT_EQ(modelView[14], 7.0f);
}

TEST_F(OGLDeviceTest, ATextureLoadedBehindTheRendererDoesNotReplaceTheBoundOne)
{
    const Core::RefPtr<ITexture> red = Plain("red.png", 255, 0, 0);
    renderer->SetTexture(0, red);
    // Loading binds the new texture on the active unit.
    const Core::RefPtr<ITexture> blue = Plain("blue.png", 0, 0, 255);
    DrawTexturedQuad(red);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<u32>(bound), red->GetID());
    ExpectNear(At(Width / 2, Height / 2), {255, 0, 0});
}

TEST_F(OGLDeviceTest, ATextureMadeAfterAnotherWentGetsItsParametersSent)
{
    TextureUnit0State unit;
    unit.enabled = 1;
    unit.filter = TextureFilter::Linear;
    Core::RefPtr<ITexture> first = Plain("first.png", 255, 0, 0);
    renderer->SetTexture(0, first);
    unit.Apply(*renderer);
    renderer->SetTexture(0, nullptr);
    first = nullptr;
    // A new object starts with default parameters (a mipmapped minification filter, which leaves a
    // texture without mipmaps unusable), whatever name it gets.
    const Core::RefPtr<ITexture> second = Plain("second.png", 0, 255, 0);
    renderer->SetTexture(0, second);
    unit.Apply(*renderer);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<u32>(bound), second->GetID());
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
}

TEST_F(OGLDeviceTest, TheCurrentColourIsSentAgainAfterADrawWithAColourArray)
{
    PixelProjection();
    renderer->ClearColorBuffer(Math::Color(0, 0, 0, 1));
    CullingState culling;
    culling.enabled = 0;
    renderer->SetCullingState(culling);
    renderer->SetCurrentColor(Math::Color(1, 0, 0, 1));
    const f32 left[] = {0, 0, 0, 32, 0, 0, 32, 48, 0, 0, 48, 0};
    const Math::Color green[] = {{0, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 0, 1}};
    renderer->SetVertexArray(left);
    renderer->SetColorArray(green);
    renderer->DrawArrays(Primitive::TriangleFan, 0, 2);
    renderer->SetColorArray(nullptr);
    renderer->SetCurrentColor(Math::Color(1, 0, 0, 1));
    const f32 right[] = {32, 0, 0, 64, 0, 0, 64, 48, 0, 32, 48, 0};
    renderer->SetVertexArray(right);
    renderer->DrawArrays(Primitive::TriangleFan, 0, 2);
    renderer->SetVertexArray(nullptr);
    ExpectNear(At(16, 24), {0, 255, 0});
    ExpectNear(At(48, 24), {255, 0, 0});
}

TEST_F(OGLDeviceTest, MatricesLoadIntoTheirOwnStacksAfterPresentingRasterCommands)
{
    renderer->SetProjectionMatrix(Math::Matrix4x4::Ortho(0, Width, 0, Height));
    const Core::RefPtr<Surface> surface(new Surface(2, 2, Surface::FormatRGBA));
    renderer->DrawSurface(surface, 0, 0, 0, 0, 2, 2, 0, 0);
    renderer->Present();
    // The raster commands left the model-view stack selected: a projection must not land there.
    renderer->SetProjectionMatrix(Math::Matrix4x4::Ortho(0, 2.0f * Width, 0, 2.0f * Height));
    GLfloat modelView[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    EXPECT_FLOAT_EQ(modelView[0], 1.0f);
    GLfloat projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_FLOAT_EQ(projection[0], 1.0f / Width);
}

// Sprite-like draws against the same draws with neutral extra states (a colour array, a stencil
// test, a depth value written elsewhere): the renderer draws with the states as set either way.
class OGLDrawStatesTest : public OGLDeviceTest
{
protected:
    void SetUp() override
    {
        OGLDeviceTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // Colours that change across the picture, three transparent columns on the left, a transparent
        // bottom row and a ramp of alphas.
        TestSupport::Picture picture(8, 8);
        for (i32 y = 0; y < 8; ++y)
            for (i32 x = 0; x < 8; ++x)
                picture.Set(x, y, static_cast<u8>(x * 36), static_cast<u8>(255 - y * 30), static_cast<u8>(x * y * 4),
                            static_cast<u8>(x < 3 || y == 0 ? 0 : 40 + x * 20 + y * 5));
        sheet = TextureCache::GetTexture(folder.Write("sheet.png", TestSupport::EncodePng(picture)).c_str(), 0);
        ASSERT_TRUE(sheet);
    }

    void TearDown() override
    {
        sheet = nullptr;
        OGLDeviceTest::TearDown();
    }

    // The sprite states: blending, dropping transparent fragments, testing depth without writing it.
    void SpriteStates(u8 writeDepth)
    {
        DepthBufferState depth;
        renderer->SetDepthBufferState(depth);
        renderer->ClearBuffers(Math::Color(0.2f, 0.3f, 0.4f, 1.0f), 1.0f, 0);
        PixelProjection();
        CullingState culling;
        culling.enabled = 0;
        renderer->SetCullingState(culling);
        AlphaBlendingState blending;
        blending.enabled = 1;
        renderer->SetAlphaBlendingState(blending);
        AlphaTestingState alphaTest;
        alphaTest.enabled = 1;
        alphaTest.function = CompareFunction::NotEqual;
        renderer->SetAlphaTestingState(alphaTest);
        depth.writeEnabled = writeDepth;
        renderer->SetDepthBufferState(depth);
        renderer->SetTexture(0, sheet);
        TextureUnit0State unit;
        unit.enabled = 1;
        unit.filter = TextureFilter::Linear;
        unit.wrapS = unit.wrapT = TextureWrap::ClampToEdge;
        unit.environment = TextureEnvironmentMode::Modulate;
        unit.Apply(*renderer);
    }

    // Overlapping rotated quads at depth z, in the current colour or in a colour array of that
    // colour.
    void DrawQuads(const Math::Color& color, bool colorArray, int count = 5, f32 z = -0.5f)
    {
        renderer->SetCurrentColor(color);
        const Math::Color colors[4] = {color, color, color, color};
        for (int i = 0; i < count; ++i)
        {
            const f32 cx = 14.0f + 9.0f * static_cast<f32>(i);
            const f32 cy = 20.0f + 2.5f * static_cast<f32>(i);
            const f32 c = std::cos(0.4f + 0.7f * static_cast<f32>(i)) * 13.0f;
            const f32 s = std::sin(0.4f + 0.7f * static_cast<f32>(i)) * 13.0f;
            const f32 quad[] = {cx - c + s, cy - s - c, z, cx + c + s, cy + s - c, z,
                                cx + c - s, cy + s + c, z, cx - c - s, cy - s + c, z};
            static const f32 uv[] = {0, 0, 1, 0, 1, 1, 0, 1};
            renderer->SetVertexArray(quad);
            renderer->SetTexCoordArray(0, uv);
            renderer->SetColorArray(colorArray ? colors : nullptr);
            renderer->DrawArrays(Primitive::TriangleFan, 0, 2);
        }
        renderer->SetColorArray(nullptr);
        renderer->SetTexCoordArray(0, nullptr);
        renderer->SetVertexArray(nullptr);
    }

    // A stencil test that passes and keeps everything, and a depth value written where no quad
    // goes: nothing changes, but the alpha and depth tests count.
    void NeutralStencilAndDepth()
    {
        StencilBufferState stencil;
        stencil.enabled = 1;
        renderer->SetStencilBufferState(stencil);
        DepthBufferState depth;
        renderer->SetDepthBufferState(depth);
        ColorMaskState noColor;
        noColor.red = noColor.green = noColor.blue = noColor.alpha = 0;
        renderer->SetColorMaskState(noColor);
        renderer->DrawRect(Width - 2, Height - 2, Width, Height);
        renderer->SetColorMaskState(ColorMaskState());
        depth.writeEnabled = 0;
        renderer->SetDepthBufferState(depth);
    }

    Core::RefPtr<ITexture> sheet;
};

TEST_F(OGLDrawStatesTest, WhiteBlendedSpritesDrawTheSamePixelsAsWithTheStatesAsSet)
{
    SpriteStates(0);
    DrawQuads(Math::Color(1, 1, 1, 1), false);
    const std::vector<u8> held = ReadFrame();

    SpriteStates(0);
    NeutralStencilAndDepth();
    DrawQuads(Math::Color(1, 1, 1, 1), true);
    const std::vector<u8> asSet = ReadFrame();

    EXPECT_TRUE(held == asSet);
    EXPECT_NE(held, std::vector<u8>(held.size(), held[0]));
    // The renderer still reports the states it was given.
    AlphaTestingState alphaTest;
    EXPECT_EQ(renderer->GetAlphaTestingState(alphaTest).enabled, 1);
    TextureUnit0State unit;
    EXPECT_EQ(renderer->GetTextureUnit0State(unit).environment, TextureEnvironmentMode::Modulate);
}

TEST_F(OGLDrawStatesTest, OpaqueTexturesAndTransparentColoursDrawTheSamePixelsAsWithBlendingAsSet)
{
    TestSupport::Picture picture(8, 8);
    for (i32 y = 0; y < 8; ++y)
        for (i32 x = 0; x < 8; ++x)
            picture.Set(x, y, static_cast<u8>(x * 36), static_cast<u8>(255 - y * 30), static_cast<u8>(x * y * 4), 255);
    const Core::RefPtr<ITexture> opaque =
        TextureCache::GetTexture(folder.Write("opaque.png", TestSupport::EncodePng(picture)).c_str(), 0);
    ASSERT_TRUE(opaque);
    EXPECT_TRUE(opaque->IsOpaque());
    EXPECT_FALSE(sheet->IsOpaque());
    const auto opaqueStates = [&] {
        SpriteStates(0);
        renderer->SetTexture(0, opaque);
        TextureUnit0State unit;
        renderer->GetTextureUnit0State(unit).Apply(*renderer);
    };
    // In the current colour the quads go without blending; in a colour array they blend as set.
    opaqueStates();
    DrawQuads(Math::Color(1, 1, 1, 1), false);
    DrawQuads(Math::Color(0.6f, 0.9f, 0.3f, 1), false);
    const std::vector<u8> held = ReadFrame();
    opaqueStates();
    DrawQuads(Math::Color(1, 1, 1, 1), true);
    DrawQuads(Math::Color(0.6f, 0.9f, 0.3f, 1), true);
    EXPECT_TRUE(held == ReadFrame());
    EXPECT_NE(held, std::vector<u8>(held.size(), held[0]));
    AlphaBlendingState blending;
    EXPECT_EQ(renderer->GetAlphaBlendingState(blending).enabled, 1);

    // Quads of alpha 0 leave no mark.
    DrawQuads(Math::Color(1, 0, 0, 0), false);
    renderer->SetTexture(0, sheet);
    DrawQuads(Math::Color(0, 0, 1, 0), false);
    EXPECT_TRUE(held == ReadFrame());
    // A translucent quad over an opaque texture still blends.
    renderer->SetTexture(0, opaque);
    DrawQuads(Math::Color(1, 1, 1, 0.5f), false, 1);
    EXPECT_FALSE(held == ReadFrame());
}

TEST_F(OGLDrawStatesTest, ColouredDrawsAndDepthWritesStillModulateAndTestAlpha)
{
    SpriteStates(0);
    DrawQuads(Math::Color(1, 1, 1, 1), false);
    DrawQuads(Math::Color(0.9f, 0.4f, 0.7f, 0.8f), false);
    const std::vector<u8> held = ReadFrame();
    SpriteStates(0);
    NeutralStencilAndDepth();
    DrawQuads(Math::Color(1, 1, 1, 1), true);
    DrawQuads(Math::Color(0.9f, 0.4f, 0.7f, 0.8f), true);
    EXPECT_TRUE(held == ReadFrame());
    // Replacing would have drawn the coloured quads white.
    SpriteStates(0);
    DrawQuads(Math::Color(1, 1, 1, 1), false);
    DrawQuads(Math::Color(1, 1, 1, 1), false);
    EXPECT_FALSE(held == ReadFrame());

    // Writing depth, transparent texels must not hide what is drawn behind them later.
    SpriteStates(1);
    DrawQuads(Math::Color(1, 1, 1, 1), false, 1);
    const f32 behind[] = {0, 0, -0.9f, Width, 0, -0.9f, Width, Height, -0.9f, 0, Height, -0.9f};
    renderer->SetTexture(0, nullptr);
    renderer->SetCurrentColor(Math::Color(1, 0, 0, 1));
    renderer->SetVertexArray(behind);
    renderer->DrawArrays(Primitive::TriangleFan, 0, 2);
    renderer->SetVertexArray(nullptr);
    // Inside the quad's transparent columns.
    const std::vector<u8> transparent = ReadPixel(4, 16);
    EXPECT_EQ(transparent[0], 255);
    EXPECT_EQ(transparent[1], 0);
}

TEST_F(OGLDrawStatesTest, QuadsOnTheFarPlaneStayHiddenBehindTheClearedDepth)
{
    SpriteStates(0);
    const std::vector<u8> background = ReadFrame();
    // Eye z -1 is the far plane of the pixel projection: the strict depth test fails there.
    DrawQuads(Math::Color(1, 1, 1, 1), false, 5, -1.0f);
    EXPECT_TRUE(background == ReadFrame());
    DrawQuads(Math::Color(1, 1, 1, 1), false, 5, -0.999f);
    EXPECT_FALSE(background == ReadFrame());
}

TEST_F(OGLDrawStatesTest, DepthWrittenSinceTheClearStillHidesWhatLiesBehind)
{
    SpriteStates(0);
    const std::vector<u8> background = ReadFrame();
    // An invisible occluder over the whole window, writing depth in front of the quads.
    AlphaTestingState noAlphaTest;
    renderer->SetAlphaTestingState(noAlphaTest);
    DepthBufferState depth;
    renderer->SetDepthBufferState(depth);
    ColorMaskState noColor;
    noColor.red = noColor.green = noColor.blue = noColor.alpha = 0;
    renderer->SetColorMaskState(noColor);
    renderer->DrawRect(0, 0, Width, Height);
    renderer->SetColorMaskState(ColorMaskState());
    depth.writeEnabled = 0;
    renderer->SetDepthBufferState(depth);
    DrawQuads(Math::Color(1, 1, 1, 1), false, 5, -0.9f);
    EXPECT_TRUE(background == ReadFrame());
}

TEST_F(OGLDrawStatesTest, UnitZeroModulatesAgainWhileAnotherUnitIsActive)
{
    SpriteStates(0);
    DrawQuads(Math::Color(1, 1, 1, 1), false);
    // Unit 1 becomes the active unit; unit 0 is left as it was.
    renderer->SetTexture(1, sheet);
    TextureUnit1State second;
    second.enabled = 0;
    second.Apply(*renderer);
    DrawQuads(Math::Color(0.3f, 1.0f, 0.5f, 1.0f), false);
    const std::vector<u8> held = ReadFrame();

    SpriteStates(0);
    NeutralStencilAndDepth();
    DrawQuads(Math::Color(1, 1, 1, 1), true);
    renderer->SetTexture(1, sheet);
    second.Apply(*renderer);
    DrawQuads(Math::Color(0.3f, 1.0f, 0.5f, 1.0f), true);
    EXPECT_TRUE(held == ReadFrame());

    SpriteStates(0);
    DrawQuads(Math::Color(1, 1, 1, 1), false);
    renderer->SetTexture(1, sheet);
    second.Apply(*renderer);
    DrawQuads(Math::Color(1, 1, 1, 1), false);
    EXPECT_FALSE(held == ReadFrame());
}

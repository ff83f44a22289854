// A level drawn by the OpenGL renderer under Xvfb: a camera, a viewport, a sprite from a generated
// sheet, a text and a particle system, checked by the pixels read back before the frame is shown.
// With MORVANE_SCREENSHOT_DIR set, the frame is also written there as "FrameworkScreen.png".
#include "Framework_GameFixture.h"
#include "Framework_RoundTrip.h"

#include "platform/PAL_Window.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_Text.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "tests/support/Support_GLWindow.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"
#include "tests/support/Support_Skip.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>

using namespace FrameworkTest;

namespace
{
constexpr i32 Width = 320;
constexpr i32 Height = 240;
constexpr i32 Cell = 32;

using Pixel = std::array<int, 3>;

// Top-left red, top-right green, bottom-left blue, bottom-right yellow: the texture loader keeps
// rows from the bottom of the picture, so frame (0, 0) is the blue cell.
std::vector<u8> SheetPng()
{
    TestSupport::Picture sheet(2 * Cell, 2 * Cell);
    for (i32 y = 0; y < 2 * Cell; ++y)
    {
        for (i32 x = 0; x < 2 * Cell; ++x)
        {
            const bool right = x >= Cell;
            if (y < Cell)
                sheet.Set(x, y, right ? 0 : 255, right ? 255 : 0, 0, 255);
            else
                sheet.Set(x, y, right ? 255 : 0, right ? 255 : 0, right ? 0 : 255, 255);
        }
    }
    return TestSupport::EncodePng(sheet);
}

std::vector<u8> WhiteSquarePng()
{
    TestSupport::Picture square(8, 8);
    square.Fill(255, 255, 255, 255);
    return TestSupport::EncodePng(square);
}

class ScreenTest : public HeadlessGameTest
{
protected:
    void SetUp() override
    {
        HeadlessGameTest::SetUp();
        Vellumar::Camera::ResetGlobals();
        if (!PAL::Window(8, 8).IsCreated())
            MORVANE_SKIP_WITHOUT_DISPLAY();
        Engine::ApplicationSettings settings = HeadlessSettings();
        settings.width = Width;
        settings.height = Height;
        factory = new TestFactory(log, 1);
        game = new Vellumar::Game(factory.Get(), settings, 0, &Renderer::CreateOGLRenderer, input);
        pixels.resize(Renderer::FrameBufferSize(Width, Height));
    }

    void TearDown() override
    {
        if (game)
        {
            game->Shutdown();
            game = nullptr;
        }
        Vellumar::Camera::ResetGlobals();
    }

    // One frame, read back before it is shown.
    void DrawFrame()
    {
        game->BeginFrame();
        game->Update();
        ASSERT_TRUE(game->GetRenderer()->ReadFrameBuffer(pixels.data(), static_cast<u32>(pixels.size())));
        game->EndFrame();
        clock.Advance(FrameMs);
    }

    Pixel PixelAt(i32 x, i32 y) const { return TestSupport::FramePixel(pixels, Width, x, y); }

    int LitPixels(i32 left, i32 bottom, i32 right, i32 top) const
    {
        return TestSupport::CountLitPixels(pixels, Width, left, bottom, right, top);
    }

    Log log;
    Core::RefPtr<TestFactory> factory;
    Core::RefPtr<Vellumar::Game> game;
    std::vector<u8> pixels;
};

void ExpectNear(const Pixel& actual, const Pixel& expected)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 8) << "channel " << i;
}

// The scene: a camera at one world unit a pixel at z = 0 (the world origin at the window's
// bottom left), the sprite, the caption and the particles. HUD objects are placed from the
// viewport's centre, at the same pixels as the world ones.
struct Scene
{
    Vellumar::Camera* camera = nullptr;
    Vellumar::Sprite* sprite = nullptr;
    Vellumar::Text* caption = nullptr;
};

void BuildScene(Vellumar::Level& level, const std::string& sheetPath, const std::string& sparkPath, bool hud,
                Scene& scene)
{
    const f32 dx = hud ? -Width / 2.0f : 0.0f;
    const f32 dy = hud ? -Height / 2.0f : 0.0f;
    auto* layer = new Vellumar::Layer(0.0f);
    level.AddLayer(layer);
    scene.camera = new Vellumar::Camera(45.0f);
    scene.camera->SetPosition(Width / 2.0f, Height / 2.0f);
    scene.camera->SetZOrder(static_cast<f32>(Height) / (2.0f * std::tan(22.5f * 0.017453292f)));
    layer->AddGameObject(scene.camera);
    auto* viewport = new Vellumar::Viewport(0, 0, Width, Height);
    viewport->SetCamera(scene.camera);
    viewport->SetClearColor(Math::Color(0.2f, 0.2f, 0.2f, 1.0f));
    level.AddViewport(viewport);

    auto* animation = new Vellumar::SpriteAnimation(Core::String(sheetPath.c_str()), 2, 2,
                                                    Core::Vector<f32>{10.0f, 10.0f, 10.0f, 10.0f});
    const Core::RefPtr<Vellumar::SpriteAnimation> held(animation);
    scene.sprite = new Vellumar::Sprite(Core::Vector<Vellumar::SpriteAnimation*>{animation});
    scene.sprite->SetPosition(80.0f + dx, 160.0f + dy);
    scene.sprite->SetHUDObject(hud);
    layer->AddGameObject(scene.sprite);

    scene.caption = new Vellumar::Text("MORVANE", "");
    scene.caption->SetPosition(20.0f + dx, 40.0f + dy);
    scene.caption->SetHUDObject(hud);
    layer->AddGameObject(scene.caption);

    auto* sparks = new Vellumar::ParticleSystem(Core::String(sparkPath.c_str()), 4, 64.0f, Math::Vector2D());
    sparks->SetEmitter(new Vellumar::PointEmitter());
    sparks->SetParticleLifeTime(100.0f, 100.0f);
    sparks->SetEmissionRate(1000.0f, 1000.0f);
    const Math::Color green(0.0f, 1.0f, 0.0f, 1.0f);
    sparks->SetParticleStartingColor(green, green);
    sparks->SetParticleEndingColor(green, green);
    sparks->SetParticleStartingScale(Math::Vector2D(2.0f, 2.0f), Math::Vector2D(2.0f, 2.0f));
    sparks->SetParticleEndingScale(Math::Vector2D(2.0f, 2.0f), Math::Vector2D(2.0f, 2.0f));
    sparks->SetPosition(240.0f + dx, 160.0f + dy);
    sparks->SetHUDObject(hud);
    layer->AddGameObject(sparks);
}
}  // namespace

class ScreenSceneTest : public ScreenTest
{
protected:
    void Build(bool hud)
    {
        sheetPath = folder.Write("Sheet.png", SheetPng());
        sparkPath = folder.Write("Spark.png", WhiteSquarePng());
        factory->builders[0] = [this, hud](Vellumar::Level& level) {
            BuildScene(level, sheetPath, sparkPath, hud, scene);
        };
        for (int i = 0; i < 4; ++i)
        {
            DrawFrame();
        }
        ASSERT_NE(scene.sprite, nullptr);
    }

    void ExpectSceneAtItsPixels()
    {
        // The sheet's bottom-left cell fills 32 x 32 pixels around the sprite.
        ExpectNear(PixelAt(80, 160), {0, 0, 255});
        ExpectNear(PixelAt(68, 148), {0, 0, 255});
        ExpectNear(PixelAt(91, 171), {0, 0, 255});
        ExpectNear(PixelAt(110, 160), {51, 51, 51});
        // The particles: a green square of 16 pixels at the system, the clear colour beyond it.
        ExpectNear(PixelAt(240, 160), {0, 255, 0});
        ExpectNear(PixelAt(246, 154), {0, 255, 0});
        ExpectNear(PixelAt(252, 160), {51, 51, 51});
        // The caption is white ink in its box and nowhere else.
        f32 textWidth = 0.0f;
        f32 textHeight = 0.0f;
        scene.caption->MeasureText(textWidth, textHeight);
        ASSERT_GT(textWidth, 0.0f);
        const i32 right = 20 + static_cast<i32>(textWidth) + 16;
        const int inside = LitPixels(16, 40, right, 40 + static_cast<i32>(textHeight) + 16);
        EXPECT_GT(inside, 40);
        EXPECT_EQ(LitPixels(0, 0, Width, 36), 0);
        EXPECT_EQ(LitPixels(right, 0, Width, 120), 0);
    }

    TestSupport::ScratchFolder folder{"morvane_framework_screen"};
    std::string sheetPath;
    std::string sparkPath;
    Scene scene;
};

TEST_F(ScreenSceneTest, ALevelDrawsItsSpriteTextAndParticlesThroughItsCamera)
{
    Build(false);
    TestSupport::SaveScreenshot(pixels, Width, Height, "FrameworkScreen.png");
    ExpectSceneAtItsPixels();

    // The next frame of the sheet, the next cell.
    scene.sprite->SetCurrentFrame(1, false);
    DrawFrame();
    ExpectNear(PixelAt(80, 160), {255, 255, 0});
}

TEST_F(ScreenSceneTest, HudObjectsKeepTheirPixelsWhereverTheCameraGoes)
{
    Build(true);
    ExpectSceneAtItsPixels();
    scene.camera->SetPosition(Width / 2.0f + 700.0f, Height / 2.0f - 400.0f);
    scene.camera->SetRotationAngle(30.0f);
    scene.camera->SetZOrder(900.0f);
    DrawFrame();
    DrawFrame();
    TestSupport::SaveScreenshot(pixels, Width, Height, "FrameworkHudScreen.png");
    ExpectSceneAtItsPixels();
}

TEST_F(ScreenTest, ParticlesDrawnSmallerThanTheirTextureAreFilteredThroughMipmaps)
{
    // Opaque stripes of white and black one texel wide: shrunk four times without mipmaps they
    // would show whichever stripes the pixels happen to sample.
    TestSupport::Picture stripes(64, 64);
    for (i32 y = 0; y < 64; ++y)
        for (i32 x = 0; x < 64; ++x)
            stripes.Set(x, y, x % 2 ? 255 : 0, x % 2 ? 255 : 0, x % 2 ? 255 : 0, 255);
    TestSupport::ScratchFolder folder{"morvane_framework_mipmaps"};
    // In the system's own spelling, so that a save keeps only the file name.
    std::string path = folder.Write("Stripes.png", TestSupport::EncodePng(stripes));
    std::replace(path.begin(), path.end(), '/', '\\');
    Vellumar::ParticleSystemBase* system = nullptr;
    factory->builders[0] = [&](Vellumar::Level& level) {
        Scene scene;
        BuildScene(level, folder.Write("Sheet.png", SheetPng()), folder.Write("Spark.png", WhiteSquarePng()), false, scene);
        // One particle a quarter of the texture's size, off the pixel grid.
        system = new Vellumar::ParticleSystemBase(Core::String(path.c_str()), 1, 64.0f);
        const f32 particle[Vellumar::ParticleSystemBase::VertexFloats] = {0.0f, 0.0f, 0.0f, 0.25f, 0.25f, 0.0f,
                                                                          1.0f, 1.0f, 1.0f, 1.0f};
        std::copy(particle, particle + Vellumar::ParticleSystemBase::VertexFloats, system->GetVertexArray());
        system->SetPosition(160.1f, 100.0f);
        level.GetLayer(0u)->AddGameObject(system);
    };
    for (int i = 0; i < 4; ++i)
        DrawFrame();
    ASSERT_NE(system, nullptr);
    // Inside the 16-pixel quad every pixel is the stripes' average.
    int notGrey = 0;
    for (i32 y = 94; y < 106; ++y)
        for (i32 x = 154; x < 166; ++x)
            for (int channel : PixelAt(x, y))
                notGrey += std::abs(channel - 128) > 8 ? 1 : 0;
    EXPECT_EQ(notGrey, 0);

    // A loaded system takes its texture with mipmaps too (here the test pattern: the file is not in
    // the particle-systems folder).
    const std::vector<u8> saved = FrameworkTest::Saved(system);
    Core::MemoryFile file(saved.data(), static_cast<u32>(saved.size()));
    Core::RefPtr<Vellumar::ParticleSystemBase> loaded;
    ASSERT_TRUE(file.ReadObjectInto(loaded));
    ASSERT_TRUE(loaded->GetEngineParticleSystem()->GetTexture());
    EXPECT_TRUE(loaded->GetEngineParticleSystem()->GetTexture()->HasMipmaps());
    EXPECT_TRUE(system->GetEngineParticleSystem()->GetTexture()->HasMipmaps());
}

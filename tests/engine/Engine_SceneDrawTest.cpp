// A textured quad drawn through a camera by the scene graph and the render queue on a real
// OpenGL context (Xvfb with Mesa), checked by the pixels read back.
#include "Engine_SceneTestSupport.h"

#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"
#include "renderer/Renderer_TextureCache.h"
#include "tests/support/Support_GLWindow.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
constexpr i32 Side = 128;

class SceneDrawTest : public TestSupport::GLWindowTest
{
protected:
    SceneDrawTest() : GLWindowTest(Side, Side) {}

    void SetUp() override
    {
        GLWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        scene = new Engine::SceneGraph(renderer.Get());
        scene->SetViewportCount(1);
    }

    void TearDown() override
    {
        scene = nullptr;
        GLWindowTest::TearDown();
    }

    Core::RefPtr<Engine::SceneGraph> scene;
    TestSupport::ScratchFolder folder{"morvane_scene_draw"};
};
} // namespace

TEST_F(SceneDrawTest, TexturedQuadThroughACameraShowsItsFourQuarters)
{
    // Picture quarters: top red | blue, bottom yellow | white.
    const u8 quarters[2][2][3] = {{{255, 0, 0}, {0, 0, 255}}, {{255, 255, 0}, {255, 255, 255}}};
    TestSupport::Picture picture(4, 4);
    for (i32 y = 0; y < 4; ++y)
    {
        for (i32 x = 0; x < 4; ++x)
        {
            const u8* colour = quarters[y / 2][x / 2];
            picture.Set(x, y, colour[0], colour[1], colour[2], 255);
        }
    }
    const std::string path = folder.Write("quarters.png", TestSupport::EncodePng(picture));
    Engine::RenderItem item;
    item.useQueueDefaults = 1;
    item.subset = 0;
    item.texture = Renderer::TextureCache::GetTexture(path.c_str(), 0);
    item.world = Math::Matrix4x4::Scaling(2.0f, 2.0f, 1.0f);
    ASSERT_TRUE(item.texture);
    const Core::RefPtr<SceneTest::Drawable> quad(new SceneTest::Drawable(item));
    scene->AttachChild(quad);

    // A 90-degree camera 2 units away sees 4 x 4 units: the 2 x 2 quad fills the middle half.
    const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
    holder->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 2.0f));
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(90.0f, 0.5f, 100.0f));
    holder->AttachChild(camera);
    scene->AttachChild(holder);
    Engine::Viewport viewport(0, 0, Side, Side);
    viewport.SetClearColor(Math::Color(0.0f, 1.0f, 0.0f, 1.0f));

    scene->UpdateScene(0.016f);
    scene->SetCurrentViewport(0);
    scene->RenderViewport(*camera, viewport);

    const std::vector<u8> frame = ReadFrame();
    EXPECT_EQ(PixelOf(frame, 40, 88), (std::vector<u8>{255, 0, 0}));
    EXPECT_EQ(PixelOf(frame, 88, 88), (std::vector<u8>{0, 0, 255}));
    EXPECT_EQ(PixelOf(frame, 40, 40), (std::vector<u8>{255, 255, 0}));
    EXPECT_EQ(PixelOf(frame, 88, 40), (std::vector<u8>{255, 255, 255}));
    EXPECT_EQ(PixelOf(frame, 10, 64), (std::vector<u8>{0, 255, 0}));
    EXPECT_EQ(PixelOf(frame, 120, 120), (std::vector<u8>{0, 255, 0}));
}

TEST_F(SceneDrawTest, ViewportBackgroundFillsItsRectangle)
{
    TestSupport::Picture picture(2, 2);
    picture.Fill(0, 0, 255, 255);
    const std::string path = folder.Write("background.png", TestSupport::EncodePng(picture));
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(60.0f, 1.0f, 100.0f));
    scene->AttachChild(camera);
    Engine::Viewport viewport(32, 16, 64, 32);
    viewport.SetBackground(path.c_str());
    ASSERT_TRUE(viewport.GetBackground());
    EXPECT_EQ(viewport.GetBackground()->HasMipmaps(), 0);
    renderer->ClearBuffers(Math::Color(0.0f, 0.0f, 0.0f, 1.0f), 1.0f, 0);

    scene->UpdateScene(0.016f);
    scene->RenderViewport(*camera, viewport);

    const std::vector<u8> frame = ReadFrame();
    EXPECT_EQ(PixelOf(frame, 33, 17), (std::vector<u8>{0, 0, 255}));
    EXPECT_EQ(PixelOf(frame, 94, 46), (std::vector<u8>{0, 0, 255}));
    EXPECT_EQ(PixelOf(frame, 31, 17), (std::vector<u8>{0, 0, 0}));
    EXPECT_EQ(PixelOf(frame, 64, 49), (std::vector<u8>{0, 0, 0}));
}

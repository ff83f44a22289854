// Cameras (the active listener, the fly camera, their record) and viewports (drawing through a
// live camera, backgrounds from the level's folder, their record).
#include "Framework_GameFixture.h"
#include "Framework_RoundTrip.h"

#include "framework/drawables/Vellumar_Camera.h"
#include "math/Math_Quaternion.h"
#include "framework/core/Vellumar_Resources.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "tests/engine/Engine_SceneTestSupport.h"

using namespace FrameworkTest;
using Vellumar::Camera;
using Vellumar::Viewport;

namespace
{
class CameraTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        Camera::ResetGlobals();
    }
    void TearDown() override
    {
        GameFixture::TearDown();
        Camera::ResetGlobals();
    }

    // One fly step with exactly these virtual keys held.
    Math::Matrix4x4 Fly(Camera& camera, std::initializer_list<u8> keys)
    {
        input.ReleaseAll();
        for (u8 key : keys)
        {
            input.Press(key);
        }
        game->GetKeyboard()->Update();
        camera.UpdateFromKeyboard();
        return camera.GetRenderNode()->GetTransform();
    }
};

constexpr u8 VkLeft = 0x25;
constexpr u8 VkUp = 0x26;
constexpr u8 VkDown = 0x28;

void ExpectNear(const Math::Matrix4x4& actual, const Math::Matrix4x4& expected)
{
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_NEAR(actual.e[i], expected.e[i], 1e-5f) << "element " << i;
    }
}
}  // namespace

TEST_F(CameraTest, TheFirstCameraListensUntilItIsCleanedUp)
{
    const Core::RefPtr<Camera> first(new Camera(60.0f));
    const Core::RefPtr<Camera> second(new Camera());
    const Core::RefPtr<Camera> copy(first->Clone());
    EXPECT_EQ(Camera::GetActiveListener(), first.Get());
    EXPECT_EQ(copy->GetFOV(), 60.0f);

    second->Cleanup();
    second->Cleanup();
    EXPECT_EQ(Camera::GetActiveListener(), first.Get());
    copy->MakeActiveListener();
    EXPECT_TRUE(copy->IsActiveListener());
    copy->Cleanup();
    EXPECT_EQ(Camera::GetActiveListener(), nullptr);

    // A camera that goes without an explicit cleanup stops listening too.
    {
        const Core::RefPtr<Camera> transient(new Camera());
        EXPECT_EQ(Camera::GetActiveListener(), transient.Get());
    }
    EXPECT_EQ(Camera::GetActiveListener(), nullptr);
}

TEST_F(CameraTest, TheActiveListenerAndTheCameraRecordRoundTrip)
{
    MakeGame();
    const Core::RefPtr<Camera> camera(new Camera(30.0f));
    camera->SetPosition(5.0f, 6.0f);
    Core::MemoryFile file;
    Camera::SaveActiveListener(file);
    const Core::RefPtr<Camera> loaded = RoundTrip(camera.Get());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetFOV(), 30.0f);
    EXPECT_EQ(loaded->GetEngineCamera()->GetFOV(), 30.0f);
    EXPECT_EQ(loaded->GetPositionX(), 5.0f);

    Camera::ResetGlobals();
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    Camera::LoadActiveListener(readBack);
    ASSERT_NE(Camera::GetActiveListener(), nullptr);
    EXPECT_EQ(Camera::GetActiveListener()->GetFOV(), 30.0f);
    // The reader made the camera; the test holds it from here.
    const Core::RefPtr<Camera> holder(Camera::GetActiveListener());
    holder->Cleanup();
    EXPECT_EQ(Camera::GetActiveListener(), nullptr);

    // A camera saved after its cleanup does not listen once read back, so it can never leave a
    // listener behind that nothing clears.
    const Core::RefPtr<Camera> loadedAfterCleanup = RoundTrip(holder.Get());
    ASSERT_TRUE(loadedAfterCleanup);
    EXPECT_EQ(Camera::GetActiveListener(), nullptr);
}

TEST_F(CameraTest, FlyingMovesAtOnceAndTurnsFromTheNextCall)
{
    MakeGame();
    Start();
    const Core::RefPtr<Camera> camera(new Camera());
    ExpectNear(Fly(*camera, {VkUp, VkDown}), Math::Matrix4x4::Identity());
    ExpectNear(Fly(*camera, {VkUp}), Math::Matrix4x4::Translation(0.0f, 0.0f, -4.0f));

    // Left arrow turns about the up axis; the matrix of this call is still unturned.
    ExpectNear(Fly(*camera, {VkLeft}), Math::Matrix4x4::Translation(0.0f, 0.0f, -4.0f));
    Math::Vector3D up(0.0f, 1.0f, 0.0f);
    const Math::Matrix4x4 turned = Math::Quaternion(up, -4.0f).ToMatrix();
    ExpectNear(Fly(*camera, {}), Math::Matrix4x4::Translation(0.0f, 0.0f, -4.0f) * turned);

    // Forward now points along the turned axis.
    const Math::Matrix4x4 moved = Fly(*camera, {VkUp});
    const Math::Vector3D forward = Math::TransformPoint(turned, Math::Vector3D(0.0f, 0.0f, -4.0f));
    EXPECT_NEAR(moved.e[12], forward.x, 1e-4f);
    EXPECT_NEAR(moved.e[14], -4.0f + forward.z, 1e-4f);

    // R: the position at once, the orientation from the next call.
    const Math::Matrix4x4 reset = Fly(*camera, {'R'});
    EXPECT_NEAR(reset.e[12], 0.0f, 1e-6f);
    EXPECT_NEAR(reset.e[14], 0.0f, 1e-6f);
    EXPECT_NEAR(reset.e[0], turned.e[0], 1e-6f);
    ExpectNear(Fly(*camera, {}), Math::Matrix4x4::Identity());
}

TEST_F(CameraTest, ViewportsDrawInOrderThroughLiveCamerasOnly)
{
    MakeGame();
    factory->builders[0] = [](Vellumar::Level& level) {
        auto* layer = new Vellumar::Layer(0.0f);
        level.AddLayer(layer);
        auto* camera = new Camera();
        layer->AddGameObject(camera);
        auto* left = new Viewport(0, 0, 160, 240);
        left->SetName("left");
        left->SetCamera(camera);
        auto* right = new Viewport(160, 0, -1, 240);
        right->SetName("right");
        right->SetCamera(camera);
        level.AddViewport(left);
        level.AddViewport(right);
        level.AddViewport(new Viewport(0, 0, 10, 10));
    };
    Start();
    // The viewport rectangles a frame sets, without the whole window put back after each.
    const auto drawnRectangles = [this] {
        game->Recording().ClearLog();
        RunFrame();
        std::vector<std::vector<double>> rectangles;
        for (const auto& call : game->Recording().GetCalls())
        {
            if (std::string(call.operation) == "SetViewport" && call.arguments[2] != 320.0)
            {
                rectangles.emplace_back(call.arguments, call.arguments + 4);
            }
        }
        return rectangles;
    };
    // The camera-less viewport draws nothing.
    EXPECT_EQ(drawnRectangles(), (std::vector<std::vector<double>>{{0, 0, 160, 240}, {160, 0, 0, 240}}));

    // A camera that leaves its level is skipped, not followed.
    Vellumar::Level* level = game->GetCurrentLevel();
    level->GetViewport(0u)->GetCamera()->Destroy();
    RunFrame();
    EXPECT_EQ(level->GetViewport(0u)->GetCamera(), nullptr);
    EXPECT_TRUE(drawnRectangles().empty());
}

TEST_F(CameraTest, ViewportRecordKeepsItsRectangleColourAndLevelBackground)
{
    MakeGame();
    factory->builders[0] = [](Vellumar::Level& level) { level.SetName("Forest"); };
    Start();
    const Core::RefPtr<Camera> camera(new Camera());
    const Core::RefPtr<Viewport> viewport(new Viewport(3, 4, -5, 10));
    EXPECT_EQ(viewport->GetWidth(), 0);
    viewport->Set(1, 2, 30, 40);
    viewport->SetHeight(-7);
    EXPECT_EQ(viewport->GetHeight(), 0);
    viewport->SetHeight(40);
    viewport->SetName("main");
    viewport->SetCamera(camera.Get());
    viewport->SetClearColor(Math::Color(0.5f, 0.25f, 0.125f, 1.0f));
    viewport->SetBackground("C:\\Elsewhere\\sky.png");

    const Core::RefPtr<Viewport> loaded = RoundTrip(viewport.Get());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetName(), "main");
    EXPECT_EQ(loaded->GetX(), 1);
    EXPECT_EQ(loaded->GetWidth(), 30);
    EXPECT_EQ(loaded->GetClearColor().g, 0.25f);
    ASSERT_NE(loaded->GetCamera(), nullptr);
    EXPECT_EQ(loaded->GetBackground(),
              Vellumar::Game::GetDirectory() + "\\Resources\\Viewports Backgrounds\\Forest\\sky.png");
    loaded->GetCamera()->Cleanup();

    // No background, no camera: both stay empty.
    const Core::RefPtr<Viewport> bare = RoundTrip(new Viewport());
    ASSERT_TRUE(bare);
    EXPECT_TRUE(bare->GetBackground().empty());
    EXPECT_EQ(bare->GetCamera(), nullptr);
}

TEST_F(CameraTest, LoadedNamesNeverLeaveTheResourceFolders)
{
    EXPECT_TRUE(Vellumar::ResourceFile("Fonts", "..").empty());
    EXPECT_TRUE(Vellumar::ResourceFile("Fonts", "a/b").empty());
    EXPECT_TRUE(Vellumar::ResourceFile("Fonts", "..", "x").empty());
    EXPECT_TRUE(Vellumar::ResourceFile("Fonts", "x", "a\\..\\b").empty());
    EXPECT_TRUE(Vellumar::ResourceFile("Fonts", "").empty());
    EXPECT_EQ(Vellumar::ResourceFile("Fonts", "Big", "Big"),
              Vellumar::Game::GetDirectory() + "\\Resources\\Fonts\\Big\\Big");
}

TEST_F(CameraTest, EachViewportDrawsItsBackgroundThenTheSceneInTurn)
{
    MakeGame();
    const Core::RefPtr<Renderer::ITexture> sky(new SceneTest::FakeTexture(64, 64, "sky.png"));
    const Core::RefPtr<Renderer::ITexture> sea(new SceneTest::FakeTexture(64, 64, "sea.png"));
    const Core::RefPtr<Renderer::ITexture> sheet(new SceneTest::FakeTexture(32, 32, "sheet.png"));
    const Core::RefPtr<Vellumar::SpriteAnimation> still(new Vellumar::SpriteAnimation(sheet.Get(), 1, 1, {1.0f}));
    Vellumar::Sprite* sprite = nullptr;
    Vellumar::ParticleSystem* sparks = nullptr;
    factory->builders[0] = [&](Vellumar::Level& level) {
        auto* layer = new Vellumar::Layer(0.0f);
        level.AddLayer(layer);
        auto* camera = new Camera();
        camera->SetZOrder(300.0f);
        layer->AddGameObject(camera);
        sprite = new Vellumar::Sprite(Core::Vector<Vellumar::SpriteAnimation*>{still.Get()});
        layer->AddGameObject(sprite);
        sparks = new Vellumar::ParticleSystem("sparks.png", 4, 10.0f, Math::Vector2D());
        layer->AddGameObject(sparks);
        for (Renderer::ITexture* background : {sky.Get(), sea.Get()})
        {
            auto* viewport = new Viewport(0, 0, 160, 120);
            viewport->SetCamera(camera);
            viewport->GetEngineViewport()->SetBackgroundTexture(background);
            level.AddViewport(viewport);
        }
    };
    Start();
    game->Recording().ClearLog();
    RunFrame();
    std::vector<const Renderer::ITexture*> textures;
    for (const Renderer::RecordedDraw& draw : game->Recording().GetDraws())
    {
        if (draw.texture0 && (textures.empty() || textures.back() != draw.texture0.Get()))
        {
            textures.push_back(draw.texture0.Get());
        }
    }
    EXPECT_EQ(textures, (std::vector<const Renderer::ITexture*>{sky.Get(), sheet.Get(), sea.Get(), sheet.Get()}));

    // Whether an object reaches a viewport: by its volume against the camera's view.
    Vellumar::Viewport* viewport = game->GetCurrentLevel()->GetViewport(0u);
    EXPECT_TRUE(sprite->IsInViewport(viewport));
    EXPECT_TRUE(sparks->IsInViewport(viewport));
    sprite->SetPosition(5000.0f, 0.0f);
    sparks->SetPosition(0.0f, -5000.0f);
    RunFrame();
    EXPECT_FALSE(sprite->IsInViewport(viewport));
    EXPECT_FALSE(sparks->IsInViewport(viewport));
    EXPECT_FALSE(sprite->IsInViewport(nullptr));
    const Core::RefPtr<Viewport> blind(new Viewport());
    EXPECT_FALSE(sparks->IsInViewport(blind.Get()));
}

// The scene graph's frame: the viewport walk and its call order, the lists after each viewport,
// the window clear, the current-scene pointer; cameras on their own.
#include "Engine_SceneTestSupport.h"

#include "engine/Engine_Camera.h"
#include "engine/Engine_ParticleSystem.h"
#include "engine/Engine_Sprite.h"
#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using SceneTest::CallNames;
using SceneTest::Drawable;
using SceneTest::SceneFixture;

namespace
{
// Whether the names occur in this order (not necessarily next to each other).
bool InOrder(const std::vector<std::string>& names, const std::vector<std::string>& wanted)
{
    auto at = names.begin();
    for (const std::string& name : wanted)
    {
        at = std::find(at, names.end(), name);
        if (at == names.end())
            return false;
        ++at;
    }
    return true;
}

class SceneGraphTest : public SceneFixture
{
protected:
    void SetUp() override
    {
        SceneFixture::SetUp();
        camera = new Engine::Camera(60.0f, 1.0f, 1000.0f);
        cameraHolder = new Engine::TransformationGroup();
        cameraHolder->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 100.0f));
        cameraHolder->AttachChild(camera);
        scene->AttachChild(cameraHolder);
        viewport = new Engine::Viewport(0, 0, 320, 240);
    }

    // A drawable under the scene submitting a blended quad of the queue's defaults.
    Core::RefPtr<Drawable> AddDrawable(const char* name, std::vector<std::string>* log = nullptr)
    {
        Engine::RenderItem item;
        item.useQueueDefaults = 1;
        item.subset = 0;
        Core::RefPtr<Drawable> drawable(new Drawable(item, log));
        drawable->SetName(name);
        scene->AttachChild(drawable);
        return drawable;
    }

    Core::RefPtr<Engine::Camera> camera;
    Core::RefPtr<Engine::TransformationGroup> cameraHolder;
    Core::RefPtr<Engine::Viewport> viewport;
};
} // namespace

TEST_F(SceneGraphTest, ViewportWalkAppliesDrawsAndRestoresInOrder)
{
    std::vector<std::string> walk;
    AddDrawable("first", &walk);
    AddDrawable("second", &walk);
    viewport->SetBackgroundTexture(new SceneTest::FakeTexture(16, 16));
    scene->UpdateScene(0.016f);
    const Renderer::ViewportRect before = renderer->GetViewport();
    renderer->ClearLog();

    scene->RenderViewport(*camera, *viewport);

    EXPECT_EQ(walk, (std::vector<std::string>{"first", "second"}));
    const std::vector<std::string> calls = CallNames(*renderer);
    EXPECT_TRUE(InOrder(calls, {"SetViewport", "SetScissorState", "SetProjectionMatrix", "SetViewMatrix",
                                "ClearBuffers", "DrawRange", "DrawRange", "SetProjectionMatrix",
                                "SetViewMatrix", "SetViewport", "SetScissorState"}));
    // The background first, then the two quads through the camera, in one draw.
    ASSERT_EQ(renderer->GetDraws().size(), 2u);
    EXPECT_EQ(renderer->GetDraws()[1].count, 12u);
    EXPECT_EQ(renderer->GetDraws()[0].unit0.environment, Renderer::TextureEnvironmentMode::Replace);
    EXPECT_EQ(renderer->GetDraws()[1].projection, camera->GetProjection(320, 240));
    EXPECT_EQ(renderer->GetDraws()[1].view.e[14], -100.0f);
    EXPECT_EQ(queue->GetCamera().Get(), camera.Get());
    // Per-viewport lists are empty again; the renderer is back where it was.
    EXPECT_TRUE(queue->GetBlendedItems().empty());
    EXPECT_TRUE(queue->GetScreenQuads().empty());
    EXPECT_EQ(renderer->GetViewport().width, before.width);
    EXPECT_EQ(renderer->GetProjectionMatrix(), Math::Matrix4x4::Identity());
    EXPECT_EQ(renderer->GetViewMatrix(), Math::Matrix4x4::Identity());
    EXPECT_EQ(scene->GetViewFrustum().matrix, camera->GetFrustum().matrix);
}

TEST_F(SceneGraphTest, TwoViewportsDrawTheLastPassOnceAndKeepTheHudList)
{
    Core::RefPtr<Drawable> overlay = AddDrawable("overlay");
    overlay->item.lastPassOnly = 1;
    AddDrawable("plain");
    Core::RefPtr<Engine::TextRenderContext> hud(new Engine::TextRenderContext());
    hud->effect = Renderer::CreateTextEffect();
    queue->SubmitScreenObject(hud);

    scene->SetViewportCount(2);
    scene->UpdateScene(0.016f);
    renderer->ClearLog();
    scene->SetCurrentViewport(0);
    scene->RenderViewport(*camera, *viewport);
    EXPECT_EQ(renderer->GetDraws().size(), 1u);
    EXPECT_TRUE(queue->GetLastPassItems().empty());

    Engine::Viewport second(320, 0, 320, 240);
    scene->SetCurrentViewport(1);
    scene->RenderViewport(*camera, second);
    EXPECT_EQ(renderer->GetDraws().size(), 3u);
    EXPECT_TRUE(queue->GetLastPassItems().empty());
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 1u);
}

TEST_F(SceneGraphTest, ClearWindowClearsTheWholeWindowAndRestoresTheViewport)
{
    renderer->SetViewport(Renderer::ViewportRect{5, 6, 7, 8, 0.0f, 1.0f});
    renderer->ClearLog();
    scene->ClearWindow(Math::Color(0.25f, 0.5f, 0.75f, 1.0f));
    const Core::Vector<Renderer::RecordedCall>& calls = renderer->GetCalls();
    const auto clear = std::find_if(calls.begin(), calls.end(), [](const Renderer::RecordedCall& call) {
        return std::string(call.operation) == "ClearColorBuffer";
    });
    ASSERT_NE(clear, calls.end());
    EXPECT_EQ(clear->arguments[0], 0.25);
    EXPECT_EQ(clear->arguments[2], 0.75);
    EXPECT_EQ(renderer->CountCalls("ClearBuffers"), 0u);
    EXPECT_TRUE(InOrder(CallNames(*renderer), {"SetViewport", "ClearColorBuffer", "SetViewport"}));
    EXPECT_EQ(renderer->GetViewport().x, 5);
}

TEST_F(SceneGraphTest, CurrentSceneGraphIsTheLatestAndGoesWithIt)
{
    EXPECT_EQ(Engine::SceneGraph::GetCurrent(), scene.Get());
    {
        const Core::RefPtr<Engine::SceneGraph> other(new Engine::SceneGraph(renderer.Get()));
        EXPECT_EQ(Engine::SceneGraph::GetCurrent(), other.Get());
        scene->UpdateScene(0.0f);
        EXPECT_EQ(Engine::SceneGraph::GetCurrent(), scene.Get());
        other->UpdateScene(0.0f);
    }
    EXPECT_EQ(Engine::SceneGraph::GetCurrent(), nullptr);
    EXPECT_EQ(Engine::RenderQueue::GetInstance(), nullptr);
}

TEST_F(SceneGraphTest, DebugBoxesOfGroupsAndCamerasAreSubmittedOnlyWhenAsked)
{
    scene->UpdateScene(0.0f);
    scene->Render(scene->GetViewFrustum());
    EXPECT_TRUE(queue->GetBlendedItems().empty());
    scene->SetDrawBoundingVolume(true, true);
    scene->Render(scene->GetViewFrustum());
    // The scene graph's box, the transformation group's and the camera's.
    ASSERT_EQ(queue->GetBlendedItems().size(), 3u);
    EXPECT_EQ(queue->GetBlendedItems()[2].mesh.Get(), camera->GetBoundingVolume().GetDebugMesh().Get());
    EXPECT_EQ(queue->GetBlendedItems()[2].world, Math::Matrix4x4::Identity());
    // The group builds its box's effect when first asked, then keeps it.
    const Core::RefPtr<Renderer::Effect> groupEffect = queue->GetBlendedItems()[1].effect;
    ASSERT_TRUE(groupEffect);
    EXPECT_EQ(groupEffect->IsBlended(), 1);
    queue->Clear();
    camera->Render(scene->GetViewFrustum());
    EXPECT_TRUE(queue->GetBlendedItems().empty());
    scene->Render(scene->GetViewFrustum());
    ASSERT_EQ(queue->GetBlendedItems().size(), 3u);
    EXPECT_EQ(queue->GetBlendedItems()[1].effect.Get(), groupEffect.Get());
}

TEST_F(SceneGraphTest, SceneCloneHasItsOwnQueueAndBecomesCurrent)
{
    AddDrawable("leaf");
    scene->SetViewportCount(3);
    const Core::RefPtr<Engine::SceneGraph> copy(scene->Clone());
    EXPECT_EQ(Engine::SceneGraph::GetCurrent(), copy.Get());
    EXPECT_EQ(Engine::RenderQueue::GetInstance(), &copy->GetRenderQueue());
    EXPECT_EQ(copy->GetViewportCount(), 3u);
    EXPECT_EQ(copy->GetRenderer(), renderer.Get());
    EXPECT_EQ(copy->GetChildCount(), scene->GetChildCount());
    EXPECT_TRUE(copy->Find("leaf"));
    EXPECT_NE(copy->Find("leaf").Get(), scene->Find("leaf").Get());
}

TEST_F(SceneGraphTest, ASceneCloneTellsTheClonedTreeItBelongsToIt)
{
    // Records the scene graph it is told about; its clones keep the class.
    class SceneListener : public Engine::Node
    {
    public:
        SceneListener* Clone() const override { return new SceneListener(*this); }
        void SetSceneGraph(Engine::SceneGraph* value) override { scene = value; }
        Engine::SceneGraph* scene = nullptr;
    };
    const Core::RefPtr<SceneListener> leaf(new SceneListener());
    leaf->SetName("listener");
    const Core::RefPtr<Engine::TransformationGroup> layer(new Engine::TransformationGroup());
    layer->AttachChild(leaf);
    scene->AttachChild(layer);

    const Core::RefPtr<Engine::SceneGraph> copy(scene->Clone());
    const Core::RefPtr<Engine::Node> cloned = copy->Find("listener");
    ASSERT_TRUE(cloned);
    EXPECT_EQ(static_cast<SceneListener*>(cloned.Get())->scene, copy.Get());
    EXPECT_EQ(leaf->scene, nullptr);
}

TEST(Camera, AtTheOriginTheViewIsIdentityAndTheAspectFollowsTheViewport)
{
    Core::RefPtr<Renderer::RecordingRenderer> renderer =
        Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(1024, 768));
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(45.0f, 1.0f, 100.0f));
    const Math::Matrix4x4 savedProjection = Math::Matrix4x4::Ortho(0.0f, 10.0f, 0.0f, 10.0f);
    const Math::Matrix4x4 savedView = Math::Matrix4x4::Translation(3.0f, 0.0f, 0.0f);
    renderer->SetProjectionMatrix(savedProjection);
    renderer->SetViewMatrix(savedView);
    camera->Update(0.0f);
    camera->Apply(*renderer, 1024, 768);
    EXPECT_EQ(renderer->GetViewMatrix(), Math::Matrix4x4::Identity());
    const Math::Matrix4x4 projection = renderer->GetProjectionMatrix();
    EXPECT_EQ(projection, Math::Matrix4x4::Perspective(45.0f, 1.3333334f, 1.0f, 100.0f));
    EXPECT_FLOAT_EQ(projection.e[5] / projection.e[0], 1.3333334f);
    camera->Restore(*renderer);
    EXPECT_EQ(renderer->GetProjectionMatrix(), savedProjection);
    EXPECT_EQ(renderer->GetViewMatrix(), savedView);
}

TEST(Camera, ViewIsTheInverseOfThePlacementAndTheFrustumFollowsIt)
{
    Core::RefPtr<Renderer::RecordingRenderer> renderer =
        Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(640, 480));
    const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(90.0f, 1.0f, 100.0f));
    holder->SetTransform(Math::Matrix4x4::Translation(5.0f, 0.0f, 50.0f));
    holder->AttachChild(camera);
    holder->Update(0.0f);
    camera->Apply(*renderer, 640, 480);
    EXPECT_EQ(renderer->GetViewMatrix(), Math::Matrix4x4::Translation(-5.0f, 0.0f, -50.0f));
    EXPECT_EQ(camera->GetPosition(), Math::Vector3D(5.0f, 0.0f, 50.0f));
    Math::ViewFrustum built;
    camera->BuildProjection(built, 640, 480);
    EXPECT_EQ(built.matrix, camera->GetFrustum().matrix);
    // A box in front of the camera is seen, one behind it is not.
    Engine::BoundingVolume ahead(Math::Color(1, 1, 1, 0.5f));
    ahead.SetBox(Engine::MakeBox(1.0f, 1.0f, 1.0f));
    Engine::BoundingVolume behind(ahead);
    behind.Transform(Math::Matrix4x4::Translation(5.0f, 0.0f, 80.0f));
    ahead.Transform(Math::Matrix4x4::Translation(5.0f, 0.0f, 0.0f));
    EXPECT_NE(camera->GetFrustum().ClassifyBox(ahead.GetWorldBox()), 2);
    EXPECT_EQ(camera->GetFrustum().ClassifyBox(behind.GetWorldBox()), 2);
}

TEST(Camera, VolumeSpansTwentyUnitsAndClonesKeepIt)
{
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(60.0f, 0.5f, 500.0f));
    EXPECT_EQ(camera->GetNodeType(), Engine::NodeType::Camera);
    const Math::Frustum& box = camera->GetBoundingVolume().GetWorldBox();
    EXPECT_EQ(box.corners[0], Math::Vector3D(10.0f, 10.0f, 10.0f));
    EXPECT_EQ(box.corners[6], Math::Vector3D(-10.0f, -10.0f, -10.0f));
    camera->SetFOV(75.0f);
    const Core::RefPtr<Engine::Camera> copy(camera->Clone());
    EXPECT_EQ(copy->GetBoundingVolume().GetWorldBox().corners[0], Math::Vector3D(10.0f, 10.0f, 10.0f));
    EXPECT_EQ(copy->GetFOV(), 75.0f);
    EXPECT_EQ(copy->GetNear(), 0.5f);
    EXPECT_EQ(copy->GetFar(), 500.0f);
}

namespace
{
// Counts the viewport reads, each of which the OpenGL renderer answers by asking OpenGL.
class ViewportCountingRenderer : public Renderer::RecordingRenderer
{
public:
    using RecordingRenderer::RecordingRenderer;
    Renderer::ViewportRect GetViewport() const override
    {
        ++viewportReads;
        return RecordingRenderer::GetViewport();
    }

    mutable u32 viewportReads = 0;
};

// Reads of the viewport while one viewport of a scene with that many screen-space sprites and
// particle systems is drawn.
u32 ViewportReadsDrawing(ViewportCountingRenderer& renderer, u32 count)
{
    const Core::RefPtr<Engine::SceneGraph> scene(new Engine::SceneGraph(&renderer));
    scene->SetViewportCount(1);
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(60.0f, 1.0f, 1000.0f));
    scene->AttachChild(camera);
    const Core::RefPtr<Renderer::ITexture> sheet(new SceneTest::FakeTexture(64, 64));
    const Core::RefPtr<Engine::SpriteAnimation> animation(
        new Engine::SpriteAnimation(sheet, 32, 32, Core::Vector<Engine::SpriteFrame>{Engine::SpriteFrame{0, 0, 1.0f}}));
    for (u32 i = 0; i < count; ++i)
    {
        const Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(Engine::Sprite::Animations{animation}));
        sprite->SetScreenSpace(true);
        const Core::RefPtr<Engine::ParticleSystem> particles(new Engine::ParticleSystem(sheet, 4));
        particles->SetScreenSpace(true);
        const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
        holder->SetTransform(Math::Matrix4x4::Translation(static_cast<f32>(i), 0.0f, 0.0f));
        holder->AttachChild(sprite);
        holder->AttachChild(particles);
        scene->AttachChild(holder);
    }
    Engine::Viewport viewport(0, 0, 320, 240);
    scene->UpdateScene(0.0f);
    renderer.viewportReads = 0;
    scene->RenderViewport(*camera, viewport);
    EXPECT_EQ(scene->GetRenderQueue().GetBlendedItems().size(), 0u);
    return renderer.viewportReads;
}
} // namespace

// Drawables place themselves by the viewport being drawn, which the scene takes once per viewport:
// the renderer is not asked again for each of them.
TEST(SceneViewportReads, DrawablesTakeTheViewportOncePerViewportDrawn)
{
    const Core::RefPtr<ViewportCountingRenderer> renderer(
        new ViewportCountingRenderer(Renderer::DisplaySettings(640, 480)));
    Renderer::SetRenderer(renderer.Get());
    const u32 alone = ViewportReadsDrawing(*renderer, 1);
    const u32 many = ViewportReadsDrawing(*renderer, 40);
    EXPECT_EQ(alone, many);
    EXPECT_LE(many, 3u);
    EXPECT_GE(renderer->GetDraws().size(), 40u);
    Renderer::SetRenderer(nullptr);
}

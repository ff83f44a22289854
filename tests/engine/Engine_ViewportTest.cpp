#include "Engine_SpriteTestSupport.h"

#include "engine/Engine_ScreenQuad.h"
#include "engine/Engine_Viewport.h"
#include "renderer/Renderer_ScissorState.h"

#include <gtest/gtest.h>

namespace
{
using SpriteTest::FakeTexture;

class ViewportTest : public SpriteTest::SceneFixture
{
};

TEST(TextRenderContextTest, ANewQuadIsTwoTrianglesAndInvalidWithoutEffect)
{
    Engine::TextRenderContext quad;
    EXPECT_EQ(quad.GetKind(), Engine::ScreenObjectKind::Quad);
    ASSERT_EQ(quad.GetIndexCount(), 6u);
    const u16 indices[6] = {0, 1, 2, 0, 2, 3};
    for (u32 i = 0; i < 6; ++i)
        EXPECT_EQ(quad.GetIndices()[i], indices[i]);
    EXPECT_EQ(quad.GetPrimitiveType(), Renderer::Primitive::Triangles);
    EXPECT_EQ(quad.GetDepth(), 0.0f);
    EXPECT_EQ(quad.GetColor(), Math::Color(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_TRUE(quad.IsShown());
    EXPECT_FALSE(quad.IsValid());
    quad.effect = new Renderer::Effect();
    quad.texture = new FakeTexture(2, 2);
    quad.depth = 0.5f;
    quad.SetVertex(2, 1.0f, 2.0f, 3.0f);
    EXPECT_TRUE(quad.IsValid());
    quad.Reset();
    EXPECT_FALSE(quad.IsValid());
    EXPECT_EQ(quad.GetTexture().Get(), nullptr);
    EXPECT_EQ(quad.GetDepth(), 0.0f);
    EXPECT_EQ(quad.GetVertices()[6], 0.0f);
}

TEST_F(ViewportTest, EndPutsBackTheViewportAndScissorThatBeginFound)
{
    Renderer::ViewportRect before;
    before.x = 3;
    before.y = 4;
    before.width = 500;
    before.height = 400;
    before.zNear = 0.25f;
    before.zFar = 0.75f;
    renderer->SetViewport(before);
    Renderer::ScissorState scissorBefore;
    scissorBefore.x = 7;
    scissorBefore.y = 8;
    scissorBefore.width = 90;
    scissorBefore.height = 60;
    scissorBefore.enabled = 0;
    renderer->SetScissorState(scissorBefore);

    Engine::Viewport viewport(100, 50, 200, 100);
    viewport.Begin(*renderer);
    const Renderer::ViewportRect inside = renderer->GetViewport();
    EXPECT_EQ(inside.x, 100);
    EXPECT_EQ(inside.y, 50);
    EXPECT_EQ(inside.width, 200);
    EXPECT_EQ(inside.height, 100);
    EXPECT_EQ(inside.zNear, 0.0f);
    EXPECT_EQ(inside.zFar, 1.0f);
    Renderer::ScissorState scissor;
    renderer->GetScissorState(scissor);
    EXPECT_EQ(scissor.x, 100);
    EXPECT_EQ(scissor.width, 200);
    EXPECT_EQ(scissor.height, 100);
    EXPECT_EQ(scissor.enabled, 1);

    viewport.End(*renderer);
    const Renderer::ViewportRect after = renderer->GetViewport();
    EXPECT_EQ(after.x, 3);
    EXPECT_EQ(after.y, 4);
    EXPECT_EQ(after.width, 500);
    EXPECT_EQ(after.height, 400);
    EXPECT_EQ(after.zNear, 0.25f);
    EXPECT_EQ(after.zFar, 0.75f);
    renderer->GetScissorState(scissor);
    EXPECT_EQ(scissor.x, 7);
    EXPECT_EQ(scissor.y, 8);
    EXPECT_EQ(scissor.width, 90);
    EXPECT_EQ(scissor.height, 60);
    EXPECT_EQ(scissor.enabled, 0);
}

TEST_F(ViewportTest, ClearsUseTheClearColour)
{
    Engine::Viewport viewport(0, 0, 64, 64);
    EXPECT_EQ(viewport.GetClearColor(), Math::Color(0.0f, 0.0f, 0.0f, 1.0f));
    viewport.SetClearColor(Math::Color(0.5f, 0.25f, 0.125f, 1.0f));
    renderer->ClearLog();
    viewport.Clear(*renderer);
    ASSERT_EQ(renderer->CountCalls("ClearColorBuffer"), 1u);
    const Renderer::RecordedCall colorOnly = renderer->GetCalls().back();
    EXPECT_EQ(colorOnly.arguments[0], 0.5);
    EXPECT_EQ(colorOnly.arguments[2], 0.125);
    viewport.ClearAll(*renderer);
    ASSERT_EQ(renderer->CountCalls("ClearBuffers"), 1u);
    const Renderer::RecordedCall all = renderer->GetCalls().back();
    EXPECT_STREQ(all.operation, "ClearBuffers");
    // Logged as red, alpha, depth and stencil.
    EXPECT_EQ(all.arguments[0], 0.5);
    EXPECT_EQ(all.arguments[2], 1.0);
    EXPECT_EQ(all.arguments[3], 0.0);
}

TEST_F(ViewportTest, ABackgroundIsQueuedAsOneScreenQuadOverTheRectangle)
{
    Engine::Viewport viewport(100, 50, 200, 100);
    viewport.DrawBackground();
    EXPECT_TRUE(Queue().GetScreenQuads().empty());

    const Core::RefPtr<Renderer::ITexture> picture(new FakeTexture(32, 32, "sky.png"));
    viewport.SetBackgroundTexture(picture);
    viewport.DrawBackground();
    ASSERT_EQ(Queue().GetScreenQuads().size(), 1u);
    const Engine::TextRenderContext& quad = Queue().GetScreenQuads()[0];
    const f32 corners[12] = {100, 50, 0, 300, 50, 0, 300, 150, 0, 100, 150, 0};
    const f32 texCoords[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    for (u32 i = 0; i < 12; ++i)
        EXPECT_EQ(quad.GetVertices()[i], corners[i]) << i;
    for (u32 i = 0; i < 8; ++i)
        EXPECT_EQ(quad.GetTexCoords()[i], texCoords[i]) << i;
    EXPECT_EQ(quad.GetColor(), Math::Color(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(quad.GetDepth(), 0.0f);
    EXPECT_EQ(quad.GetTexture().Get(), picture.Get());
    EXPECT_EQ(quad.GetEffect().Get(), Queue().GetTexturedOpaqueEffect().Get());
}

TEST_F(ViewportTest, WithoutATextureCacheABackgroundFileGivesNoBackground)
{
    Engine::Viewport viewport(0, 0, 10, 10);
    viewport.SetBackgroundTexture(new FakeTexture(4, 4));
    viewport.SetBackground("\\Resources\\Backgrounds\\sky.png");
    EXPECT_EQ(viewport.GetBackground().Get(), nullptr);
    viewport.DrawBackground();
    EXPECT_TRUE(Queue().GetScreenQuads().empty());
}
} // namespace

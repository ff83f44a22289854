// The render queue's screen passes: background quads, the HUD's screen objects, and what they
// leave behind in the renderer.
#include "Engine_SceneTestSupport.h"

#include "engine/Engine_ScreenQuad.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using SceneTest::SceneFixture;

namespace
{
class ScreenPassTest : public SceneFixture
{
protected:
    Core::RefPtr<Engine::TextRenderContext> Quad(f32 depth, f32 tag)
    {
        Core::RefPtr<Engine::TextRenderContext> quad(new Engine::TextRenderContext());
        quad->effect = Renderer::CreateTextEffect();
        quad->texture = texture;
        quad->depth = depth;
        quad->world = Math::Matrix4x4::Translation(tag, 0.0f, 0.0f);
        quad->SetVertex(2, 10.0f, 10.0f, 0.0f);
        return quad;
    }

    Core::RefPtr<Renderer::ITexture> texture{new SceneTest::FakeTexture(16, 16)};
};

// A stippled-line screen object: a quad that reports kind 2 with its stipple.
class StippledQuad : public Engine::TextRenderContext
{
public:
    u32 GetKind() const override { return Engine::ScreenObjectKind::StippledLine; }
    u8 IsStippleEnabled() const override { return 1; }
    u16 GetStipplePattern() const override { return 0x0F0F; }
    u32 GetStippleFactor() const override { return 3; }
};
} // namespace

TEST_F(ScreenPassTest, NeighbouringBackgroundQuadsShareOneBindAndOneSave)
{
    Engine::TextRenderContext untextured;
    queue->SubmitScreenQuad(untextured);
    EXPECT_TRUE(queue->GetScreenQuads().empty());

    for (f32 tag : {1.0f, 2.0f})
    {
        Engine::TextRenderContext quad = *Quad(0.0f, tag);
        queue->SubmitScreenQuad(quad);
        EXPECT_EQ(quad.effect.Get(), queue->GetTexturedOpaqueEffect().Get());
    }
    queue->Render();
    queue->Clear();
    ASSERT_EQ(renderer->GetDraws().size(), 2u);
    EXPECT_EQ(renderer->CountCalls("SetTexture"), 2u); // bound once, unbound once
    EXPECT_EQ(renderer->CountCalls("SetTextureUnit0State"), 2u); // applied once, restored once
    EXPECT_EQ(renderer->GetDraws()[0].unit0.environment, Renderer::TextureEnvironmentMode::Replace);
    EXPECT_EQ(renderer->GetDraws()[1].texture0.Get(), texture.Get());
    EXPECT_EQ(renderer->GetDraws()[0].projection, Math::Matrix4x4::Ortho(0.0f, 640.0f, 0.0f, 480.0f));
    EXPECT_FALSE(renderer->GetTexture(0));
    EXPECT_TRUE(queue->GetScreenQuads().empty());
}

TEST_F(ScreenPassTest, HudObjectsAreDrawnByDepthOverTheWholeWindowOnce)
{
    renderer->SetViewport(Renderer::ViewportRect{10, 20, 100, 50, 0.0f, 1.0f});
    Renderer::ScissorState scissor;
    scissor.x = 10;
    scissor.enabled = 1;
    renderer->SetScissorState(scissor);
    const Math::Matrix4x4 view = Math::Matrix4x4::Translation(1.0f, 2.0f, 3.0f);
    const Math::Matrix4x4 projection = Math::Matrix4x4::Perspective(60.0f, 1.0f, 1.0f, 10.0f);
    renderer->SetViewMatrix(view);
    renderer->SetProjectionMatrix(projection);
    renderer->SetTextureMatrix(0, Math::Matrix4x4::Scaling(2.0f, 2.0f, 1.0f));

    for (const auto& [depth, tag] : {std::pair{0.5f, 5.0f}, std::pair{0.1f, 1.0f}, std::pair{0.9f, 9.0f}})
        queue->SubmitScreenObject(Quad(depth, tag));
    Core::RefPtr<Engine::TextRenderContext> invalid(new Engine::TextRenderContext());
    queue->SubmitScreenObject(invalid);
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 3u);

    renderer->ClearLog();
    queue->DrawHudScreenObjects();
    EXPECT_EQ(SceneTest::DrawnTags(*renderer), (std::vector<f32>{1.0f, 5.0f, 9.0f}));
    EXPECT_EQ(renderer->GetDraws()[0].projection, Math::Matrix4x4::Ortho(0.0f, 640.0f, 0.0f, 480.0f));
    EXPECT_EQ(renderer->GetDraws()[0].view, Math::Matrix4x4::Identity());
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 0u);

    // Everything as it was, the texture matrix of unit 0 back at identity.
    const Renderer::ViewportRect viewport = renderer->GetViewport();
    EXPECT_EQ(viewport.x, 10);
    EXPECT_EQ(viewport.width, 100);
    Renderer::ScissorState after;
    renderer->GetScissorState(after);
    EXPECT_EQ(after.x, 10);
    EXPECT_EQ(after.enabled, 1);
    EXPECT_EQ(renderer->GetViewMatrix(), view);
    EXPECT_EQ(renderer->GetProjectionMatrix(), projection);
    EXPECT_EQ(renderer->GetTextureMatrix(0), Math::Matrix4x4::Identity());

    renderer->ClearLog();
    queue->DrawHudScreenObjects();
    EXPECT_TRUE(renderer->GetDraws().empty());
}

// Neighbours through one pass set their states and bind their textures each, and put the states
// back once after the last of them; another pass saves and restores on its own.
TEST_F(ScreenPassTest, HudObjectsThroughOnePassPutTheirStatesBackOnce)
{
    const Core::RefPtr<Renderer::ITexture> other(new SceneTest::FakeTexture(8, 8));
    const Core::RefPtr<Renderer::Effect> shared = Renderer::CreateTextEffect();
    for (u32 i = 0; i < 4; ++i)
    {
        Core::RefPtr<Engine::TextRenderContext> quad = Quad(0.1f * static_cast<f32>(i), static_cast<f32>(i));
        quad->effect = i < 3 ? shared : Renderer::CreateTextEffect();
        quad->texture = i == 1 ? other : texture;
        queue->SubmitScreenObject(quad);
    }
    Renderer::AlphaBlendingState before;
    renderer->GetAlphaBlendingState(before);
    renderer->ClearLog();
    queue->DrawHudScreenObjects();
    ASSERT_EQ(renderer->GetDraws().size(), 4u);
    EXPECT_EQ(renderer->GetDraws()[1].texture0.Get(), other.Get());
    EXPECT_EQ(renderer->GetDraws()[2].texture0.Get(), texture.Get());
    EXPECT_EQ(renderer->GetDraws()[2].alphaBlending.enabled, 1);
    // Four applies, two restores.
    EXPECT_EQ(renderer->CountCalls("SetAlphaBlendingState"), 6u);
    Renderer::AlphaBlendingState after;
    EXPECT_EQ(renderer->GetAlphaBlendingState(after).enabled, before.enabled);
    EXPECT_EQ(renderer->GetTexture(0).Get(), nullptr);
}

TEST_F(ScreenPassTest, ClearScreenObjectsDropsTheHudListAndViewportPassesKeepIt)
{
    queue->SubmitScreenObject(Quad(0.0f, 1.0f));
    queue->Render();
    queue->Clear();
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 1u);
    queue->ClearScreenObjects();
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 0u);
}

TEST_F(ScreenPassTest, TheHudPassEmptiesItsListWithoutARendererToo)
{
    queue->SetRenderer(nullptr);
    for (u32 frame = 0; frame < 3; ++frame)
    {
        queue->SubmitScreenObject(Quad(0.0f, 1.0f));
        queue->DrawHudScreenObjects();
        EXPECT_EQ(queue->GetHudScreenObjectCount(), 0u);
    }
    EXPECT_TRUE(renderer->GetDraws().empty());
}

TEST_F(ScreenPassTest, StippledObjectsTurnTheStippleOnForTheirDrawOnly)
{
    Core::RefPtr<StippledQuad> line(new StippledQuad());
    line->effect = Renderer::CreateLineEffect();
    line->primitive = Renderer::Primitive::LineStrip;
    line->SetVertex(1, 1.0f, 0.0f, 0.0f);
    queue->SubmitScreenObject(line);
    queue->DrawHudScreenObjects();
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    EXPECT_EQ(renderer->GetDraws()[0].primitive, Renderer::Primitive::LineStrip);
    EXPECT_EQ(renderer->GetLineStipplePattern(), 0x0F0F);
    EXPECT_EQ(renderer->GetLineStippleFactor(), 3);
    EXPECT_EQ(renderer->IsLineStippleEnabled(), 0);
    EXPECT_EQ(renderer->CountCalls("SetLineStippleEnabled"), 2u);
}

TEST_F(ScreenPassTest, ViewportListsAreDrawnAfterTheBlendedItemsInTheirOwnPassesAndEmptiedByClear)
{
    renderer->SetViewport(Renderer::ViewportRect{10, 20, 200, 100, 0.0f, 1.0f});
    const f32 vertices[] = {0, 0, 0, 1, 1, 0};
    const Math::Color colors[] = {Math::Color(1, 0, 0, 1), Math::Color(0, 1, 0, 1)};
    Engine::RenderItem blended;
    blended.vertexArray = vertices;
    blended.vertexCount = 2;
    blended.primitiveType = Renderer::Primitive::Lines;
    blended.world = Math::Matrix4x4::Translation(3.0f, 0.0f, 0.0f);
    queue->Submit(blended);
    Engine::RenderItem points = blended;
    points.colorArray = colors;
    points.world = Math::Matrix4x4::Translation(2.0f, 0.0f, 0.0f);
    queue->SubmitPoints(points);
    Engine::RenderItem lines = blended;
    lines.color = Math::Color(0.5f, 0.5f, 0.5f, 1.0f);
    lines.world = Math::Matrix4x4::Translation(1.0f, 0.0f, 0.0f);
    queue->SubmitLines(lines);
    queue->SubmitViewportScreenObject(Quad(0.5f, 7.0f));
    queue->SubmitViewportScreenObject(Quad(0.1f, 6.0f));
    queue->SubmitOverlayQuad(*Quad(0.9f, 5.0f));
    queue->SubmitOverlayQuad(*Quad(0.2f, 4.0f));
    queue->SubmitOverlayQuad(Engine::TextRenderContext()); // no effect: ignored
    queue->SubmitViewportScreenObject(Core::RefPtr<Engine::TextRenderContext>(new Engine::TextRenderContext()));
    EXPECT_EQ(queue->GetOverlayQuads().size(), 2u);
    EXPECT_EQ(queue->GetViewportScreenObjectCount(), 2u);

    queue->Render();
    // Lines, points, the blended list, overlay quads by depth, screen objects by depth.
    EXPECT_EQ(SceneTest::DrawnTags(*renderer), (std::vector<f32>{1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f}));
    const auto& draws = renderer->GetDraws();
    EXPECT_EQ(draws[0].primitive, Renderer::Primitive::Lines);
    EXPECT_EQ(draws[0].currentColor, Math::Color(0.5f, 0.5f, 0.5f, 1.0f));
    EXPECT_EQ(draws[0].colors, nullptr);
    EXPECT_EQ(draws[1].primitive, Renderer::Primitive::Points);
    EXPECT_EQ(draws[1].colors, colors);
    EXPECT_EQ(draws[1].count, 2u);
    // Screen elements in the viewport's own window coordinates, as two triangles.
    EXPECT_EQ(draws[3].projection, Math::Matrix4x4::Ortho(0.0f, 200.0f, 0.0f, 100.0f));
    EXPECT_EQ(draws[3].view, Math::Matrix4x4::Identity());
    EXPECT_EQ(draws[3].primitive, Renderer::Primitive::Triangles);
    EXPECT_EQ(draws[3].count, 6u);
    EXPECT_EQ(draws[6].projection, Math::Matrix4x4::Ortho(0.0f, 200.0f, 0.0f, 100.0f));
    EXPECT_EQ(renderer->GetProjectionMatrix(), Math::Matrix4x4::Identity());
    EXPECT_FALSE(renderer->GetTexture(0));

    queue->Clear();
    EXPECT_TRUE(queue->GetLineItems().empty());
    EXPECT_TRUE(queue->GetPointItems().empty());
    EXPECT_TRUE(queue->GetOverlayQuads().empty());
    EXPECT_EQ(queue->GetViewportScreenObjectCount(), 0u);
    renderer->ClearLog();
    queue->Render();
    EXPECT_TRUE(renderer->GetDraws().empty());
}

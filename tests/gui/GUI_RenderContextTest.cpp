// The string render context, the image effect's states and filter mode, and the image render
// context that hands its mode to the effect right before it is drawn.
#include "GUI_TestSupport.h"

#include "gui/GUI_ImageEffect.h"
#include "gui/GUI_ImageRenderContext.h"
#include "renderer/Renderer_BuiltInEffects.h"
#include "renderer/Renderer_States.h"

#include <gtest/gtest.h>

#include <typeinfo>

using GuiTest::GuiFixture;

namespace
{
template <class T>
const T* FindState(const Renderer::Effect& effect)
{
    const Core::RefPtr<Renderer::Pass> pass = effect.GetTechnique(0)->GetPass(0);
    for (u32 i = 0; i < pass->GetStateCount(); ++i)
    {
        if (const T* state = dynamic_cast<const T*>(pass->GetState(i).Get()))
            return state;
    }
    return nullptr;
}
} // namespace

TEST(StringRenderContextTest, ANewContextHoldsNothingAndResetDropsWhatItHeld)
{
    Core::RefPtr<Engine::StringRenderContext> context(new Engine::StringRenderContext());
    EXPECT_FALSE(context->IsValid());
    EXPECT_EQ(context->GetVertices(), nullptr);
    EXPECT_EQ(context->GetTexCoords(), nullptr);
    EXPECT_EQ(context->GetIndices(), nullptr);
    EXPECT_EQ(context->GetIndexCount(), 0u);
    EXPECT_EQ(context->GetKind(), Engine::ScreenObjectKind::String);
    EXPECT_EQ(context->GetPrimitiveType(), Renderer::Primitive::Triangles);
    EXPECT_TRUE(context->IsShown());

    const f32 uv[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    ASSERT_TRUE(context->AppendQuad(0, 0, 4, 4, uv));
    context->effect = Renderer::CreateTextEffect();
    context->texture = new GuiTest::FakeTexture(8, 8);
    EXPECT_TRUE(context->IsValid());
    context->effect = nullptr;
    EXPECT_FALSE(context->IsValid());
    context->effect = Renderer::CreateTextEffect();
    context->color = Math::Color(1, 1, 1, 1);
    context->depth = 5.0f;
    context->shown = 0;
    context->world = Math::Matrix4x4::Translation(1, 2, 3);

    context->Reset();
    EXPECT_FALSE(context->GetEffect());
    EXPECT_FALSE(context->GetTexture());
    EXPECT_EQ(context->GetColor(), Math::Color(0, 0, 0, 1));
    EXPECT_EQ(context->GetDepth(), 0.0f);
    EXPECT_TRUE(context->IsShown());
    EXPECT_EQ(*context->GetWorldMatrix(), Math::Matrix4x4::Identity());
    EXPECT_EQ(context->GetIndexCount(), 0u);
    EXPECT_GE(context->vertices.capacity(), 12u);
}

TEST(ImageEffectTest, OnePassThatModulatesBlendsAlphaTestsAndDoesNotWriteDepth)
{
    Core::RefPtr<GUI::ImageEffect> effect(new GUI::ImageEffect());
    ASSERT_EQ(effect->GetTechniqueCount(), 1u);
    ASSERT_EQ(effect->GetTechnique(0)->GetPassCount(), 1u);
    EXPECT_EQ(effect->GetTechnique(0)->GetPass(0)->GetStateCount(), 5u);
    EXPECT_FALSE(FindState<Renderer::CullingState>(*effect));

    // What the states do on the screen is the drawing test's; here, what a device-less run sees.
    const Renderer::TextureUnit0State* unit = FindState<Renderer::TextureUnit0State>(*effect);
    ASSERT_TRUE(unit);
    EXPECT_EQ(unit->environment, Renderer::TextureEnvironmentMode::Modulate);
    EXPECT_EQ(unit->filter, Renderer::TextureFilter::Nearest);
    EXPECT_EQ(unit->wrapS, Renderer::TextureWrap::ClampToEdge);
    const Renderer::DepthBufferState* depth = FindState<Renderer::DepthBufferState>(*effect);
    ASSERT_TRUE(depth);
    EXPECT_EQ(depth->writeEnabled, 0);
    const Renderer::LightingState* lighting = FindState<Renderer::LightingState>(*effect);
    ASSERT_TRUE(lighting);
    EXPECT_EQ(lighting->enabled, 0);

    // The mode reaches the filter only through UpdateStates.
    effect->mode = GUI::ImageEffect::LinearMode;
    EXPECT_EQ(unit->filter, Renderer::TextureFilter::Nearest);
    effect->UpdateStates();
    EXPECT_EQ(unit->filter, Renderer::TextureFilter::Linear);

    // The inherited copy is a plain renderer effect.
    Core::RefPtr<Renderer::Effect> copy(effect->Clone());
    const Renderer::Effect& copied = *copy;
    EXPECT_EQ(typeid(copied), typeid(Renderer::Effect));
    EXPECT_EQ(copy->GetTechniqueCount(), 1u);
}

class ImageRenderContextTest : public GuiFixture
{
};

TEST_F(ImageRenderContextTest, EachContextDrawsWithItsOwnModeWrittenIntoItsEffect)
{
    Core::RefPtr<GuiTest::FakeTexture> texture(new GuiTest::FakeTexture(8, 8));
    Core::RefPtr<GUI::ImageRenderContext> first(new GUI::ImageRenderContext());
    Core::RefPtr<GUI::ImageRenderContext> second(new GUI::ImageRenderContext());
    graphics->SetUseSecondEffect(true);
    graphics->SetDepth(1.0f);
    graphics->DrawImage(*first, GUI::TRectangle(0, 0, 10, 10), texture);
    graphics->SetDepth(2.0f);
    graphics->DrawImage(*second, GUI::TRectangle(0, 0, 10, 10), texture);
    second->effectMode = GUI::ImageEffect::LinearMode;
    GUI::Graphics::Submit(*first);
    GUI::Graphics::Submit(*second);
    queue->DrawHudScreenObjects();

    // The context drawn with the linear second effect sets it back to its own mode 0.
    ASSERT_EQ(renderer->GetDraws().size(), 2u);
    EXPECT_EQ(renderer->GetDraws()[0].unit0.filter, Renderer::TextureFilter::Nearest);
    EXPECT_EQ(renderer->GetDraws()[1].unit0.filter, Renderer::TextureFilter::Linear);
    EXPECT_EQ(renderer->GetDraws()[1].depthBuffer.writeEnabled, 0);
    EXPECT_EQ(renderer->GetDraws()[1].alphaTesting.function, Renderer::CompareFunction::NotEqual);

    second->Reset();
    EXPECT_EQ(second->effectMode, 0u);
    EXPECT_FALSE(second->IsValid());
}

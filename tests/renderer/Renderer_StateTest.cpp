// Render states: class defaults, SetDefault, clones that keep their class, capture and apply.
#include "Renderer_TestSupport.h"

#include <typeinfo>

using namespace Renderer;
using RendererTest::RecordingFixture;
using RendererTest::Same;

namespace
{
// A state changed away from its defaults, then reset, equals a default-constructed one.
template <class S, class Change>
void ExpectSetDefaultRestores(Change change)
{
    S state;
    change(state);
    EXPECT_FALSE(Same(state, S())) << typeid(S).name();
    state.SetDefault();
    EXPECT_TRUE(Same(state, S())) << typeid(S).name();
}

template <class S>
void ExpectCloneKeepsClassAndValues(S& state)
{
    const Core::RefPtr<State> clone(state.Clone());
    const State& cloned = *clone;
    EXPECT_EQ(typeid(cloned), typeid(S));
    EXPECT_TRUE(Same(static_cast<S&>(*clone), state));
    EXPECT_EQ(clone->GetReferenceCount(), 1u);
}
}  // namespace

TEST(StateDefaultsTest, EveryClassStartsWithItsDefaults)
{
    EXPECT_EQ(NormalizeNormalsState().enabled, 0);
    const LightingState lighting;
    EXPECT_EQ(lighting.ambient, Math::Color(0.2f, 0.2f, 0.2f, 1.0f));
    EXPECT_EQ(lighting.localViewer, 1);
    EXPECT_EQ(lighting.enabled, 0);
    const TextureUnit4State unit;
    EXPECT_EQ(unit.environment, TextureEnvironmentMode::Decal);
    EXPECT_EQ(unit.filter, TextureFilter::Nearest);
    EXPECT_EQ(unit.wrapS, TextureWrap::Repeat);
    EXPECT_EQ(unit.wrapT, TextureWrap::Repeat);
    EXPECT_EQ(unit.enabled + unit.textureGeneration + unit.oneDimensional, 0);
    EXPECT_EQ(LineState().width, 1.0f);
    EXPECT_EQ(PointState().size, 1.0f);
    EXPECT_EQ(DitheringState().enabled, 1);
    const StencilBufferState stencil;
    EXPECT_EQ(stencil.function, CompareFunction::Always);
    EXPECT_EQ(stencil.compareMask, 0xFFFFFFFFu);
    EXPECT_EQ(stencil.writeMask, 0xFFFFFFFFu);
    EXPECT_EQ(stencil.enabled, 0);
    const DepthBufferState depth;
    EXPECT_EQ(depth.function, CompareFunction::Less);
    EXPECT_EQ(depth.testEnabled, 1);
    EXPECT_EQ(depth.writeEnabled, 1);
    EXPECT_EQ(ShadingState().mode, ShadeMode::Smooth);
    EXPECT_EQ(FillingState().mode, FillMode::Filled);
    const FogState fog;
    EXPECT_EQ(fog.color, Math::Color(1, 1, 1, 1));
    EXPECT_EQ(fog.end, 100.0f);
    EXPECT_EQ(CullingState().enabled, 1);
    EXPECT_EQ(AlphaTestingState().function, CompareFunction::Always);
    const AlphaBlendingState blending;
    EXPECT_EQ(blending.source, BlendFactor::SourceAlpha);
    EXPECT_EQ(blending.destination, BlendFactor::OneMinusSourceAlpha);
    EXPECT_EQ(blending.enabled, 0);
    const ScissorState scissor;
    EXPECT_EQ(scissor.width, 640);
    EXPECT_EQ(scissor.height, 480);
    EXPECT_EQ(ColorMaskState().alpha, 1);
    EXPECT_EQ(CurrentColorState().color, Math::Color(1, 1, 1, 1));
}

TEST(StateDefaultsTest, SetDefaultRestoresTheClassDefaults)
{
    ExpectSetDefaultRestores<NormalizeNormalsState>([](auto& s) { s.enabled = 1; });
    ExpectSetDefaultRestores<LightingState>([](auto& s) { s.localViewer = 0; });
    ExpectSetDefaultRestores<TextureUnit6State>([](auto& s) { s.wrapT = 3; });
    ExpectSetDefaultRestores<LineState>([](auto& s) { s.width = 2; });
    ExpectSetDefaultRestores<PointState>([](auto& s) { s.size = 2; });
    ExpectSetDefaultRestores<DitheringState>([](auto& s) { s.enabled = 0; });
    ExpectSetDefaultRestores<TriangleOffsetState>([](auto& s) { s.units = 1; });
    ExpectSetDefaultRestores<StencilBufferState>([](auto& s) { s.writeMask = 1; });
    ExpectSetDefaultRestores<DepthBufferState>([](auto& s) { s.writeEnabled = 0; });
    ExpectSetDefaultRestores<ShadingState>([](auto& s) { s.mode = 0; });
    ExpectSetDefaultRestores<FillingState>([](auto& s) { s.mode = 0; });
    ExpectSetDefaultRestores<CullingState>([](auto& s) { s.face = 1; });
    ExpectSetDefaultRestores<AlphaTestingState>([](auto& s) { s.reference = 0.5f; });
    ExpectSetDefaultRestores<AlphaBlendingState>([](auto& s) { s.source = 1; });
    ExpectSetDefaultRestores<ScissorState>([](auto& s) { s.x = 1; });
    ExpectSetDefaultRestores<ColorMaskState>([](auto& s) { s.green = 0; });
    ExpectSetDefaultRestores<CurrentColorState>([](auto& s) { s.color = Math::Color(); });
}

TEST(StateDefaultsTest, FogKeepsItsColourAndTheMaterialTurnsBlack)
{
    FogState fog;
    fog.color = Math::Color(0.1f, 0.2f, 0.3f, 0.4f);
    fog.density = 3.0f;
    fog.enabled = 1;
    fog.SetDefault();
    EXPECT_EQ(fog.color, Math::Color(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(fog.density, 0.0f);
    EXPECT_EQ(fog.enabled, 0);

    Material material(Math::Color(1, 1, 1, 1), Math::Color(0.8f, 0.8f, 0.8f, 1), Math::Color(1, 1, 1, 1),
                      Math::Color(1, 1, 1, 1), 5.0f);
    material.SetDefault();
    EXPECT_EQ(material.ambient, Math::Color(0.2f, 0.2f, 0.2f, 1));
    EXPECT_EQ(material.diffuse, Math::Color(0, 0, 0, 1));
    EXPECT_EQ(material.shininess, 0.0f);
}

TEST(StateCloneTest, ClonesKeepTheirConcreteClassAndValues)
{
    TextureUnit3State unit;
    unit.filter = TextureFilter::Linear;
    unit.enabled = 1;
    ExpectCloneKeepsClassAndValues(unit);
    FogState fog;
    fog.start = 4.0f;
    ExpectCloneKeepsClassAndValues(fog);
    ScissorState scissor;
    scissor.height = 9;
    ExpectCloneKeepsClassAndValues(scissor);
    CurrentColorState color;
    color.color = Math::Color(0, 1, 0, 1);
    ExpectCloneKeepsClassAndValues(color);
    Material material(Math::Color(1, 0, 0, 1), Math::Color(), Math::Color(), Math::Color(), 3.0f);
    ExpectCloneKeepsClassAndValues(material);

    const Core::RefPtr<State> owned(new TextureUnit7State());
    EXPECT_EQ(owned->GetReferenceCount(), 1u);
    const Core::RefPtr<State> copy(owned->Clone());
    EXPECT_EQ(owned->GetReferenceCount(), 1u);
}

TEST_F(RecordingFixture, ACloneOfAUnitStateAppliesThroughItsOwnUnit)
{
    TextureUnit3State unit;
    unit.environment = TextureEnvironmentMode::Modulate;
    const Core::RefPtr<State> clone(unit.Clone());
    renderer->ClearLog();
    clone->Apply(*renderer);
    EXPECT_EQ(renderer->CountCalls("SetTextureUnit3State"), 1u);
    TextureUnit3State read;
    EXPECT_EQ(renderer->GetTextureUnit3State(read).environment, TextureEnvironmentMode::Modulate);
}

TEST_F(RecordingFixture, CaptureThenApplyLeavesTheRendererUnchanged)
{
    DepthBufferState depth;
    depth.function = CompareFunction::Equal;
    depth.writeEnabled = 0;
    renderer->SetDepthBufferState(depth);

    DepthBufferState captured;
    captured.Capture(*renderer);
    captured.Apply(*renderer);
    DepthBufferState after;
    EXPECT_TRUE(Same(renderer->GetDepthBufferState(after), depth));
}

TEST_F(RecordingFixture, CurrentColourCapturesOnlyItsColour)
{
    renderer->SetCurrentColor(Math::Color(0.5f, 0.25f, 0.125f, 1));
    CurrentColorState state;
    state.Capture(*renderer);
    EXPECT_EQ(state.color, Math::Color(0.5f, 0.25f, 0.125f, 1));
    state.color = Math::Color(1, 0, 0, 1);
    renderer->ClearLog();
    state.Apply(*renderer);
    EXPECT_EQ(renderer->GetCurrentColor(), Math::Color(1, 0, 0, 1));
    EXPECT_EQ(renderer->CountCalls("SetCurrentColor"), 1u);
}

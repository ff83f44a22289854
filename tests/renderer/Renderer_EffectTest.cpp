// Effects, techniques and passes: one state per class in a pass, the saved-state list, drawing
// through a pass without leaving state behind, clones, and the eight built-in effects.
#include "Renderer_TestSupport.h"

#include "renderer/Renderer_BuiltInEffects.h"

#include <typeinfo>

using namespace Renderer;
using RendererTest::RecordingFixture;
using RendererTest::Same;

namespace
{
template <class T>
Core::RefPtr<T> Make()
{
    return Core::RefPtr<T>(new T());
}

u32 SavedStatesOf(const Effect& effect)
{
    return effect.GetTechnique(0)->GetSavedStateCount();
}
}  // namespace

TEST(PassTest, ASecondStateOfAClassReplacesTheFirst)
{
    const Core::RefPtr<Pass> pass = Make<Pass>();
    const Core::RefPtr<DepthBufferState> first = Make<DepthBufferState>();
    const Core::RefPtr<CullingState> culling = Make<CullingState>();
    const Core::RefPtr<DepthBufferState> second = Make<DepthBufferState>();
    EXPECT_EQ(pass->AddState(first), 0u);
    EXPECT_EQ(pass->AddState(culling), 1u);
    EXPECT_EQ(pass->AddState(second), 0u);
    EXPECT_EQ(pass->GetStateCount(), 2u);
    EXPECT_EQ(pass->GetState(0), second);
    EXPECT_EQ(first->GetReferenceCount(), 1u);

    // The unit classes are distinct classes.
    EXPECT_EQ(pass->AddState(Make<TextureUnit0State>()), 2u);
    EXPECT_EQ(pass->AddState(Make<TextureUnit1State>()), 3u);
}

TEST(TechniqueTest, SavedStatesHoldOneDefaultStatePerClass)
{
    const Core::RefPtr<Pass> pass = Make<Pass>();
    const Core::RefPtr<DepthBufferState> depth = Make<DepthBufferState>();
    depth->writeEnabled = 0;
    const Core::RefPtr<AlphaBlendingState> blending = Make<AlphaBlendingState>();
    blending->enabled = 1;
    pass->AddState(depth);
    pass->AddState(blending);
    pass->AddState(Make<CullingState>());
    const Core::RefPtr<Technique> technique = Make<Technique>();
    technique->AddPass(pass);
    technique->SortPassStates();
    ASSERT_EQ(technique->GetSavedStateCount(), 3u);
    for (u32 i = 0; i < 3; ++i)
    {
        const Core::RefPtr<State> saved = technique->GetSavedState(i);
        EXPECT_NE(saved.Get(), depth.Get());
        const State& savedState = *saved;
        if (typeid(savedState) == typeid(DepthBufferState))
        {
            EXPECT_TRUE(Same(static_cast<DepthBufferState&>(*saved), DepthBufferState()));
        }
    }
    technique->SortPassStates();
    EXPECT_EQ(technique->GetSavedStateCount(), 3u);

    const Core::RefPtr<Pass> other = Make<Pass>();
    other->AddState(Make<TextureUnit0State>());
    pass->AddState(Make<TextureUnit0State>());
    technique->AddPass(other);
    technique->SortPassStates();
    EXPECT_EQ(technique->GetSavedStateCount(), 4u);
}

TEST_F(RecordingFixture, DrawingThroughAPassRestoresEveryKindItTouched)
{
    DepthBufferState depth;
    depth.function = CompareFunction::GreaterOrEqual;
    renderer->SetDepthBufferState(depth);
    renderer->SetCurrentColor(Math::Color(0.3f, 0.3f, 0.3f, 1));
    LineState line;
    line.width = 4.0f;
    renderer->SetLineState(line);

    const Core::RefPtr<Effect> effect = CreateLineEffect();
    const Core::RefPtr<Technique> technique = effect->GetTechnique(0);
    technique->SaveStates();
    effect->GetTechnique(0)->GetPass(0)->Apply();

    DepthBufferState during;
    EXPECT_EQ(renderer->GetDepthBufferState(during).writeEnabled, 0);
    EXPECT_EQ(renderer->GetCurrentColor(), Math::Color(1, 1, 1, 1));
    AlphaBlendingState blending;
    EXPECT_EQ(renderer->GetAlphaBlendingState(blending).enabled, 1);

    technique->RestoreStates();
    DepthBufferState after;
    EXPECT_TRUE(Same(renderer->GetDepthBufferState(after), depth));
    EXPECT_EQ(renderer->GetCurrentColor(), Math::Color(0.3f, 0.3f, 0.3f, 1));
    EXPECT_EQ(renderer->GetAlphaBlendingState(blending).enabled, 0);
    LightingState lighting;
    EXPECT_TRUE(Same(renderer->GetLightingState(lighting), LightingState()));
    AlphaTestingState alpha;
    EXPECT_TRUE(Same(renderer->GetAlphaTestingState(alpha), AlphaTestingState()));
    // Kinds the pass does not hold are neither captured nor restored.
    EXPECT_EQ(renderer->CountCalls("SetTextureUnit0State"), 0u);
    EXPECT_EQ(renderer->GetLineState(line).width, 4.0f);
}

TEST_F(RecordingFixture, WithoutARendererPassesAndTechniquesDoNothing)
{
    const Core::RefPtr<Effect> effect = CreateUntexturedBlendEffect();
    renderer = nullptr;
    ASSERT_EQ(GetRenderer(), nullptr);
    effect->GetTechnique(0)->SaveStates();
    effect->GetTechnique(0)->GetPass(0)->Apply();
    effect->GetTechnique(0)->RestoreStates();
}

TEST(EffectTest, ACloneOutlivesItsSourceAndSharesItsTextures)
{
    Core::RefPtr<Effect> source = CreateColoredTexturedEffect();
    class Texture : public ITexture
    {
    public:
        i32 GetWidth() const override { return 1; }
        i32 GetHeight() const override { return 1; }
        i32 GetFormat() const override { return 0; }
        i32 GetTextureType() const override { return 1; }
        u32 GetID() const override { return 1; }
        void Reload() override {}
        void Unload() override {}
        u8 HasMipmaps() const override { return 0; }
        Core::String GetFileName() const override { return ""; }
    };
    const Core::RefPtr<ITexture> texture(new Texture());
    source->SetTexture(3, texture);
    source->SetTexture(40, texture);
    EXPECT_EQ(texture->GetReferenceCount(), 2u);

    const Core::RefPtr<Effect> clone(source->Clone());
    EXPECT_EQ(texture->GetReferenceCount(), 3u);
    EXPECT_EQ(clone->IsBlended(), 1);
    EXPECT_NE(clone->GetTechnique(0).Get(), source->GetTechnique(0).Get());
    EXPECT_NE(clone->GetTechnique(0)->GetPass(0)->GetState(0).Get(),
              source->GetTechnique(0)->GetPass(0)->GetState(0).Get());
    source = nullptr;
    EXPECT_EQ(texture->GetReferenceCount(), 2u);
    EXPECT_EQ(clone->GetTexture(3), texture);
    EXPECT_EQ(clone->GetTexture(40), nullptr);
    EXPECT_EQ(clone->GetTechnique(0)->GetPass(0)->GetStateCount(), 7u);
    EXPECT_EQ(SavedStatesOf(*clone), 7u);
    clone->SetTexture(3, nullptr);
    EXPECT_EQ(texture->GetReferenceCount(), 1u);
}

TEST(EffectTest, TheParticleEffectPushesItsFactorsIntoItsBlendingState)
{
    const Core::RefPtr<ParticleEffect> effect = CreateParticleEffect();
    effect->sourceFactor = BlendFactor::One;
    effect->destinationFactor = BlendFactor::One;
    effect->UpdateStates();
    const Core::RefPtr<AlphaBlendingState> blending = effect->GetBlendingState();
    ASSERT_NE(blending, nullptr);
    EXPECT_EQ(blending->source, BlendFactor::One);
    EXPECT_EQ(blending->destination, BlendFactor::One);
    EXPECT_EQ(blending->enabled, 1);

    const Core::RefPtr<ParticleEffect> clone(effect->Clone());
    EXPECT_EQ(clone->sourceFactor, BlendFactor::One);
    EXPECT_EQ(clone->GetBlendingState(), nullptr);
    clone->sourceFactor = BlendFactor::Zero;
    clone->UpdateStates();
    EXPECT_EQ(blending->source, BlendFactor::One);
}

TEST(BuiltInEffectTest, EachHasOneTechniqueOnePassAndItsBlendedFlag)
{
    struct Expected
    {
        Core::RefPtr<Effect> effect;
        u32 states;
        u8 blended;
    };
    const Expected all[] = {
        {CreateUntexturedBlendEffect(), 3, 1}, {CreateTextEffect(), 6, 0},
        {CreateTextEffectNoCulling(), 5, 0},   {CreateTexturedOpaqueEffect(), 2, 0},
        {CreateColoredTexturedEffect(), 7, 1}, {CreateParticleEffect(), 7, 1},
        {CreateLineEffect(), 5, 0},            {CreatePointEffect(), 5, 0},
    };
    for (const Expected& expected : all)
    {
        ASSERT_EQ(expected.effect->GetTechniqueCount(), 1u);
        const Core::RefPtr<Technique> technique = expected.effect->GetTechnique(0);
        ASSERT_EQ(technique->GetPassCount(), 1u);
        EXPECT_EQ(technique->GetPass(0)->GetStateCount(), expected.states);
        EXPECT_EQ(technique->GetSavedStateCount(), expected.states);
        EXPECT_EQ(expected.effect->IsBlended(), expected.blended);
        for (u32 i = 0; i < technique->GetPass(0)->GetStateCount(); ++i)
        {
            const State& state = *technique->GetPass(0)->GetState(i);
            if (const auto* depth = dynamic_cast<const DepthBufferState*>(&state))
            {
                EXPECT_EQ(depth->function, CompareFunction::Less);
                EXPECT_EQ(depth->testEnabled, 1);
                EXPECT_EQ(depth->writeEnabled, 0);
            }
            if (const auto* alpha = dynamic_cast<const AlphaTestingState*>(&state))
            {
                EXPECT_EQ(alpha->function, CompareFunction::NotEqual);
                EXPECT_EQ(alpha->reference, 0.0f);
            }
            if (const auto* lighting = dynamic_cast<const LightingState*>(&state))
            {
                EXPECT_EQ(lighting->enabled, 0);
            }
        }
    }
}

TEST(BuiltInEffectTest, TheTextEffectsDifferInFilteringAndWrapping)
{
    const auto unit0 = [](const Core::RefPtr<Effect>& effect) {
        return static_cast<const TextureUnit0State&>(*effect->GetTechnique(0)->GetPass(0)->GetState(0));
    };
    const TextureUnit0State smooth = unit0(CreateTextEffect());
    EXPECT_EQ(smooth.filter, TextureFilter::Linear);
    EXPECT_EQ(smooth.wrapS, TextureWrap::Repeat);
    EXPECT_EQ(smooth.environment, TextureEnvironmentMode::Modulate);
    const TextureUnit0State pixel = unit0(CreateTextEffectNoCulling());
    EXPECT_EQ(pixel.filter, TextureFilter::Nearest);
    EXPECT_EQ(pixel.wrapT, TextureWrap::ClampToEdge);
    EXPECT_EQ(unit0(CreateTexturedOpaqueEffect()).environment, TextureEnvironmentMode::Replace);
}

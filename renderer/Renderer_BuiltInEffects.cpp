#include "renderer/Renderer_BuiltInEffects.h"

#include "renderer/Renderer_States.h"

namespace Renderer
{
namespace
{
template <class T>
Core::RefPtr<T> Make()
{
    return Core::RefPtr<T>(new (__FILE__, __LINE__) T());
}

Core::RefPtr<DepthBufferState> DepthTestWithoutWrites()
{
    Core::RefPtr<DepthBufferState> state = Make<DepthBufferState>();
    state->function = CompareFunction::Less;
    state->testEnabled = 1;
    state->writeEnabled = 0;
    return state;
}

Core::RefPtr<AlphaBlendingState> SourceAlphaBlending()
{
    Core::RefPtr<AlphaBlendingState> state = Make<AlphaBlendingState>();
    state->source = BlendFactor::SourceAlpha;
    state->destination = BlendFactor::OneMinusSourceAlpha;
    state->enabled = 1;
    return state;
}

Core::RefPtr<AlphaTestingState> DropTransparent()
{
    Core::RefPtr<AlphaTestingState> state = Make<AlphaTestingState>();
    state->function = CompareFunction::NotEqual;
    state->reference = 0.0f;
    state->enabled = 1;
    return state;
}

Core::RefPtr<LightingState> LightingOff()
{
    Core::RefPtr<LightingState> state = Make<LightingState>();
    state->enabled = 0;
    return state;
}

Core::RefPtr<CullingState> CullingOff()
{
    Core::RefPtr<CullingState> state = Make<CullingState>();
    state->face = CullFace::Back;
    state->enabled = 0;
    return state;
}

Core::RefPtr<CurrentColorState> White()
{
    return Make<CurrentColorState>();
}

Core::RefPtr<TextureUnit0State> Unit0(u32 environment, u32 filter, u32 wrap)
{
    Core::RefPtr<TextureUnit0State> state = Make<TextureUnit0State>();
    state->environment = environment;
    state->filter = filter;
    state->wrapS = wrap;
    state->wrapT = wrap;
    state->enabled = 1;
    return state;
}

// One technique with one pass of the given states, in order.
void Assemble(Effect& effect, std::initializer_list<State*> states, u8 blended)
{
    const Core::RefPtr<Technique> technique = Make<Technique>();
    const Core::RefPtr<Pass> pass = Make<Pass>();
    for (State* state : states)
    {
        pass->AddState(state);
    }
    technique->AddPass(pass);
    technique->SortPassStates();
    effect.AddTechnique(technique);
    effect.SetBlended(blended);
}

// The five states shared by the line and point effects.
Core::RefPtr<Effect> UntexturedColoredEffect()
{
    Core::RefPtr<Effect> effect = Make<Effect>();
    Assemble(*effect, {White(), LightingOff(), DepthTestWithoutWrites(), SourceAlphaBlending(), DropTransparent()}, 0);
    return effect;
}
}  // namespace

Core::RefPtr<Effect> CreateUntexturedBlendEffect()
{
    Core::RefPtr<Effect> effect = Make<Effect>();
    Assemble(*effect, {DepthTestWithoutWrites(), SourceAlphaBlending(), CullingOff()}, 1);
    return effect;
}

Core::RefPtr<Effect> CreateTextEffect()
{
    Core::RefPtr<Effect> effect = Make<Effect>();
    Assemble(*effect,
             {Unit0(TextureEnvironmentMode::Modulate, TextureFilter::Linear, TextureWrap::Repeat),
              DepthTestWithoutWrites(), SourceAlphaBlending(), DropTransparent(), LightingOff(), CullingOff()},
             0);
    return effect;
}

Core::RefPtr<Effect> CreateTextEffectNoCulling()
{
    Core::RefPtr<Effect> effect = Make<Effect>();
    Assemble(*effect,
             {Unit0(TextureEnvironmentMode::Modulate, TextureFilter::Nearest, TextureWrap::ClampToEdge),
              DepthTestWithoutWrites(), SourceAlphaBlending(), DropTransparent(), LightingOff()},
             0);
    return effect;
}

Core::RefPtr<Effect> CreateTexturedOpaqueEffect()
{
    Core::RefPtr<Effect> effect = Make<Effect>();
    Assemble(*effect,
             {Unit0(TextureEnvironmentMode::Replace, TextureFilter::Linear, TextureWrap::Repeat),
              DepthTestWithoutWrites()},
             0);
    return effect;
}

Core::RefPtr<Effect> CreateColoredTexturedEffect()
{
    Core::RefPtr<Effect> effect = Make<Effect>();
    Assemble(*effect,
             {White(), Unit0(TextureEnvironmentMode::Modulate, TextureFilter::Linear, TextureWrap::ClampToEdge),
              DepthTestWithoutWrites(), SourceAlphaBlending(), DropTransparent(), LightingOff(), CullingOff()},
             1);
    return effect;
}

Core::RefPtr<ParticleEffect> CreateParticleEffect()
{
    Core::RefPtr<ParticleEffect> effect = Make<ParticleEffect>();
    const Core::RefPtr<AlphaBlendingState> blending = SourceAlphaBlending();
    Assemble(*effect,
             {White(), Unit0(TextureEnvironmentMode::Modulate, TextureFilter::Linear, TextureWrap::Repeat),
              DepthTestWithoutWrites(), blending, DropTransparent(), LightingOff(), CullingOff()},
             1);
    effect->SetBlendingState(blending);
    return effect;
}

Core::RefPtr<Effect> CreateLineEffect()
{
    return UntexturedColoredEffect();
}

Core::RefPtr<Effect> CreatePointEffect()
{
    return UntexturedColoredEffect();
}
}  // namespace Renderer

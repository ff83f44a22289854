#pragma once
// The eight effects the engine draws with, built in code. Each has one technique with one pass;
// every one tests depth with "less" without writing it, blends (where it blends) with source alpha
// and one minus source alpha, drops fragments of alpha exactly 0 (where it alpha-tests), and
// switches lighting and culling off (where it holds those states).
#include "core/Core_Object.h"
#include "renderer/Renderer_Effect.h"

namespace Renderer
{
// Scene graph, transformation groups and cameras: blended, untextured.
Core::RefPtr<Effect> CreateUntexturedBlendEffect();
// Smooth text: linear filtering, repeating.
Core::RefPtr<Effect> CreateTextEffect();
// Pixel text: nearest texels, clamped to the edge, no culling state.
Core::RefPtr<Effect> CreateTextEffectNoCulling();
// Textured screen quads: the texel replaces the fragment colour.
Core::RefPtr<Effect> CreateTexturedOpaqueEffect();
// The render queue's default: blended, texture modulated by the current colour (reset to white).
Core::RefPtr<Effect> CreateColoredTexturedEffect();
// Particles: as the default, with blend factors the render queue sets per item.
Core::RefPtr<ParticleEffect> CreateParticleEffect();
Core::RefPtr<Effect> CreateLineEffect();
Core::RefPtr<Effect> CreatePointEffect();
}  // namespace Renderer

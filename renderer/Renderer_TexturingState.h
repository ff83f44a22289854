#pragma once
// The state of one texture unit. The eight unit classes share these fields and differ only in the
// renderer operations they call. The renderer issues a unit's values to OpenGL only while a texture
// is bound to that unit.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class TexturingState : public State
{
public:
    TexturingState() = default;

    TexturingState* Clone() const override = 0;
    void Apply(IRenderer& renderer) const override = 0;
    void Capture(IRenderer& renderer) override = 0;
    void SetDefault() override;

    // TextureEnvironmentMode.
    u32 environment = TextureEnvironmentMode::Decal;
    // TextureFilter, for both magnification and minification.
    u32 filter = TextureFilter::Nearest;
    // TextureWrap, both.
    u32 wrapS = TextureWrap::Repeat;
    u32 wrapT = TextureWrap::Repeat;
    u8 enabled = 0;
    // 1 generates texture coordinates (eye-linear on a two-dimensional unit, object-linear from the
    // renderer's plane on a one-dimensional one); any other value generates none.
    u8 textureGeneration = 0;
    // The unit drives the one-dimensional texture target instead of the two-dimensional one.
    u8 oneDimensional = 0;
};

class TextureUnit0State : public TexturingState
{
public:
    TextureUnit0State* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
};

class TextureUnit1State : public TexturingState
{
public:
    TextureUnit1State* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
};

class TextureUnit2State : public TexturingState
{
public:
    TextureUnit2State* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
};

class TextureUnit3State : public TexturingState
{
public:
    TextureUnit3State* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
};

class TextureUnit4State : public TexturingState
{
public:
    TextureUnit4State* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
};

class TextureUnit5State : public TexturingState
{
public:
    TextureUnit5State* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
};

class TextureUnit6State : public TexturingState
{
public:
    TextureUnit6State* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
};

class TextureUnit7State : public TexturingState
{
public:
    TextureUnit7State* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
};
}  // namespace Renderer

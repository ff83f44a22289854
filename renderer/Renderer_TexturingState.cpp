#include "renderer/Renderer_TexturingState.h"

namespace Renderer
{
void TexturingState::SetDefault()
{
    environment = TextureEnvironmentMode::Decal;
    filter = TextureFilter::Nearest;
    wrapS = TextureWrap::Repeat;
    wrapT = TextureWrap::Repeat;
    enabled = 0;
    textureGeneration = 0;
    oneDimensional = 0;
}

TextureUnit0State* TextureUnit0State::Clone() const
{
    return new (__FILE__, __LINE__) TextureUnit0State(*this);
}

void TextureUnit0State::Apply(IRenderer& renderer) const
{
    renderer.SetTextureUnit0State(*this);
}

void TextureUnit0State::Capture(IRenderer& renderer)
{
    renderer.GetTextureUnit0State(*this);
}

TextureUnit1State* TextureUnit1State::Clone() const
{
    return new (__FILE__, __LINE__) TextureUnit1State(*this);
}

void TextureUnit1State::Apply(IRenderer& renderer) const
{
    renderer.SetTextureUnit1State(*this);
}

void TextureUnit1State::Capture(IRenderer& renderer)
{
    renderer.GetTextureUnit1State(*this);
}

TextureUnit2State* TextureUnit2State::Clone() const
{
    return new (__FILE__, __LINE__) TextureUnit2State(*this);
}

void TextureUnit2State::Apply(IRenderer& renderer) const
{
    renderer.SetTextureUnit2State(*this);
}

void TextureUnit2State::Capture(IRenderer& renderer)
{
    renderer.GetTextureUnit2State(*this);
}

TextureUnit3State* TextureUnit3State::Clone() const
{
    return new (__FILE__, __LINE__) TextureUnit3State(*this);
}

void TextureUnit3State::Apply(IRenderer& renderer) const
{
    renderer.SetTextureUnit3State(*this);
}

void TextureUnit3State::Capture(IRenderer& renderer)
{
    renderer.GetTextureUnit3State(*this);
}

TextureUnit4State* TextureUnit4State::Clone() const
{
    return new (__FILE__, __LINE__) TextureUnit4State(*this);
}

void TextureUnit4State::Apply(IRenderer& renderer) const
{
    renderer.SetTextureUnit4State(*this);
}

void TextureUnit4State::Capture(IRenderer& renderer)
{
    renderer.GetTextureUnit4State(*this);
}

TextureUnit5State* TextureUnit5State::Clone() const
{
    return new (__FILE__, __LINE__) TextureUnit5State(*this);
}

void TextureUnit5State::Apply(IRenderer& renderer) const
{
    renderer.SetTextureUnit5State(*this);
}

void TextureUnit5State::Capture(IRenderer& renderer)
{
    renderer.GetTextureUnit5State(*this);
}

TextureUnit6State* TextureUnit6State::Clone() const
{
    return new (__FILE__, __LINE__) TextureUnit6State(*this);
}

void TextureUnit6State::Apply(IRenderer& renderer) const
{
    renderer.SetTextureUnit6State(*this);
}

void TextureUnit6State::Capture(IRenderer& renderer)
{
    renderer.GetTextureUnit6State(*this);
}

TextureUnit7State* TextureUnit7State::Clone() const
{
    return new (__FILE__, __LINE__) TextureUnit7State(*this);
}

void TextureUnit7State::Apply(IRenderer& renderer) const
{
    renderer.SetTextureUnit7State(*this);
}

void TextureUnit7State::Capture(IRenderer& renderer)
{
    renderer.GetTextureUnit7State(*this);
}
}  // namespace Renderer

#pragma once
// The effect of every textured GUI quad: the texel modulated by the quad's colour, clamped to the
// edge, alpha-blended over the screen with fully transparent texels dropped, depth-tested with
// "less" without depth writes, no lighting. Its mode picks the texture filter (0 nearest,
// 1 linear) and takes effect at the next UpdateStates.
#include "core/Core_Types.h"
#include "renderer/Renderer_Effect.h"
#include "renderer/Renderer_TexturingState.h"

namespace GUI
{
class ImageEffect : public Renderer::Effect
{
public:
    static constexpr u32 NearestMode = 0;
    static constexpr u32 LinearMode = 1;

    ImageEffect();
    ~ImageEffect() override;

    // The texture state's filter := the mode.
    void UpdateStates() override;

    u32 mode = NearestMode;

private:
    Core::RefPtr<Renderer::TextureUnit0State> textureState;
};
} // namespace GUI

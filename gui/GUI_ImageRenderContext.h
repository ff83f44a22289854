#pragma once
// The render context of one GUI image quad (a skin piece): the engine's one-quad screen object
// with an effect mode, which it writes into its image effect right before it is drawn.
#include "core/Core_Types.h"
#include "engine/Engine_ScreenQuad.h"

namespace GUI
{
class ImageRenderContext : public Engine::TextRenderContext
{
public:
    ImageRenderContext() = default;

    // Effect mode 0, then the quad's own reset.
    void Reset() override;
    // Copies the effect mode into the context's effect (when it is an image effect) and lets the
    // effect update its states.
    void PrepareDraw() override;

    u32 effectMode = 0;
};
} // namespace GUI

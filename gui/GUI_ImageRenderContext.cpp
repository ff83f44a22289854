#include "gui/GUI_ImageRenderContext.h"

#include "gui/GUI_ImageEffect.h"

namespace GUI
{
void ImageRenderContext::Reset()
{
    effectMode = 0;
    TextRenderContext::Reset();
}

void ImageRenderContext::PrepareDraw()
{
    if (!effect)
        return;
    if (ImageEffect* image = dynamic_cast<ImageEffect*>(effect.Get()))
        image->mode = effectMode;
    effect->UpdateStates();
}
} // namespace GUI

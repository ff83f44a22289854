#pragma once

#include "SoundGen_Description.h"

#include <vector>

namespace SoundGen
{
    // Renders one voice held for `hold` seconds and then released, as mono samples at `rate`;
    // the result lasts hold + release and ends at exactly zero.
    std::vector<float> RenderVoice(const VoiceParams& params, double hold, int rate);
}

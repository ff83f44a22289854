#pragma once

#include "SoundGen_Description.h"

#include <string>
#include <vector>

namespace SoundGen
{
    // Renders a description into interleaved samples in [-peak, peak]. An effect lasts its stated
    // length and fades out at its end; a song is one pass of its patterns, rendered so that it
    // loops without a seam: sounds that ring past the end continue at the start.
    bool RenderDescription(const Description& description, std::vector<float>& samples, std::string& error);
}

#pragma once
// The display modes of the primary display, indexed by colour depth, resolution and refresh rate,
// and the search for the available mode closest to a wanted one.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "platform/PAL_Display.h"

#include <cstdio>
#include <utility>

namespace Renderer
{
using DisplayMode = PAL::DisplayMode;
using Resolution = std::pair<u32, u32>;  // width, height

class DisplayModes
{
public:
    // Enumerates the system's modes, then writes "\DisplayModes.txt" when diagnostics are on.
    DisplayModes();
    // The given modes instead of the system's (no file is written).
    explicit DisplayModes(const Core::Vector<DisplayMode>& modes);

    // The desktop's current mode; false (and the record untouched) without a display.
    static bool GetCurrentDisplayMode(DisplayMode& mode);

    const Core::Vector<DisplayMode>& GetModes() const { return modes; }
    // Colour depths, smallest first.
    Core::Vector<u32> GetColorBits() const;
    // Resolutions of a depth, width then height, smallest first.
    Core::Vector<Resolution> GetResolutions(u32 bits) const;
    // Refresh rates of a depth and resolution, smallest first.
    Core::Vector<u32> GetRefreshRates(u32 bits, const Resolution& resolution) const;

    // The first depth at least the wanted one (else the largest), then the first resolution of that
    // depth not smaller than the wanted one in width-then-height order (else the last), then the
    // first rate at least the wanted one (else the largest). Without any mode: 32 bits, 0 x 0, 60 Hz.
    DisplayMode FindClosestMode(const DisplayMode& wanted) const;

    // The listing of "\DisplayModes.txt".
    void WriteListing(std::FILE* file) const;

private:
    void BuildIndex();

    using ResolutionMap = Core::Map<Resolution, Core::Set<u32>>;

    Core::Vector<DisplayMode> modes;
    Core::Map<u32, ResolutionMap> index;
};
}  // namespace Renderer

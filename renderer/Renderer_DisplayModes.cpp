#include "renderer/Renderer_DisplayModes.h"

#include "renderer/Renderer_Diagnostics.h"

namespace Renderer
{
DisplayModes::DisplayModes()
{
    PAL::EnumerateDisplayModes(modes);
    BuildIndex();
    if (std::FILE* file = OpenDiagnosticFile("\\DisplayModes.txt"))
    {
        WriteListing(file);
        std::fclose(file);
    }
}

DisplayModes::DisplayModes(const Core::Vector<DisplayMode>& given) : modes(given)
{
    BuildIndex();
}

void DisplayModes::BuildIndex()
{
    for (const DisplayMode& mode : modes)
    {
        index[mode.colorBits];
    }
    for (const DisplayMode& mode : modes)
    {
        index[mode.colorBits][Resolution(mode.width, mode.height)].insert(mode.refreshRate);
    }
}

bool DisplayModes::GetCurrentDisplayMode(DisplayMode& mode)
{
    return PAL::GetCurrentDisplayMode(mode);
}

Core::Vector<u32> DisplayModes::GetColorBits() const
{
    Core::Vector<u32> bits;
    for (const auto& entry : index)
    {
        bits.push_back(entry.first);
    }
    return bits;
}

Core::Vector<Resolution> DisplayModes::GetResolutions(u32 bits) const
{
    Core::Vector<Resolution> resolutions;
    const auto depth = index.find(bits);
    if (depth != index.end())
    {
        for (const auto& entry : depth->second)
        {
            resolutions.push_back(entry.first);
        }
    }
    return resolutions;
}

Core::Vector<u32> DisplayModes::GetRefreshRates(u32 bits, const Resolution& resolution) const
{
    Core::Vector<u32> rates;
    const auto depth = index.find(bits);
    if (depth == index.end())
    {
        return rates;
    }
    const auto sizes = depth->second.find(resolution);
    if (sizes != depth->second.end())
    {
        rates.assign(sizes->second.begin(), sizes->second.end());
    }
    return rates;
}

DisplayMode DisplayModes::FindClosestMode(const DisplayMode& wanted) const
{
    DisplayMode found;
    found.colorBits = 32;
    found.refreshRate = 60;

    const Core::Vector<u32> depths = GetColorBits();
    if (depths.empty())
    {
        return found;
    }
    found.colorBits = depths.back();
    for (u32 bits : depths)
    {
        if (bits >= wanted.colorBits)
        {
            found.colorBits = bits;
            break;
        }
    }

    const Core::Vector<Resolution> resolutions = GetResolutions(found.colorBits);
    Resolution size = resolutions.back();
    for (const Resolution& candidate : resolutions)
    {
        if (candidate.first > wanted.width || (candidate.first == wanted.width && candidate.second >= wanted.height))
        {
            size = candidate;
            break;
        }
    }
    found.width = size.first;
    found.height = size.second;

    const Core::Vector<u32> rates = GetRefreshRates(found.colorBits, size);
    found.refreshRate = rates.back();
    for (u32 rate : rates)
    {
        if (rate >= wanted.refreshRate)
        {
            found.refreshRate = rate;
            break;
        }
    }
    return found;
}

void DisplayModes::WriteListing(std::FILE* file) const
{
    std::fputs("Color Bits    Resolution    Refresh Rates\n", file);
    std::fputs("==========    ==========    =============\n", file);
    for (const auto& depth : index)
    {
        std::fprintf(file, "%d\n", static_cast<int>(depth.first));
        for (const auto& size : depth.second)
        {
            std::fprintf(file, "%17d", static_cast<int>(size.first.first));
            std::fputs(" X ", file);
            std::fprintf(file, "%4d", static_cast<int>(size.first.second));
            std::fputs("    ", file);
            for (u32 rate : size.second)
            {
                std::fprintf(file, "%d ", static_cast<int>(rate));
            }
            std::fputs("\n", file);
        }
    }
}
}  // namespace Renderer

#include "renderer/Renderer_ImageResample.h"

#include "core/Core_Memory.h"

#include <algorithm>
#include <cmath>

namespace Renderer
{
namespace
{
// The source samples and normalised weights that make one destination sample along one axis.
struct Taps
{
    Core::Vector<u32> first; // index into indices/weights of each destination sample's first tap
    Core::Vector<u32> count;
    Core::Vector<i32> indices;
    Core::Vector<float> weights;
};

Taps MakeTaps(i32 sourceSize, i32 destinationSize)
{
    Taps taps;
    taps.first.reserve(static_cast<std::size_t>(destinationSize));
    taps.count.reserve(static_cast<std::size_t>(destinationSize));
    const double scale = static_cast<double>(sourceSize) / static_cast<double>(destinationSize);
    const double radius = std::max(1.0, scale);
    for (i32 i = 0; i < destinationSize; ++i)
    {
        // Centre of destination sample i in source pixel coordinates (pixel centres at k + 0.5).
        const double centre = (static_cast<double>(i) + 0.5) * scale - 0.5;
        // Every pixel strictly inside the radius; the window is at least 2 wide, so never empty.
        const i32 low = static_cast<i32>(std::floor(centre - radius)) + 1;
        const i32 high = static_cast<i32>(std::ceil(centre + radius)) - 1;
        const u32 start = static_cast<u32>(taps.indices.size());
        double total = 0.0;
        for (i32 k = low; k <= high; ++k)
        {
            const double weight = 1.0 - std::fabs(static_cast<double>(k) - centre) / radius;
            if (weight <= 0.0)
                continue;
            taps.indices.push_back(std::clamp(k, 0, sourceSize - 1));
            taps.weights.push_back(static_cast<float>(weight));
            total += weight;
        }
        for (std::size_t t = start; t < taps.weights.size(); ++t)
            taps.weights[t] = static_cast<float>(taps.weights[t] / total);
        taps.first.push_back(start);
        taps.count.push_back(static_cast<u32>(taps.indices.size()) - start);
    }
    return taps;
}

// Horizontal pass of one source row into alpha-weighted floats (red, green and blue multiplied by
// alpha).
void ResampleRow(const u8* sourceRow, const Taps& taps, i32 width, float* out)
{
    for (i32 x = 0; x < width; ++x)
    {
        float sum[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        const u32 first = taps.first[static_cast<std::size_t>(x)];
        const u32 count = taps.count[static_cast<std::size_t>(x)];
        for (u32 t = first; t < first + count; ++t)
        {
            const u8* pixel = sourceRow + static_cast<std::size_t>(taps.indices[t]) * 4;
            const float weight = taps.weights[t];
            const float alpha = static_cast<float>(pixel[3]);
            sum[0] += weight * static_cast<float>(pixel[0]) * alpha;
            sum[1] += weight * static_cast<float>(pixel[1]) * alpha;
            sum[2] += weight * static_cast<float>(pixel[2]) * alpha;
            sum[3] += weight * alpha;
        }
        std::copy(sum, sum + 4, out + static_cast<std::size_t>(x) * 4);
    }
}

u8 ToByte(float value)
{
    return static_cast<u8>(std::clamp(std::floor(value + 0.5f), 0.0f, 255.0f));
}
} // namespace

PAL::DecodedImage ResampleImage(const PAL::DecodedImage& image, i32 width, i32 height)
{
    if (width == image.width && height == image.height)
        return image;
    if (image.width <= 0 || image.height <= 0 || width <= 0 || height <= 0)
    {
        // Nothing to sample from (or into): transparent black of the size asked.
        PAL::DecodedImage empty;
        empty.width = std::max(width, 0);
        empty.height = std::max(height, 0);
        empty.pixels.assign(static_cast<std::size_t>(empty.width) * static_cast<std::size_t>(empty.height) * 4, 0);
        return empty;
    }

    const Taps horizontal = MakeTaps(image.width, width);
    const Taps vertical = MakeTaps(image.height, height);

    // The vertical pass reads horizontally resampled source rows from a window that slides down
    // the picture: the taps of consecutive destination rows cover consecutive source rows, so a
    // row leaves the window only once no later destination row needs it, and the window holds as
    // many rows as the widest vertical filter rather than the whole picture.
    const std::size_t rowFloats = static_cast<std::size_t>(width) * 4;
    const u32 windowRows = *std::max_element(vertical.count.begin(), vertical.count.end());
    Core::Vector<float> window(rowFloats * windowRows);
    Core::Vector<i32> windowSource(windowRows, -1);
    auto row = [&](i32 sourceRow) {
        const std::size_t slot = static_cast<std::size_t>(sourceRow) % windowRows;
        float* out = window.data() + slot * rowFloats;
        if (windowSource[slot] != sourceRow)
        {
            ResampleRow(image.pixels.data() + static_cast<std::size_t>(sourceRow) * static_cast<std::size_t>(image.width) * 4,
                        horizontal, width, out);
            windowSource[slot] = sourceRow;
        }
        return static_cast<const float*>(out);
    };

    // Vertical pass, then back from alpha-weighted to plain colours.
    PAL::DecodedImage result;
    result.width = width;
    result.height = height;
    result.pixels.resize(rowFloats * static_cast<std::size_t>(height));
    Core::Vector<float> sums(rowFloats);
    for (i32 y = 0; y < height; ++y)
    {
        const u32 first = vertical.first[static_cast<std::size_t>(y)];
        const u32 count = vertical.count[static_cast<std::size_t>(y)];
        std::fill(sums.begin(), sums.end(), 0.0f);
        for (u32 t = first; t < first + count; ++t)
        {
            const float* sample = row(vertical.indices[t]);
            const float weight = vertical.weights[t];
            for (std::size_t i = 0; i < rowFloats; ++i)
                sums[i] += weight * sample[i];
        }
        u8* out = result.pixels.data() + static_cast<std::size_t>(y) * rowFloats;
        for (i32 x = 0; x < width; ++x)
        {
            const float* sum = sums.data() + static_cast<std::size_t>(x) * 4;
            u8* pixel = out + static_cast<std::size_t>(x) * 4;
            const float alpha = sum[3];
            for (int c = 0; c < 3; ++c)
                pixel[c] = alpha > 0.0f ? ToByte(sum[c] / alpha) : 0;
            pixel[3] = ToByte(alpha);
        }
    }
    return result;
}
} // namespace Renderer

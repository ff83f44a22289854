// How long hostile pictures take to be refused: each one's header declares a picture far beyond
// the limits, or its PNG chunks are broken, so it never reaches a decoder. (The memory bound is
// checked by the image tests.)
#include "platform/PAL_Image.h"
#include "tests/support/Support_Images.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
using Bytes = std::vector<u8>;

Bytes Gif(u16 width, u16 height)
{
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
    TestSupport::PutU16LittleEndian(gif, width);
    TestSupport::PutU16LittleEndian(gif, height);
    gif.insert(gif.end(), {0x00, 0x00, 0x00, 0x2C, 0, 0, 0, 0});
    TestSupport::PutU16LittleEndian(gif, width);
    TestSupport::PutU16LittleEndian(gif, height);
    gif.insert(gif.end(), {0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B});
    return gif;
}

Bytes Png(u32 width, u32 height)
{
    TestSupport::Picture picture(1, 1);
    Bytes png = TestSupport::EncodePng(picture);
    png[16] = static_cast<u8>(width >> 24);
    png[17] = static_cast<u8>(width >> 16);
    png[18] = static_cast<u8>(width >> 8);
    png[19] = static_cast<u8>(width);
    png[20] = static_cast<u8>(height >> 24);
    png[21] = static_cast<u8>(height >> 16);
    png[22] = static_cast<u8>(height >> 8);
    png[23] = static_cast<u8>(height);
    const u32 crc = TestSupport::Crc32(png.data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        png[29 + static_cast<std::size_t>(i)] = static_cast<u8>(crc >> (24 - 8 * i));
    return png;
}

Bytes BrokenCrcPng()
{
    TestSupport::Picture picture(64, 64);
    Bytes png = TestSupport::EncodePng(picture);
    png[png.size() - 13] ^= 0x40;
    return png;
}

void Refuse(benchmark::State& run, const Bytes& bytes)
{
    for (auto _ : run)
    {
        PAL::DecodedImage image;
        benchmark::DoNotOptimize(PAL::DecodeImageBytes(bytes.data(), bytes.size(), image));
    }
}

BENCHMARK_CAPTURE(Refuse, GifNamedPng11574x14117, Gif(11574, 14117));
BENCHMARK_CAPTURE(Refuse, Gif4112x4113, Gif(4112, 4113));
BENCHMARK_CAPTURE(Refuse, Png16384x16384, Png(16384, 16384));
BENCHMARK_CAPTURE(Refuse, Png31855x32897, Png(31855, 32897));
BENCHMARK_CAPTURE(Refuse, Png12336x12336, Png(12336, 12336));
BENCHMARK_CAPTURE(Refuse, PngWithBrokenCrc, BrokenCrcPng());
}  // namespace

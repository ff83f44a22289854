// Hostile pictures: headers that declare huge sizes, formats the engine does not read, PNG chunks
// with wrong lengths or checksums. Each is refused from its header, before any decoder allocates
// for it; the process's peak memory shows that nothing near the declared size was asked for.

#include "platform/PAL_FileSystem.h"
#include "platform/PAL_Image.h"
#include "renderer/Renderer_ImageLoader.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<u8>;

void PutU16LittleEndian(Bytes& out, u32 value)
{
    out.push_back(static_cast<u8>(value));
    out.push_back(static_cast<u8>(value >> 8));
}

// A GIF whose logical screen and only image claim width x height, with a few bytes of image data.
Bytes Gif(u32 width, u32 height)
{
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
    PutU16LittleEndian(gif, width);
    PutU16LittleEndian(gif, height);
    gif.insert(gif.end(), {0x00, 0x00, 0x00, 0x2C, 0, 0, 0, 0});
    PutU16LittleEndian(gif, width);
    PutU16LittleEndian(gif, height);
    gif.insert(gif.end(), {0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B});
    return gif;
}

// A PNG with correct checksums whose header declares width x height over a one-row image stream.
Bytes PngHeaderOnly(u32 width, u32 height)
{
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    TestSupport::PutU32BigEndian(header, width);
    TestSupport::PutU32BigEndian(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    TestSupport::PutChunk(png, "IHDR", header);
    TestSupport::PutChunk(png, "IDAT", {0x78, 0x01, 0x01, 0x01, 0x00, 0xFE, 0xFF, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01});
    TestSupport::PutChunk(png, "IEND", {});
    return png;
}

// A 24-bit BMP header declaring width x height with no pixels after it.
Bytes BmpHeaderOnly(u32 width, u32 height)
{
    Bytes bmp = {'B', 'M'};
    TestSupport::PutU32LittleEndian(bmp, 54);
    TestSupport::PutU32LittleEndian(bmp, 0);
    TestSupport::PutU32LittleEndian(bmp, 54);
    TestSupport::PutU32LittleEndian(bmp, 40);
    TestSupport::PutU32LittleEndian(bmp, width);
    TestSupport::PutU32LittleEndian(bmp, height);
    PutU16LittleEndian(bmp, 1);
    PutU16LittleEndian(bmp, 24);
    bmp.resize(54, 0);
    return bmp;
}

Bytes SmallPng()
{
    TestSupport::Picture picture(2, 2);
    picture.Fill(10, 20, 30, 255);
    return TestSupport::EncodePng(picture);
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool Decodes(const Bytes& bytes, PAL::ImageUse use = PAL::ImageUse::Picture)
{
    PAL::DecodedImage image;
    return PAL::DecodeImageBytes(bytes.data(), bytes.size(), image, use);
}
} // namespace

TEST(ImageBounds, HugeDeclaredSizesAreRefusedBeforeAnythingIsAllocated)
{
    const TestSupport::ScratchFolder folder("morvane_image_bounds");
    const std::vector<std::pair<std::string, Bytes>> hostile = {
        {"gif-as-png.png", Gif(11574, 14117)},
        {"gif-beyond-sides.png", Gif(31855, 32897)},
        {"gif-busy.png", Gif(4112, 4113)},
        {"largest-side.png", PngHeaderOnly(16384, 16384)},
        {"beyond-sides.png", PngHeaderOnly(31855, 32897)},
        {"resample-block.bmp", BmpHeaderOnly(12336, 12336)},
        {"wide.bmp", BmpHeaderOnly(20000, 1)},
    };
    const long before = PeakKilobytes();
    for (const auto& [name, bytes] : hostile)
    {
        Renderer::MipChain chain;
        EXPECT_FALSE(Renderer::LoadMipChain(folder.Write(name, bytes).c_str(), true, false, 16384, chain)) << name;
        EXPECT_TRUE(chain.levels.empty()) << name;
    }
    EXPECT_LT(PeakKilobytes() - before, 100 * 1024) << "peak memory grew by 100 MB or more";
}

TEST(ImageBounds, TheBudgetFitsTheLargestSheetWithRoomToSpare)
{
    EXPECT_TRUE(PAL::IsImageSizeAccepted(1032, 3096));
    EXPECT_TRUE(PAL::IsImageSizeAccepted(2048, 4096));
    EXPECT_TRUE(PAL::IsImageSizeAccepted(16384, 512));
    EXPECT_FALSE(PAL::IsImageSizeAccepted(4096, 2049));
    EXPECT_FALSE(PAL::IsImageSizeAccepted(16385, 1));
    EXPECT_FALSE(PAL::IsImageSizeAccepted(0, 10));
    EXPECT_FALSE(PAL::IsImageSizeAccepted(10, -1));
}

TEST(ImageBounds, PngChunksMustBeWholeWithCorrectChecksums)
{
    const Bytes good = SmallPng();
    ASSERT_TRUE(Decodes(good));

    Bytes badCrc = good;
    badCrc[8 + 8 + 13] ^= 0x01; // IHDR's checksum
    EXPECT_FALSE(Decodes(badCrc));

    Bytes badDataCrc = good;
    badDataCrc[badDataCrc.size() - 12 - 1] ^= 0x80; // IDAT's checksum
    EXPECT_FALSE(Decodes(badDataCrc));

    Bytes longChunk = good;
    longChunk[8 + 25 + 3] += 1; // IDAT's length, one byte past its data
    EXPECT_FALSE(Decodes(longChunk));

    Bytes noEnd(good.begin(), good.end() - 12);
    EXPECT_FALSE(Decodes(noEnd));

    Bytes trailing = good;
    trailing.insert(trailing.end(), {1, 2, 3});
    EXPECT_TRUE(Decodes(trailing)) << "bytes after IEND are not chunks";
}

TEST(ImageBounds, TheFormatComesFromTheBytesAndIconsOnlyForTheIcon)
{
    const TestSupport::ScratchFolder folder("morvane_image_formats");
    Renderer::MipChain chain;
    EXPECT_TRUE(Renderer::LoadMipChain(folder.Write("png-named.bmp", SmallPng()).c_str(), false, true, 2048, chain));
    EXPECT_FALSE(Decodes(Gif(2, 2), PAL::ImageUse::Icon)) << "GIF is never decoded";

    const std::string icon = std::string(PAL::GetExecutableDirectory()) + "/Resources/GameIcon/GameIcon.ico";
    PAL::DecodedImage image;
    EXPECT_FALSE(PAL::DecodeImageFile(icon.c_str(), image, PAL::ImageUse::Picture));
    ASSERT_TRUE(PAL::DecodeImageFile(icon.c_str(), image, PAL::ImageUse::Icon));
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 64);
}

TEST(ImageBounds, APaletteColourMarkedTransparentBecomesAlphaZero)
{
    // A 2 x 1 picture of palette entries 0 (red, opaque) and 1 (blue, transparent by tRNS).
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    TestSupport::PutU32BigEndian(header, 2);
    TestSupport::PutU32BigEndian(header, 1);
    header.insert(header.end(), {8, 3, 0, 0, 0});
    TestSupport::PutChunk(png, "IHDR", header);
    TestSupport::PutChunk(png, "PLTE", {255, 0, 0, 0, 0, 255});
    TestSupport::PutChunk(png, "tRNS", {255, 0});
    const Bytes row = {0, 0, 1};
    Bytes zlib = {0x78, 0x01, 0x01, 3, 0, 0xFC, 0xFF, 0, 0, 1};
    u32 a = 1;
    u32 b = 0;
    for (u8 byte : row)
    {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    TestSupport::PutU32BigEndian(zlib, (b << 16) | a);
    TestSupport::PutChunk(png, "IDAT", zlib);
    TestSupport::PutChunk(png, "IEND", {});

    PAL::DecodedImage image;
    ASSERT_TRUE(PAL::DecodeImageBytes(png.data(), png.size(), image));
    EXPECT_EQ(image.pixels, (Core::Vector<u8>{255, 0, 0, 255, 0, 0, 255, 0}));
}

TEST(ImageBounds, IconImagesDeclaringHugeBitmapsAreRefused)
{
    // One directory entry whose bitmap header claims 30000 x 30000 (its height counts the mask).
    Bytes ico = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0};
    TestSupport::PutU32LittleEndian(ico, 40);
    TestSupport::PutU32LittleEndian(ico, 22);
    TestSupport::PutU32LittleEndian(ico, 40);
    TestSupport::PutU32LittleEndian(ico, 30000);
    TestSupport::PutU32LittleEndian(ico, 60000);
    ico.resize(62, 0);
    EXPECT_FALSE(Decodes(ico, PAL::ImageUse::Icon));
}

#include "platform/PAL_Image.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
class ImageTest : public ::testing::Test
{
protected:
    // The path names the folder with a backslash, as the system's own paths do.
    Core::String Write(const char* name, const std::vector<u8>& bytes)
    {
        folder.Write(name, bytes);
        return Core::String(folder.Path().string().c_str()) + "\\" + name;
    }

    TestSupport::ScratchFolder folder{"morvane_image"};
};

TEST_F(ImageTest, PixelsComeOutAsRgbaFromTheTopRowDown)
{
    PAL::DecodedImage image;
    ASSERT_TRUE(PAL::DecodeImageFile(Write("Quad.bmp", TestSupport::TwoByTwoBmp()), image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, (Core::Vector<u8>{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}));
}

TEST_F(ImageTest, UnreadableFilesLeaveTheImageUntouched)
{
    PAL::DecodedImage image;
    image.width = 7;
    EXPECT_FALSE(PAL::DecodeImageFile(Write("Broken.png", {0x89, 'P', 'N', 'G', 1, 2, 3}), image));
    std::vector<u8> truncated = TestSupport::TwoByTwoBmp();
    truncated.resize(30);
    EXPECT_FALSE(PAL::DecodeImageFile(Write("Short.bmp", truncated), image));
    EXPECT_FALSE(PAL::DecodeImageFile(Core::String(folder.Path().string().c_str()) + "\\Missing.png", image));
    EXPECT_EQ(image.width, 7);
    EXPECT_TRUE(image.pixels.empty());
}

TEST_F(ImageTest, ARefusedFileSaysWhy)
{
    PAL::DecodedImage image;
    std::string failure;
    EXPECT_FALSE(PAL::DecodeImageFile(Core::String(folder.Path().string().c_str()) + "\\Missing.png", image,
                                      PAL::ImageUse::Picture, &failure));
    EXPECT_EQ(failure, "No such file or directory");
    EXPECT_FALSE(PAL::DecodeImageFile(Write("Text.png", {'h', 'e', 'l', 'l', 'o'}), image, PAL::ImageUse::Picture,
                                      &failure));
    EXPECT_EQ(failure, "it is no PNG, BMP or JPEG picture");
    std::vector<u8> png = TestSupport::EncodePng(TestSupport::Picture(8, 8));
    png.resize(png.size() - 6);
    EXPECT_FALSE(PAL::DecodeImageFile(Write("Cut.png", png), image, PAL::ImageUse::Picture, &failure));
    EXPECT_EQ(failure, "a PNG chunk of it is cut short or fails its checksum");
    std::vector<u8> wide = TestSupport::TwoByTwoBmp();
    wide[18] = 0x20;
    wide[19] = 0x4E;
    EXPECT_FALSE(PAL::DecodeImageFile(Write("Wide.bmp", wide), image, PAL::ImageUse::Picture, &failure));
    EXPECT_EQ(failure, "its header declares 20000 x 2 pixels, beyond the pictures accepted");
    ASSERT_TRUE(PAL::DecodeImageFile(Write("Quad.bmp", TestSupport::TwoByTwoBmp()), image, PAL::ImageUse::Picture,
                                     &failure));
    EXPECT_EQ(failure, "");
}

TEST_F(ImageTest, PicturesBeyondTheSizeLimitAreRefused)
{
    std::vector<u8> huge = TestSupport::TwoByTwoBmp();
    // Claim 20000 x 1 pixels; SDL_image reads what is there, the decoder refuses the width.
    huge[18] = 0x20;
    huge[19] = 0x4E;
    huge[22] = 1;
    huge.resize(54 + 20000 * 3, 0);
    PAL::DecodedImage image;
    EXPECT_FALSE(PAL::DecodeImageFile(Write("Wide.bmp", huge), image));
}
}  // namespace

#if defined(__SANITIZE_ADDRESS__)
namespace
{
// Makes a surface as our code would and loses it; no pointer to it outlives this frame.
[[gnu::noinline]] void LoseASurface()
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(surface, nullptr);
}
}  // namespace

// The leak checker's suppressions name only driver internals: a surface that our code makes
// through SDL and never frees is still reported, its stack ending in SDL. The check runs in a
// process of its own, under the suppressions the test run gives (LSAN_OPTIONS), and exits 1 on a
// leak.
TEST(LeakCheckTest, ASurfaceOurCodeLeaksIsReported)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            LoseASurface();
            std::_Exit(__lsan_do_recoverable_leak_check() != 0 ? 1 : 0);
        },
        ::testing::ExitedWithCode(1), "Direct leak of [0-9]+ byte.*libSDL2");
}
#endif

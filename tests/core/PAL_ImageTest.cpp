#include "PAL_TestImages.h"

#include "core/PAL_Image.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
class ImageTest : public ::testing::Test
{
protected:
    ImageTest() : folder(std::filesystem::temp_directory_path() / ("morvane_image_" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(folder);
    }
    ~ImageTest() override { std::filesystem::remove_all(folder); }

    Core::String Write(const char* name, const std::vector<u8>& bytes)
    {
        std::FILE* file = std::fopen((folder / name).c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        return Core::String(folder.string()) + "\\" + name;
    }

    std::filesystem::path folder;
};

TEST_F(ImageTest, PixelsComeOutAsRgbaFromTheTopRowDown)
{
    PAL::DecodedImage image;
    ASSERT_TRUE(PAL::DecodeImageFile(Write("Quad.bmp", TestImages::TwoByTwoBmp()), image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, (Core::Vector<u8>{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}));
}

TEST_F(ImageTest, UnreadableFilesLeaveTheImageUntouched)
{
    PAL::DecodedImage image;
    image.width = 7;
    EXPECT_FALSE(PAL::DecodeImageFile(Write("Broken.png", {0x89, 'P', 'N', 'G', 1, 2, 3}), image));
    std::vector<u8> truncated = TestImages::TwoByTwoBmp();
    truncated.resize(30);
    EXPECT_FALSE(PAL::DecodeImageFile(Write("Short.bmp", truncated), image));
    EXPECT_FALSE(PAL::DecodeImageFile(Core::String(folder.string()) + "\\Missing.png", image));
    EXPECT_EQ(image.width, 7);
    EXPECT_TRUE(image.pixels.empty());
}

TEST_F(ImageTest, PicturesBeyondTheSizeLimitAreRefused)
{
    std::vector<u8> huge = TestImages::TwoByTwoBmp();
    // Claim 20000 x 1 pixels; SDL_image reads what is there, the decoder refuses the width.
    huge[18] = 0x20;
    huge[19] = 0x4E;
    huge[22] = 1;
    huge.resize(54 + 20000 * 3, 0);
    PAL::DecodedImage image;
    EXPECT_FALSE(PAL::DecodeImageFile(Write("Wide.bmp", huge), image));
}
}  // namespace

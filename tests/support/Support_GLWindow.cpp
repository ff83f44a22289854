#include "tests/support/Support_GLWindow.h"

#include "core/Core_File.h"
#include "platform/PAL_GLContext.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Skip.h"

#include <cstdlib>

namespace TestSupport
{
void SaveScreenshot(const std::vector<u8>& frame, i32 width, i32 height, const char* fileName)
{
    const char* folder = std::getenv("MORVANE_SCREENSHOT_DIR");
    if (!folder || frame.size() < Renderer::FrameBufferSize(width, height))
        return;
    const u32 stride = Renderer::FrameBufferSize(width, 1);
    Picture picture(width, height);
    for (i32 y = 0; y < height; ++y)
    {
        for (i32 x = 0; x < width; ++x)
        {
            const u8* p = frame.data() + static_cast<u32>(height - 1 - y) * stride + static_cast<u32>(x) * 3;
            picture.Set(x, y, p[0], p[1], p[2], 255);
        }
    }
    const std::vector<u8> png = EncodePng(picture);
    Core::DiskFile out(Core::String(folder) + "/" + fileName, Core::DiskFile::ModeWrite);
    out.Write(png.data(), static_cast<u32>(png.size()));
}

std::array<int, 3> FramePixel(const std::vector<u8>& frame, i32 width, i32 x, i32 y)
{
    const u8* p = frame.data() + static_cast<u32>(y) * Renderer::FrameBufferSize(width, 1) + static_cast<u32>(x) * 3;
    return {p[0], p[1], p[2]};
}

int CountLitPixels(const std::vector<u8>& frame, i32 width, i32 left, i32 bottom, i32 right, i32 top)
{
    int lit = 0;
    for (i32 y = bottom; y < top; ++y)
    {
        for (i32 x = left; x < right; ++x)
        {
            const std::array<int, 3> p = FramePixel(frame, width, x, y);
            lit += p[0] > 128 && p[1] > 128 && p[2] > 128 ? 1 : 0;
        }
    }
    return lit;
}

void GLWindowTest::SetUp()
{
    window = std::make_unique<PAL::Window>(width, height);
    // SDL's own words say whether the display was gone or only the window or its visual failed.
    if (!window->IsCreated())
        MORVANE_SKIP("no display reachable at DISPLAY=" + DisplayName() + " (" + PAL::GetLastGLError() + ")");
    renderer = Renderer::CreateOGLRenderer(Settings());
    ASSERT_NE(renderer, nullptr);
}

void GLWindowTest::TearDown()
{
    renderer = nullptr;
    window.reset();
}

Renderer::DisplaySettings GLWindowTest::Settings() const
{
    Renderer::DisplaySettings settings(width, height);
    settings.window = window.get();
    return settings;
}

std::vector<u8> GLWindowTest::ReadFrame()
{
    std::vector<u8> frame(Renderer::FrameBufferSize(width, height));
    EXPECT_TRUE(renderer->ReadFrameBuffer(frame.data(), static_cast<u32>(frame.size())));
    return frame;
}

std::vector<u8> GLWindowTest::PixelOf(const std::vector<u8>& frame, i32 x, i32 y) const
{
    const std::size_t row = Renderer::FrameBufferSize(width, 1);
    const u8* p = frame.data() + static_cast<std::size_t>(y) * row + static_cast<std::size_t>(x) * 3;
    return {p[0], p[1], p[2]};
}

std::vector<u8> GLWindowTest::ReadPixel(i32 x, i32 y)
{
    return PixelOf(ReadFrame(), x, y);
}
}  // namespace TestSupport

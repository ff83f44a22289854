#pragma once
// The window + OpenGL fixture: a window of the test's size whose OpenGL renderer is the
// process-wide renderer while the test runs, and pixels read back from its back buffer. Without a
// display the test fails under scripts/test and skips when run by hand. A fixture that needs more
// set-up derives from it and calls GLWindowTest::SetUp() first, returning when IsSkipped() or
// HasFatalFailure().
#include "platform/PAL_Window.h"
#include "renderer/Renderer_IRenderer.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace TestSupport
{
// With MORVANE_SCREENSHOT_DIR set, writes a frame as ReadFrameBuffer gives it (RGB rows from the
// bottom, padded to 4 bytes) to that folder as a PNG named fileName; otherwise does nothing.
void SaveScreenshot(const std::vector<u8>& frame, i32 width, i32 height, const char* fileName);
// Red, green and blue of pixel (x, y), from the bottom left, of such a frame.
std::array<int, 3> FramePixel(const std::vector<u8>& frame, i32 width, i32 x, i32 y);
// The pixels of the rectangle whose three channels are all above 128.
int CountLitPixels(const std::vector<u8>& frame, i32 width, i32 left, i32 bottom, i32 right, i32 top);

class GLWindowTest : public ::testing::Test
{
protected:
    GLWindowTest(i32 width, i32 height) : width(width), height(height) {}

    void SetUp() override;
    void TearDown() override;

    // The settings the renderer is made with; a fixture may override them.
    virtual Renderer::DisplaySettings Settings() const;

    // The whole back buffer: rows of 3 bytes per pixel from the bottom, padded to 4 bytes.
    std::vector<u8> ReadFrame();
    // Red, green and blue of one pixel (x, y from the bottom left) of a frame, or of the back buffer.
    std::vector<u8> PixelOf(const std::vector<u8>& frame, i32 x, i32 y) const;
    std::vector<u8> ReadPixel(i32 x, i32 y);

    const i32 width;
    const i32 height;
    std::unique_ptr<PAL::Window> window;
    Core::RefPtr<Renderer::IRenderer> renderer;
};
}  // namespace TestSupport

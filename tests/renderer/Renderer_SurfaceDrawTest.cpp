// Surface regions copied into the window by the raster commands on a real OpenGL context (Xvfb
// with Mesa), mirrored and clipped, checked by the pixels read back.
#include "renderer/Renderer_DepthBufferState.h"
#include "renderer/Renderer_RasterCommand.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "tests/support/Support_GLWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
constexpr i32 Side = 64;

class SurfaceDrawTest : public TestSupport::GLWindowTest
{
protected:
    SurfaceDrawTest() : GLWindowTest(Side, Side) {}

    void SetUp() override
    {
        GLWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        renderer->ClearBuffers(Math::Color(0.0f, 0.0f, 0.0f, 1.0f), 1.0f, 0);
        // A 4 x 2 surface: bottom row red, green, blue, white; top row grey.
        surface = new Renderer::Surface(4, 2, Renderer::Surface::FormatRGBA);
        const u8 bottom[4][4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}};
        for (int x = 0; x < 4; ++x)
        {
            std::copy(bottom[x], bottom[x] + 4, surface->GetPixels() + x * 4);
            std::fill(surface->GetPixels() + 16 + x * 4, surface->GetPixels() + 19 + x * 4, 128);
            surface->GetPixels()[19 + x * 4] = 255;
        }
    }

    void TearDown() override
    {
        surface = nullptr;
        GLWindowTest::TearDown();
    }

    void Run(u32 x, u32 y, u32 sourceX, u32 sourceY, u32 width, u32 height, u8 flipX, u8 flipY)
    {
        Renderer::RasterCommandQueue queue;
        queue.emplace_back(new Renderer::DrawSurfaceCommand(surface, x, y, sourceX, sourceY, width, height, flipX, flipY));
        Renderer::RunRasterCommands(*renderer, queue);
        EXPECT_TRUE(queue.empty());
        frame = ReadFrame();
    }

    std::vector<u8> Pixel(i32 x, i32 y) const { return PixelOf(frame, x, y); }

    Core::RefPtr<Renderer::Surface> surface;
    std::vector<u8> frame;
};
} // namespace

TEST_F(SurfaceDrawTest, RegionLandsAtItsWindowPosition)
{
    Run(10, 20, 0, 0, 4, 2, 0, 0);
    EXPECT_EQ(Pixel(10, 20), (std::vector<u8>{255, 0, 0}));
    EXPECT_EQ(Pixel(13, 20), (std::vector<u8>{255, 255, 255}));
    EXPECT_EQ(Pixel(11, 21), (std::vector<u8>{128, 128, 128}));
    EXPECT_EQ(Pixel(14, 20), (std::vector<u8>{0, 0, 0}));
    EXPECT_EQ(Pixel(10, 22), (std::vector<u8>{0, 0, 0}));
}

TEST_F(SurfaceDrawTest, MirroredRegionCoversTheSameRectangleRightToLeft)
{
    Run(10, 20, 0, 0, 4, 1, 1, 0);
    EXPECT_EQ(Pixel(13, 20), (std::vector<u8>{255, 0, 0}));
    EXPECT_EQ(Pixel(10, 20), (std::vector<u8>{255, 255, 255}));
    EXPECT_EQ(Pixel(9, 20), (std::vector<u8>{0, 0, 0}));
    EXPECT_EQ(Pixel(14, 20), (std::vector<u8>{0, 0, 0}));
}

TEST_F(SurfaceDrawTest, RegionCutAtTheWindowEdgeAndDepthStateRestored)
{
    Renderer::DepthBufferState before;
    renderer->GetDepthBufferState(before);
    Run(Side - 2, 0, 1, 0, 3, 1, 0, 0);
    EXPECT_EQ(Pixel(Side - 2, 0), (std::vector<u8>{0, 255, 0}));
    EXPECT_EQ(Pixel(Side - 1, 0), (std::vector<u8>{0, 0, 255}));
    Renderer::DepthBufferState after;
    renderer->GetDepthBufferState(after);
    EXPECT_EQ(after.testEnabled, before.testEnabled);
    EXPECT_EQ(after.writeEnabled, before.writeEnabled);
}

TEST_F(SurfaceDrawTest, RegionOutsideTheWindowDrawsNothingAndLetsGoOfTheSurface)
{
    Run(Side, 0, 0, 0, 4, 2, 0, 0);
    EXPECT_EQ(surface->GetReferenceCount(), 1u);
    for (i32 x = 0; x < Side; x += 7)
        EXPECT_EQ(Pixel(x, 0), (std::vector<u8>{0, 0, 0}));
}

// A real GL context on a real window (under Xvfb with Mesa); without a display it fails under
// scripts/test and skips by hand. GL is
// reached through the seam's own entry-point lookup, as the renderer's extensions are.
#include "platform/PAL_GLContext.h"
#include "platform/PAL_Window.h"
#include "tests/support/Support_Skip.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <array>

namespace
{
using ClearColorFn = void (*)(float, float, float, float);
using ClearFn = void (*)(unsigned);
using ReadPixelsFn = void (*)(int, int, int, int, unsigned, unsigned, void*);
using FinishFn = void (*)();
using ReadBufferFn = void (*)(unsigned);

constexpr unsigned ColorBufferBit = 0x4000;
constexpr unsigned Rgba = 0x1908;
constexpr unsigned UnsignedByte = 0x1401;
constexpr unsigned Back = 0x0405;

struct GL
{
    ClearColorFn clearColor = reinterpret_cast<ClearColorFn>(PAL::GetGLProcAddress("glClearColor"));
    ClearFn clear = reinterpret_cast<ClearFn>(PAL::GetGLProcAddress("glClear"));
    ReadPixelsFn readPixels = reinterpret_cast<ReadPixelsFn>(PAL::GetGLProcAddress("glReadPixels"));
    FinishFn finish = reinterpret_cast<FinishFn>(PAL::GetGLProcAddress("glFinish"));
    ReadBufferFn readBuffer = reinterpret_cast<ReadBufferFn>(PAL::GetGLProcAddress("glReadBuffer"));

    std::array<u8, 4> ClearAndRead(float r, float g, float b)
    {
        clearColor(r, g, b, 1.0f);
        clear(ColorBufferBit);
        finish();
        readBuffer(Back);
        std::array<u8, 4> pixel{};
        readPixels(3, 5, 1, 1, Rgba, UnsignedByte, pixel.data());
        return pixel;
    }
};

class GLContextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<PAL::Window>(64, 48);
        if (!window->IsCreated())
        {
            MORVANE_SKIP_WITHOUT_DISPLAY();
        }
    }

    std::unique_ptr<PAL::Window> window;
};

TEST_F(GLContextTest, AContextDrawsIntoItsWindow)
{
    PAL::GLContext context(*window);
    ASSERT_TRUE(context.IsValid()) << PAL::GetLastGLError();
    EXPECT_EQ(context.GetWindow(), window.get());
    GL gl;
    ASSERT_NE(gl.readPixels, nullptr);
    EXPECT_EQ(gl.ClearAndRead(1.0f, 0.0f, 0.0f), (std::array<u8, 4>{255, 0, 0, 255}));
    EXPECT_EQ(gl.ClearAndRead(0.0f, 0.5f, 1.0f), (std::array<u8, 4>{0, 128, 255, 255}));
    PAL::SwapBuffers(*window);
    PAL::SetSwapInterval(0);
}

TEST_F(GLContextTest, TheGrantedFormatHasTheDepthAndStencilAskedFor)
{
    PAL::SurfaceFormat granted;
    EXPECT_FALSE(PAL::QueryGrantedFormat(granted) && SDL_GL_GetCurrentContext() == nullptr);
    PAL::GLContext context(*window);
    ASSERT_TRUE(context.IsValid()) << PAL::GetLastGLError();
    ASSERT_TRUE(PAL::QueryGrantedFormat(granted));
    EXPECT_GE(granted.colorBits, 24);
    EXPECT_GE(granted.depthBits, 24);
    EXPECT_GE(granted.stencilBits, 8);
    EXPECT_EQ(granted.doubleBuffer, 1);
    EXPECT_EQ(granted.samples, 0);
}

TEST_F(GLContextTest, AContextMovesBetweenWindowsOfOneFormat)
{
    PAL::Window other(32, 32);
    ASSERT_TRUE(other.IsCreated());
    PAL::GLContext context(*window);
    ASSERT_TRUE(context.IsValid());
    ASSERT_TRUE(context.MakeCurrent(other));
    EXPECT_EQ(context.GetWindow(), &other);
    GL gl;
    EXPECT_EQ(gl.ClearAndRead(0.0f, 1.0f, 0.0f), (std::array<u8, 4>{0, 255, 0, 255}));
    EXPECT_TRUE(PAL::GLContext::ReleaseCurrent());
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    ASSERT_TRUE(context.MakeCurrent(*window));
}

TEST_F(GLContextTest, DestroyingTheWindowReleasesTheContextFromIt)
{
    PAL::GLContext context(*window);
    ASSERT_TRUE(context.IsValid());
    window->Destory();
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_FALSE(context.MakeCurrent(*window));
}

TEST_F(GLContextTest, AWindowThatWasNeverMadeGetsNoContext)
{
    window->Destory();
    PAL::GLContext context(*window);
    EXPECT_FALSE(context.IsValid());
    EXPECT_STRNE(PAL::GetLastGLError(), "");
}

TEST_F(GLContextTest, AMultisampledSurfaceIsAskedForAtCreation)
{
    PAL::SurfaceFormat format;
    format.samples = 4;
    PAL::Window multisampled(64, 48, format);
    ASSERT_TRUE(multisampled.IsCreated());
    PAL::GLContext context(multisampled);
    ASSERT_TRUE(context.IsValid()) << PAL::GetLastGLError();
    PAL::SurfaceFormat granted;
    ASSERT_TRUE(PAL::QueryGrantedFormat(granted));
    // What the window was made with is what the context reports, with or without samples.
    EXPECT_EQ(granted.samples, multisampled.GetSurfaceFormat().samples);
}
}  // namespace

#include "tests/support/Support_GLWindow.h"

#include "tests/support/Support_Skip.h"

namespace TestSupport
{
void GLWindowTest::SetUp()
{
    window = std::make_unique<PAL::Window>(width, height);
    if (!window->IsCreated())
        MORVANE_SKIP_WITHOUT_DISPLAY();
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

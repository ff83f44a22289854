#include "engine/Engine_RenderingWindow.h"
#include "tests/support/Support_Skip.h"

#include <gtest/gtest.h>

namespace
{
int destroyed = 0;

class Counted : public Core::Object
{
public:
    ~Counted() override { ++destroyed; }
};

TEST(RenderingWindowTest, HeldObjectsLiveAsLongAsTheWindow)
{
    destroyed = 0;
    Core::RefPtr<Core::Object> kept(new Counted());
    {
        Engine::RenderingWindow window(64, 48);
        window.Hold(kept);
        window.Hold(new Counted());
        window.Hold(nullptr);
        EXPECT_EQ(window.GetHeldCount(), 2u);
        EXPECT_EQ(kept->GetReferenceCount(), 2u);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(kept->GetReferenceCount(), 1u);
}

TEST(RenderingWindowTest, IsTheHiddenPlatformWindowOfTheAskedSize)
{
    Engine::RenderingWindow window(64, 48);
    if (!window.IsCreated())
    {
        MORVANE_SKIP_WITHOUT_DISPLAY();
    }
    i32 width = 0;
    i32 height = 0;
    window.GetClientSize(width, height);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
    EXPECT_FALSE(window.IsVisible());
}
}  // namespace

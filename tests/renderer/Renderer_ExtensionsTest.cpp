// Extension strings cut into names: every space ends a name, a trailing space adds none, and the
// window-system list cuts names at 255 bytes; and which window-system names give swap control.
#include "renderer/Internal_GLExtensions.h"
#include "renderer/Renderer_Extensions.h"

#include <gtest/gtest.h>

#include <string>

using namespace Renderer;

namespace
{
Core::Vector<Core::String> Split(const char* text, u32 maxLength = 0xFFFFFFFFu)
{
    Core::Vector<Core::String> names{"stale"};
    SplitExtensionNames(text, names, maxLength);
    return names;
}
}  // namespace

TEST(ExtensionNamesTest, NamesComeInOrder)
{
    EXPECT_EQ(Split("GL_ARB_multitexture GL_EXT_secondary_color"),
              (Core::Vector<Core::String>{"GL_ARB_multitexture", "GL_EXT_secondary_color"}));
}

TEST(ExtensionNamesTest, DoubleSpacesGiveEmptyNamesButATrailingSpaceDoesNot)
{
    EXPECT_EQ(Split("A  B "), (Core::Vector<Core::String>{"A", "", "B"}));
    EXPECT_EQ(Split(" A"), (Core::Vector<Core::String>{"", "A"}));
    EXPECT_EQ(Split("A  "), (Core::Vector<Core::String>{"A", ""}));
}

TEST(ExtensionNamesTest, NullAndEmptyStringsGiveAnEmptyList)
{
    EXPECT_TRUE(Split(nullptr).empty());
    EXPECT_TRUE(Split("").empty());
}

TEST(ExtensionNamesTest, LongNamesAreCutOnlyWhenAsked)
{
    const std::string longName(300, 'x');
    const std::string text = longName + " GLX_short";
    const Core::Vector<Core::String> cut = Split(text.c_str(), MaximumExtensionNameLength);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].size(), 255u);
    EXPECT_EQ(cut[1], "GLX_short");
    EXPECT_EQ(Split(text.c_str())[0].size(), 300u);
}

TEST(ExtensionNamesTest, LookUpComparesWholeNames)
{
    const Core::Vector<Core::String> names = Split("GL_ARB_multitexture GL_EXT_fog");
    EXPECT_TRUE(HasExtensionName(names, "GL_EXT_fog"));
    EXPECT_FALSE(HasExtensionName(names, "GL_EXT"));
    EXPECT_FALSE(HasExtensionName(names, "gl_ext_fog"));
    EXPECT_FALSE(HasExtensionName(names, nullptr));
}

TEST(ExtensionNamesTest, SwapControlNeedsAnExtensionThatCanTurnSynchronisationOff)
{
    EXPECT_FALSE(HasSwapControlExtension(Split("GLX_SGI_swap_control GLX_ARB_multisample")));
    EXPECT_TRUE(HasSwapControlExtension(Split("GLX_SGI_swap_control GLX_MESA_swap_control")));
    EXPECT_TRUE(HasSwapControlExtension(Split("GLX_EXT_swap_control")));
}

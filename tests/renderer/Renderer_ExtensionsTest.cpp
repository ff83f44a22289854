// Extension strings cut into names: every space ends a name, a trailing space adds none, and the
// window-system list cuts names at 255 bytes; which window-system names give swap control; and a
// rendering context's lists, filled from GLX each time it is made current (under Xvfb).
#include "platform/PAL_GLContext.h"
#include "platform/PAL_Window.h"
#include "renderer/Internal_GLExtensions.h"
#include "renderer/Renderer_Extensions.h"
#include "renderer/Renderer_RenderingContext.h"
#include "tests/support/Support_Skip.h"

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

TEST(OpenGLExtensionsTest, MakingAContextCurrentFillsItsListsAfreshWithTheGlxNames)
{
    PAL::Window window(32, 32);
    if (!window.IsCreated())
        MORVANE_SKIP_WITHOUT_DISPLAY();
    RenderingContext context(window);
    ASSERT_TRUE(context.MakeCurrent(nullptr));
    const OpenGLExtensions& extensions = context.GetExtensions();
    const Core::Vector<Core::String> names = extensions.GetWindowSystemExtensions();
    ASSERT_FALSE(names.empty());
    for (const Core::String& name : names)
        EXPECT_EQ(name.rfind("GLX_", 0), 0u) << name;
    EXPECT_TRUE(extensions.GetExtensions().empty()) << "nothing fills the first list";
    // Made current again, the lists are emptied before they are filled.
    ASSERT_TRUE(context.MakeCurrent(&window));
    EXPECT_EQ(extensions.GetWindowSystemExtensions(), names);

    // Fill appends; Clear empties; without a current context there is nothing to read.
    OpenGLExtensions filled;
    filled.Fill();
    filled.Fill();
    EXPECT_EQ(filled.GetWindowSystemExtensions().size(), 2 * names.size());
    filled.Clear();
    EXPECT_TRUE(filled.GetWindowSystemExtensions().empty());
    ASSERT_TRUE(PAL::GLContext::ReleaseCurrent());
    filled.Fill();
    EXPECT_TRUE(filled.GetWindowSystemExtensions().empty());
}

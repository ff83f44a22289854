#include "platform/PAL_ErrorReporter.h"

#include <SDL2/SDL_error.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

namespace
{
class ErrorReporterDeathTest : public ::testing::Test
{
protected:
    ErrorReporterDeathTest()
    {
        // SDL may have started threads in this process: the child starts afresh.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        setenv("MORVANE_NO_MESSAGE_BOX", "1", 1);
    }
};

void FailWithErrno(int code)
{
    PAL::SetErrorContext("DestroyWindow", "PAL::Window::Destory", 675, "PAL_Window");
    errno = code;
    PAL::CheckWin32Error(1);
}

TEST_F(ErrorReporterDeathTest, AFailedCallEndsTheProcessWithItsCodeAndNamesTheCall)
{
    EXPECT_EXIT(FailWithErrno(ENOENT), ::testing::ExitedWithCode(ENOENT),
                "Error: The \"DestroyWindow\" function failed with error 2: No such file or directory\n"
                "Enclosing Function: PAL::Window::Destory\nFile: PAL_Window\nLine: 676");
}

TEST_F(ErrorReporterDeathTest, SDLFailuresAreReportedWithSDLsText)
{
    EXPECT_EXIT(
        {
            PAL::SetErrorContext("SDL_GL_MakeCurrent", "PAL::Window::Destory", 80, "PAL_Window");
            SDL_SetError("GLXBadDrawable");
            errno = 0;
            PAL::CheckWin32Error(1);
        },
        ::testing::ExitedWithCode(1),
        "The \"SDL_GL_MakeCurrent\" function failed with error 1: GLXBadDrawable\nEnclosing Function: "
        "PAL::Window::Destory\nFile: PAL_Window\nLine: 81");
}

TEST_F(ErrorReporterDeathTest, CodesAnExitStatusCannotCarryEndAsFailures)
{
    EXPECT_EXIT(
        {
            PAL::SetErrorContext("glTexImage2D", "Renderer::TextureOGL::Upload", 9, "Internal_TextureOGL");
            PAL::ReportFatalError(1280, "invalid enumerant");
        },
        ::testing::ExitedWithCode(1), "failed with error 1280: invalid enumerant\nEnclosing Function: Renderer");
    EXPECT_EXIT(PAL::ReportFatalError(256, "wraps to zero"), ::testing::ExitedWithCode(1), "error 256");
}

TEST_F(ErrorReporterDeathTest, LongNamesAreReportedWhole)
{
    const std::string longName(2000, 'n');
    EXPECT_EXIT(
        {
            PAL::SetErrorContext(longName.c_str(), "F", 1, "G");
            PAL::ReportFatalError(5, "text");
        },
        ::testing::ExitedWithCode(5), longName + "\" function failed with error 5: text\nEnclosing Function: F\nFile: G\nLine: 2");
}

TEST(ErrorReporterTest, FailuresThatLeftNoErrorAreNotReported)
{
    SDL_SetError("left over from an earlier call");
    errno = EBADF;
    PAL::SetErrorContext("SetWindowTextA", "PAL::Window::SetTitle", 10, "PAL_Window");
    PAL::CheckWin32Error(1);
    errno = EINVAL;
    PAL::CheckWin32Error(0);
    SUCCEED();
}
}  // namespace

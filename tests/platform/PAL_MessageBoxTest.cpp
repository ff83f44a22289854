#include "platform/PAL_MessageBox.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
using B = PAL::MessageBoxButton;

class MessageBoxTest : public ::testing::Test
{
protected:
    MessageBoxTest() { setenv("MORVANE_NO_MESSAGE_BOX", "1", 1); }

    u32 Show(u32 buttons) { return PAL::ShowMessageBox("Title", "Text", PAL::MessageBoxKind::Question, buttons); }
};

TEST_F(MessageBoxTest, AnAutomatedRunTakesEachBoxsDefaultButton)
{
    EXPECT_EQ(Show(B::Ok), B::Ok);
    EXPECT_EQ(Show(B::Ok + B::Cancel), B::Ok);
    EXPECT_EQ(Show(B::Yes + B::No + B::Cancel), B::Yes);
    EXPECT_EQ(Show(B::Yes + B::No), B::Yes);
    EXPECT_EQ(Show(B::Retry + B::Cancel), B::Retry);
    EXPECT_EQ(Show(B::TryAgain + B::Continue + B::Cancel), B::Cancel);
    // The Abort/Retry/Ignore box defaults to Abort, which has no flag.
    EXPECT_EQ(Show(B::Retry + B::Ignore), 0u);
}

TEST_F(MessageBoxTest, SetsWithoutABoxOfTheirOwnShowOk)
{
    EXPECT_EQ(Show(B::Retry + B::Ignore + 1), B::Ok);
    EXPECT_EQ(Show(0), B::Ok);
    EXPECT_EQ(Show(B::Yes), B::Ok);
}

TEST_F(MessageBoxTest, TitleAndTextGoToStandardError)
{
    ::testing::internal::CaptureStderr();
    PAL::ShowMessageBox("Script Error", "[string \"x\"]:1: syntax error", PAL::MessageBoxKind::Error, B::Ok);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Script Error: [string \"x\"]:1: syntax error\n");
}
}  // namespace

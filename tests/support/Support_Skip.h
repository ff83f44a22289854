#pragma once
// Skips that cannot hide a broken test machine. scripts/test provides everything a test may need
// (a display, the X tools, the generated resources) and sets MORVANE_NO_SKIPS: a test that would
// skip fails there instead. Run by hand without a display, the same test skips.
#include <gtest/gtest.h>

#include <string>

namespace TestSupport
{
// True when the run promises everything, so that a missing piece is a failure.
bool SkipsForbidden();
// The display the tests were given, for messages: $DISPLAY and whether its local socket is there,
// or "none" when unset.
std::string DisplayName();
}  // namespace TestSupport

// Skips the current test with the reason, or fails it with the reason when skips are forbidden.
// Like GTEST_SKIP it returns from the calling function (a test body, SetUp or a void helper).
#define MORVANE_SKIP(reason)                                                                         \
    do                                                                                               \
    {                                                                                                \
        if (::TestSupport::SkipsForbidden())                                                         \
            GTEST_FAIL() << (reason) << " (MORVANE_NO_SKIPS is set: this run must provide it)";      \
        GTEST_SKIP() << (reason);                                                                    \
    } while (false)

#define MORVANE_SKIP_WITHOUT_DISPLAY() MORVANE_SKIP("no display reachable at DISPLAY=" + ::TestSupport::DisplayName())

#pragma once
// A deadline for every test of a program: a test still running when its time is up ends the
// process with a message naming it, so that a hung thread fails at once instead of at CTest's
// time-out. Install it once per program, at namespace scope of one of its test files:
//     const bool deadlines = TestSupport::InstallTestDeadline(std::chrono::seconds(60));
// The limit only catches hangs: it is far beyond any test's time and nothing asserts on it.
#include <chrono>

namespace TestSupport
{
bool InstallTestDeadline(std::chrono::seconds limit);
}  // namespace TestSupport

#include "tests/support/Support_LeakCheck.h"

#include <gtest/gtest.h>

// GCC says AddressSanitizer is on with __SANITIZE_ADDRESS__, clang with the feature test.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SUPPORT_LEAK_CHECK 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SUPPORT_LEAK_CHECK 1
#endif

#if defined(SUPPORT_LEAK_CHECK)
#include <sanitizer/lsan_interface.h>

// Read by the sanitizer before main: the program checks once its tests are done instead.
extern "C" const char* __lsan_default_options()
{
    return "leak_check_at_exit=0";
}
#endif

namespace TestSupport
{
namespace
{
class LeakCheckEnvironment : public ::testing::Environment
{
public:
    void TearDown() override
    {
#if defined(SUPPORT_LEAK_CHECK)
        if (__lsan_do_recoverable_leak_check() != 0)
            ADD_FAILURE() << "the leak checker found leaks (reported above)";
#endif
    }
};
}  // namespace

bool CheckLeaksAfterTheTests()
{
    ::testing::AddGlobalTestEnvironment(new LeakCheckEnvironment);
    return true;
}
}  // namespace TestSupport

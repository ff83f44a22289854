#pragma once

#include "core/Core_Types.h"

namespace Core
{
// The core start-up and shut-down as one object that the program entry keeps on its stack for the
// whole run. Nested guards only count; the outermost one does the work. The memory lock and the
// pool live for the whole process, so start-up only makes sure the pool exists and the clock reads
// the monotonic source unless a test installed another.
class StartupGuard
{
public:
    StartupGuard();
    ~StartupGuard();
    StartupGuard(const StartupGuard&) = delete;
    StartupGuard& operator=(const StartupGuard&) = delete;

    // Depth of nested guards alive now.
    static u32 GetNesting();

private:
    static u32 nesting;
};
} // namespace Core

#include "core/Core_Startup.h"

#include "core/Core_Memory.h"

namespace Core
{
u32 StartupGuard::nesting = 0;

StartupGuard::StartupGuard()
{
    if (nesting++ == 0)
        PoolAllocator::Instance();
}

StartupGuard::~StartupGuard()
{
    --nesting;
}

u32 StartupGuard::GetNesting()
{
    return nesting;
}
} // namespace Core

#include "tests/support/Support_Messages.h"

#include "platform/PAL_MessagePump.h"

namespace TestSupport
{
void DrainMessages()
{
    while (!PAL::PumpMessages())
    {
    }
}
}  // namespace TestSupport

#pragma once
// The platform message queue for window tests.
namespace TestSupport
{
// Handles every pending message, a quit message left by an earlier test included, so that a test
// starts from an empty queue.
void DrainMessages();
}  // namespace TestSupport

#pragma once
// Leak checking for test programs that run system libraries with threads and teardown of their own
// (the GL driver, SDL, the X client library). The leak checker normally runs at exit, after those
// libraries' exit handlers and destructors, while they tear themselves down: stopping the world in
// the middle of that can crash the checker's tracer and fail a program whose tests all passed. Here
// the check runs once every test has finished, while the process is still whole, and a leak fails
// the program as before. Install it once per program, at namespace scope of one of its files:
//     const bool leakCheck = TestSupport::CheckLeaksAfterTheTests();
namespace TestSupport
{
bool CheckLeaksAfterTheTests();
}  // namespace TestSupport

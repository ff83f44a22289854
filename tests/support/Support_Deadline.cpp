#include "tests/support/Support_Deadline.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace TestSupport
{
namespace
{
// One watcher thread for the whole run: it sleeps until the running test's deadline, or until the
// test ends and the next one starts.
class DeadlineListener : public ::testing::EmptyTestEventListener
{
public:
    explicit DeadlineListener(std::chrono::seconds limit) : limit(limit) {}

    ~DeadlineListener() override
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            quitting = true;
        }
        changed.notify_all();
        if (watcher.joinable())
            watcher.join();
    }

    void OnTestStart(const ::testing::TestInfo& test) override
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            running = std::string(test.test_suite_name()) + "." + test.name();
            deadline = std::chrono::steady_clock::now() + limit;
            ++generation;
        }
        if (!watcher.joinable())
            watcher = std::thread([this] { Watch(); });
        changed.notify_all();
    }

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            running.clear();
            ++generation;
        }
        changed.notify_all();
    }

    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            quitting = true;
        }
        changed.notify_all();
        if (watcher.joinable())
            watcher.join();
    }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (!quitting)
        {
            if (running.empty())
            {
                changed.wait(lock);
                continue;
            }
            const unsigned watched = generation;
            if (changed.wait_until(lock, deadline, [&] { return quitting || generation != watched; }))
                continue;
            std::fprintf(stderr, "\n%s is still running after %lld s: a hang, ending the test program\n",
                         running.c_str(), static_cast<long long>(limit.count()));
            std::fflush(stderr);
            std::_Exit(1);
        }
    }

    const std::chrono::seconds limit;
    std::mutex mutex;
    std::condition_variable changed;
    std::thread watcher;
    std::string running;
    std::chrono::steady_clock::time_point deadline;
    unsigned generation = 0;
    bool quitting = false;
};
}  // namespace

bool InstallTestDeadline(std::chrono::seconds limit)
{
    ::testing::UnitTest::GetInstance()->listeners().Append(new DeadlineListener(limit));
    return true;
}
}  // namespace TestSupport

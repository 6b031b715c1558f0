// The test allocation counter itself: it must see every form of new, and only
// on the thread and in the span it watches, or the zero-allocation tests of the
// per-frame paths would pass for the wrong reason.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "support/AllocationCounter.h"

namespace {

struct alignas(64) Wide
{
    char bytes[64];
};

TEST(AllocationCounter, CountsEveryFormOfNewOnlyOnItsThreadWhileAlive)
{
    // Started before counting, so that making the thread is not counted.
    std::atomic<bool> go{false};
    std::atomic<bool> done{false};
    std::thread other([&] {
        while (!go) {
            std::this_thread::yield();
        }
        for (int i = 0; i < 100; ++i) {
            delete new int(i);
        }
        done = true;
    });
    std::vector<int> reserved;
    reserved.reserve(10);
    {
        TestSupport::ScopedAllocationCount allocations;
        EXPECT_EQ(allocations.Count(), 0u);
        delete new int(1);
        delete[] new int[3];
        delete new (std::nothrow) int(2);
        delete new Wide();
        delete[] new Wide[2];
        auto text = std::make_unique<std::string>(100, 'x');
        EXPECT_EQ(allocations.Count(), 7u) << "scalar, array, nothrow, aligned, aligned array, unique_ptr, string";

        go = true;
        while (!done) {
            std::this_thread::yield();
        }
        reserved.push_back(1);
        EXPECT_EQ(allocations.Count(), 7u) << "another thread's allocations and a reserved push are not counted";
        {
            TestSupport::ScopedAllocationCount inner;
            delete new int(3);
            EXPECT_EQ(inner.Count(), 1u);
        }
        EXPECT_EQ(allocations.Count(), 8u) << "an inner scope adds to the outer one";
    }
    other.join();
    delete new int(4);
    TestSupport::ScopedAllocationCount later;
    EXPECT_EQ(later.Count(), 0u) << "nothing made outside a scope is counted";
}

} // namespace

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

// The optimiser may drop a new whose pointer only ever reaches its delete, so
// each probe's pointer passes through a volatile, which it must keep.
template <typename T>
T* Kept(T* pointer)
{
    T* volatile kept = pointer;
    return kept;
}

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
            delete Kept(new int(i));
        }
        done = true;
    });
    std::vector<int> reserved;
    reserved.reserve(10);
    {
        TestSupport::ScopedAllocationCount allocations;
        EXPECT_EQ(allocations.Count(), 0u);
        delete Kept(new int(1));
        delete[] Kept(new int[3]);
        delete Kept(new (std::nothrow) int(2));
        delete Kept(new Wide());
        delete[] Kept(new Wide[2]);
        auto text = std::make_unique<std::string>(100, 'x');
        Kept(text.get());
        Kept(text->data());
        EXPECT_EQ(allocations.Count(), 7u) << "scalar, array, nothrow, aligned, aligned array, unique_ptr, string";

        go = true;
        while (!done) {
            std::this_thread::yield();
        }
        reserved.push_back(1);
        EXPECT_EQ(allocations.Count(), 7u) << "another thread's allocations and a reserved push are not counted";
        {
            TestSupport::ScopedAllocationCount inner;
            delete Kept(new int(3));
            EXPECT_EQ(inner.Count(), 1u);
        }
        EXPECT_EQ(allocations.Count(), 8u) << "an inner scope adds to the outer one";
    }
    other.join();
    delete Kept(new int(4));
    TestSupport::ScopedAllocationCount later;
    EXPECT_EQ(later.Count(), 0u) << "nothing made outside a scope is counted";
}

} // namespace

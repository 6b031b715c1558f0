// Counts heap allocations a test makes on purpose, to pin that a per-frame path
// allocates nothing once it is warm.
//
// The test executables replace the global operator new and delete (every
// standard form) with ones that forward to malloc and free, so the sanitizers
// still see each block. An allocation is counted only while a
// ScopedAllocationCount lives on the allocating thread; other threads (an
// audio callback, a driver's workers) and code outside a scope are untouched.
//
// Set QUILLORY_TRACE_ALLOCATIONS=1 to print the call stack of each counted
// allocation (under the sanitizers) when a test finds one.
#pragma once

#include <cstddef>

namespace TestSupport {

class ScopedAllocationCount
{
public:
    ScopedAllocationCount();
    ~ScopedAllocationCount();
    ScopedAllocationCount(const ScopedAllocationCount&) = delete;
    ScopedAllocationCount& operator=(const ScopedAllocationCount&) = delete;

    // Allocations made on this thread since this scope began.
    std::size_t Count() const;

private:
    std::size_t countAtStart;
};

} // namespace TestSupport

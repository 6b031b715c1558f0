#include "support/AllocationCounter.h"

#include <cstdlib>
#include <new>

// Weak, so that a build without the sanitizers links and skips the call.
extern "C" void __sanitizer_print_stack_trace() __attribute__((weak));

namespace {

// Constant-initialised, so reading them from operator new needs no
// thread-local constructor and allocates nothing.
thread_local int activeScopes = 0;
thread_local std::size_t countedAllocations = 0;
thread_local bool traceAllocations = false;
thread_local bool tracing = false;

void NoteAllocation()
{
    if (activeScopes == 0) {
        return;
    }
    ++countedAllocations;
    if (traceAllocations && !tracing && __sanitizer_print_stack_trace != nullptr) {
        tracing = true;
        __sanitizer_print_stack_trace();
        tracing = false;
    }
}

void* AllocateOrNull(std::size_t size)
{
    NoteAllocation();
    // malloc(0) may return null; operator new must return a unique pointer.
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateAlignedOrNull(std::size_t size, std::align_val_t alignment)
{
    NoteAllocation();
    std::size_t align = static_cast<std::size_t>(alignment);
    if (align < sizeof(void*)) {
        align = sizeof(void*);
    }
    void* block = nullptr;
    if (posix_memalign(&block, align, size == 0 ? 1 : size) != 0) {
        return nullptr;
    }
    return block;
}

// The standard loop: ask the new-handler for memory until it gives up.
void* Allocate(std::size_t size)
{
    for (;;) {
        if (void* block = AllocateOrNull(size)) {
            return block;
        }
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) {
            throw std::bad_alloc();
        }
        handler();
    }
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment)
{
    for (;;) {
        if (void* block = AllocateAlignedOrNull(size, alignment)) {
            return block;
        }
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) {
            throw std::bad_alloc();
        }
        handler();
    }
}

} // namespace

namespace TestSupport {

ScopedAllocationCount::ScopedAllocationCount() : countAtStart(countedAllocations)
{
    if (activeScopes == 0) {
        const char* trace = std::getenv("QUILLORY_TRACE_ALLOCATIONS");
        traceAllocations = trace != nullptr && trace[0] != '\0' && trace[0] != '0';
    }
    ++activeScopes;
}

ScopedAllocationCount::~ScopedAllocationCount()
{
    --activeScopes;
}

std::size_t ScopedAllocationCount::Count() const
{
    return countedAllocations - countAtStart;
}

} // namespace TestSupport

void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new(std::size_t size, std::align_val_t alignment)
{
    return AllocateAligned(size, alignment);
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return AllocateAligned(size, alignment);
}

void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    try {
        return AllocateAligned(size, alignment);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    try {
        return AllocateAligned(size, alignment);
    } catch (...) {
        return nullptr;
    }
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::align_val_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::align_val_t) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t, std::align_val_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t, std::align_val_t) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept
{
    std::free(block);
}

#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace Platform {

namespace {

// One rate for the real and the manual counter, so a timer that read the
// frequency before a test switched clocks still converts counts correctly.
constexpr std::uint64_t kCounterFrequencyPerSecond = 1000000;
constexpr std::uint64_t kMicrosecondsPerMillisecond = 1000;

std::atomic<bool> g_manualEnabled{false};
std::atomic<std::uint64_t> g_manualMicroseconds{0};

std::uint64_t RealMicroseconds()
{
    // steady_clock counts from boot here, like the system tick it stands in for.
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(sinceStart).count());
}

std::uint64_t NowMicroseconds()
{
    return g_manualEnabled.load() ? g_manualMicroseconds.load() : RealMicroseconds();
}

} // namespace

std::uint32_t GetTickCount()
{
    // Truncation to 32 bits is the wrap callers are written for.
    return static_cast<std::uint32_t>(NowMicroseconds() / kMicrosecondsPerMillisecond);
}

std::uint64_t GetPerformanceCounter()
{
    return NowMicroseconds();
}

std::uint64_t GetPerformanceFrequency()
{
    return kCounterFrequencyPerSecond;
}

void SleepMilliseconds(std::uint32_t milliseconds)
{
    if (g_manualEnabled.load()) {
        AdvanceManualClock(static_cast<std::uint64_t>(milliseconds) * kMicrosecondsPerMillisecond);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SetManualClock(bool enabled)
{
    // Only a switch from real to manual restarts the count, so a test that
    // enables it twice does not lose the time it already advanced.
    const bool wasEnabled = g_manualEnabled.exchange(enabled);
    if (enabled && !wasEnabled) {
        g_manualMicroseconds.store(0);
    }
}

void AdvanceManualClock(std::uint64_t microseconds)
{
    g_manualMicroseconds.fetch_add(microseconds);
}

} // namespace Platform

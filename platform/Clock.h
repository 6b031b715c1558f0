// Clocks and sleeping: what the engine's timers read.
//
// The millisecond tick is 32-bit and wraps, like the system tick the timers were
// designed around; the high-resolution counter is 64-bit. Tests can switch to a
// manual clock that only moves when they advance it, so timing code is testable
// without sleeping.
#pragma once

#include <cstdint>

namespace Platform {

// Milliseconds since an arbitrary start; wraps after about 49.7 days.
std::uint32_t GetTickCount();

std::uint64_t GetPerformanceCounter();
std::uint64_t GetPerformanceFrequency();

void SleepMilliseconds(std::uint32_t milliseconds);

// Manual clock for tests: while enabled, both clocks stand still until advanced.
// Switching it on starts it at zero. The counter runs at 1,000,000 counts per
// second in both modes. Sleeping advances the manual clock instead of waiting.
void SetManualClock(bool enabled);
void AdvanceManualClock(std::uint64_t microseconds);

} // namespace Platform

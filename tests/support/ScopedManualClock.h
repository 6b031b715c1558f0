// The platform's manual clock, on from construction (at zero) until the end:
// time in the test moves only where the test moves it.
#pragma once

#include "platform/Clock.h"

namespace TestSupport {

struct ScopedManualClock
{
    ScopedManualClock() { Platform::SetManualClock(true); }
    ~ScopedManualClock() { Platform::SetManualClock(false); }
    ScopedManualClock(const ScopedManualClock&) = delete;
    ScopedManualClock& operator=(const ScopedManualClock&) = delete;
};

} // namespace TestSupport

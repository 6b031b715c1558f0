// The one way tests make the platform fail: a guard that sets one of the
// platform's failure switches for as long as it lives and puts the switch back
// when it leaves scope, however the test leaves it (an assertion, an exception).
#pragma once

#include <functional>

#include "platform/AppWindow.h"
#include "platform/AudioDevice.h"
#include "platform/InputDevice.h"

namespace TestSupport {

class ScopedPlatformFailure
{
public:
    // The audio device fails at that step; the previous failure comes back.
    explicit ScopedPlatformFailure(Platform::AudioFailure failure);
    // The window step fails until the guard goes.
    explicit ScopedPlatformFailure(Platform::WindowStep step);
    // The next `times` calls of the step answer result (times < 0: every call);
    // every planned input failure is cleared when the guard goes.
    ScopedPlatformFailure(Platform::InputStep step, Platform::InputDeviceKind kind, Platform::InputResult result,
                          int times = -1);
    ~ScopedPlatformFailure();

    ScopedPlatformFailure(const ScopedPlatformFailure&) = delete;
    ScopedPlatformFailure& operator=(const ScopedPlatformFailure&) = delete;

private:
    std::function<void()> restore_;
};

} // namespace TestSupport

#include "support/ScopedPlatformFailure.h"

namespace TestSupport {

ScopedPlatformFailure::ScopedPlatformFailure(Platform::AudioFailure failure)
{
    const Platform::AudioFailure previous = Platform::AudioDevice::GetFailureForTests();
    Platform::AudioDevice::SetFailureForTests(failure);
    restore_ = [previous] { Platform::AudioDevice::SetFailureForTests(previous); };
}

ScopedPlatformFailure::ScopedPlatformFailure(Platform::WindowStep step)
{
    Platform::SetWindowFailureForTesting(step, true);
    restore_ = [step] { Platform::SetWindowFailureForTesting(step, false); };
}

ScopedPlatformFailure::ScopedPlatformFailure(Platform::InputStep step, Platform::InputDeviceKind kind,
                                             Platform::InputResult result, int times)
{
    Platform::SetInputFailureForTesting(step, kind, result, times);
    restore_ = [] { Platform::ClearInputFailuresForTesting(); };
}

ScopedPlatformFailure::~ScopedPlatformFailure()
{
    restore_();
}

} // namespace TestSupport

#include "platform/InputSystem.h"

namespace Platform {

InputResult InputSystem::Create(std::unique_ptr<InputSystem>& system)
{
    system.reset();
    const InputResult planned = TakePlannedInputFailure(InputStep::CreateSystem, InputDeviceKind::Keyboard);
    if (planned != InputResult::Ok) {
        return planned;
    }
    system.reset(new InputSystem());
    return InputResult::Ok;
}

InputSystem::~InputSystem() = default;

InputResult InputSystem::CreateDevice(InputDeviceKind kind, std::unique_ptr<InputDevice>& device)
{
    device.reset();
    const InputResult planned = TakePlannedInputFailure(InputStep::CreateDevice, kind);
    if (planned != InputResult::Ok) {
        return planned;
    }
    device = std::make_unique<InputDevice>(kind);
    return InputResult::Ok;
}

} // namespace Platform

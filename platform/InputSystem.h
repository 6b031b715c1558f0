// The input system: opens the keyboard and mouse devices
// (platform/InputDevice.h). It holds no state of its own beyond being open;
// it exists so that opening input can fail, and be made to fail in tests,
// before any device is asked for.
#pragma once

#include "platform/InputDevice.h"
#include "platform/InputResult.h"

#include <memory>

namespace Platform {

class InputSystem
{
public:
    static InputResult Create(std::unique_ptr<InputSystem>& system);

    InputSystem(const InputSystem&) = delete;
    InputSystem& operator=(const InputSystem&) = delete;
    ~InputSystem();

    InputResult CreateDevice(InputDeviceKind kind, std::unique_ptr<InputDevice>& device);

private:
    InputSystem() = default;
};

} // namespace Platform

#include "platform/InputDevice.h"

#include "platform/KeyState.h"
#include "platform/VirtualKeys.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Platform {

namespace {

constexpr std::size_t kStepCount = static_cast<std::size_t>(InputStep::ReadImmediate) + 1;
constexpr std::size_t kKindCount = 2;

struct PlannedFailure
{
    InputResult result = InputResult::Ok;
    int times = 0;
};

PlannedFailure gPlannedFailures[kStepCount][kKindCount];

// Movement piles up between immediate reads; it saturates rather than wraps.
std::int32_t AddSaturated(std::int32_t total, std::int32_t delta)
{
    const std::int64_t sum = static_cast<std::int64_t>(total) + delta;
    if (sum > INT32_MAX) {
        return INT32_MAX;
    }
    if (sum < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(sum);
}

// Every live device, so that the pump can hand each event to the devices of its kind.
std::vector<InputDevice*>& LiveDevices()
{
    static std::vector<InputDevice*> devices;
    return devices;
}

} // namespace

void SetInputFailureForTesting(InputStep step, InputDeviceKind kind, InputResult result, int times)
{
    PlannedFailure& planned = gPlannedFailures[static_cast<std::size_t>(step)]
                                              [step == InputStep::CreateSystem ? 0 : static_cast<std::size_t>(kind)];
    planned.result = result;
    planned.times = times;
}

void ClearInputFailuresForTesting()
{
    for (auto& row : gPlannedFailures) {
        for (PlannedFailure& planned : row) {
            planned = PlannedFailure();
        }
    }
}

InputResult TakePlannedInputFailure(InputStep step, InputDeviceKind kind)
{
    PlannedFailure& planned = gPlannedFailures[static_cast<std::size_t>(step)]
                                              [step == InputStep::CreateSystem ? 0 : static_cast<std::size_t>(kind)];
    if (planned.times == 0) {
        return InputResult::Ok;
    }
    if (planned.times > 0) {
        --planned.times;
    }
    return planned.result;
}

InputDevice::InputDevice(InputDeviceKind kind) : kind_(kind)
{
    LiveDevices().push_back(this);
}

InputDevice::~InputDevice()
{
    auto& devices = LiveDevices();
    devices.erase(std::remove(devices.begin(), devices.end(), this), devices.end());
}

InputDeviceKind InputDevice::GetKind() const
{
    return kind_;
}

InputResult InputDevice::SetDataFormat(InputDeviceKind format)
{
    const InputResult planned = TakePlannedInputFailure(InputStep::SetDataFormat, kind_);
    if (planned != InputResult::Ok) {
        return planned;
    }
    if (format != kind_) {
        return InputResult::InvalidParameter;
    }
    formatSet_ = true;
    return InputResult::Ok;
}

InputResult InputDevice::SetCooperativeLevel(InputCooperation)
{
    return TakePlannedInputFailure(InputStep::SetCooperativeLevel, kind_);
}

InputResult InputDevice::SetBufferSize(std::uint32_t events)
{
    const InputResult planned = TakePlannedInputFailure(InputStep::SetBufferSize, kind_);
    if (planned != InputResult::Ok) {
        return planned;
    }
    queue_.assign(events, InputEvent());
    queueHead_ = 0;
    queueCount_ = 0;
    overflowed_ = false;
    return InputResult::Ok;
}

InputResult InputDevice::Acquire()
{
    const InputResult planned = TakePlannedInputFailure(InputStep::Acquire, kind_);
    if (planned != InputResult::Ok) {
        return planned;
    }
    if (!formatSet_) {
        return InputResult::InvalidParameter;
    }
    if (acquired_) {
        return InputResult::Ok;
    }
    acquired_ = true;
    queueHead_ = 0;
    queueCount_ = 0;
    overflowed_ = false;
    // A newly acquired device starts from what is held now.
    for (std::uint32_t code = 0; code < kKeyCodeCount; ++code) {
        keys_[code] = IsKeyCodeHeld(static_cast<std::uint8_t>(code)) ? kInputDownFlag : 0;
    }
    mouse_ = MouseState();
    for (std::uint32_t button = 0; button < kMouseButtonCount; ++button) {
        mouse_.buttons[button] = IsMouseButtonHeld(button) ? kInputDownFlag : 0;
    }
    return InputResult::Ok;
}

void InputDevice::Unacquire()
{
    acquired_ = false;
}

bool InputDevice::IsAcquired() const
{
    return acquired_;
}

InputResult InputDevice::GetBufferedData(InputEvent* events, std::uint32_t& count)
{
    const std::uint32_t wanted = count;
    count = 0;
    const InputResult planned = TakePlannedInputFailure(InputStep::ReadBuffered, kind_);
    if (planned != InputResult::Ok) {
        return planned;
    }
    if (!acquired_) {
        return InputResult::NotAcquired;
    }
    if (queue_.empty()) {
        return InputResult::NotBuffered;
    }
    while (count < wanted && queueCount_ > 0) {
        events[count++] = queue_[queueHead_];
        queueHead_ = (queueHead_ + 1) % queue_.size();
        --queueCount_;
    }
    if (overflowed_) {
        overflowed_ = false;
        return InputResult::BufferOverflow;
    }
    return InputResult::Ok;
}

InputResult InputDevice::GetKeyboardState(std::uint8_t (&keys)[256])
{
    const InputResult planned = TakePlannedInputFailure(InputStep::ReadImmediate, kind_);
    if (planned != InputResult::Ok) {
        return planned;
    }
    if (kind_ != InputDeviceKind::Keyboard) {
        return InputResult::InvalidParameter;
    }
    if (!acquired_) {
        return InputResult::NotAcquired;
    }
    std::memcpy(keys, keys_, sizeof keys_);
    return InputResult::Ok;
}

InputResult InputDevice::GetMouseState(MouseState& state)
{
    const InputResult planned = TakePlannedInputFailure(InputStep::ReadImmediate, kind_);
    if (planned != InputResult::Ok) {
        return planned;
    }
    if (kind_ != InputDeviceKind::Mouse) {
        return InputResult::InvalidParameter;
    }
    if (!acquired_) {
        return InputResult::NotAcquired;
    }
    state = mouse_;
    mouse_.x = 0;
    mouse_.y = 0;
    mouse_.wheel = 0;
    return InputResult::Ok;
}

void InputDevice::Deliver(const InputEvent& event)
{
    RecordHeldState(event);
    for (InputDevice* device : LiveDevices()) {
        if (device->kind_ == event.device && device->acquired_) {
            device->Receive(event);
        }
    }
}

void InputDevice::Receive(const InputEvent& event)
{
    if (!queue_.empty()) {
        if (queueCount_ < queue_.size()) {
            queue_[(queueHead_ + queueCount_) % queue_.size()] = event;
            ++queueCount_;
        } else {
            overflowed_ = true;
        }
    }
    const bool down = (event.data & kInputDownFlag) != 0;
    if (kind_ == InputDeviceKind::Keyboard) {
        if (event.offset < kKeyCodeCount) {
            keys_[event.offset] = down ? kInputDownFlag : 0;
        }
        return;
    }
    switch (event.offset) {
    case kMouseOffsetX:
        mouse_.x = AddSaturated(mouse_.x, event.data);
        break;
    case kMouseOffsetY:
        mouse_.y = AddSaturated(mouse_.y, event.data);
        break;
    case kMouseOffsetWheel:
        mouse_.wheel = AddSaturated(mouse_.wheel, event.data);
        break;
    default:
        if (event.offset >= kMouseOffsetButton0 && event.offset < kMouseOffsetButton0 + kMouseButtonCount) {
            mouse_.buttons[event.offset - kMouseOffsetButton0] = down ? kInputDownFlag : 0;
        }
        break;
    }
}

} // namespace Platform

// The keyboard or the mouse as an input device. While acquired, a device keeps
// a bounded queue of the key and mouse events the event pump delivers (the
// buffered data; when it is full, later events are lost and the next read says
// so) and its immediate state: keys and buttons held, and the mouse movement
// since the last immediate read. Keys are numbered as platform/VirtualKeys.h
// KeyCode; mouse events are addressed by offset (movement per axis, then one
// offset per button).
//
// Every step answers an InputResult, and tests can make any step fail
// (SetInputFailureForTesting) so that the callers' failure paths run.
#pragma once

#include "platform/InputResult.h"

#include <cstdint>
#include <vector>

namespace Platform {

enum class InputDeviceKind : std::uint32_t
{
    Keyboard,
    Mouse
};

constexpr std::uint32_t kMouseOffsetX = 0;
constexpr std::uint32_t kMouseOffsetY = 4;
constexpr std::uint32_t kMouseOffsetWheel = 8;
constexpr std::uint32_t kMouseOffsetButton0 = 12; // buttons 0..7 at 12..19
// Key and button events carry this bit in their data while the key is down.
constexpr std::int32_t kInputDownFlag = 0x80;
// Wheel movement of one notch, in device units.
constexpr std::int32_t kWheelUnitsPerNotch = 120;

struct InputEvent
{
    InputDeviceKind device = InputDeviceKind::Keyboard;
    std::uint32_t offset = 0; // key code, or mouse offset
    std::int32_t data = 0;    // kInputDownFlag or 0 for keys and buttons; movement for axes
};

struct MouseState
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t wheel = 0;
    std::uint8_t buttons[8] = {};
};

enum class InputCooperation : std::uint32_t
{
    // Shares the device with other programs and reads it whether focused or not.
    NonExclusiveBackground
};

enum class InputStep : std::uint32_t
{
    CreateSystem,
    CreateDevice,
    SetDataFormat,
    SetCooperativeLevel,
    SetBufferSize,
    Acquire,
    ReadBuffered,
    ReadImmediate
};

// The next `times` calls of the step on devices of that kind answer result
// (times < 0: every call until cleared). For CreateSystem the kind is ignored.
void SetInputFailureForTesting(InputStep step, InputDeviceKind kind, InputResult result, int times);
void ClearInputFailuresForTesting();
// Consumes one planned failure of the step, if any; Ok when none is planned.
InputResult TakePlannedInputFailure(InputStep step, InputDeviceKind kind);

class InputDevice
{
public:
    explicit InputDevice(InputDeviceKind kind);
    ~InputDevice();

    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    InputDeviceKind GetKind() const;

    // The format must name the device's own kind.
    InputResult SetDataFormat(InputDeviceKind format);
    InputResult SetCooperativeLevel(InputCooperation cooperation);
    // 0 switches buffering off.
    InputResult SetBufferSize(std::uint32_t events);
    InputResult Acquire();
    void Unacquire();
    bool IsAcquired() const;

    // Takes up to `count` events, oldest first; `count` becomes the number taken.
    // BufferOverflow: events were lost since the last read (the ones taken are
    // still valid but incomplete).
    InputResult GetBufferedData(InputEvent* events, std::uint32_t& count);
    InputResult GetKeyboardState(std::uint8_t (&keys)[256]);
    // Movement and wheel are what arrived since the previous immediate read.
    InputResult GetMouseState(MouseState& state);

    // Called by the event pump for every key and mouse event, in order.
    static void Deliver(const InputEvent& event);

private:
    void Receive(const InputEvent& event);

    InputDeviceKind kind_;
    bool formatSet_ = false;
    bool acquired_ = false;
    std::vector<InputEvent> queue_;
    std::size_t queueHead_ = 0;
    std::size_t queueCount_ = 0;
    bool overflowed_ = false;
    std::uint8_t keys_[256] = {};
    MouseState mouse_;
};

} // namespace Platform

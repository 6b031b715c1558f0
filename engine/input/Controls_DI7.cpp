#include "engine/input/Controls_DI7.h"

#include "engine/core/MessageManager.h"

#include "platform/Cursor.h"
#include "platform/InputDevice.h"
#include "platform/InputSystem.h"
#include "platform/VirtualKeys.h"

#include <cstdint>
#include <cstring>

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kEventsPerRead = 8;
// A device that keeps answering "input lost" is given up on for the frame
// after this many tries instead of being asked for ever.
constexpr int kMaxReacquireAttempts = 4;

struct KeyCodeEntry
{
    const char* name;
    std::uint8_t code;
};

// Every keyboard name of the key table with its device key code.
constexpr KeyCodeEntry kKeyCodeTable[] = {
    {"0", Platform::KeyCode::kDigit0},
    {"1", 0x02},
    {"2", 0x03},
    {"3", 0x04},
    {"4", 0x05},
    {"5", 0x06},
    {"6", 0x07},
    {"7", 0x08},
    {"8", 0x09},
    {"9", 0x0A},
    {"A", 0x1E},
    {"B", 0x30},
    {"C", 0x2E},
    {"D", 0x20},
    {"E", 0x12},
    {"F", 0x21},
    {"G", 0x22},
    {"H", 0x23},
    {"I", 0x17},
    {"J", 0x24},
    {"K", 0x25},
    {"L", 0x26},
    {"M", 0x32},
    {"N", 0x31},
    {"O", 0x18},
    {"P", 0x19},
    {"Q", 0x10},
    {"R", 0x13},
    {"S", 0x1F},
    {"T", 0x14},
    {"U", 0x16},
    {"V", 0x2F},
    {"W", 0x11},
    {"X", 0x2D},
    {"Y", 0x15},
    {"Z", 0x2C},
    {"CAPS_LOCK", 0x3A},
    {"NUM_LOCK", 0x45},
    {"SCROLL_LOCK", 0x46},
    {"BACKSPACE", 0x0E},
    {"TAB", 0x0F},
    {"SPACE", 0x39},
    {"ENTER", 0x1C},
    {"ESCAPE", 0x01},
    {"RSHIFT", 0x36},
    {"LSHIFT", 0x2A},
    {"RCTRL", 0x9D},
    {"LCTRL", 0x1D},
    {"RALT", 0xB8},
    {"LALT", 0x38},
    {"PAGEUP", 0xC9},
    {"PAGEDOWN", 0xD1},
    {"END", 0xCF},
    {"HOME", 0xC7},
    {"PRINTSCRN", 0xB7},
    {"INSERT", 0xD2},
    {"DELETE", 0xD3},
    {"PAUSE", 0xC5},
    {"LEFTARROW", 0xCB},
    {"UPARROW", 0xC8},
    {"RIGHTARROW", 0xCD},
    {"DOWNARROW", 0xD0},
    {"NUMPAD_0", 0x52},
    {"NUMPAD_1", 0x4F},
    {"NUMPAD_2", 0x50},
    {"NUMPAD_3", 0x51},
    {"NUMPAD_4", 0x4B},
    {"NUMPAD_5", 0x4C},
    {"NUMPAD_6", 0x4D},
    {"NUMPAD_7", 0x47},
    {"NUMPAD_8", 0x48},
    {"NUMPAD_9", 0x49},
    {"NUMPAD_MULTIPLY", 0x37},
    {"NUMPAD_PLUS", 0x4E},
    {"NUMPAD_MINUS", 0x4A},
    {"NUMPAD_DELETE", 0x53},
    {"NUMPAD_DIVIDE", 0xB5},
    {"F1", 0x3B},
    {"F2", 0x3C},
    {"F3", 0x3D},
    {"F4", 0x3E},
    {"F5", 0x3F},
    {"F6", 0x40},
    {"F7", 0x41},
    {"F8", 0x42},
    {"F9", 0x43},
    {"F10", 0x44},
    {"F11", 0x57},
    {"F12", 0x58},
    {"~", Platform::KeyCode::kGrave},
    {";", Platform::KeyCode::kSemicolon},
    {"=", Platform::KeyCode::kEquals},
    {",", Platform::KeyCode::kComma},
    {"-", Platform::KeyCode::kMinus},
    {".", Platform::KeyCode::kPeriod},
    {"/", Platform::KeyCode::kSlash},
    {"[", Platform::KeyCode::kLeftBracket},
    {"\\", Platform::KeyCode::kBackslash},
    {"]", Platform::KeyCode::kRightBracket},
    {"'", Platform::KeyCode::kApostrophe},
};

std::int32_t AddSaturated(std::int32_t total, std::int32_t delta)
{
    const std::int64_t sum = static_cast<std::int64_t>(total) + delta;
    return sum > INT32_MAX ? INT32_MAX : (sum < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(sum));
}

void Reacquire(Platform::InputDevice& device)
{
    for (int attempt = 0; attempt < kMaxReacquireAttempts; ++attempt) {
        if (device.Acquire() != Platform::InputResult::InputLost) {
            return;
        }
    }
}

} // namespace

Controls_DI7::Controls_DI7(MessageManager* messageManager, TimerManager* timerManager, Config* config, Window* window,
                           bool buffered)
    : Controls(messageManager, timerManager, config, window), keyboardBuffered_(buffered ? 1 : 0),
      mouseBuffered_(buffered ? 1 : 0)
{
    messageManager_->LogInfo("Initialization of DirectInput devices...");
    messageManager_->LogInfo("...Creating a DirectInput object...");
    if (Platform::InputSystem::Create(directInput_) != Platform::InputResult::Ok) {
        messageManager_->LogFatal("Failed to create a DirectInput object");
    }
    messageManager_->LogInfo("...Keyboard:");
    keyboard_ = OpenDevice(false, keyboardBuffered_);
    messageManager_->LogInfo("...Mouse:");
    mouse_ = OpenDevice(true, mouseBuffered_);
    BuildKeyTables();
}

std::unique_ptr<Platform::InputDevice> Controls_DI7::OpenDevice(bool mouse, std::uint8_t& buffered)
{
    const Platform::InputDeviceKind kind =
        mouse ? Platform::InputDeviceKind::Mouse : Platform::InputDeviceKind::Keyboard;
    std::unique_ptr<Platform::InputDevice> device;
    messageManager_->LogInfo(mouse ? "......Obtaining an interface to the system mouse device..."
                                   : "......Obtaining an interface to the system keyboard device...");
    if (directInput_->CreateDevice(kind, device) != Platform::InputResult::Ok) {
        messageManager_->LogFatal(mouse ? "Failed to obtain an interface to the system mouse device"
                                        : "Failed to obtain an interface to the system keyboard device");
    }
    messageManager_->LogInfo("......Setting the data format...");
    if (device->SetDataFormat(kind) != Platform::InputResult::Ok) {
        messageManager_->LogFatal("Failed to set the data format");
    }
    messageManager_->LogInfo("......Setting the cooperativity level...");
    if (device->SetCooperativeLevel(Platform::InputCooperation::NonExclusiveBackground) != Platform::InputResult::Ok) {
        messageManager_->LogFatal("Failed to set the cooperativity level");
    }
    if (buffered != 0) {
        messageManager_->LogInfo("......Setting the buffered mode...");
        if (device->SetBufferSize(kEventsPerRead) != Platform::InputResult::Ok) {
            buffered = 0;
            messageManager_->LogError("Failed to set the buffered mode, switching to the immediate mode");
        }
    }
    // A device that cannot be acquired now is acquired again by the first failed read.
    device->Acquire();
    return device;
}

void Controls_DI7::BuildKeyTables()
{
    for (const KeyCodeEntry& entry : kKeyCodeTable) {
        keyCodes_[entry.name] = entry.code;
    }
    for (const auto& entry : keyCodes_) {
        keyNames_.insert(std::make_pair(entry.second, entry.first));
    }
}

Controls_DI7::~Controls_DI7()
{
    messageManager_->LogInfo("\nDirectInput devices destroying:");
    messageManager_->LogInfo("...Keyboard...");
    if (keyboard_) {
        keyboard_->Unacquire();
        keyboard_.reset();
    }
    messageManager_->LogInfo("...Mouse...");
    if (mouse_) {
        mouse_->Unacquire();
        mouse_.reset();
    }
    messageManager_->LogInfo("...DirectInput object...");
    directInput_.reset();
    Platform::ShowCursor(true);
}

std::uint32_t Controls_DI7::GetKeyCode(const std::string& name) const
{
    const auto found = keyCodes_.find(name);
    return found == keyCodes_.end() ? 0 : found->second;
}

void Controls_DI7::Update()
{
    ReadKeyboard();
    ReadMouse();
    Controls::Update();
}

void Controls_DI7::ClearFrameState()
{
    Controls::ClearFrameState();
}

void Controls_DI7::ReadKeyboard()
{
    if (keyboardBuffered_ != 0) {
        Platform::InputEvent events[kEventsPerRead];
        std::uint32_t count = kEventsPerRead;
        if (keyboard_->GetBufferedData(events, count) == Platform::InputResult::Ok) {
            for (std::uint32_t i = 0; i < count; ++i) {
                const auto name = keyNames_.find(events[i].offset);
                if (name != keyNames_.end()) {
                    SetKey(name->second, (events[i].data & Platform::kInputDownFlag) != 0);
                }
            }
            return;
        }
        // Lost events (an overflow included) leave only the present state to go by.
        Reacquire(*keyboard_);
    }
    ReadKeyboardImmediate();
}

void Controls_DI7::ReadKeyboardImmediate()
{
    std::uint8_t keys[Platform::kKeyCodeCount];
    std::memset(keys, 0, sizeof keys);
    if (keyboard_->GetKeyboardState(keys) != Platform::InputResult::Ok) {
        std::memset(keys, 0, sizeof keys);
        Reacquire(*keyboard_);
    }
    for (const auto& entry : keyCodes_) {
        SetKey(entry.first, keys[entry.second] != 0);
    }
}

void Controls_DI7::ReadMouse()
{
    mouseMove_ = Vector2(0.0f, 0.0f);
    mouseWheel_ = 0;
    if (mouseBuffered_ != 0) {
        Platform::InputEvent events[kEventsPerRead];
        std::uint32_t count = kEventsPerRead;
        if (mouse_->GetBufferedData(events, count) == Platform::InputResult::Ok) {
            for (std::uint32_t i = 0; i < count; ++i) {
                const Platform::InputEvent& event = events[i];
                if (event.offset == Platform::kMouseOffsetX) {
                    mouseMove_.x += static_cast<float>(event.data);
                } else if (event.offset == Platform::kMouseOffsetY) {
                    mouseMove_.y += static_cast<float>(event.data);
                } else if (event.offset == Platform::kMouseOffsetWheel) {
                    mouseWheel_ = AddSaturated(mouseWheel_, event.data);
                } else if (event.offset >= Platform::kMouseOffsetButton0 &&
                           event.offset < Platform::kMouseOffsetButton0 + kMouseButtonCount) {
                    SetKey(mouseButtonNames_[event.offset - Platform::kMouseOffsetButton0],
                           (event.data & Platform::kInputDownFlag) != 0);
                }
            }
            return;
        }
        Reacquire(*mouse_);
    }
    ReadMouseImmediate();
}

void Controls_DI7::ReadMouseImmediate()
{
    Platform::MouseState state;
    if (mouse_->GetMouseState(state) != Platform::InputResult::Ok) {
        state = Platform::MouseState();
        Reacquire(*mouse_);
    }
    for (std::uint32_t button = 0; button < kMouseButtonCount; ++button) {
        SetKey(mouseButtonNames_[button], state.buttons[button] != 0);
    }
    // A buffered device reports movement only through its events.
    if (mouseBuffered_ == 0) {
        mouseMove_ = Vector2(static_cast<float>(state.x), static_cast<float>(state.y));
        mouseWheel_ = state.wheel;
    }
}

} // namespace OrrelayEngine

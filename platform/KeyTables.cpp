#include "platform/KeyTables.h"

#include "platform/VirtualKeys.h"

#include <SDL2/SDL.h>

#include <array>

namespace Platform {

namespace {

struct PhysicalKey
{
    SDL_Scancode scancode;
    std::uint8_t keyCode;
    std::uint8_t virtualKey;
};

// One row per key of the engine's key table, and keypad Enter.
constexpr PhysicalKey kPhysicalKeys[] = {
    {SDL_SCANCODE_CAPSLOCK, KeyCode::kCapsLock, VirtualKey::kCapsLock},
    {SDL_SCANCODE_NUMLOCKCLEAR, KeyCode::kNumLock, VirtualKey::kNumLock},
    {SDL_SCANCODE_SCROLLLOCK, KeyCode::kScrollLock, VirtualKey::kScrollLock},
    {SDL_SCANCODE_0, KeyCode::kDigit0, VirtualKey::kDigit0},
    {SDL_SCANCODE_1, 0x02, VirtualKey::kDigit0 + 1},
    {SDL_SCANCODE_2, 0x03, VirtualKey::kDigit0 + 2},
    {SDL_SCANCODE_3, 0x04, VirtualKey::kDigit0 + 3},
    {SDL_SCANCODE_4, 0x05, VirtualKey::kDigit0 + 4},
    {SDL_SCANCODE_5, 0x06, VirtualKey::kDigit0 + 5},
    {SDL_SCANCODE_6, 0x07, VirtualKey::kDigit0 + 6},
    {SDL_SCANCODE_7, 0x08, VirtualKey::kDigit0 + 7},
    {SDL_SCANCODE_8, 0x09, VirtualKey::kDigit0 + 8},
    {SDL_SCANCODE_9, 0x0A, VirtualKey::kDigit0 + 9},
    {SDL_SCANCODE_A, KeyCode::kA, 'A'},
    {SDL_SCANCODE_B, KeyCode::kB, 'B'},
    {SDL_SCANCODE_C, KeyCode::kC, 'C'},
    {SDL_SCANCODE_D, KeyCode::kD, 'D'},
    {SDL_SCANCODE_E, KeyCode::kE, 'E'},
    {SDL_SCANCODE_F, KeyCode::kF, 'F'},
    {SDL_SCANCODE_G, KeyCode::kG, 'G'},
    {SDL_SCANCODE_H, KeyCode::kH, 'H'},
    {SDL_SCANCODE_I, KeyCode::kI, 'I'},
    {SDL_SCANCODE_J, KeyCode::kJ, 'J'},
    {SDL_SCANCODE_K, KeyCode::kK, 'K'},
    {SDL_SCANCODE_L, KeyCode::kL, 'L'},
    {SDL_SCANCODE_M, KeyCode::kM, 'M'},
    {SDL_SCANCODE_N, KeyCode::kN, 'N'},
    {SDL_SCANCODE_O, KeyCode::kO, 'O'},
    {SDL_SCANCODE_P, KeyCode::kP, 'P'},
    {SDL_SCANCODE_Q, KeyCode::kQ, 'Q'},
    {SDL_SCANCODE_R, KeyCode::kR, 'R'},
    {SDL_SCANCODE_S, KeyCode::kS, 'S'},
    {SDL_SCANCODE_T, KeyCode::kT, 'T'},
    {SDL_SCANCODE_U, KeyCode::kU, 'U'},
    {SDL_SCANCODE_V, KeyCode::kV, 'V'},
    {SDL_SCANCODE_W, KeyCode::kW, 'W'},
    {SDL_SCANCODE_X, KeyCode::kX, 'X'},
    {SDL_SCANCODE_Y, KeyCode::kY, 'Y'},
    {SDL_SCANCODE_Z, KeyCode::kZ, 'Z'},
    {SDL_SCANCODE_BACKSPACE, KeyCode::kBackspace, VirtualKey::kBackspace},
    {SDL_SCANCODE_TAB, KeyCode::kTab, VirtualKey::kTab},
    {SDL_SCANCODE_SPACE, KeyCode::kSpace, VirtualKey::kSpace},
    {SDL_SCANCODE_RETURN, KeyCode::kReturn, VirtualKey::kReturn},
    {SDL_SCANCODE_ESCAPE, KeyCode::kEscape, VirtualKey::kEscape},
    {SDL_SCANCODE_RSHIFT, KeyCode::kRightShift, VirtualKey::kRightShift},
    {SDL_SCANCODE_LSHIFT, KeyCode::kLeftShift, VirtualKey::kLeftShift},
    {SDL_SCANCODE_RCTRL, KeyCode::kRightControl, VirtualKey::kRightControl},
    {SDL_SCANCODE_LCTRL, KeyCode::kLeftControl, VirtualKey::kLeftControl},
    {SDL_SCANCODE_RALT, KeyCode::kRightAlt, VirtualKey::kRightAlt},
    {SDL_SCANCODE_LALT, KeyCode::kLeftAlt, VirtualKey::kLeftAlt},
    {SDL_SCANCODE_PAGEUP, KeyCode::kPageUp, VirtualKey::kPageUp},
    {SDL_SCANCODE_PAGEDOWN, KeyCode::kPageDown, VirtualKey::kPageDown},
    {SDL_SCANCODE_END, KeyCode::kEnd, VirtualKey::kEnd},
    {SDL_SCANCODE_HOME, KeyCode::kHome, VirtualKey::kHome},
    {SDL_SCANCODE_PRINTSCREEN, KeyCode::kPrintScreen, VirtualKey::kPrintScreen},
    {SDL_SCANCODE_INSERT, KeyCode::kInsert, VirtualKey::kInsert},
    {SDL_SCANCODE_DELETE, KeyCode::kDelete, VirtualKey::kDelete},
    {SDL_SCANCODE_PAUSE, KeyCode::kPause, VirtualKey::kPause},
    {SDL_SCANCODE_LEFT, KeyCode::kLeft, VirtualKey::kLeft},
    {SDL_SCANCODE_UP, KeyCode::kUp, VirtualKey::kUp},
    {SDL_SCANCODE_RIGHT, KeyCode::kRight, VirtualKey::kRight},
    {SDL_SCANCODE_DOWN, KeyCode::kDown, VirtualKey::kDown},
    {SDL_SCANCODE_KP_0, KeyCode::kNumpad0, VirtualKey::kNumpad0},
    {SDL_SCANCODE_KP_1, KeyCode::kNumpad1, VirtualKey::kNumpad0 + 1},
    {SDL_SCANCODE_KP_2, KeyCode::kNumpad2, VirtualKey::kNumpad0 + 2},
    {SDL_SCANCODE_KP_3, KeyCode::kNumpad3, VirtualKey::kNumpad0 + 3},
    {SDL_SCANCODE_KP_4, KeyCode::kNumpad4, VirtualKey::kNumpad0 + 4},
    {SDL_SCANCODE_KP_5, KeyCode::kNumpad5, VirtualKey::kNumpad0 + 5},
    {SDL_SCANCODE_KP_6, KeyCode::kNumpad6, VirtualKey::kNumpad0 + 6},
    {SDL_SCANCODE_KP_7, KeyCode::kNumpad7, VirtualKey::kNumpad0 + 7},
    {SDL_SCANCODE_KP_8, KeyCode::kNumpad8, VirtualKey::kNumpad0 + 8},
    {SDL_SCANCODE_KP_9, KeyCode::kNumpad9, VirtualKey::kNumpad0 + 9},
    {SDL_SCANCODE_KP_MULTIPLY, KeyCode::kNumpadMultiply, VirtualKey::kNumpadMultiply},
    {SDL_SCANCODE_KP_PLUS, KeyCode::kNumpadPlus, VirtualKey::kNumpadPlus},
    {SDL_SCANCODE_KP_MINUS, KeyCode::kNumpadMinus, VirtualKey::kNumpadMinus},
    {SDL_SCANCODE_KP_PERIOD, KeyCode::kNumpadDecimal, VirtualKey::kNumpadDecimal},
    {SDL_SCANCODE_KP_DIVIDE, KeyCode::kNumpadDivide, VirtualKey::kNumpadDivide},
    {SDL_SCANCODE_F1, KeyCode::kF1, VirtualKey::kF1},
    {SDL_SCANCODE_F2, KeyCode::kF1 + 1, VirtualKey::kF1 + 1},
    {SDL_SCANCODE_F3, KeyCode::kF1 + 2, VirtualKey::kF1 + 2},
    {SDL_SCANCODE_F4, KeyCode::kF1 + 3, VirtualKey::kF1 + 3},
    {SDL_SCANCODE_F5, KeyCode::kF1 + 4, VirtualKey::kF1 + 4},
    {SDL_SCANCODE_F6, KeyCode::kF1 + 5, VirtualKey::kF1 + 5},
    {SDL_SCANCODE_F7, KeyCode::kF1 + 6, VirtualKey::kF1 + 6},
    {SDL_SCANCODE_F8, KeyCode::kF1 + 7, VirtualKey::kF1 + 7},
    {SDL_SCANCODE_F9, KeyCode::kF1 + 8, VirtualKey::kF1 + 8},
    {SDL_SCANCODE_F10, KeyCode::kF1 + 9, VirtualKey::kF1 + 9},
    {SDL_SCANCODE_F11, KeyCode::kF11, VirtualKey::kF1 + 10},
    {SDL_SCANCODE_F12, KeyCode::kF12, VirtualKey::kF1 + 11},
    {SDL_SCANCODE_GRAVE, KeyCode::kGrave, VirtualKey::kGrave},
    {SDL_SCANCODE_SEMICOLON, KeyCode::kSemicolon, VirtualKey::kSemicolon},
    {SDL_SCANCODE_EQUALS, KeyCode::kEquals, VirtualKey::kEquals},
    {SDL_SCANCODE_COMMA, KeyCode::kComma, VirtualKey::kComma},
    {SDL_SCANCODE_MINUS, KeyCode::kMinus, VirtualKey::kMinus},
    {SDL_SCANCODE_PERIOD, KeyCode::kPeriod, VirtualKey::kPeriod},
    {SDL_SCANCODE_SLASH, KeyCode::kSlash, VirtualKey::kSlash},
    {SDL_SCANCODE_LEFTBRACKET, KeyCode::kLeftBracket, VirtualKey::kLeftBracket},
    {SDL_SCANCODE_BACKSLASH, KeyCode::kBackslash, VirtualKey::kBackslash},
    {SDL_SCANCODE_RIGHTBRACKET, KeyCode::kRightBracket, VirtualKey::kRightBracket},
    {SDL_SCANCODE_APOSTROPHE, KeyCode::kApostrophe, VirtualKey::kApostrophe},
    // Not in the engine's key table, so no key name reads it; it is here because
    // asking whether Return is held answers for either Enter key.
    {SDL_SCANCODE_KP_ENTER, KeyCode::kNumpadEnter, VirtualKey::kReturn},
};

struct KeyLookup
{
    std::array<std::uint8_t, SDL_NUM_SCANCODES> keyCodeOfScancode{};
    std::array<std::uint8_t, 256> virtualKeyOfKeyCode{};

    KeyLookup()
    {
        for (const PhysicalKey& key : kPhysicalKeys) {
            keyCodeOfScancode[key.scancode] = key.keyCode;
            virtualKeyOfKeyCode[key.keyCode] = key.virtualKey;
        }
    }
};

const KeyLookup& Lookup()
{
    static const KeyLookup lookup;
    return lookup;
}

} // namespace

std::uint8_t VirtualKeyFromSdlKeycode(std::int32_t sdlKeycode)
{
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) {
        return static_cast<std::uint8_t>(VirtualKey::kLetterA + (sdlKeycode - SDLK_a));
    }
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) {
        return static_cast<std::uint8_t>(VirtualKey::kDigit0 + (sdlKeycode - SDLK_0));
    }
    if (sdlKeycode >= SDLK_F1 && sdlKeycode <= SDLK_F12) {
        return static_cast<std::uint8_t>(VirtualKey::kF1 + (sdlKeycode - SDLK_F1));
    }
    switch (sdlKeycode) {
    case SDLK_BACKSPACE:
        return VirtualKey::kBackspace;
    case SDLK_TAB:
        return VirtualKey::kTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VirtualKey::kReturn;
    case SDLK_ESCAPE:
        return VirtualKey::kEscape;
    case SDLK_SPACE:
        return VirtualKey::kSpace;
    case SDLK_PAGEUP:
        return VirtualKey::kPageUp;
    case SDLK_PAGEDOWN:
        return VirtualKey::kPageDown;
    case SDLK_END:
        return VirtualKey::kEnd;
    case SDLK_HOME:
        return VirtualKey::kHome;
    case SDLK_LEFT:
        return VirtualKey::kLeft;
    case SDLK_UP:
        return VirtualKey::kUp;
    case SDLK_RIGHT:
        return VirtualKey::kRight;
    case SDLK_DOWN:
        return VirtualKey::kDown;
    case SDLK_INSERT:
        return VirtualKey::kInsert;
    case SDLK_DELETE:
        return VirtualKey::kDelete;
    default:
        return VirtualKey::kNone;
    }
}

std::uint8_t KeyCodeFromSdlScancode(std::int32_t sdlScancode)
{
    if (sdlScancode < 0 || sdlScancode >= SDL_NUM_SCANCODES) {
        return KeyCode::kNone;
    }
    return Lookup().keyCodeOfScancode[static_cast<std::size_t>(sdlScancode)];
}

std::uint8_t VirtualKeyFromKeyCode(std::uint8_t keyCode)
{
    return Lookup().virtualKeyOfKeyCode[keyCode];
}

int MouseButtonIndexFromSdlButton(std::uint8_t sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    default:
        // SDL numbers the extra buttons from 4 on, after left, middle, right.
        if (sdlButton >= SDL_BUTTON_X1 && sdlButton < SDL_BUTTON_X1 + 5) {
            return 3 + (sdlButton - SDL_BUTTON_X1);
        }
        return -1;
    }
}

} // namespace Platform

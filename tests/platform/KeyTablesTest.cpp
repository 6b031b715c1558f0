#include "platform/KeyTables.h"
#include "platform/VirtualKeys.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <set>

namespace {

using namespace Platform;

TEST(KeyTables, KeyDownsCarryWindowsVirtualKeyCodes)
{
    struct Case
    {
        SDL_Keycode key;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},      {SDLK_RETURN, 0x0D}, {SDLK_KP_ENTER, 0x0D}, {SDLK_ESCAPE, 0x1B},
        {SDLK_PAGEUP, 0x21},    {SDLK_PAGEDOWN, 0x22}, {SDLK_END, 0x23},    {SDLK_HOME, 0x24},     {SDLK_LEFT, 0x25},
        {SDLK_UP, 0x26},        {SDLK_RIGHT, 0x27},    {SDLK_DOWN, 0x28},   {SDLK_INSERT, 0x2D},   {SDLK_DELETE, 0x2E},
        {SDLK_0, 0x30},         {SDLK_9, 0x39},        {SDLK_a, 0x41},      {SDLK_z, 0x5A},        {SDLK_F1, 0x70},
        {SDLK_F12, 0x7B},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromSdlKeycode(c.key), c.expected) << SDL_GetKeyName(c.key);
    }
}

TEST(KeyTables, PunctuationAndUntranslatedKeysGiveNoVirtualKey)
{
    // SDL's own codes for these equal the codes of arrows, Insert and Delete.
    for (SDL_Keycode key : {SDLK_QUOTE, SDLK_MINUS, SDLK_PERIOD, SDLK_LSHIFT, SDLK_LALT, SDLK_CAPSLOCK,
                            SDLK_PRINTSCREEN, SDLK_KP_5, SDLK_F13, SDLK_UNKNOWN}) {
        EXPECT_EQ(VirtualKeyFromSdlKeycode(key), VirtualKey::kNone) << SDL_GetKeyName(key);
    }
}

TEST(KeyTables, PhysicalKeysUseTheScanCodeNumbering)
{
    struct Case
    {
        SDL_Scancode scancode;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {SDL_SCANCODE_0, 0x0B},          {SDL_SCANCODE_1, 0x02},           {SDL_SCANCODE_9, 0x0A},
        {SDL_SCANCODE_A, 0x1E},          {SDL_SCANCODE_M, 0x32},           {SDL_SCANCODE_Z, 0x2C},
        {SDL_SCANCODE_RETURN, 0x1C},     {SDL_SCANCODE_ESCAPE, 0x01},      {SDL_SCANCODE_RCTRL, 0x9D},
        {SDL_SCANCODE_RALT, 0xB8},       {SDL_SCANCODE_PRINTSCREEN, 0xB7}, {SDL_SCANCODE_PAUSE, 0xC5},
        {SDL_SCANCODE_KP_0, 0x52},       {SDL_SCANCODE_KP_DIVIDE, 0xB5},   {SDL_SCANCODE_F10, 0x44},
        {SDL_SCANCODE_F11, 0x57},        {SDL_SCANCODE_F12, 0x58},         {SDL_SCANCODE_GRAVE, 0x29},
        {SDL_SCANCODE_APOSTROPHE, 0x28}, {SDL_SCANCODE_BACKSLASH, 0x2B},   {SDL_SCANCODE_DOWN, 0xD0},
        {SDL_SCANCODE_KP_ENTER, 0x9C},   {SDL_SCANCODE_LGUI, 0x00},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyCodeFromSdlScancode(c.scancode), c.expected) << SDL_GetScancodeName(c.scancode);
    }
    EXPECT_EQ(KeyCodeFromSdlScancode(-1), KeyCode::kNone);
    EXPECT_EQ(KeyCodeFromSdlScancode(SDL_NUM_SCANCODES), KeyCode::kNone);
}

TEST(KeyTables, EveryTableKeyHasItsOwnCodeAndAVirtualKey)
{
    std::set<std::uint8_t> codes;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const std::uint8_t code = KeyCodeFromSdlScancode(scancode);
        if (code != KeyCode::kNone) {
            EXPECT_TRUE(codes.insert(code).second) << "code used twice: " << int(code);
            EXPECT_NE(VirtualKeyFromKeyCode(code), VirtualKey::kNone) << int(code);
        }
    }
    EXPECT_EQ(codes.size(), 101u); // the key table without its eight mouse buttons, and keypad Enter
    EXPECT_EQ(VirtualKeyFromKeyCode(KeyCode::kLeftAlt), VirtualKey::kLeftAlt);
    EXPECT_EQ(VirtualKeyFromKeyCode(KeyCode::kReturn), VirtualKey::kReturn);
    EXPECT_EQ(VirtualKeyFromKeyCode(KeyCode::kNumpadEnter), VirtualKey::kReturn) << "either Enter is Return";
}

TEST(KeyTables, MouseButtonsPutTheRightButtonSecond)
{
    EXPECT_EQ(MouseButtonIndexFromSdlButton(SDL_BUTTON_LEFT), 0);
    EXPECT_EQ(MouseButtonIndexFromSdlButton(SDL_BUTTON_RIGHT), 1);
    EXPECT_EQ(MouseButtonIndexFromSdlButton(SDL_BUTTON_MIDDLE), 2);
    EXPECT_EQ(MouseButtonIndexFromSdlButton(SDL_BUTTON_X1), 3);
    EXPECT_EQ(MouseButtonIndexFromSdlButton(SDL_BUTTON_X2), 4);
    EXPECT_EQ(MouseButtonIndexFromSdlButton(8), 7);
    EXPECT_EQ(MouseButtonIndexFromSdlButton(9), -1);
    EXPECT_EQ(MouseButtonIndexFromSdlButton(0), -1);
}

} // namespace

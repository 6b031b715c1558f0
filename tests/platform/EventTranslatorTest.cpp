#include "platform/EventTranslator.h"
#include "platform/VirtualKeys.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace Platform;

SDL_Event KeyEvent(std::uint32_t type, SDL_Keycode key, SDL_Scancode scancode, std::uint16_t mod = 0,
                   std::uint8_t repeat = 0)
{
    SDL_Event event{};
    event.key.type = type;
    event.key.windowID = 7;
    event.key.repeat = repeat;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event WindowEvent(std::uint8_t what)
{
    SDL_Event event{};
    event.window.type = SDL_WINDOWEVENT;
    event.window.windowID = 3;
    event.window.event = what;
    return event;
}

SDL_Event TextEvent(const char* text)
{
    SDL_Event event{};
    event.text.type = SDL_TEXTINPUT;
    event.text.windowID = 7;
    std::strncpy(event.text.text, text, sizeof event.text.text - 1);
    return event;
}

TEST(EventTranslator, WindowEventsBecomeWindowMessages)
{
    struct Case
    {
        SDL_Event event;
        WindowMessageType type;
        std::uint32_t code;
    };
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    const Case cases[] = {
        {quit, WindowMessageType::Quit, 0},
        {WindowEvent(SDL_WINDOWEVENT_CLOSE), WindowMessageType::Close, 0},
        {WindowEvent(SDL_WINDOWEVENT_MINIMIZED), WindowMessageType::SystemCommand,
         static_cast<std::uint32_t>(SystemCommand::Minimize)},
        {WindowEvent(SDL_WINDOWEVENT_MAXIMIZED), WindowMessageType::SystemCommand,
         static_cast<std::uint32_t>(SystemCommand::Maximize)},
        {WindowEvent(SDL_WINDOWEVENT_RESTORED), WindowMessageType::SystemCommand,
         static_cast<std::uint32_t>(SystemCommand::Restore)},
        {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), WindowMessageType::SetFocus, 0},
        {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), WindowMessageType::KillFocus, 0},
    };
    for (const Case& c : cases) {
        TranslatedEvent out;
        TranslateEvent(c.event, out);
        ASSERT_EQ(out.messageCount, 1u) << int(c.type);
        EXPECT_EQ(out.messages[0].type, c.type);
        EXPECT_EQ(out.messages[0].code, c.code);
        EXPECT_EQ(out.inputCount, 0u);
    }
    TranslatedEvent out;
    TranslateEvent(quit, out);
    EXPECT_EQ(out.windowId, 0u) << "quit addresses every window";
    TranslateEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE), out);
    EXPECT_EQ(out.windowId, 3u);
    TranslateEvent(WindowEvent(SDL_WINDOWEVENT_EXPOSED), out);
    EXPECT_EQ(out.messageCount, 0u);
}

TEST(EventTranslator, KeyDownGivesVirtualKeyMessageAndDeviceEvent)
{
    TranslatedEvent out;
    TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A), out);
    ASSERT_EQ(out.messageCount, 1u);
    EXPECT_EQ(out.messages[0].type, WindowMessageType::KeyDown);
    EXPECT_EQ(out.messages[0].code, 0x41u);
    ASSERT_EQ(out.inputCount, 1u);
    EXPECT_EQ(out.inputs[0].device, InputDeviceKind::Keyboard);
    EXPECT_EQ(out.inputs[0].offset, KeyCode::kA);
    EXPECT_EQ(out.inputs[0].data, kInputDownFlag);
    EXPECT_EQ(out.windowId, 7u);

    TranslateEvent(KeyEvent(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A), out);
    EXPECT_EQ(out.messages[0].type, WindowMessageType::KeyUp);
    ASSERT_EQ(out.inputCount, 1u);
    EXPECT_EQ(out.inputs[0].data, 0);

    // The apostrophe key still reaches the devices, but its message has no virtual key.
    TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE), out);
    EXPECT_EQ(out.messages[0].code, 0u);
    ASSERT_EQ(out.inputCount, 1u);
    EXPECT_EQ(out.inputs[0].offset, KeyCode::kApostrophe);
}

TEST(EventTranslator, AltKeysAndF10AreSystemKeys)
{
    TranslatedEvent out;
    TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT), out);
    EXPECT_EQ(out.messages[0].type, WindowMessageType::SysKeyDown);
    EXPECT_EQ(out.messages[0].code, VirtualKey::kReturn);
    TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_RALT, SDL_SCANCODE_RALT), out);
    EXPECT_EQ(out.messages[0].type, WindowMessageType::SysKeyDown);
    TranslateEvent(KeyEvent(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT), out);
    EXPECT_EQ(out.messages[0].type, WindowMessageType::SysKeyUp);
    TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10), out);
    EXPECT_EQ(out.messages[0].type, WindowMessageType::SysKeyDown);
    TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LCTRL), out);
    EXPECT_EQ(out.messages[0].type, WindowMessageType::KeyDown);
}

TEST(EventTranslator, AutoRepeatRepeatsTheMessageButNotTheDeviceEvent)
{
    TranslatedEvent out;
    TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0, 1), out);
    ASSERT_EQ(out.messageCount, 1u);
    EXPECT_EQ(out.messages[0].code, VirtualKey::kBackspace);
    EXPECT_EQ(out.inputCount, 0u);
}

TEST(EventTranslator, TypedTextGivesOneCharacterPerCodePoint)
{
    TranslatedEvent out;
    TranslateEvent(TextEvent("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), out); // a, e-acute, euro, emoji
    ASSERT_EQ(out.messageCount, 4u);
    const std::uint32_t expected[] = {0x61, 0xE9, 0x20AC, 0x1F600};
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(out.messages[i].type, WindowMessageType::Character);
        EXPECT_EQ(out.messages[i].code, expected[i]);
    }
    EXPECT_EQ(out.windowId, 7u);
}

TEST(EventTranslator, MalformedUtf8BecomesReplacementCharacters)
{
    struct Case
    {
        const char* text;
        std::uint32_t length;
        std::uint32_t first;
    };
    const Case cases[] = {
        {"\xC3", 1, 0xFFFD},             // cut short
        {"\xC0\xAF", 2, 0xFFFD},         // overlong
        {"\xED\xA0\x80", 3, 0xFFFD},     // surrogate
        {"\xF4\x90\x80\x80", 4, 0xFFFD}, // past U+10FFFF
        {"\x80", 1, 0xFFFD},             // stray continuation byte
        {"\xE2\x28\xA1", 3, 0xFFFD},     // bad continuation
    };
    for (const Case& c : cases) {
        std::uint32_t position = 0;
        EXPECT_EQ(NextUtf8CodePoint(c.text, c.length, position), c.first) << c.text;
        EXPECT_EQ(position, 1u) << "malformed input is skipped one byte at a time";
    }
    std::uint32_t position = 3;
    EXPECT_EQ(NextUtf8CodePoint("abc", 3, position), 0u);
}

TEST(EventTranslator, MouseEventsUseAxisAndButtonOffsets)
{
    SDL_Event motion{};
    motion.motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 100;
    motion.motion.y = 50;
    motion.motion.xrel = 3;
    motion.motion.yrel = -4;
    TranslatedEvent out;
    TranslateEvent(motion, out);
    ASSERT_EQ(out.inputCount, 2u);
    EXPECT_EQ(out.inputs[0].offset, kMouseOffsetX);
    EXPECT_EQ(out.inputs[0].data, 3);
    EXPECT_EQ(out.inputs[1].offset, kMouseOffsetY);
    EXPECT_EQ(out.inputs[1].data, -4);
    EXPECT_TRUE(out.cursorMoved);
    EXPECT_EQ(out.cursorX, 100);
    EXPECT_EQ(out.cursorY, 50);

    SDL_Event wheel{};
    wheel.wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -2;
    TranslateEvent(wheel, out);
    ASSERT_EQ(out.inputCount, 1u);
    EXPECT_EQ(out.inputs[0].offset, kMouseOffsetWheel);
    EXPECT_EQ(out.inputs[0].data, -2 * kWheelUnitsPerNotch);
    wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    TranslateEvent(wheel, out);
    EXPECT_EQ(out.inputs[0].data, 2 * kWheelUnitsPerNotch);
    wheel.wheel.y = INT32_MIN;
    TranslateEvent(wheel, out);
    EXPECT_GT(out.inputs[0].data, 0) << "a huge wheel value saturates instead of overflowing";

    SDL_Event button{};
    button.button.type = SDL_MOUSEBUTTONDOWN;
    button.button.button = SDL_BUTTON_RIGHT;
    TranslateEvent(button, out);
    ASSERT_EQ(out.inputCount, 1u);
    EXPECT_EQ(out.inputs[0].offset, kMouseOffsetButton0 + 1);
    EXPECT_EQ(out.inputs[0].data, kInputDownFlag);
    button.button.type = SDL_MOUSEBUTTONUP;
    button.button.button = 8;
    TranslateEvent(button, out);
    EXPECT_EQ(out.inputs[0].offset, kMouseOffsetButton0 + 7);
    EXPECT_EQ(out.inputs[0].data, 0);
}

} // namespace

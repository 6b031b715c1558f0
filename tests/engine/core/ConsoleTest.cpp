#include "engine/core/Console.h"

#include "content/FontFileWriter.h"
#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/NullEngine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/Clock.h"
#include "support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace OrrelayEngine;

constexpr std::uint32_t kFontId = 3;
constexpr float kScreenWidth = 400.0f;
constexpr float kScreenHeight = 150.0f;
// Every printable character is one font size wide: 40 to a screen line.
constexpr float kFontSize = 10.0f;
constexpr float kConsoleSize = 100.0f;
constexpr std::uint8_t kToggleKeyCode = 0x3B; // F1
constexpr std::uint8_t kEnter = 13;
constexpr std::uint8_t kTab = 9;
constexpr std::uint8_t kUp = 38;
constexpr std::uint8_t kDown = 40;
constexpr std::uint8_t kPageUp = 33;
constexpr std::uint8_t kPageDown = 34;

// A whole engine with a fixed-width fixture font and a console over it, on a
// manual clock: every frame lasts 20 ms.
class ConsoleTest : public ::testing::Test, public EngineTests::NullEngine
{
protected:
    ConsoleTest()
    {
        Platform::SetManualClock(true);
        std::vector<FontFile::Glyph> glyphs;
        for (wchar_t character = 32; character < 127; ++character) {
            glyphs.push_back(Glyph(character, 1.0f));
        }
        glyphs.push_back(Glyph(L'\x00E9', 1.0f));
        glyphs.push_back(Glyph(L'\x263A', 1.0f));
        // Wider than the screen on its own.
        glyphs.push_back(Glyph(L'\x00C6', 50.0f));
        const std::vector<std::uint8_t> bytes = Content::FontFileWriter().Build(glyphs).GetBytes();
        folder.Write("data/ui/fonts/fixed.fnt", std::string(bytes.begin(), bytes.end()));
        Start();
        GUIManager* gui = engine->GetGUIManager();
        gui->SetScreenSize(kScreenWidth, kScreenHeight);
        gui->GetFontManager()->LoadFont(kFontId, ShaderDescriptor(), "ui\\fonts\\fixed.fnt")->SetSize(kFontSize);
    }

    ~ConsoleTest() override
    {
        engine.reset();
        Platform::SetManualClock(false);
    }

    static FontFile::Glyph Glyph(wchar_t character, float width)
    {
        FontFile::Glyph glyph;
        glyph.character = character;
        glyph.du = 0.01f;
        glyph.dv = 0.01f;
        glyph.width = width;
        return glyph;
    }

    Console& MakeConsole(float speed = 1.0e6f)
    {
        return *engine->CreateConsole(L"v1.04", "", kFontId, 0, L'>', L'-', "F1", 0.5f, kConsoleSize, speed);
    }

    void Frame()
    {
        Platform::AdvanceManualClock(20000);
        Step();
    }

    void PressToggle()
    {
        Platform::InputDevice::Deliver(
            Platform::InputEvent{Platform::InputDeviceKind::Keyboard, kToggleKeyCode, Platform::kInputDownFlag});
        Frame();
        Platform::InputDevice::Deliver(Platform::InputEvent{Platform::InputDeviceKind::Keyboard, kToggleKeyCode, 0});
    }

    void Open()
    {
        PressToggle();
        ASSERT_EQ(Console::kOpen, engine->GetConsole()->GetState());
        // The scrollback from here on is the test's own.
        Frame();
    }

    void Key(std::uint8_t virtualKey)
    {
        engine->GetWindow()->HandleMessage(Platform::WindowMessage{Platform::WindowMessageType::KeyDown, virtualKey});
        Frame();
    }

    void Type(const std::wstring& text)
    {
        for (const wchar_t character : text) {
            engine->GetWindow()->HandleMessage(
                Platform::WindowMessage{Platform::WindowMessageType::Character, static_cast<std::uint32_t>(character)});
            Frame();
        }
    }

    void Enter(const std::wstring& text)
    {
        Type(text);
        Key(kEnter);
    }

    const std::wstring& Input() const { return engine->GetConsole()->GetInputLine()->GetText(); }

    // The scrollback from piece first on, one screen line per text line.
    std::wstring Shown(std::size_t first = 0) const
    {
        std::wstring shown;
        const std::vector<ConsoleLine>& lines = engine->GetConsole()->GetScrollback();
        for (std::size_t i = first; i < lines.size(); ++i) {
            shown += lines[i].text + (lines[i].endsLine ? L"\n" : L"|");
        }
        return shown;
    }
};

TEST_F(ConsoleTest, AnswersTypedLines)
{
    std::int32_t locked = 5;
    engine->GetConfig()->AddVariable("t_locked", kConfigInteger, true, false, &locked, "5", false);
    Console& console = MakeConsole();
    Open();
    const struct
    {
        const wchar_t* typed;
        const wchar_t* shown;
    } cases[] = {
        {L"v_vsync", L">\\v_vsync\n\"v_vsync\" is \"1\", default is \"1\"\n"},
        {L"t_locked 7", L">\\t_locked 7\n\"t_locked\" is read only\n"},
        {L"\\nosuch", L">\\nosuch\nUnknown command \"nosuch\"\n"},
        {L"say", L">\\say\n"},
        {L"say caf\x00E9 \x263A", L">\\say caf\x00E9 \x263A\nConsole: \"|caf\x00E9 \x263A|\"\n"},
        {L"\\", L""},
        {L"exit", L">\\exit\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed, c.typed + std::wcslen(c.typed)));
        const std::size_t before = console.GetScrollback().size();
        Enter(c.typed);
        EXPECT_EQ(c.shown, Shown(before));
        EXPECT_TRUE(Input().empty() || std::wstring(c.typed) == L"\\");
    }
    EXPECT_TRUE(engine->IsExitRequested());
    EXPECT_EQ(5, locked);
    EXPECT_EQ(6u, console.GetHistory().size()) << "\"\\\" alone is no line";

    const std::vector<ConsoleLine>& lines = console.GetScrollback();
    const ConsoleLine& said = lines[lines.size() - 3];
    EXPECT_EQ(L"caf\x00E9 \x263A", said.text) << "typed text reaches the configuration whole";
    EXPECT_EQ(1.0f, said.colour.g);
    EXPECT_EQ(0.0f, said.colour.r);
    EXPECT_EQ(1.0f, lines[lines.size() - 5].colour.b) << "the echo is blue";
}

TEST_F(ConsoleTest, TabCompletesOneMatchAndListsSeveral)
{
    Console& console = MakeConsole();
    Open();
    Type(L"V_VS");
    Key(kTab);
    EXPECT_EQ(L"\\v_vsync ", Input());

    Key(27);
    Type(L"sc_take");
    const std::size_t before = console.GetScrollback().size();
    Key(kTab);
    EXPECT_EQ(L"\\sc_take_screenshot", Input());
    EXPECT_EQ(L"\\sc_take\n    \\sc_take_screenshot\n    \\sc_take_screenshot_format\n"
              L"    \\sc_take_screenshot_jpg\n    \\sc_take_screenshot_tga\n",
              Shown(before));

    Key(27);
    Type(L"zz");
    Key(kTab);
    EXPECT_EQ(L"zz", Input());
}

TEST_F(ConsoleTest, WrapsAtTheScreenWidthAndAtLineFeeds)
{
    Console& console = MakeConsole();
    const struct
    {
        std::wstring text;
        std::wstring shown;
    } cases[] = {
        {std::wstring(95, L'a'),
         std::wstring(40, L'a') + L"\n" + std::wstring(40, L'a') + L"\n" + std::wstring(15, L'a') + L"|"},
        {L"ab\ncd\n\nef", L"ab\ncd\n\nef|"},
        {L"\x00C6\x00C6", L"\x00C6\n\x00C6|"},
        {std::wstring(40, L'b') + L"\n", std::wstring(40, L'b') + L"\n"},
    };
    for (const auto& c : cases) {
        const std::size_t before = console.GetScrollback().size();
        console.AddText(Color(1, 1, 1, 1), c.text);
        EXPECT_EQ(c.shown, Shown(before));
    }
    for (const ConsoleLine& line : console.GetScrollback()) {
        EXPECT_FALSE(line.text.empty() && !line.endsLine);
        EXPECT_TRUE(line.width <= kScreenWidth || line.text.size() == 1) << "a piece fits unless one character";
    }
}

TEST_F(ConsoleTest, ScrollsWithinTheScrollback)
{
    Console& console = MakeConsole();
    Open();
    Key(kPageDown);
    EXPECT_EQ(0, console.GetScrollOffset()) << "at the newest line";
    console.AddText(Color(1, 1, 1, 1), L"1\n2\n3\n4\n");
    std::size_t lines = 0;
    for (const ConsoleLine& piece : console.GetScrollback()) {
        lines += piece.endsLine ? 1 : 0;
    }
    ASSERT_TRUE(console.GetScrollback().back().endsLine);
    for (std::size_t i = 0; i < lines + 5; ++i) {
        Key(kPageUp);
    }
    Frame();
    EXPECT_EQ(static_cast<std::int32_t>(lines) - 1, console.GetScrollOffset()) << "the oldest line stays in view";
    Key(kPageDown);
    EXPECT_EQ(static_cast<std::int32_t>(lines) - 2, console.GetScrollOffset());
}

TEST_F(ConsoleTest, HistoryWalksTypedLines)
{
    Console& console = MakeConsole();
    Open();
    Type(L"abc");
    Key(kUp);
    EXPECT_EQ(L"abc", Input()) << "no history: nothing to show";
    Key(kEnter);
    Enter(L"v_gamma");
    Key(kUp);
    EXPECT_EQ(L"\\v_gamma", Input());
    Key(kUp);
    Key(kUp);
    EXPECT_EQ(L"\\abc", Input());
    EXPECT_EQ(0, console.GetHistoryPosition());
    Key(kDown);
    Key(kDown);
    EXPECT_EQ(L"", Input()) << "past the newest entry the line empties";
    EXPECT_EQ(2, console.GetHistoryPosition());
}

TEST_F(ConsoleTest, ToggleSlidesBetweenItsStates)
{
    // 50 pixels a frame: three frames to open 100 pixels.
    Console& console = MakeConsole(2500.0f);
    GUIWindow* background = console.GetBackgroundWindow();
    EXPECT_EQ(Console::kClosed, console.GetState());
    EXPECT_FALSE(background->IsVisible());

    PressToggle();
    EXPECT_EQ(Console::kOpening, console.GetState());
    EXPECT_TRUE(background->IsVisible());
    Frame();
    PressToggle();
    EXPECT_EQ(Console::kClosing, console.GetState()) << "a toggle while opening closes";
    PressToggle();
    EXPECT_EQ(Console::kOpening, console.GetState()) << "a toggle while closing opens";
    Frame();
    Frame();
    EXPECT_EQ(Console::kOpen, console.GetState());
    EXPECT_TRUE(console.GetInputLine()->IsEditing());
    EXPECT_FLOAT_EQ(kScreenHeight - kConsoleSize, background->GetPosition().y);
    Color colour;
    background->GetColor(colour);
    EXPECT_NEAR(0.5f, colour.a, 1.0f / 255.0f);

    PressToggle();
    EXPECT_EQ(Console::kClosing, console.GetState());
    EXPECT_FALSE(console.GetInputLine()->IsEditing());
    for (int frame = 0; frame < 3; ++frame) {
        Frame();
    }
    EXPECT_EQ(Console::kClosed, console.GetState());
    EXPECT_FALSE(background->IsVisible());
    EXPECT_FLOAT_EQ(kScreenHeight, background->GetPosition().y);
}

TEST_F(ConsoleTest, SteadyOpenConsoleAllocatesNothing)
{
    MakeConsole();
    Open();
    Enter(L"v_vsync");
    for (int frame = 0; frame < 3; ++frame) {
        Frame();
    }
    TestSupport::ScopedAllocationCount count;
    Frame();
    EXPECT_EQ(0u, count.Count());
}

} // namespace

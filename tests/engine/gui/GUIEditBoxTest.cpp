// The edit box over the round font at size 10 ('A' 5 units wide, 'B' 10,
// 'b' 7.5, a blank 2.5; '_' has no glyph and advances 10): typed characters
// and keys through the application window, the limits, the caret's moves and
// blink, the view's scrolling and the typing sound.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GUIInputTestSupport.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIEditBox.h"
#include "platform/VirtualKeys.h"

namespace OrrelayEngine {
namespace {

namespace Key = Platform::VirtualKey;

class GUIEditBoxTest : public GUIInputTest::GUIInputFixture
{
protected:
    void SetUp() override
    {
        GUIInputFixture::SetUp();
        LoadRoundFont();
    }

    std::unique_ptr<GUIEditBox> MakeBox(std::int32_t lengthLimit = 20, float widthLimit = 1000.0f,
                                        float viewWidth = 300.0f)
    {
        return std::make_unique<GUIEditBox>(
            log, shaders.get(), models.get(), fonts.get(), texts.get(), camera, GUIWindow::kFlagShown,
            Vector2(0.0f, 0.0f), Vector2(400.0f, 40.0f), nullptr, nullptr, timers.get(), controls.get(),
            guiSounds.get(), 0, Color(1, 1, 1, 1), Vector2(28.0f, 4.0f), L'_', lengthLimit, widthLimit, viewWidth);
    }

    // One GUI frame; answers the glyph quads the box printed in it.
    std::uint32_t Frame(GUIEditBox& box)
    {
        box.Update(Vector2(), false, false);
        box.Render();
        const std::uint32_t quads = fonts->GetBatchCount() > 0 ? fonts->GetBatch(0)->GetGlyphCount() : 0;
        fonts->Flush();
        EndFrame();
        return quads;
    }

    void Type(GUIEditBox& box, const std::wstring& characters)
    {
        for (wchar_t character : characters) {
            TypeCharacter(character);
            Frame(box);
        }
    }

    void Press(GUIEditBox& box, std::uint8_t virtualKey)
    {
        TypeKey(virtualKey);
        Frame(box);
    }
};

TEST_F(GUIEditBoxTest, TheLengthLimitRefusesAnotherCharacterAndOverwriteReplacesTheLast)
{
    std::unique_ptr<GUIEditBox> box = MakeBox();
    Type(*box, std::wstring(20, L'A'));
    ASSERT_EQ(box->GetText(), std::wstring(20, L'A'));
    EXPECT_EQ(box->GetCaret(), 19) << "the caret never passes the last place";
    Type(*box, L"B");
    EXPECT_EQ(box->GetText(), std::wstring(20, L'A'));
    EXPECT_EQ(CountTypingSounds(), 20u);

    Press(*box, Key::kInsert);
    ASSERT_TRUE(box->IsOverwriting());
    Type(*box, L"B");
    EXPECT_EQ(box->GetText(), std::wstring(19, L'A') + L"B");
    EXPECT_EQ(box->GetCaret(), 19);
    EXPECT_EQ(CountTypingSounds(), 21u);
}

TEST_F(GUIEditBoxTest, ACharacterThatWouldMakeTheTextTooWideIsRefused)
{
    std::unique_ptr<GUIEditBox> box = MakeBox(20, 12.0f);
    Type(*box, L"AAA");
    EXPECT_EQ(box->GetText(), L"AA") << "a third A measures 15";
    // Overwriting does not measure again.
    Press(*box, Key::kHome);
    Press(*box, Key::kInsert);
    Type(*box, L"B");
    EXPECT_EQ(box->GetText(), L"BA");
}

TEST_F(GUIEditBoxTest, SetTextKeepsALongTextWithTheCaretOnTheLastPlace)
{
    std::unique_ptr<GUIEditBox> box = MakeBox();
    box->SetText(std::wstring(25, L'A'));
    EXPECT_EQ(box->GetText().size(), 25u);
    EXPECT_EQ(box->GetCaret(), 19);

    std::unique_ptr<GUIEditBox> tiny = MakeBox(0);
    EXPECT_EQ(tiny->GetLengthLimit(), 1) << "a limit below 1 leaves the caret nowhere";
    tiny->SetText(L"AB");
    EXPECT_EQ(tiny->GetCaret(), 0);
    Press(*tiny, Key::kEnd);
    EXPECT_EQ(tiny->GetCaret(), 0);
}

TEST_F(GUIEditBoxTest, KeysThatChangeNothingPlayNoSound)
{
    struct Case
    {
        const char* name;
        bool home;
        bool character;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"Delete at the end", false, false, Key::kDelete},
        {"Backspace at 0", true, false, Key::kBackspace},
        {"Left at 0", true, false, Key::kLeft},
        {"Right at the end", false, false, Key::kRight},
        {"Insert", false, false, Key::kInsert},
        {"no glyph", false, true, L'a'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<GUIEditBox> box = MakeBox();
        box->SetText(L"AB");
        if (c.home) {
            Press(*box, Key::kHome);
        }
        const std::int32_t caret = box->GetCaret();
        if (c.character) {
            Type(*box, std::wstring(1, static_cast<wchar_t>(c.code)));
        } else {
            Press(*box, static_cast<std::uint8_t>(c.code));
        }
        EXPECT_EQ(box->GetText(), L"AB");
        EXPECT_EQ(box->GetCaret(), caret);
        EXPECT_EQ(CountTypingSounds(), 0u);
    }

    std::unique_ptr<GUIEditBox> box = MakeBox();
    box->SetText(L"AB");
    Press(*box, Key::kHome);
    Press(*box, Key::kDelete);
    EXPECT_EQ(box->GetText(), L"B");
    EXPECT_EQ(CountTypingSounds(), 1u);
}

TEST_F(GUIEditBoxTest, BackspaceTakesTheCharacterBeforeTheCaretUnlessItIsPinnedOnAFullText)
{
    struct Case
    {
        const char* name;
        std::int32_t limit;
        bool left;
        const wchar_t* text;
        std::int32_t caret;
    };
    const Case cases[] = {
        {"caret on the last character", 20, true, L"AB", 1},
        {"caret at the end", 20, false, L"Ab", 2},
        {"caret pinned on a full text", 3, false, L"Ab", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<GUIEditBox> box = MakeBox(c.limit);
        box->SetText(L"AbB");
        if (c.left) {
            Press(*box, Key::kLeft);
        }
        Press(*box, Key::kBackspace);
        EXPECT_EQ(box->GetText(), c.text);
        EXPECT_EQ(box->GetCaret(), c.caret);
    }
}

TEST_F(GUIEditBoxTest, TheCaretShowsForFourTenthsOfASecondAndHidesForAsLong)
{
    std::unique_ptr<GUIEditBox> box = MakeBox();
    box->SetText(L"AB");
    for (const float seconds : {0.1f, 0.35f, 0.45f, 0.75f, 0.85f, 1.25f}) {
        SCOPED_TRACE(seconds);
        timers->GetFrameTimer()->SetTime(seconds);
        box->Update(Vector2(), false, false);
        const bool shown = static_cast<int>(seconds / 0.4f) % 2 == 0;
        EXPECT_EQ(box->GetQueuedTextCount(), shown ? 2u : 1u);
        box->Render();
    }
    box->SetEditing(false);
    timers->GetFrameTimer()->SetTime(0.1f);
    TypeCharacter(L'B');
    box->Update(Vector2(), false, false);
    EXPECT_EQ(box->GetQueuedTextCount(), 1u) << "no caret while not editing";
    EXPECT_EQ(box->GetText(), L"AB") << "and no keys";
}

TEST_F(GUIEditBoxTest, TheViewScrollsToKeepTheCaretInSight)
{
    // Room for two B and the caret.
    std::unique_ptr<GUIEditBox> box = MakeBox(20, 1000.0f, 30.0f);
    const std::int32_t firstVisible[] = {0, 0, 1, 2, 3};
    for (std::int32_t expected : firstVisible) {
        Type(*box, L"B");
        EXPECT_EQ(box->GetFirstVisible(), expected);
    }
    EXPECT_EQ(Frame(*box), 2u) << "the two B from the first visible on";
    Press(*box, Key::kHome);
    EXPECT_EQ(box->GetFirstVisible(), 0);
    EXPECT_EQ(Frame(*box), 3u) << "the text is cut to the view";
    Press(*box, Key::kEnd);
    EXPECT_EQ(box->GetFirstVisible(), 3);
    EXPECT_EQ(box->GetCaret(), 5);
}

} // namespace
} // namespace OrrelayEngine

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/AnimationControl.h"
#include "game/logic/Character.h"
#include "tests/game/PresentationHarness.h"
#include "tools/GUITextPrinter.h"

namespace {

using Tansywell::Character;

constexpr std::uint32_t kKeyA = 0x1E;
constexpr std::uint32_t kKeyPrintScreen = 0xB7;

class CharacterTest : public ::testing::Test
{
protected:
    CharacterTest()
    {
        for (std::uint32_t id = Character::kFirstPraiseSound;
             id < Character::kFirstPraiseSound + Character::kPraiseSoundCount; ++id)
            p.h.mixer.AddSound(id, std::to_string(id), false, 1);
        character = std::make_unique<Character>(p.h.engine, nullptr, nullptr, &p.h.mixer, &p.h.game.data, nullptr);
    }

    // One frame of the character; the model manager would step the body.
    void Frame()
    {
        p.h.Flush();
        p.ReadInput();
        character->GetBodyAnimation()->Update();
        character->Update();
        p.EndInputFrame();
    }
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    PresentationTests::PresentationHarness p{3, 3};
    std::unique_ptr<Character> character;
};

TEST_F(CharacterTest, SizeTextChoosesTheBubbleAndLinesTypeTopDown)
{
    const struct
    {
        const wchar_t* size;
        std::uint32_t bubble;
    } cases[] = {{L"1", 0}, {L"2", 1}, {L"4", 3}, {L"7", 3}, {L"0", 0}, {L"-3", 0}, {L"two", 0}};
    character->SetState(Character::kStateMenus);
    p.Text("K_0", L"abcdefghij");
    p.Text("K_1", L"efghefghefgh");
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(test.size)));
        p.Text("K_SIZE", test.size);
        character->Say("K", 5.0f);
        for (std::uint32_t b = 0; b < Character::kBubbleCount; ++b)
            EXPECT_EQ(b == test.bubble, (character->GetBubbleWindow(b)->GetFlags() & 1u) != 0) << b;
        EXPECT_FALSE(character->IsSpeechHidden());
    }

    // Bubble 1 holds lines 1 and 2, bubble 3 lines 6 to 9: each line is
    // typed once the one above it is done, never with it.
    p.Text("K_2", L"ijklmnijklmn");
    p.Text("K_3", L"opqrstuvwxyz");
    const struct
    {
        const wchar_t* size;
        std::uint32_t firstPrinter;
        std::vector<std::wstring> lines;
    } speeches[] = {{L"2", 1, {L"abcdefghij", L"efghefghefgh"}},
                    {L"3", 3, {L"abcdefghij", L"efghefghefgh", L"ijklmnijklmn"}},
                    {L"4", 6, {L"abcdefghij", L"efghefghefgh", L"ijklmnijklmn", L"opqrstuvwxyz"}}};
    for (const auto& speech : speeches) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(speech.size)));
        p.Text("K_SIZE", speech.size);
        character->Say("K", 5.0f);
        Frame();
        for (std::size_t line = 0; line < speech.lines.size(); ++line) {
            SCOPED_TRACE(line);
            GameTools::GUITextPrinter* printer = character->GetPrinter(speech.firstPrinter + line);
            EXPECT_EQ(speech.lines[line], printer->GetTargetText());
            for (std::size_t below = line + 1; below < speech.lines.size(); ++below)
                EXPECT_EQ(L"", character->GetPrinter(speech.firstPrinter + below)->GetTargetText()) << below;
            for (int i = 0; i < 20 && !printer->IsDone(); ++i)
                Frame();
            ASSERT_TRUE(printer->IsDone());
        }
    }
}

TEST_F(CharacterTest, LinesStandInTheWidthOfTheLongestLineAndInTheBubblesMiddle)
{
    // A font of one glyph under the id the character measures with.
    OrrelayEngine::FontFile::Glyph glyph;
    glyph.character = L'A';
    glyph.width = 8.0f;
    const std::vector<std::uint8_t> bytes = Content::FontFileWriter().Build({glyph}).GetBytes();
    p.h.game.Write("data/ui/fonts/line.fnt", std::string(bytes.begin(), bytes.end()));
    const OrrelayEngine::GUIFont* font = p.h.engine->GetGUIManager()->GetFontManager()->LoadFont(
        Character::kMeasureFont, OrrelayEngine::ShaderDescriptor(), "ui\\fonts\\line.fnt");
    OrrelayEngine::Vector2 longest;
    font->MeasureText(longest, L"AAAAAA", 0.0f, -1.0f);
    ASSERT_GT(longest.x, 0.0f);
    // The longer line comes second, before it is typed.
    p.Text("K_SIZE", L"2");
    p.Text("K_0", L"AA");
    p.Text("K_1", L"AAAAAA");
    character->SetState(Character::kStateMenus);
    character->Say("K", 5.0f);
    const OrrelayEngine::GUIWindow* bubble = character->GetBubbleWindow(1);
    const OrrelayEngine::GUIWindow* top = character->GetLineWindow(1);
    const OrrelayEngine::GUIWindow* bottom = character->GetLineWindow(2);
    for (const OrrelayEngine::GUIWindow* line : {top, bottom}) {
        EXPECT_FLOAT_EQ(0.0f, line->GetPosition().x);
        EXPECT_FLOAT_EQ(longest.x + 75.0f, line->GetSize().x);
    }
    EXPECT_FLOAT_EQ(top->GetPosition().y, bottom->GetPosition().y + bottom->GetSize().y);
    EXPECT_FLOAT_EQ(bubble->GetSize().y, top->GetPosition().y + top->GetSize().y + bottom->GetPosition().y);
}

TEST_F(CharacterTest, PraiseWaitsForTheStandAndCyclesTheNineSounds)
{
    character->SetState(Character::kStateLevel);
    character->RequestPraise(1);
    Frames(5);
    EXPECT_TRUE(character->IsPraiseRequested());
    EXPECT_NE(static_cast<std::uint32_t>(Character::kBodyStand), character->GetBodyAnimation()->currentId);
    EXPECT_TRUE(p.h.TakeSounds().empty());

    std::vector<std::uint32_t> expected;
    for (std::uint32_t i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        character->RequestPraise(i % 4);
        for (int frame = 0; frame < 200 && character->GetPraiseCounter() == i; ++frame)
            Frame();
        ASSERT_EQ(i + 1, character->GetPraiseCounter());
        EXPECT_EQ(static_cast<std::uint32_t>(Character::kBodyStand), character->GetBodyAnimation()->currentId);
        EXPECT_EQ("CHARACTER_PRAISE_" + std::to_string(i % 4), character->GetTextKey());
        expected.push_back(Character::kFirstPraiseSound + i % Character::kPraiseSoundCount);
    }
    p.h.Flush();
    EXPECT_EQ(expected, p.h.TakeSounds());

    character->SetPraiseAllowed(false);
    character->RequestPraise(0);
    EXPECT_FALSE(character->IsPraiseRequested());
}

TEST_F(CharacterTest, InTheUpgradeNoticeAKeyEndsTheBubbleButTheScreenshotKeyDoesNot)
{
    character->SetState(Character::kStateUpgrade);
    p.Text("K_SIZE", L"1");
    p.Text("K_0", L"ab");
    character->Say("K", 30.0f);
    Frames(5);
    ASSERT_FALSE(character->IsSpeechHidden());

    p.PressKey(kKeyPrintScreen);
    Frame();
    EXPECT_FALSE(character->IsSpeechHidden());
    EXPECT_LT(character->GetBubbleTimer(), Character::kAtOnce);

    p.PressKey(kKeyA);
    Frame();
    EXPECT_TRUE(character->IsSpeechHidden());
    // The notice over, the character leaves.
    Frames(60);
    EXPECT_FALSE(character->IsWindowVisible());
}

} // namespace

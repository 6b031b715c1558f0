#include <gtest/gtest.h>

#include <string>

#include "content/TextTableWriter.h"
#include "engine/core/FileError.h"
#include "engine/gui/GUITextManager.h"
#include "engine/scene/SceneTestSupport.h"
#include "support/AllocationCounter.h"

namespace FontTest {
namespace {

using OrrelayEngine::GUITextManager;

class TextTableTest : public SceneTest::SceneFixture
{
protected:
    void SetUp() override
    {
        SceneFixture::SetUp();
        texts = std::make_unique<GUITextManager>(log, files.get());
    }

    void Load(const Content::TextTableWriter& table, const std::string& name = "ui\\texts\\en\\menu.ini")
    {
        SaveFixture("data\\" + name, table.Build());
        texts->Load(name);
    }

    std::unique_ptr<GUITextManager> texts;
};

TEST_F(TextTableTest, KeyLinesAndTheirTexts)
{
    Content::TextTableWriter table;
    table.AddLine(L"// a comment before any key");
    table.Add("main_menu_start", L"Start");
    table.AddLine(L"  [BLANKS_FIRST]  ");
    table.AddLine(L"");
    table.AddLine(L"");
    table.AddLine(L"After two empty lines");
    table.Add("", L"Empty key");
    table.AddLine(L"[");
    table.AddLine(L"Not a key");
    table.AddLine(L"[OUTER]");
    table.AddLine(L"[INNER]");
    table.AddLine(L"Ignored");
    table.Add("TWICE", L"First");
    table.Add("Twice", L"Second");
    table.Add("BLANK_TEXT", L"   ");
    table.Add("CYRILLIC", L"\x041F\x0440\x0438\x0432\x0435\x0442");
    table.AddLine(L"[DANGLING]");
    Load(table);

    struct Case
    {
        const char* key;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"MAIN_MENU_START", L"Start"},
        {"Main_Menu_Start", L"Start"},
        {"BLANKS_FIRST", L"After two empty lines"},
        {"", L"Empty key"},
        {"OUTER", L"[INNER]"},
        {"INNER", L"UNKNOWN"},
        {"TWICE", L"Second"},
        {"BLANK_TEXT", L"   "},
        {"CYRILLIC", L"\x041F\x0440\x0438\x0432\x0435\x0442"},
        {"DANGLING", L"UNKNOWN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(texts->GetText(c.key), c.text);
    }
    EXPECT_EQ(texts->GetTextCount(), 7u);
}

TEST_F(TextTableTest, NumberIsAppendedToTheKey)
{
    texts->SetText("character_praise_3", L"Great");
    texts->SetText("LEVEL_-2", L"Minus two");
    texts->SetText("LEVEL_", L"No number");
    EXPECT_EQ(texts->GetText("CHARACTER_PRAISE_", 3), L"Great");
    EXPECT_EQ(texts->GetText("level_", -2), L"Minus two");
    EXPECT_EQ(texts->GetText("level_", -1), L"No number");
    EXPECT_EQ(texts->GetText("level_", 0), L"UNKNOWN");

    // Asking again, as every frame does, allocates nothing.
    const std::string key = "CHARACTER_PRAISE_WITH_A_LONG_PREFIX_";
    const std::string praise = "CHARACTER_PRAISE_";
    texts->GetText(key, -2147483647 - 1);
    TestSupport::ScopedAllocationCount allocations;
    for (int i = 0; i < 3; ++i) {
        texts->GetText(key, 2147483647);
        EXPECT_EQ(texts->GetText(praise, 3), L"Great");
    }
    EXPECT_EQ(allocations.Count(), 0u);
}

TEST_F(TextTableTest, LaterFileOverridesAndAMissingFileFails)
{
    Content::TextTableWriter first;
    first.Add("TITLE", L"One");
    first.Add("ONLY_FIRST", L"Kept");
    Load(first, "ui\\texts\\en\\a.ini");
    Content::TextTableWriter second;
    second.Add("TITLE", L"Two");
    Load(second, "ui\\texts\\en\\b.ini");
    EXPECT_EQ(texts->GetText("TITLE"), L"Two");
    EXPECT_EQ(texts->GetText("ONLY_FIRST"), L"Kept");
    EXPECT_THROW(texts->Load("ui\\texts\\en\\missing.ini"), OrrelayEngine::FileError);
}

} // namespace
} // namespace FontTest

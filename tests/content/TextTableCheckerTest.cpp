#include <gtest/gtest.h>

#include "content/TextTableChecker.h"
#include "engine/core/Error.h"

using Content::TextTableChecker;

namespace {

std::string ErrorOf(const std::string& source)
{
    try {
        TextTableChecker::Check("t.ini", std::vector<std::uint8_t>(source.begin(), source.end()));
    } catch (const OrrelayEngine::Error& error) {
        return error.GetMessage();
    }
    return "(accepted)";
}

} // namespace

TEST(TextTableChecker, ReadsEntriesWithTheirTextAndLine)
{
    const std::string source =
        "\xEF\xBB\xBF[A]\r\nFirst text\r\n\r\n[B_SIZE]\n2\n[B_0]\n  \xC3\xA9t\xC3\xA9\n[B_1]\nTwo\n";
    const auto entries = TextTableChecker::Check("t.ini", std::vector<std::uint8_t>(source.begin(), source.end()));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].key, "A");
    EXPECT_EQ(entries[0].text, "First text");
    EXPECT_EQ(entries[2].text, "  \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(entries[3].line, 8u);
    EXPECT_EQ(TextTableChecker::Widen(entries[2].text), L"  \u00E9t\u00E9");
    EXPECT_EQ(TextTableChecker::Widen("\xD0\x96\xE2\x82\xAC\xF0\x9F\x98\x80"), L"\u0416\u20AC\U0001F600");
}

TEST(TextTableChecker, RefusesBadSourcesNamingTheLine)
{
    const struct
    {
        const char* source;
        const char* message;
    } cases[] = {
        {"[lower]\nx\n", "t.ini:1: the key \"lower\""},
        {"[A B]\nx\n", "t.ini:1: the key \"A B\""},
        {"[A]\nx\ny\n", "t.ini:3: a second text line for A"},
        {"stray\n", "t.ini:1: a line outside any entry"},
        {"[A]\n[B]\nx\n", "t.ini:2: a key line where the text of A"},
        {"[A]\nx\n[A]\ny\n", "t.ini:3: A is given twice (first at line 1)"},
        {"[A]\n\n", "t.ini:1: A has no text line"},
        {"[N_SIZE]\n0\n", "t.ini:2: N_SIZE must hold a line count from 1 to 120"},
        {"[N_SIZE]\n121\n", "t.ini:2: N_SIZE must hold"},
        {"[N_SIZE]\ntwo\n", "t.ini:2: N_SIZE must hold"},
        {"[N_SIZE]\n2\n[N_0]\na\n", "t.ini:1: N_SIZE says 2 lines but N_1 is missing"},
        {"[N_SIZE]\n1\n[N_0]\na\n[N_1]\nb\n", "t.ini:5: N_1 lies beyond the 1 lines of N_SIZE"},
        {"[A]\n\xC3(\n", "t.ini:2: not UTF-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(ErrorOf(c.source).rfind(c.message, 0), 0u) << ErrorOf(c.source);
    }
}

#include <gtest/gtest.h>

#include "engine/core/StringHelpers.h"
#include "support/ScopedLanguageLocale.h"

namespace OrrelayEngine {
namespace {

TEST(StringHelpers, NumbersFormatWithMinimumDigits)
{
    const std::pair<std::string, std::string> cases[] = {
        {UIntToString(5), "5"},
        {UIntToString(5, 3), "005"},
        {UIntToString(12345, 3), "12345"},
        {IntToString(-7, 3), "-007"},
        {IntToString(-2147483647 - 1), "-2147483648"},
        {UIntToHexString(255, 4), "00FF"},
        {UIntToHexString(0xDEADBEEFu), "DEADBEEF"},
        {FloatToString(2.5f, 2), "2.50"},
        {FloatToString(2.5f, 0), "2"}, // the C library rounds half to even
        {FloatToString(3.5f, 0), "4"},
        {BoolToString(true), "1"},
        {BoolToString(false), "0"},
        {UIntToString(1, 1000), std::string(62, '0') + "1"}, // bounded to 63 characters
    };
    for (const auto& [actual, expected] : cases) {
        EXPECT_EQ(actual, expected);
    }
    EXPECT_EQ(UIntToWideString(7, 3), L"007");
    EXPECT_EQ(IntToWideString(-12, 4), L"-0012");
    EXPECT_LE(FloatToString(1.0e30f, 60).size(), 63u);
}

TEST(StringHelpers, TextConvertsToNumbersWithin32Bits)
{
    EXPECT_FLOAT_EQ(StringToFloat("  -2.75abc"), -2.75f);
    EXPECT_FLOAT_EQ(StringToFloat("x1"), 0.0f);
    EXPECT_EQ(StringToUInt("ff", 16), 255u);
    EXPECT_EQ(StringToUInt("-1"), 4294967295u);
    EXPECT_EQ(StringToUInt("99999999999"), 4294967295u);
    EXPECT_EQ(StringToInt(" 42 apples"), 42);
    EXPECT_EQ(StringToInt("-10", 2), -2);
    EXPECT_EQ(StringToInt("99999999999"), 2147483647);
    EXPECT_EQ(StringToInt("-99999999999"), -2147483647 - 1);
    EXPECT_FLOAT_EQ(WideStringToFloat(L"0.5"), 0.5f);
    EXPECT_EQ(WideStringToInt(L"1A", 16), 26);

    const std::pair<const char*, bool> truths[] = {{"1", true}, {"0", false}, {"", false},   {"yes", false},
                                                   {"2", true}, {"-1", true}, {"00", false}, {"0.9", false}};
    for (const auto& [text, expected] : truths) {
        const std::string narrow(text);
        EXPECT_EQ(StringToBool(narrow), expected) << '"' << text << '"';
        EXPECT_EQ(WideStringToBool(std::wstring(narrow.begin(), narrow.end())), expected) << '"' << text << '"';
    }
}

TEST(StringHelpers, CaseChangesOnlyTheLocaleLetters)
{
    const TestSupport::ScopedLanguageLocale locale;
    EXPECT_EQ(ToLower("Data\\Levels\\Stage1.INI"), "data\\levels\\stage1.ini");
    EXPECT_EQ(ToUpper("main_menu 2!"), "MAIN_MENU 2!");
    EXPECT_EQ(ToLower("Été"), "Été") << "bytes of a multibyte character are left alone";
    EXPECT_EQ(ToLowerWide(L"ÉCOLE Привет 42"), L"école привет 42");
}

TEST(StringHelpers, TrimmingRemovesWhiteSpaceOnlyWhereAsked)
{
    const std::string padded = " \t\r\n\v\fword  word\r\n ";
    std::string left = padded;
    std::string right = padded;
    std::string both = padded;
    TrimLeft(left);
    TrimRight(right);
    Trim(both);
    EXPECT_EQ(left, "word  word\r\n ");
    EXPECT_EQ(right, " \t\r\n\v\fword  word");
    EXPECT_EQ(both, "word  word");
    EXPECT_EQ(TrimRightCopy(padded), right);

    const std::wstring widePadded = L"\t Слово \r\n";
    EXPECT_EQ(TrimLeftWideCopy(widePadded), L"Слово \r\n");
    EXPECT_EQ(TrimRightWideCopy(widePadded), L"\t Слово");
    EXPECT_EQ(TrimWide(widePadded), L"Слово");
    EXPECT_EQ(TrimWide(L" \t\r\n "), L"");

    std::string zeros = "000120";
    TrimLeftChar(zeros, '0');
    EXPECT_EQ(zeros, "120");
}

TEST(StringHelpers, ReplacingContinuesBehindTheInsertedText)
{
    struct Case
    {
        std::string text, what, with, expected;
    };
    const Case cases[] = {
        {"a\\\\\\b", "\\\\", "\\", "a\\\\b"}, // three backslashes leave two
        {"big_red_box", "_", " ", "big red box"},
        {"aaa", "a", "aa", "aaaaaa"}, // the inserted text is not searched again
        {"abcabc", "abc", "", ""},
        {"text", "", "x", "text"}, // an empty searched text replaces nothing
    };
    for (const Case& c : cases) {
        std::string narrow = c.text;
        ReplaceAll(narrow, c.what, c.with);
        EXPECT_EQ(narrow, c.expected) << c.text << " / " << c.what;
        const std::wstring wide = ReplaceAllWideCopy(StringToWide(c.text), StringToWide(c.what), StringToWide(c.with));
        EXPECT_EQ(wide, StringToWide(c.expected)) << c.text << " / " << c.what;
    }
    std::string text = "a--b--c";
    RemoveAll(text, "--");
    RemoveAll(text, "");
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(RemoveAllWide(L"a-b-c", L""), L"a-b-c");
}

TEST(StringHelpers, CaseInsensitiveReplacingKeepsPositionsAligned)
{
    const TestSupport::ScopedLanguageLocale locale;
    const std::wstring cases[][4] = {
        {L"Hello HELLO hello", L"hello", L"bye", L"bye bye bye"},
        {L"ПРИВЕТ мир", L"привет", L"Hi", L"Hi мир"},
        {L"Aa", L"a", L"AA", L"AAAA"},
        {L"PREfix pre", L"pre", L"", L"fix "},
        {L"x", L"", L"y", L"x"},
    };
    for (const auto& c : cases) {
        std::wstring text = c[0];
        ReplaceAllNoCaseWide(text, c[1], c[2]);
        EXPECT_EQ(text, c[3]);
    }
}

TEST(StringHelpers, NarrowAndWideRoundTripAndSkipWhatDoesNotConvert)
{
    const TestSupport::ScopedLanguageLocale locale;
    const std::string utf8 = "Café Привет 日本 €";
    EXPECT_EQ(StringToWide(utf8), L"Café Привет 日本 €");
    EXPECT_EQ(WideToStringCopy(StringToWide(utf8)), utf8);

    std::wstring out = L"stale";
    StringToWideInPlace("é", out);
    EXPECT_EQ(out, L"é") << "the out-parameter is emptied first";

    EXPECT_EQ(StringToWide("a\x80"
                           "b\xD0"),
              L"ab")
        << "a stray or cut-off byte is skipped";
    EXPECT_EQ(StringToWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(WideToStringCopy(std::wstring(L"a") + static_cast<wchar_t>(0xD800) + L"b"), "ab");
    EXPECT_EQ(WideToStringCopy(std::wstring(L"ab\0cd", 5)), "ab");
}

TEST(StringHelpers, ProgramFolderHasNoTrailingSeparator)
{
    const std::string folder = GetProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_NE(folder.back(), '\\');
}

} // namespace
} // namespace OrrelayEngine

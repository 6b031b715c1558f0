#include "engine/core/StringHelpers.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

#include "platform/FileSystem.h"

namespace OrrelayEngine {

namespace {

// Formatted numbers never grow beyond this many characters; a digit count or a
// number of decimals above it would only add padding that is cut off anyway.
constexpr std::uint32_t kMaxFormattedChars = 63;

int ClampedPrecision(std::uint32_t digits)
{
    return static_cast<int>(digits < kMaxFormattedChars ? digits : kMaxFormattedChars);
}

std::string FormatInteger(const char* plainFormat, const char* paddedFormat, std::uint32_t digits, long long value)
{
    // A negative number's sign comes on top of its digits.
    char buffer[kMaxFormattedChars + 2];
    if (digits == 0) {
        std::snprintf(buffer, sizeof(buffer), plainFormat, value);
    } else {
        std::snprintf(buffer, sizeof(buffer), paddedFormat, ClampedPrecision(digits), value);
    }
    return buffer;
}

// Numbers are ASCII, so widening them byte by byte is exact.
std::wstring WidenAscii(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// The values are 32-bit whatever the width of long, and a number beyond the
// range saturates instead of wrapping into an unrelated value.
std::int32_t ClampToInt32(long long value)
{
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(value);
}

bool IsSpace(char character)
{
    return std::isspace(static_cast<unsigned char>(character)) != 0;
}

bool IsWideSpace(wchar_t character)
{
    return std::iswspace(static_cast<wint_t>(character)) != 0;
}

template <typename Text>
void ReplaceAllIn(Text& text, const Text& what, const Text& with)
{
    if (what.empty()) {
        return;
    }
    typename Text::size_type position = text.find(what);
    while (position != Text::npos) {
        text.replace(position, what.size(), with);
        position = text.find(what, position + with.size());
    }
}

} // namespace

float StringToFloat(const std::string& text)
{
    return static_cast<float>(std::strtod(text.c_str(), nullptr));
}

std::uint32_t StringToUInt(const std::string& text, int base)
{
    // A 32-bit strtoul: a negative number is negated in 32 bits, and a magnitude
    // beyond 32 bits saturates at the largest value.
    const char* start = text.c_str();
    while (IsSpace(*start)) {
        ++start;
    }
    const bool negative = *start == '-';
    const unsigned long long parsed = std::strtoull(start, nullptr, base);
    const unsigned long long magnitude = negative ? (0ULL - parsed) : parsed;
    if (magnitude > UINT32_MAX) {
        return UINT32_MAX;
    }
    const std::uint32_t value = static_cast<std::uint32_t>(magnitude);
    return negative ? static_cast<std::uint32_t>(0U - value) : value;
}

std::int32_t StringToInt(const std::string& text, int base)
{
    return ClampToInt32(std::strtoll(text.c_str(), nullptr, base));
}

bool StringToBool(const std::string& text)
{
    return StringToInt(text, 10) != 0;
}

float WideStringToFloat(const std::wstring& text)
{
    return static_cast<float>(std::wcstod(text.c_str(), nullptr));
}

std::int32_t WideStringToInt(const std::wstring& text, int base)
{
    return ClampToInt32(std::wcstoll(text.c_str(), nullptr, base));
}

bool WideStringToBool(const std::wstring& text)
{
    return WideStringToInt(text, 10) != 0;
}

std::string UIntToString(std::uint32_t value, std::uint32_t digits)
{
    return FormatInteger("%llu", "%.*llu", digits, static_cast<long long>(value));
}

std::string IntToString(std::int32_t value, std::uint32_t digits)
{
    return FormatInteger("%lli", "%.*lli", digits, static_cast<long long>(value));
}

std::string UIntToHexString(std::uint32_t value, std::uint32_t digits)
{
    return FormatInteger("%llX", "%.*llX", digits, static_cast<long long>(value));
}

std::string FloatToString(float value, std::uint32_t decimals)
{
    char buffer[kMaxFormattedChars + 1];
    std::snprintf(buffer, sizeof(buffer), "%.*f", ClampedPrecision(decimals), static_cast<double>(value));
    return buffer;
}

std::wstring UIntToWideString(std::uint32_t value, std::uint32_t digits)
{
    return WidenAscii(UIntToString(value, digits));
}

std::wstring IntToWideString(std::int32_t value, std::uint32_t digits)
{
    return WidenAscii(IntToString(value, digits));
}

std::string BoolToString(bool value)
{
    return value ? "1" : "0";
}

void ToLowerInPlace(std::string& text)
{
    for (char& character : text) {
        character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    }
}

void ToUpperInPlace(std::string& text)
{
    for (char& character : text) {
        character = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    }
}

std::string ToLower(const std::string& text)
{
    std::string result(text);
    ToLowerInPlace(result);
    return result;
}

std::string ToUpper(const std::string& text)
{
    std::string result(text);
    ToUpperInPlace(result);
    return result;
}

void ToLowerWideInPlace(std::wstring& text)
{
    for (wchar_t& character : text) {
        character = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(character)));
    }
}

std::wstring ToLowerWide(const std::wstring& text)
{
    std::wstring result(text);
    ToLowerWideInPlace(result);
    return result;
}

void TrimLeft(std::string& text)
{
    std::string::size_type first = 0;
    while (first < text.size() && IsSpace(text[first])) {
        ++first;
    }
    text.erase(0, first);
}

void TrimRight(std::string& text)
{
    std::string::size_type end = text.size();
    while (end > 0 && IsSpace(text[end - 1])) {
        --end;
    }
    text.erase(end);
}

void Trim(std::string& text)
{
    TrimLeft(text);
    TrimRight(text);
}

std::string TrimRightCopy(const std::string& text)
{
    std::string result(text);
    TrimRight(result);
    return result;
}

void TrimLeftWide(std::wstring& text)
{
    std::wstring::size_type first = 0;
    while (first < text.size() && IsWideSpace(text[first])) {
        ++first;
    }
    text.erase(0, first);
}

void TrimRightWide(std::wstring& text)
{
    std::wstring::size_type end = text.size();
    while (end > 0 && IsWideSpace(text[end - 1])) {
        --end;
    }
    text.erase(end);
}

std::wstring TrimLeftWideCopy(const std::wstring& text)
{
    std::wstring result(text);
    TrimLeftWide(result);
    return result;
}

std::wstring TrimRightWideCopy(const std::wstring& text)
{
    std::wstring result(text);
    TrimRightWide(result);
    return result;
}

std::wstring TrimWide(const std::wstring& text)
{
    std::wstring result(text);
    TrimRightWide(result);
    TrimLeftWide(result);
    return result;
}

void TrimLeftChar(std::string& text, char character)
{
    text.erase(0, text.find_first_not_of(character));
}

void ReplaceAll(std::string& text, const std::string& what, const std::string& with)
{
    ReplaceAllIn(text, what, with);
}

void ReplaceAllWide(std::wstring& text, const std::wstring& what, const std::wstring& with)
{
    ReplaceAllIn(text, what, with);
}

std::wstring ReplaceAllWideCopy(const std::wstring& text, const std::wstring& what, const std::wstring& with)
{
    std::wstring result(text);
    ReplaceAllIn(result, what, with);
    return result;
}

void ReplaceAllNoCaseWide(std::wstring& text, const std::wstring& what, const std::wstring& with)
{
    if (what.empty()) {
        return;
    }
    // Lowering a wide character never changes the length, so a position found
    // in the lowered copy is the same position in the text, as long as every
    // replacement is made in both.
    std::wstring lowered = ToLowerWide(text);
    const std::wstring loweredWhat = ToLowerWide(what);
    std::wstring::size_type position = lowered.find(loweredWhat);
    while (position != std::wstring::npos) {
        text.replace(position, what.size(), with);
        lowered.replace(position, what.size(), with);
        position = lowered.find(loweredWhat, position + with.size());
    }
}

void RemoveAll(std::string& text, const std::string& what)
{
    ReplaceAllIn(text, what, std::string());
}

std::wstring RemoveAllWide(const std::wstring& text, const std::wstring& what)
{
    std::wstring result(text);
    ReplaceAllIn(result, what, std::wstring());
    return result;
}

void StringToWideInPlace(const std::string& text, std::wstring& out)
{
    out.clear();
    // The restartable conversion keeps its state here, not in the C library, so
    // the loading thread and the main thread can convert at the same time.
    std::mbstate_t state{};
    const char* position = text.c_str();
    const char* const end = position + text.size();
    while (position < end) {
        wchar_t character = 0;
        const std::size_t length = std::mbrtowc(&character, position, static_cast<std::size_t>(end - position), &state);
        if (length == 0) {
            break;
        }
        if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2)) {
            state = std::mbstate_t{};
            ++position;
            continue;
        }
        out.push_back(character);
        position += length;
    }
}

std::wstring StringToWide(const std::string& text)
{
    std::wstring result;
    StringToWideInPlace(text, result);
    return result;
}

void WideToString(const std::wstring& text, std::string& out)
{
    out.clear();
    std::mbstate_t state{};
    char bytes[MB_LEN_MAX];
    for (const wchar_t character : text) {
        if (character == L'\0') {
            break;
        }
        const std::size_t length = std::wcrtomb(bytes, character, &state);
        if (length == static_cast<std::size_t>(-1)) {
            state = std::mbstate_t{};
            continue;
        }
        out.append(bytes, length);
    }
}

std::string WideToStringCopy(const std::wstring& text)
{
    std::string result;
    WideToString(text, result);
    return result;
}

std::string GetProgramFolder()
{
    return Platform::GetExecutableFolder();
}

} // namespace OrrelayEngine

#include "tools/XMLValue.h"

#include <cwctype>

#include "engine/core/StringHelpers.h"

namespace GameTools {

using namespace OrrelayEngine;

XMLValue::XMLValue() = default;

XMLValue::~XMLValue() = default;

void XMLValue::SetWide(const std::wstring& text)
{
    wide_ = text;
    tag_ = kWideCurrent;
}

const std::string& XMLValue::GetString()
{
    if (tag_ == kWideCurrent) {
        WideToString(wide_, narrow_);
        tag_ = kNarrowCurrent;
    }
    return narrow_;
}

float XMLValue::GetFloat() const
{
    return tag_ == kWideCurrent ? WideStringToFloat(wide_) : StringToFloat(narrow_);
}

std::int32_t XMLValue::GetInt() const
{
    return tag_ == kWideCurrent ? WideStringToInt(wide_, 10) : StringToInt(narrow_, 10);
}

bool XMLValue::GetBool() const
{
    return tag_ == kWideCurrent ? WideStringToBool(wide_) : StringToBool(narrow_);
}

void XMLValue::GetIntArray(std::int32_t* out, std::uint32_t count) const
{
    if (out == nullptr || count == 0) {
        return;
    }
    std::wstring text = wide_;
    if (tag_ != kWideCurrent) {
        StringToWideInPlace(narrow_, text);
    }
    std::uint32_t stored = 0;
    std::wstring number;
    for (std::size_t i = 0; i <= text.size() && stored < count; ++i) {
        const wchar_t c = i < text.size() ? text[i] : L'\0';
        const bool partOfNumber =
            i < text.size() && (std::iswdigit(static_cast<wint_t>(c)) || c == L'+' || c == L'-' || c == L'.');
        if (partOfNumber) {
            number += c;
        } else if (!number.empty()) {
            out[stored++] = WideStringToInt(number, 10);
            number.clear();
        }
    }
}

std::pair<std::uint32_t, std::uint32_t> XMLValue::GetIntPair() const
{
    std::int32_t values[2] = {0, 0};
    GetIntArray(values, 2);
    return {static_cast<std::uint32_t>(values[0]), static_cast<std::uint32_t>(values[1])};
}

} // namespace GameTools

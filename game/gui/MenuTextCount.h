// The line counts that the text tables give as texts ("RELAX_TEXT_SIZE",
// "INTRODUCTION_TEXT_SIZE"): a decimal number, read with a ceiling, since the
// table is text a translator edits and every counted line is printed each
// frame.
#pragma once

#include <cstdint>
#include <string>

namespace Tansywell {

class MenuTextCount
{
public:
    static constexpr std::uint32_t kMaxLines = 120;

    // Text that is not a number, and a negative number, count as 0.
    static std::uint32_t Read(const std::wstring& text);
};

} // namespace Tansywell

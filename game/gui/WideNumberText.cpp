#include "game/gui/WideNumberText.h"

namespace Tansywell {

void AppendUnsignedWide(std::wstring& text, std::uint32_t value)
{
    wchar_t digits[10];
    std::uint32_t count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        text.push_back(digits[--count]);
}

} // namespace Tansywell

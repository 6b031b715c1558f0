// Decimal digits appended to a wide text the screens rebuild every frame:
// unlike the string helpers, nothing is allocated once the text has room.
#pragma once

#include <cstdint>
#include <string>

namespace Tansywell {

void AppendUnsignedWide(std::wstring& text, std::uint32_t value);

} // namespace Tansywell

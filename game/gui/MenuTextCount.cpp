#include "game/gui/MenuTextCount.h"

#include <algorithm>

#include "engine/core/StringHelpers.h"

namespace Tansywell {

std::uint32_t MenuTextCount::Read(const std::wstring& text)
{
    const std::int32_t count = OrrelayEngine::StringToInt(OrrelayEngine::WideToStringCopy(text));
    return count <= 0 ? 0 : std::min(static_cast<std::uint32_t>(count), kMaxLines);
}

} // namespace Tansywell

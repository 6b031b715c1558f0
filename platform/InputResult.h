// Result codes of the input devices. The two success codes are non-negative;
// every failure has the top bit set.
#pragma once

#include <cstdint>

namespace Platform {

enum class InputResult : std::uint32_t
{
    Ok = 0,
    BufferOverflow = 1,
    NotBuffered = 0x80040207,
    NotAcquired = 0x8007000C,
    InputLost = 0x8007001E,
    InvalidParameter = 0x80070057,
    Generic = 0x80004005
};

inline bool InputSucceeded(InputResult result)
{
    return (static_cast<std::uint32_t>(result) & 0x80000000u) == 0;
}

} // namespace Platform

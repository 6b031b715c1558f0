// The file layer's tests name the shared scratch folder as they always have.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace FileTests {

using TempFolder = TestSupport::ScratchFolder;

inline std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

} // namespace FileTests

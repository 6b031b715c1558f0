// English descriptions of the result codes the render system's device calls
// answer (the DirectDraw codes and the general ones they share), for the
// error lines of the log. The table is ordered by code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace OrrelayEngine {

struct DirectXResultText
{
    std::uint32_t code;
    const char* text;
};

const DirectXResultText* GetDirectXResultTable();
std::size_t GetDirectXResultCount();

// The table's text for the code, or "Unknown error (Code: " + the code as a
// signed decimal + ")".
std::string DescribeDirectXResult(std::int32_t result);

} // namespace OrrelayEngine

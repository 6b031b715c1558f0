// Reads arbitrary bytes as a board file behind its 13-byte header.
#include <cstddef>
#include <cstdint>

#include "engine/core/Error.h"
#include "engine/file/FileBinary.h"
#include "game/GameLogicData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kHeaderBytes = 13;
    if (size < kHeaderBytes || size > UINT32_MAX)
        return 0;
    OrrelayEngine::FileBinary file(nullptr, "data\\boards\\fuzz.blf", false, true, true,
                                   static_cast<std::uint32_t>(size), data);
    file.Seek(OrrelayEngine::FileBinary::kSeekFromStart, static_cast<std::int32_t>(kHeaderBytes));
    Tansywell::GameLogicData::Board board;
    try {
        Tansywell::GameLogicData::ReadBoard(file, file.GetName(), board);
    } catch (const OrrelayEngine::Error&) {
        return 0;
    }
    // A board that passed holds only cells inside its grid.
    for (const Tansywell::CellRecord& cell : board.cells) {
        if (cell.x >= board.width || cell.y >= board.height || cell.layerCount > 2)
            __builtin_trap();
    }
    return 0;
}

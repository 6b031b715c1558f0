// Reads arbitrary bytes as the stage map file.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "engine/core/Error.h"
#include "game/gui/StageMapFile.h"
#include "tests/fuzz/FuzzUserFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzTargets::FuzzUserFolder& folder = FuzzTargets::FuzzUserFolder::Get();
    folder.Reset();
    folder.Place("map.gmf", data, size);
    std::vector<Tansywell::StageMapFile::Element> map;
    try {
        map = Tansywell::StageMapFile::Read(&folder.Files(), folder.UserFolder() + "\\map.gmf");
    } catch (const OrrelayEngine::Error&) {
        return 0;
    }
    // A map that passed accounts for every byte and holds only known kinds and finite placements.
    if (17 + map.size() * Tansywell::StageMapFile::kRecordBytes != size)
        __builtin_trap();
    for (const Tansywell::StageMapFile::Element& element : map) {
        if (element.kind < Tansywell::StageMapFile::kStart || element.kind > Tansywell::StageMapFile::kPath)
            __builtin_trap();
        for (float value : element.matrix.m) {
            if (!std::isfinite(value))
                __builtin_trap();
        }
    }
    return 0;
}

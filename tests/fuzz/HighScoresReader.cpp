// Reads arbitrary bytes as the high-score table, then inserts a score.
#include <cstddef>
#include <cstdint>

#include "framework/HighScoresTable.h"
#include "tests/fuzz/FuzzUserFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzTargets::FuzzUserFolder& folder = FuzzTargets::FuzzUserFolder::Get();
    folder.Reset();
    folder.Place("high_scores.hsf", data, size);
    GameFramework::HighScoresTable table(&folder.Log(), &folder.Files(), 10, folder.UserFolder());
    table.Insert(L"Ann", 0, 500);
    return 0;
}

// The board's items and their shadows: one butterfly model whose wings beat
// through the frame ranges the items play (flight 0-10, glide 10-15, landing
// 15-25, rest 25-60, take-off 60-70, glide 70-75), facing +y and sized to a
// cell; five kinds with their own colour, wing outline and markings; the
// shadow, the same wings pressed flat onto the ground, with one soft outline
// per kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class DataSetBuilder;

class ItemArt
{
public:
    static constexpr std::uint32_t kKindCount = 5;
    static constexpr std::uint32_t kFrameCount = 76;

    static std::vector<std::string> GetButterflyPaths();
    static std::vector<std::string> GetShadowPaths();
    static std::vector<std::vector<std::uint8_t>> MakeButterfly();
    static std::vector<std::vector<std::uint8_t>> MakeShadow();
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content

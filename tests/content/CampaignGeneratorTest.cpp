#include "content/CampaignGenerator.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "content/MapFileWriter.h"

namespace {

using Content::CampaignGenerator;
using Content::MapFileWriter;

// The map's places stand for the campaign's levels one for one: a map out of
// step would show places that lead to no level, or hide levels.
TEST(CampaignGenerator, TheStageMapHasOnePlacePerLevelOfEveryStage)
{
    std::vector<std::uint32_t> levelCounts;
    for (const CampaignGenerator::Stage& stage : CampaignGenerator::MakeCampaign()) {
        levelCounts.push_back(static_cast<std::uint32_t>(stage.levels.size()));
    }
    ASSERT_EQ(levelCounts.size(), CampaignGenerator::kStageCount);
    const std::vector<std::uint8_t> expected =
        MapFileWriter().Build(MapFileWriter::MakeCampaign(levelCounts)).GetBytes();

    std::size_t found = 0;
    for (const auto& file : CampaignGenerator::MakeFiles()) {
        if (file.first == "data\\ui\\menus\\map\\map.gmf") {
            ++found;
            EXPECT_EQ(file.second, expected);
        }
    }
    EXPECT_EQ(found, 1u);
    ASSERT_GE(expected.size(), MapFileWriter::kCountOffset + 4);
    const std::uint32_t count = expected[MapFileWriter::kCountOffset] | expected[MapFileWriter::kCountOffset + 1] << 8 |
                                expected[MapFileWriter::kCountOffset + 2] << 16 |
                                static_cast<std::uint32_t>(expected[MapFileWriter::kCountOffset + 3]) << 24;
    EXPECT_EQ(count, CampaignGenerator::kStageCount * CampaignGenerator::kLevelsPerStage);
}

} // namespace

// The stage map shipped in the built data/pack0.pak, read as the screen reads
// it, against the shipped stage files: one place per level of every stage, so
// that every place leads to a level and every level has its place.
#include <gtest/gtest.h>

#include <vector>

#include "engine/core/NullEngine.h"
#include "game/LevelManager.h"
#include "game/gui/StageMapFile.h"

TEST(ShippedStageMap, EachStageHasOnePlacePerLevelOfItsStageFile)
{
    EngineTests::NullEngine nullEngine;
    nullEngine.settings.installFolder = QUILLORY_BUILD_DIR;
    OrrelayEngine::Engine& engine = nullEngine.Start();
    Tansywell::LevelManager campaign(&engine);
    const std::vector<Tansywell::StageMapFile::Element> map = Tansywell::StageMapFile::Read(engine.GetFileManager());
    ASSERT_GT(campaign.GetStageCount(), 0u);
    ASSERT_FALSE(map.empty());
    EXPECT_EQ(map.front().kind, Tansywell::StageMapFile::kStart);
    EXPECT_EQ(map.back().kind, Tansywell::StageMapFile::kFinish);

    std::vector<std::uint32_t> places(campaign.GetStageCount(), 0);
    for (const Tansywell::StageMapFile::Element& element : map) {
        ASSERT_LT(element.stage, places.size()) << "a place past the last stage";
        EXPECT_EQ(element.level, places[element.stage]) << "stage " << element.stage;
        ++places[element.stage];
    }
    for (std::uint32_t stage = 0; stage < campaign.GetStageCount(); ++stage) {
        EXPECT_EQ(places[stage], campaign.GetLevelCount(stage)) << "stage " << stage;
    }
}

#include <gtest/gtest.h>

#include "engine/core/FatalError.h"
#include "engine/file/FileTextual.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/StageRecord.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

using FrameworkTests::FrameworkEnvironment;
using GameFramework::LevelPosition;

struct NamedLevel : GameFramework::LevelRecord
{
    std::string board;
};

// Reads one word per level, as the game's level lines do, from "stage<i>.ini".
class WordLevels : public GameFramework::LevelManagerBase
{
public:
    using LevelManagerBase::LevelManagerBase;
    bool useBaseFileNames = false;

    std::string GetStageFileName(std::uint32_t stageIndex) override
    {
        if (useBaseFileNames)
            return LevelManagerBase::GetStageFileName(stageIndex);
        return "stage" + std::to_string(stageIndex) + ".ini";
    }

protected:
    std::unique_ptr<GameFramework::StageRecord> CreateStage() override
    {
        return std::make_unique<GameFramework::StageRecord>();
    }
    std::unique_ptr<GameFramework::LevelRecord> CreateLevel() override { return std::make_unique<NamedLevel>(); }
    void ReadLevel(GameFramework::LevelRecord& level, OrrelayEngine::FileTextual& file) override
    {
        file.ReadWord(static_cast<NamedLevel&>(level).board);
    }
};

// Keeps the base readers: a stage file holds its level count and nothing more.
class BaseFormatLevels : public GameFramework::LevelManagerBase
{
public:
    using LevelManagerBase::LevelManagerBase;

protected:
    std::unique_ptr<GameFramework::StageRecord> CreateStage() override
    {
        return std::make_unique<GameFramework::StageRecord>();
    }
    std::unique_ptr<GameFramework::LevelRecord> CreateLevel() override
    {
        return std::make_unique<GameFramework::LevelRecord>();
    }
};

class LevelManagerBaseTest : public testing::Test
{
protected:
    void WriteCampaign(const std::vector<std::string>& stageFiles)
    {
        env.Write("data/levels/stages_info.ini", "// stages\n" + std::to_string(stageFiles.size()) + "\n");
        for (std::size_t i = 0; i < stageFiles.size(); ++i)
            env.Write("data/levels/stage" + std::to_string(i) + ".ini", stageFiles[i]);
    }

    FrameworkEnvironment env;
    WordLevels levels{&env.Log(), &env.Files()};
};

TEST_F(LevelManagerBaseTest, ReadsStagesAndLevelsInOrderAndCountsThemInTheLog)
{
    WriteCampaign({"3\nmeadow\nriver // the second\nhill\n", "2 cave lake\n"});
    levels.Load();

    ASSERT_EQ(levels.GetStageCount(), 2u);
    EXPECT_EQ(levels.GetLevelCount(0), 3u);
    EXPECT_EQ(levels.GetStage(1)->stageIndex, 1u);
    EXPECT_EQ(levels.GetStage(1)->levelCount, 2u);
    const auto* level = static_cast<NamedLevel*>(levels.GetLevel(0, 1));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->stageIndex, 0u);
    EXPECT_EQ(level->levelIndex, 1u);
    EXPECT_EQ(level->board, "river");
    EXPECT_EQ(static_cast<NamedLevel*>(levels.GetLevel(1, 1))->board, "lake");
    EXPECT_EQ(levels.GetLevel(1, 2), nullptr);
    EXPECT_EQ(levels.GetStage(2), nullptr);
    EXPECT_TRUE(env.LogContains(OrrelayEngine::MessageManager::kInformation,
                                "\nLevel Manager: Found 2 stages with 5 levels..."));
}

TEST_F(LevelManagerBaseTest, NextLevelAndLastLevelWalkTheCampaign)
{
    WriteCampaign({"3 a b c", "2 d e"});
    levels.Load();

    struct Case
    {
        LevelPosition from;
        LevelPosition next;
        bool last;
    };
    const Case cases[] = {
        {{0, 0}, {0, 1}, false},
        {{0, 2}, {1, 0}, false},
        {{1, 0}, {1, 1}, false},
        {{1, 1}, {1, 1}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(levels.GetNextLevel(c.from), c.next) << c.from.stage << "," << c.from.level;
        EXPECT_EQ(levels.IsLastLevel(c.from), c.last) << c.from.stage << "," << c.from.level;
    }
}

TEST_F(LevelManagerBaseTest, PositionsOutsideTheCampaignAreClampedIntoIt)
{
    WriteCampaign({"3 a b c", "2 d e"});
    levels.Load();

    struct Case
    {
        LevelPosition in;
        LevelPosition out;
    };
    const Case cases[] = {
        {{0, 1}, {0, 1}},
        {{0, 7}, {0, 2}},
        {{5, 0}, {1, 1}},
        {{0xFFFFFFFFu, 0xFFFFFFFFu}, {1, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(levels.ClampPosition(c.in), c.out) << c.in.stage << "," << c.in.level;
}

TEST_F(LevelManagerBaseTest, EmptyCampaignIsLoggedWithNoStagesAndNoLevels)
{
    WriteCampaign({});
    levels.Load();
    EXPECT_EQ(levels.GetStageCount(), 0u);
    EXPECT_EQ(levels.ClampPosition({3, 3}), (LevelPosition{0, 0}));
    EXPECT_TRUE(
        env.LogContains(OrrelayEngine::MessageManager::kInformation, "Level Manager: Found 0 stages with 0 levels..."));
}

TEST_F(LevelManagerBaseTest, BaseStageFileNamesLieInAFolderPerStage)
{
    levels.useBaseFileNames = true;
    env.Write("data/levels/stages_info.ini", "1");
    env.Write("data/levels/stage0/levels_info.ini", "1 only");
    levels.Load();
    EXPECT_EQ(levels.GetTotalLevelCount(), 1u);
}

TEST_F(LevelManagerBaseTest, BaseFormatStageFileHoldsOnlyItsCount)
{
    env.Write("data/levels/stages_info.ini", "1");
    env.Write("data/levels/stage0/levels_info.ini", "3");
    BaseFormatLevels campaign(&env.Log(), &env.Files());
    campaign.Load();
    EXPECT_EQ(campaign.GetLevelCount(0), 3u);
    ASSERT_NE(campaign.GetLevel(0, 2), nullptr);
    EXPECT_EQ(campaign.GetLevel(0, 2)->levelIndex, 2u);
}

TEST_F(LevelManagerBaseTest, CampaignsTheGameCannotRunOnAreFatal)
{
    struct Case
    {
        const char* what;
        std::string stagesInfo;
        std::vector<std::string> stageFiles;
    };
    const Case cases[] = {
        {"stage without levels", "2", {"1 a", "0"}},
        {"missing stage file", "2", {"1 a"}},
        {"negative stage count", "-1", {}},
        {"stage count beyond reason", "100000000", {}},
        {"level count beyond reason", "1", {"900000000 a"}},
        {"negative level count", "1", {"-4 a"}},
    };
    for (const Case& c : cases) {
        FrameworkEnvironment fresh;
        fresh.Write("data/levels/stages_info.ini", c.stagesInfo);
        for (std::size_t i = 0; i < c.stageFiles.size(); ++i)
            fresh.Write("data/levels/stage" + std::to_string(i) + ".ini", c.stageFiles[i]);
        WordLevels campaign(&fresh.Log(), &fresh.Files());
        EXPECT_THROW(campaign.Load(), OrrelayEngine::FatalError) << c.what;
        EXPECT_TRUE(fresh.LogContains(OrrelayEngine::MessageManager::kFatal, "")) << c.what;
    }

    FrameworkEnvironment missing;
    WordLevels none(&missing.Log(), &missing.Files());
    EXPECT_THROW(none.Load(), OrrelayEngine::FatalError);
}

} // namespace

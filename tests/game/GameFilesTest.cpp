#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "content/BoardFileWriter.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "framework/LanguageInfo.h"
#include "framework/StageRecord.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/LevelManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "tests/engine/core/NullEngine.h"

namespace {

using Content::BoardFileWriter;
using Tansywell::CellRecord;
using Tansywell::GameLogicData;

CellRecord At(std::uint32_t x, std::uint32_t y, std::uint32_t layers = 1)
{
    CellRecord record;
    record.x = x;
    record.y = y;
    record.layerCount = layers;
    return record;
}

std::string Bytes(const Content::ByteBuffer& buffer)
{
    return std::string(buffer.GetBytes().begin(), buffer.GetBytes().end());
}

// Loads one level's data over an installation holding the given files.
class LevelDataTest : public ::testing::Test
{
protected:
    LevelDataTest() : engine_(harness_.Start())
    {
        level_.boardName = "meadow";
        level_.environmentName = "garden";
    }

    void WriteFile(const std::string& relative, const std::string& contents)
    {
        const std::string path = harness_.Native(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << contents;
    }

    // The fatal error's text, or empty when the load succeeded.
    std::string Load(GameLogicData& data)
    {
        data.Load();
        try {
            data.WaitForLoad();
        } catch (const OrrelayEngine::FatalError& error) {
            return error.GetMessage();
        }
        return "";
    }

    EngineTests::NullEngine harness_;
    OrrelayEngine::Engine& engine_;
    GameFramework::LanguageInfo language_;
    GameFramework::StageRecord stage_;
    Tansywell::GameLevelRecord level_;
};

TEST_F(LevelDataTest, ReadsTheBoardInFileOrderAndTheEnvironmentFlags)
{
    CellRecord closed = At(1, 1, 2);
    closed.closed = 1;
    closed.firstTranslation = OrrelayEngine::Vector3(30.0f, 17.5f, 0.0f);
    WriteFile("data/boards/meadow.blf", Bytes(BoardFileWriter().Build(2, 3, {At(0, 2), closed, At(0, 0, 0)})));
    WriteFile("data/environments/garden/environment.ini", "3\nrock 2 0 -1\ntree 0 1 0\n// moss\nbush 1 1 1\n");
    GameLogicData data(&engine_, language_, &stage_, &level_);
    ASSERT_EQ("", Load(data));
    EXPECT_EQ(2u, data.GetWidth());
    EXPECT_EQ(3u, data.GetHeight());
    ASSERT_EQ(3u, data.GetCellRecords().size());
    EXPECT_EQ(2u, data.GetCellRecords()[0].y);
    EXPECT_EQ(2u, data.GetCellRecords()[1].layerCount);
    EXPECT_EQ(1, data.GetCellRecords()[1].closed);
    EXPECT_EQ(17.5f, data.GetCellRecords()[1].firstTranslation.y);
    EXPECT_EQ(3u, data.GetEnvironmentModels().size());
    EXPECT_EQ((std::vector<std::uint8_t>{1, 0, 0, 0, 1, 0, 1, 1, 1}), data.GetEnvironmentFlags())
        << "\"2\" is true, \"0\" and \"-1\" are false";
}

TEST_F(LevelDataTest, BadBoardsAndEnvironmentListsAreFatal)
{
    Content::ByteBuffer old = BoardFileWriter().Build(1, 1, {At(0, 0)});
    old.PatchU32(BoardFileWriter::kVersionOffset, 102);
    WriteFile("data/boards/meadow.blf", Bytes(old));
    WriteFile("data/environments/garden/environment.ini", "0\n");
    {
        GameLogicData data(&engine_, language_, &stage_, &level_);
        EXPECT_EQ("Incorrect \"data\\boards\\meadow.blf\" format version (102), current is 103", Load(data));
    }

    WriteFile("data/boards/meadow.blf", Bytes(BoardFileWriter().Build(1, 1, {At(0, 0)})));
    for (const char* list : {"-1\n", "4\nrock 1 1 1\n"}) {
        SCOPED_TRACE(list);
        WriteFile("data/environments/garden/environment.ini", list);
        GameLogicData data(&engine_, language_, &stage_, &level_);
        EXPECT_EQ("Incorrect \"data\\environments\\garden\\environment.ini\" file format", Load(data));
    }
}

TEST(BoardReader, RefusesWhatNoBoardCanBe)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    CellRecord notANumber = At(0, 0);
    notANumber.rotation.w = nan;
    CellRecord endless = At(0, 0);
    endless.furtherVector.z = infinity;
    Content::ByteBuffer countPastEnd = BoardFileWriter().Build(256, 256, {At(0, 0)});
    countPastEnd.PatchU32(BoardFileWriter::kCountOffset, 0x01000000);
    Content::ByteBuffer countShort = BoardFileWriter().Build(4, 4, {At(0, 0), At(1, 1)});
    countShort.PatchU32(BoardFileWriter::kCountOffset, 1);

    struct Case
    {
        const char* what;
        Content::ByteBuffer file;
    };
    const Case cases[] = {
        {"count past the end", countPastEnd},
        {"bytes after the records", countShort},
        {"no cell", BoardFileWriter().Build(4, 4, {})},
        {"width 0", BoardFileWriter().Build(0, 4, {At(0, 0)})},
        {"height 257", BoardFileWriter().Build(4, 257, {At(0, 0)})},
        {"more cells than places", BoardFileWriter().Build(1, 2, {At(0, 0), At(0, 1), At(0, 0)})},
        {"x at the width", BoardFileWriter().Build(4, 4, {At(4, 0)})},
        {"y at the height", BoardFileWriter().Build(4, 4, {At(0, 4)})},
        {"three layers", BoardFileWriter().Build(4, 4, {At(1, 1, 3)})},
        {"not a number", BoardFileWriter().Build(4, 4, {notANumber})},
        {"infinite", BoardFileWriter().Build(4, 4, {endless})},
        {"two cells on one place", BoardFileWriter().Build(4, 4, {At(1, 1), At(2, 2), At(1, 1, 2)})},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const std::vector<std::uint8_t>& bytes = test.file.GetBytes();
        OrrelayEngine::FileBinary file(nullptr, "b.blf", false, true, true, static_cast<std::uint32_t>(bytes.size()),
                                       bytes.data());
        file.Seek(OrrelayEngine::FileBinary::kSeekFromStart, 13);
        GameLogicData::Board board;
        try {
            GameLogicData::ReadBoard(file, "data\\boards\\b.blf", board);
            ADD_FAILURE() << "accepted";
        } catch (const OrrelayEngine::FileError& error) {
            EXPECT_EQ("Incorrect \"data\\boards\\b.blf\" file format", error.GetMessage());
        }
        EXPECT_TRUE(board.cells.empty());
    }

    // The largest board: every place of 256 x 256 taken.
    std::vector<CellRecord> full;
    for (std::uint32_t y = 0; y < 256; ++y)
        for (std::uint32_t x = 0; x < 256; ++x)
            full.push_back(At(x, y));
    const Content::ByteBuffer largest = BoardFileWriter().Build(256, 256, full);
    OrrelayEngine::FileBinary file(nullptr, "b.blf", false, true, true, static_cast<std::uint32_t>(largest.GetSize()),
                                   largest.GetBytes().data());
    file.Seek(OrrelayEngine::FileBinary::kSeekFromStart, 13);
    GameLogicData::Board board;
    GameLogicData::ReadBoard(file, "b.blf", board);
    EXPECT_EQ(65536u, board.cells.size());
}

class CampaignTest : public ::testing::Test
{
protected:
    CampaignTest() : engine_(harness_.Start())
    {
        harness_.folder.Write("data/levels/stages_info.ini", "1\n");
        harness_.folder.Write("data/boards/a.ini", "2\n");
        harness_.folder.Write("data/boards/b.ini", "3 // weighs three\n");
        harness_.folder.Write("data/boards/c.ini", "5\n");
    }

    // The fatal error's text, or empty when the campaign loaded.
    std::string Load(const std::string& stage)
    {
        harness_.folder.Write("data/levels/stage0.ini", stage);
        try {
            Tansywell::LevelManager levels(&engine_);
        } catch (const OrrelayEngine::FatalError& error) {
            return error.GetMessage();
        }
        return "";
    }

    EngineTests::NullEngine harness_;
    OrrelayEngine::Engine& engine_;
};

TEST_F(CampaignTest, ReadsLevelLinesAndSumsTheStageProgress)
{
    harness_.folder.Write("data/levels/stage0.ini", "3\na 3 hills 1.5\n// next\nb 4 hills 1\nc 5 lake 0.75\n");
    const Tansywell::LevelManager levels(&engine_);
    ASSERT_EQ(3u, levels.GetLevelCount(0));
    const auto* second = static_cast<const Tansywell::GameLevelRecord*>(levels.GetLevel(0, 1));
    EXPECT_EQ("b", second->boardName);
    EXPECT_EQ("b_camera", second->cameraName);
    EXPECT_EQ(4u, second->kindCount);
    EXPECT_EQ("hills", second->environmentName);
    EXPECT_EQ(1.0f, second->energyFactor);
    EXPECT_EQ(3u, second->progressValue);
    EXPECT_EQ(5u, levels.GetStageValueUpToLevel(0, 1));
    EXPECT_EQ(10u, levels.GetStageValueTotal(0));
}

TEST_F(CampaignTest, ImpossibleLevelLinesAreFatal)
{
    const std::string stageError = "Incorrect \"data\\levels\\stage0.ini\" file format";
    struct Case
    {
        const char* line;
        std::string error;
    };
    const Case cases[] = {
        {"1\na 0 hills 1\n", stageError},
        {"1\na 6 hills 1\n", stageError},
        {"1\na 3 hills -0.5\n", stageError},
        {"1\na 3 hills nan\n", stageError},
        {"1\na 3 hills inf\n", stageError},
        {"1\nd 3 hills 1\n", "Incorrect \"data\\boards\\d.ini\" file format"},
        {"1\na 1 hills 0\n", ""},
    };
    harness_.folder.Write("data/boards/d.ini", "-1\n");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.line);
        EXPECT_EQ(test.error, Load(test.line));
    }
    EXPECT_NE("", Load("1\nnone 3 hills 1\n")) << "a board without its .ini file";
}

TEST(GameProfile, NewProfileEndsWithItsFlagsAndReadsBack)
{
    EngineTests::NullEngine harness;
    OrrelayEngine::Engine& engine = harness.Start();
    const std::string folder = harness.settings.logFolder;
    std::string fileName;
    {
        const Tansywell::Profile made(&engine, std::wstring(L"Ann"), folder);
        fileName = made.GetFileName();
        std::ifstream in(harness.Native("profiles/" + fileName), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GE(bytes.size(), 12u);
        EXPECT_EQ(std::string(1, '\0') + std::string(11, '\1'), bytes.substr(bytes.size() - 12));
    }

    Tansywell::ProfileManager profiles(&engine, nullptr, folder);
    auto* ann = static_cast<Tansywell::Profile*>(profiles.AddProfile(L"Bea"));
    ann->SetFlag(Tansywell::Profile::kFlagRelaxMode, true);
    ann->SetFlag(Tansywell::Profile::kFlagTutorialCamera, false);
    ASSERT_TRUE(ann->Save());
    profiles.SetCurrentProfile(ann, true);
    const Tansywell::ProfileManager reread(&engine, nullptr, folder);
    ASSERT_EQ(2u, reread.GetProfileCount());
    const auto* bea = static_cast<const Tansywell::Profile*>(reread.FindProfile(L"Bea"));
    ASSERT_NE(nullptr, bea);
    EXPECT_TRUE(bea->GetFlag(Tansywell::Profile::kFlagRelaxMode));
    EXPECT_TRUE(bea->GetFlag(Tansywell::Profile::kFlagTutorialBonus2));
    EXPECT_FALSE(bea->GetFlag(Tansywell::Profile::kFlagTutorialCamera));
    EXPECT_EQ(bea, reread.GetCurrentProfile());
}

} // namespace

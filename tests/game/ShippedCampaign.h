// The built data set as the game reads it: the engine over the null driver,
// installed in the build folder, so that data/pack0.pak is the game's pack;
// the campaign's levels with their boards, and any file of the pack.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/scene/ModelFile.h"
#include "framework/HeaderedFile.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/LevelManager.h"
#include "tests/engine/core/NullEngine.h"

namespace GameTests {

class ShippedCampaign
{
public:
    struct Level
    {
        Tansywell::GameLevelRecord record;
        Tansywell::GameLogicData::Board board;
    };

    ShippedCampaign()
    {
        nullEngine_.settings.installFolder = QUILLORY_BUILD_DIR;
        engine_ = &nullEngine_.Start();
        campaign_ = std::make_unique<Tansywell::LevelManager>(engine_);
    }

    OrrelayEngine::Engine& GetEngine() const { return *engine_; }
    std::uint32_t GetStageCount() const { return campaign_->GetStageCount(); }

    // The levels of one stage; none for a stage the campaign lacks.
    std::vector<Level> LoadStage(std::uint32_t stage) const
    {
        std::vector<Level> levels;
        if (stage >= campaign_->GetStageCount())
            return levels;
        for (std::uint32_t i = 0; i < campaign_->GetLevelCount(stage); ++i) {
            Level level;
            level.record = *static_cast<const Tansywell::GameLevelRecord*>(campaign_->GetLevel(stage, i));
            const std::string path = "data\\boards\\" + level.record.boardName + ".blf";
            GameFramework::HeaderedFile file(engine_->GetFileManager(), Tansywell::GameLogicData::kBoardMagic,
                                             Tansywell::GameLogicData::kBoardVersion);
            file.Open(path, GameFramework::HeaderedFile::kModeRead);
            Tansywell::GameLogicData::ReadBoard(*file.GetFile(), path, level.board);
            levels.push_back(std::move(level));
        }
        return levels;
    }

    // A file of the pack, whole ("data\..." as the game names it).
    std::string ReadFile(const std::string& path) const
    {
        std::unique_ptr<OrrelayEngine::FileBinary> file = engine_->GetFileManager()->OpenFile(path, false);
        std::string bytes(file->GetSize(), '\0');
        file->Read(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        return bytes;
    }

    OrrelayEngine::ModelFile ReadModel(const std::string& path) const
    {
        std::unique_ptr<OrrelayEngine::FileBinary> file = engine_->GetFileManager()->OpenFile(path, false);
        OrrelayEngine::ModelFile model;
        model.Read(*file, path, 0);
        return model;
    }

private:
    EngineTests::NullEngine nullEngine_;
    OrrelayEngine::Engine* engine_ = nullptr;
    std::unique_ptr<Tansywell::LevelManager> campaign_;
};

} // namespace GameTests

#include "framework/LevelManagerBase.h"

#include <cstdint>

#include "engine/core/Engine.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"
#include "framework/LevelRecord.h"
#include "framework/StageRecord.h"

namespace GameFramework {

using OrrelayEngine::UIntToString;

namespace {

const char kLevelsFolder[] = "data\\levels\\";
const char kStagesInfoName[] = "data\\levels\\stages_info.ini";

} // namespace

LevelManagerBase::LevelManagerBase(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files)
    : log_(log), files_(files)
{}

LevelManagerBase::LevelManagerBase(OrrelayEngine::Engine* engine)
    : LevelManagerBase(engine->GetMessageManager(), engine->GetFileManager())
{}

LevelManagerBase::~LevelManagerBase() = default;

void LevelManagerBase::GetLevelResourceFiles(const LevelPosition&, std::vector<std::string>&)
{}

std::string LevelManagerBase::GetStageFileName(std::uint32_t stageIndex)
{
    return "stage" + UIntToString(stageIndex) + "\\levels_info.ini";
}

void LevelManagerBase::ReadStage(StageRecord& stage, OrrelayEngine::FileTextual&)
{
    stage.levelCount = 0;
}

void LevelManagerBase::ReadLevel(LevelRecord&, OrrelayEngine::FileTextual&)
{}

void LevelManagerBase::Load()
{
    stages_.clear();
    levels_.clear();
    try {
        std::unique_ptr<OrrelayEngine::FileTextual> file = files_->OpenTextFile(
            kStagesInfoName, OrrelayEngine::FileTextual::kModeRead, OrrelayEngine::FileTextual::kEncoding8Bit);
        const std::int32_t count = file->ReadInt();
        if (count < 0 || static_cast<std::uint32_t>(count) > kMaxStageCount) {
            log_->LogFatal("\"" + std::string(kStagesInfoName) + "\" names " + std::to_string(count) + " stages");
        }
        for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(count); ++i) {
            std::unique_ptr<StageRecord> stage = CreateStage();
            stage->stageIndex = i;
            stages_.push_back(std::move(stage));
            ReadStage(*stages_.back(), *file);
        }
        file->Close();

        levels_.resize(stages_.size());
        for (std::uint32_t i = 0; i < stages_.size(); ++i)
            LoadStageFile(i);
    } catch (const OrrelayEngine::FileError& error) {
        log_->LogFatal(error.GetMessage());
    }

    log_->LogInfo("\nLevel Manager: Found " + UIntToString(GetStageCount()) + " stages with " +
                  UIntToString(GetTotalLevelCount()) + " levels...");
}

void LevelManagerBase::LoadStageFile(std::uint32_t stageIndex)
{
    const std::string name = kLevelsFolder + GetStageFileName(stageIndex);
    std::unique_ptr<OrrelayEngine::FileTextual> file =
        files_->OpenTextFile(name, OrrelayEngine::FileTextual::kModeRead, OrrelayEngine::FileTextual::kEncoding8Bit);
    const std::int32_t count = file->ReadInt();
    // A stage without levels would leave the player stuck.
    if (count <= 0 || static_cast<std::uint32_t>(count) > kMaxLevelCount)
        log_->LogFatal("\"" + name + "\" names " + std::to_string(count) + " levels");

    stages_[stageIndex]->levelCount = static_cast<std::uint32_t>(count);
    std::vector<std::unique_ptr<LevelRecord>>& levels = levels_[stageIndex];
    for (std::uint32_t j = 0; j < static_cast<std::uint32_t>(count); ++j) {
        std::unique_ptr<LevelRecord> level = CreateLevel();
        level->stageIndex = stageIndex;
        level->levelIndex = j;
        levels.push_back(std::move(level));
        ReadLevel(*levels.back(), *file);
    }
    file->Close();
}

LevelPosition LevelManagerBase::GetNextLevel(const LevelPosition& position) const
{
    if (position.level + 1 < GetLevelCount(position.stage))
        return {position.stage, position.level + 1};
    if (position.stage + 1 < GetStageCount())
        return {position.stage + 1, 0};
    return position;
}

bool LevelManagerBase::IsLastLevel(const LevelPosition& position) const
{
    return position.stage + 1 == GetStageCount() && position.level + 1 == GetLevelCount(position.stage);
}

LevelPosition LevelManagerBase::ClampPosition(const LevelPosition& position) const
{
    if (stages_.empty())
        return {};
    LevelPosition clamped = position;
    if (clamped.stage >= GetStageCount()) {
        // Beyond the last stage means the campaign's last level.
        clamped.stage = GetStageCount() - 1;
        clamped.level = UINT32_MAX;
    }
    const std::uint32_t levels = GetLevelCount(clamped.stage);
    if (clamped.level >= levels)
        clamped.level = levels == 0 ? 0 : levels - 1;
    return clamped;
}

std::uint32_t LevelManagerBase::GetStageCount() const
{
    return static_cast<std::uint32_t>(stages_.size());
}

std::uint32_t LevelManagerBase::GetLevelCount(std::uint32_t stageIndex) const
{
    return stageIndex < levels_.size() ? static_cast<std::uint32_t>(levels_[stageIndex].size()) : 0;
}

std::uint32_t LevelManagerBase::GetTotalLevelCount() const
{
    std::uint32_t total = 0;
    for (const auto& levels : levels_)
        total += static_cast<std::uint32_t>(levels.size());
    return total;
}

StageRecord* LevelManagerBase::GetStage(std::uint32_t stageIndex) const
{
    return stageIndex < stages_.size() ? stages_[stageIndex].get() : nullptr;
}

LevelRecord* LevelManagerBase::GetLevel(std::uint32_t stageIndex, std::uint32_t levelIndex) const
{
    if (stageIndex >= levels_.size() || levelIndex >= levels_[stageIndex].size())
        return nullptr;
    return levels_[stageIndex][levelIndex].get();
}

} // namespace GameFramework

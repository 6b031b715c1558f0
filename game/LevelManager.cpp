#include "game/LevelManager.h"

#include <cmath>

#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"
#include "framework/StageRecord.h"
#include "game/GameLevelRecord.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

const char kLevelsFolder[] = "data\\levels\\";
const char kBoardsFolder[] = "data\\boards\\";
const char kCameraSuffix[] = "_camera";

std::string FormatError(const std::string& path)
{
    return "Incorrect \"" + path + "\" file format";
}

} // namespace

LevelManager::LevelManager(Engine* engine) : LevelManagerBase(engine)
{
    Load();
}

LevelManager::~LevelManager() = default;

std::string LevelManager::GetStageFileName(std::uint32_t stageIndex)
{
    return "stage" + UIntToString(stageIndex) + ".ini";
}

std::unique_ptr<GameFramework::StageRecord> LevelManager::CreateStage()
{
    return std::make_unique<GameFramework::StageRecord>();
}

std::unique_ptr<GameFramework::LevelRecord> LevelManager::CreateLevel()
{
    return std::make_unique<GameLevelRecord>();
}

void LevelManager::ReadLevel(GameFramework::LevelRecord& base, FileTextual& file)
{
    LevelManagerBase::ReadLevel(base, file);
    GameLevelRecord& level = static_cast<GameLevelRecord&>(base);
    file.ReadWord(level.boardName);
    const std::int32_t kinds = file.ReadInt();
    level.cameraName = level.boardName + kCameraSuffix;
    file.ReadWord(level.environmentName);
    level.energyFactor = file.ReadFloat();
    // No kind would leave the item pool empty, more than five has no texture;
    // the starting energy is the factor times the layers, a whole number.
    if (kinds < static_cast<std::int32_t>(kMinKindCount) || kinds > static_cast<std::int32_t>(kMaxKindCount) ||
        !std::isfinite(level.energyFactor) || level.energyFactor < 0.0f) {
        log_->LogFatal(FormatError(kLevelsFolder + GetStageFileName(level.stageIndex)));
    }
    level.kindCount = static_cast<std::uint32_t>(kinds);

    const std::string boardSettings = kBoardsFolder + level.boardName + ".ini";
    try {
        std::unique_ptr<FileTextual> settings =
            files_->OpenTextFile(boardSettings, FileTextual::kModeRead, FileTextual::kEncoding8Bit);
        const std::int32_t progress = settings->ReadInt();
        settings->Close();
        if (progress < 0)
            log_->LogFatal(FormatError(boardSettings));
        level.progressValue = static_cast<std::uint32_t>(progress);
    } catch (const FileError& error) {
        log_->LogFatal(error.GetMessage());
    }
}

std::uint32_t LevelManager::GetStageValueUpToLevel(std::uint32_t stageIndex, std::uint32_t levelIndex) const
{
    std::uint32_t sum = 0;
    const std::uint32_t count = GetLevelCount(stageIndex);
    for (std::uint32_t i = 0; i < count && i <= levelIndex; ++i)
        sum += static_cast<const GameLevelRecord*>(GetLevel(stageIndex, i))->progressValue;
    return sum;
}

std::uint32_t LevelManager::GetStageValueTotal(std::uint32_t stageIndex) const
{
    const std::uint32_t count = GetLevelCount(stageIndex);
    return count == 0 ? 0 : GetStageValueUpToLevel(stageIndex, count - 1);
}

} // namespace Tansywell

// The campaign: stages in order, each with its levels in order, read once at
// start from "data\levels\stages_info.ini" and one stage file per stage. The
// framework owns the reading order and the lists; the game's subclass makes the
// records and reads their fields. Read-only once loaded.
//
// The campaign is the game's own data: any problem reading it is fatal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/LevelPosition.h"

namespace OrrelayEngine {
class Engine;
class FileManager;
class FileTextual;
class MessageManager;
} // namespace OrrelayEngine

namespace GameFramework {

struct LevelRecord;
struct StageRecord;

class LevelManagerBase
{
public:
    // stages_info.ini holds nothing but the count, so no file size bounds it;
    // every stage needs a file of its own, and no campaign comes near this.
    static constexpr std::uint32_t kMaxStageCount = 4096;
    // A stage file in the base format holds only its count (the base reads
    // nothing per level), so its size cannot bound the count either.
    static constexpr std::uint32_t kMaxLevelCount = 4096;

    LevelManagerBase(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files);
    explicit LevelManagerBase(OrrelayEngine::Engine* engine);
    virtual ~LevelManagerBase();

    LevelManagerBase(const LevelManagerBase&) = delete;
    LevelManagerBase& operator=(const LevelManagerBase&) = delete;

    // Appends the resource description files the level needs; none here.
    virtual void GetLevelResourceFiles(const LevelPosition& position, std::vector<std::string>& names);
    // Throws FatalError (after logging it) on any file problem, on a count that
    // cannot be right, and on a stage without levels, which no game can play.
    virtual void Load();
    // Relative to "data\levels\".
    virtual std::string GetStageFileName(std::uint32_t stageIndex);

    // The next level of the stage, else the first of the next stage; the last
    // level of the campaign gives itself.
    LevelPosition GetNextLevel(const LevelPosition& position) const;
    bool IsLastLevel(const LevelPosition& position) const;
    // The nearest level that exists: indices past the end come back to the
    // last stage and the last level of their stage. An empty campaign gives (0, 0).
    LevelPosition ClampPosition(const LevelPosition& position) const;

    std::uint32_t GetStageCount() const;
    std::uint32_t GetLevelCount(std::uint32_t stageIndex) const;
    std::uint32_t GetTotalLevelCount() const;
    // Null when out of range.
    StageRecord* GetStage(std::uint32_t stageIndex) const;
    LevelRecord* GetLevel(std::uint32_t stageIndex, std::uint32_t levelIndex) const;

protected:
    virtual std::unique_ptr<StageRecord> CreateStage() = 0;
    virtual std::unique_ptr<LevelRecord> CreateLevel() = 0;
    // Fields of the stage from stages_info.ini; the base reads none.
    virtual void ReadStage(StageRecord& stage, OrrelayEngine::FileTextual& file);
    // Fields of the level from its stage file; the base reads none.
    virtual void ReadLevel(LevelRecord& level, OrrelayEngine::FileTextual& file);

    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::FileManager* files_;

private:
    void LoadStageFile(std::uint32_t stageIndex);

    std::vector<std::unique_ptr<StageRecord>> stages_;
    std::vector<std::vector<std::unique_ptr<LevelRecord>>> levels_;
};

} // namespace GameFramework

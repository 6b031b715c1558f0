// One player's saved state: name, volumes, score, the level to play and the
// furthest reached, the best time of every level played, and whether a game is
// under way. Stored as a headered file "profiles\<file name>" in the user data
// folder; the game's subclass supplies the magic and version and appends its
// own fields behind the base body.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/LevelPosition.h"
#include "framework/LevelResult.h"
#include "framework/ProfileSettings.h"

namespace OrrelayEngine {
class Engine;
class FileBinary;
class FileManager;
class MessageManager;
} // namespace OrrelayEngine

namespace GameFramework {

class HeaderedFile;
class LevelManagerBase;

class ProfileBase
{
public:
    static constexpr std::uint32_t kResetLevelLogicValue = 3;
    // File names are padded with random digits up to this length.
    static constexpr std::size_t kPaddedFileNameLength = 16;
    static constexpr std::uint32_t kFileNameTries = 1024;
    // After a clash a name too long for digits is cut to this many letters,
    // leaving room for eight.
    static constexpr std::size_t kLettersKeptOnClash = 7;

    // folder: the user data folder. The subclass's constructor then calls Load
    // (a profile on disk) or Create (a new one).
    ProfileBase(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files, const std::string& folder,
                const std::string& magic, std::uint32_t version);
    // The name (a new profile) or the file name (a profile on disk) is the
    // subclass's to hand to Create or Load; these only take the engine's services.
    ProfileBase(OrrelayEngine::Engine* engine, const std::wstring& name, const std::string& folder,
                const std::string& magic, std::uint32_t version);
    ProfileBase(OrrelayEngine::Engine* engine, const std::string& fileName, const std::string& folder,
                const std::string& magic, std::uint32_t version);
    virtual ~ProfileBase();

    ProfileBase(const ProfileBase&) = delete;
    ProfileBase& operator=(const ProfileBase&) = delete;

    virtual void Reset();
    // Logs the file problem as an error and throws Error with an empty text.
    virtual void Load(const std::string& fileName);
    // Chooses a file name no other profile uses and saves.
    virtual void Create(const std::wstring& name);
    virtual void Write(OrrelayEngine::FileBinary& file);
    // Throws FileError on a short file or a count that cannot fit in it.
    virtual void Read(OrrelayEngine::FileBinary& file);
    virtual void WriteSettings(OrrelayEngine::FileBinary& file);
    virtual void ReadSettings(OrrelayEngine::FileBinary& file);

    // A failed save is logged and leaves the old file as it was; the profile in
    // memory is unchanged. False when it failed.
    bool Save();
    // The file name stays.
    void Rename(const std::wstring& name);
    // Keeps the shorter time of a level already in the list; saves.
    void AddLevelResult(const LevelResult& result);
    // Moves the furthest position forward only (or marks it when equal and flag
    // is set), and saves when it did.
    void SetFurthestPosition(const LevelPosition& position, bool flag);
    // Positions a campaign does not have (an older campaign, a damaged file)
    // come back to the nearest level it does.
    void ClampToCampaign(const LevelManagerBase& campaign);

    // The file name a profile of that name would get when created now.
    std::string MakeFileName(const std::wstring& name) const;

    const std::wstring& GetName() const { return name_; }
    const std::string& GetFileName() const { return fileName_; }
    // folder + "\profiles\" + file name.
    std::string GetFilePath() const;
    // Deleted together with the profile.
    const std::string& GetProfileFolder() const { return profileFolder_; }
    std::string GetProfilesFolder() const;

    ProfileSettings& GetSettings() { return settings_; }
    const ProfileSettings& GetSettings() const { return settings_; }
    std::uint32_t GetScoreCategory() const { return scoreCategory_; }
    // For tests: a profile filed under another category.
    void SetScoreCategory(std::uint32_t category) { scoreCategory_ = category; }
    std::uint32_t GetLevelLogicValue() const { return levelLogicValue_; }
    void SetLevelLogicValue(std::uint32_t value) { levelLogicValue_ = value; }
    std::uint32_t GetTotalScore() const { return totalScore_; }
    void SetTotalScore(std::uint32_t score) { totalScore_ = score; }
    const LevelPosition& GetCurrentPosition() const { return currentPosition_; }
    void SetCurrentPosition(const LevelPosition& position) { currentPosition_ = position; }
    const LevelPosition& GetFurthestPosition() const { return furthestPosition_; }
    bool GetFurthestPositionFlag() const { return furthestFlag_ != 0; }
    const std::vector<std::unique_ptr<LevelResult>>& GetLevelResults() const { return results_; }
    // Null when the level has no result under that category.
    const LevelResult* FindLevelResult(std::uint32_t category, const LevelPosition& position) const;
    float GetTotalTime() const { return totalTime_; }
    bool IsGameUnderWay() const { return gameUnderWay_ != 0; }
    void SetGameUnderWay(bool underWay) { gameUnderWay_ = underWay ? 1 : 0; }
    bool IsNewProfile() const { return newProfile_ != 0; }

protected:
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::FileManager* files_;

private:
    void SetFileName(const std::string& fileName);

    std::unique_ptr<HeaderedFile> file_;
    std::string folder_;
    std::wstring name_;
    std::string fileName_;
    std::string profileFolder_;
    ProfileSettings settings_;
    std::uint32_t scoreCategory_ = 0;
    std::uint32_t levelLogicValue_ = kResetLevelLogicValue;
    std::uint32_t totalScore_ = 0;
    LevelPosition currentPosition_;
    LevelPosition furthestPosition_;
    std::uint8_t furthestFlag_ = 0;
    std::vector<std::unique_ptr<LevelResult>> results_;
    float totalTime_ = 0.0f;
    std::uint8_t gameUnderWay_ = 0;
    std::uint8_t newProfile_ = 0;
};

} // namespace GameFramework

#include "framework/ProfileBase.h"

#include <cmath>

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "framework/BinaryFields.h"
#include "framework/HeaderedFile.h"
#include "framework/LevelManagerBase.h"

namespace GameFramework {

namespace {

const char kProfilesFolderName[] = "profiles";
const char kProfileExtension[] = ".prf";
// u32 category, u32 stage, u32 level, f32 time.
constexpr std::uint32_t kLevelResultBytes = 16;

std::string LatinLettersLowered(const std::wstring& name)
{
    std::string letters;
    for (wchar_t character : name) {
        if (character >= L'A' && character <= L'Z')
            letters.push_back(static_cast<char>(character - L'A' + 'a'));
        else if (character >= L'a' && character <= L'z')
            letters.push_back(static_cast<char>(character));
    }
    return letters;
}

std::string PadWithRandomDigits(std::string text, std::size_t length)
{
    if (text.size() + 1 >= ProfileBase::kPaddedFileNameLength)
        return text;
    text.push_back('_');
    while (text.size() < length)
        text.push_back(static_cast<char>('0' + OrrelayEngine::RandomModulo(10)));
    return text;
}

// A file may hold anything; volumes leave it as numbers the mixer can use.
float SaneVolume(float volume)
{
    if (!std::isfinite(volume))
        return 1.0f;
    return volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
}

bool IsBeyond(const LevelPosition& a, const LevelPosition& b)
{
    return a.stage > b.stage || (a.stage == b.stage && a.level > b.level);
}

} // namespace

ProfileBase::ProfileBase(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files,
                         const std::string& folder, const std::string& magic, std::uint32_t version)
    : log_(log), files_(files), file_(std::make_unique<HeaderedFile>(files, magic, version)), folder_(folder)
{}

ProfileBase::ProfileBase(OrrelayEngine::Engine* engine, const std::wstring&, const std::string& folder,
                         const std::string& magic, std::uint32_t version)
    : ProfileBase(engine->GetMessageManager(), engine->GetFileManager(), folder, magic, version)
{}

ProfileBase::ProfileBase(OrrelayEngine::Engine* engine, const std::string&, const std::string& folder,
                         const std::string& magic, std::uint32_t version)
    : ProfileBase(engine->GetMessageManager(), engine->GetFileManager(), folder, magic, version)
{}

ProfileBase::~ProfileBase() = default;

void ProfileBase::Reset()
{
    levelLogicValue_ = kResetLevelLogicValue;
    totalScore_ = 0;
}

std::string ProfileBase::GetProfilesFolder() const
{
    return folder_ + "\\" + kProfilesFolderName;
}

std::string ProfileBase::GetFilePath() const
{
    return GetProfilesFolder() + "\\" + fileName_;
}

void ProfileBase::SetFileName(const std::string& fileName)
{
    fileName_ = fileName;
    std::string stem = fileName;
    if (OrrelayEngine::FileManager::HasExtension(stem, "prf"))
        stem.resize(stem.size() - (sizeof kProfileExtension - 1));
    profileFolder_ = GetProfilesFolder() + "\\" + stem;
}

std::string ProfileBase::MakeFileName(const std::wstring& name) const
{
    std::string letters = LatinLettersLowered(name);
    for (std::uint32_t attempt = 0; attempt < kFileNameTries; ++attempt) {
        // A name too long for digits would come out the same on every try, so
        // after one clash it gives up letters for them, or a new profile would
        // overwrite another player's file. Shorter names keep their letters and
        // only draw new digits.
        if (attempt > 0 && letters.size() + 1 >= kPaddedFileNameLength)
            letters.resize(kLettersKeptOnClash);
        const std::string candidate = PadWithRandomDigits(letters, kPaddedFileNameLength) + kProfileExtension;
        if (!files_->Exists(GetProfilesFolder() + "\\" + candidate))
            return candidate;
    }
    // Every random draw clashed: count until a name is free.
    for (std::uint32_t serial = 0;; ++serial) {
        const std::string candidate = letters + "_" + OrrelayEngine::UIntToString(serial, 8) + kProfileExtension;
        if (!files_->Exists(GetProfilesFolder() + "\\" + candidate))
            return candidate;
    }
}

void ProfileBase::Create(const std::wstring& name)
{
    name_ = name;
    settings_ = ProfileSettings();
    scoreCategory_ = 0;
    newProfile_ = 1;
    gameUnderWay_ = 0;
    currentPosition_ = LevelPosition();
    furthestPosition_ = LevelPosition();
    furthestFlag_ = 0;
    results_.clear();
    totalTime_ = 0.0f;
    Reset();

    SetFileName(MakeFileName(name));
    Save();
}

void ProfileBase::Load(const std::string& fileName)
{
    SetFileName(fileName);
    try {
        file_->Open(GetFilePath(), HeaderedFile::kModeRead);
        Read(*file_->GetFile());
        file_->Close();
    } catch (const OrrelayEngine::FileError& error) {
        file_->Abandon();
        results_.clear();
        totalTime_ = 0.0f;
        log_->LogError(error.GetMessage());
        throw OrrelayEngine::Error("");
    }
}

void ProfileBase::Write(OrrelayEngine::FileBinary& file)
{
    file.WriteWideString(name_);
    WriteUInt32(file, scoreCategory_);
    WriteUInt32(file, levelLogicValue_);
    WriteUInt32(file, totalScore_);
    WriteUInt32(file, currentPosition_.stage);
    WriteUInt32(file, currentPosition_.level);
    WriteUInt32(file, furthestPosition_.stage);
    WriteUInt32(file, furthestPosition_.level);
    WriteUInt8(file, furthestFlag_);
    WriteUInt32(file, static_cast<std::uint32_t>(results_.size()));
    for (const std::unique_ptr<LevelResult>& result : results_) {
        WriteUInt32(file, result->scoreCategory);
        WriteUInt32(file, result->stageIndex);
        WriteUInt32(file, result->levelIndex);
        WriteFloat32(file, result->timeSeconds);
    }
    WriteUInt8(file, gameUnderWay_);
    WriteSettings(file);
}

void ProfileBase::Read(OrrelayEngine::FileBinary& file)
{
    name_ = ReadName(file);
    scoreCategory_ = ReadUInt32(file);
    levelLogicValue_ = ReadUInt32(file);
    totalScore_ = ReadUInt32(file);
    currentPosition_.stage = ReadUInt32(file);
    currentPosition_.level = ReadUInt32(file);
    furthestPosition_.stage = ReadUInt32(file);
    furthestPosition_.level = ReadUInt32(file);
    furthestFlag_ = ReadUInt8(file);

    const std::uint32_t count = ReadUInt32(file);
    CheckCountFits(file, count, kLevelResultBytes);
    results_.clear();
    results_.reserve(count);
    totalTime_ = 0.0f;
    for (std::uint32_t i = 0; i < count; ++i) {
        auto result = std::make_unique<LevelResult>();
        result->scoreCategory = ReadUInt32(file);
        result->stageIndex = ReadUInt32(file);
        result->levelIndex = ReadUInt32(file);
        result->timeSeconds = ReadFloat32(file);
        totalTime_ += result->timeSeconds;
        results_.push_back(std::move(result));
    }
    gameUnderWay_ = ReadUInt8(file);
    newProfile_ = 0;
    ReadSettings(file);
}

void ProfileBase::WriteSettings(OrrelayEngine::FileBinary& file)
{
    WriteFloat32(file, settings_.musicVolume);
    WriteFloat32(file, settings_.soundVolume);
}

void ProfileBase::ReadSettings(OrrelayEngine::FileBinary& file)
{
    settings_.musicVolume = SaneVolume(ReadFloat32(file));
    settings_.soundVolume = SaneVolume(ReadFloat32(file));
}

bool ProfileBase::Save()
{
    return file_->Save(
        GetFilePath(), [this](OrrelayEngine::FileBinary& file) { Write(file); }, log_, "Profile");
}

void ProfileBase::Rename(const std::wstring& name)
{
    name_ = name;
    Save();
}

void ProfileBase::AddLevelResult(const LevelResult& result)
{
    totalTime_ += result.timeSeconds;
    bool found = false;
    for (const std::unique_ptr<LevelResult>& existing : results_) {
        if (existing->scoreCategory == result.scoreCategory && existing->stageIndex == result.stageIndex &&
            existing->levelIndex == result.levelIndex) {
            if (result.timeSeconds < existing->timeSeconds)
                existing->timeSeconds = result.timeSeconds;
            found = true;
            break;
        }
    }
    if (!found)
        results_.push_back(std::make_unique<LevelResult>(result));
    Save();
}

const LevelResult* ProfileBase::FindLevelResult(std::uint32_t category, const LevelPosition& position) const
{
    for (const std::unique_ptr<LevelResult>& result : results_) {
        if (result->scoreCategory == category && result->stageIndex == position.stage &&
            result->levelIndex == position.level) {
            return result.get();
        }
    }
    return nullptr;
}

void ProfileBase::SetFurthestPosition(const LevelPosition& position, bool flag)
{
    if (IsBeyond(position, furthestPosition_) || (position == furthestPosition_ && flag)) {
        furthestPosition_ = position;
        furthestFlag_ = flag ? 1 : 0;
        Save();
    }
}

void ProfileBase::ClampToCampaign(const LevelManagerBase& campaign)
{
    currentPosition_ = campaign.ClampPosition(currentPosition_);
    furthestPosition_ = campaign.ClampPosition(furthestPosition_);
}

} // namespace GameFramework

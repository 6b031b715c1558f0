#include "framework/ProfileManagerBase.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "framework/BinaryFields.h"
#include "framework/HeaderedFile.h"
#include "framework/Mixer.h"
#include "framework/ProfileBase.h"

namespace GameFramework {

namespace {

const char kListFileName[] = "profiles.pmf";
const char kProfileMask[] = "*.prf";
// u32, u32, a wide string of at least its count byte, f32.
constexpr std::uint32_t kEntryMinimumBytes = 13;

std::string FileNameOf(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace

ProfileManagerBase::ProfileManagerBase(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files,
                                       Mixer* mixer, const std::string& folder, const std::string& magic,
                                       std::uint32_t version, const LevelManagerBase* campaign)
    : log_(log), files_(files), mixer_(mixer), file_(std::make_unique<HeaderedFile>(files, magic, version)),
      folder_(folder), campaign_(campaign)
{}

ProfileManagerBase::ProfileManagerBase(OrrelayEngine::Engine* engine, Mixer* mixer, const std::string& folder,
                                       const std::string& magic, std::uint32_t version,
                                       const LevelManagerBase* campaign)
    : ProfileManagerBase(engine->GetMessageManager(), engine->GetFileManager(), mixer, folder, magic, version, campaign)
{}

ProfileManagerBase::~ProfileManagerBase()
{
    current_ = nullptr;
    profiles_.clear();
    entries_.clear();
}

bool ProfileManagerBase::NameLess(const std::wstring& a, const std::wstring& b)
{
    return OrrelayEngine::ToLowerWide(a) < OrrelayEngine::ToLowerWide(b);
}

std::string ProfileManagerBase::GetListPath() const
{
    return folder_ + "\\" + kListFileName;
}

ProfileBase* ProfileManagerBase::GetProfile(std::uint32_t index) const
{
    return index < profiles_.size() ? profiles_[index].get() : nullptr;
}

void ProfileManagerBase::ApplyProfileSettings()
{
    if (current_ == nullptr || mixer_ == nullptr)
        return;
    mixer_->SetMusicVolume(current_->GetSettings().musicVolume);
    mixer_->SetSoundVolume(current_->GetSettings().soundVolume);
}

void ProfileManagerBase::StoreVolumesInProfile(ProfileBase& profile)
{
    if (mixer_ != nullptr) {
        profile.GetSettings().musicVolume = mixer_->GetMusicVolume();
        profile.GetSettings().soundVolume = mixer_->GetSoundVolume();
    }
    profile.Save();
}

void ProfileManagerBase::Sort()
{
    std::stable_sort(profiles_.begin(), profiles_.end(),
                     [](const std::unique_ptr<ProfileBase>& a, const std::unique_ptr<ProfileBase>& b) {
                         return NameLess(a->GetName(), b->GetName());
                     });
}

void ProfileManagerBase::Load()
{
    std::vector<std::string> paths;
    files_->FindFiles(folder_ + "\\profiles", kProfileMask, paths);
    for (const std::string& path : paths) {
        const std::string fileName = FileNameOf(path);
        // ".prf" alone names no player, and its profile folder would be the
        // profiles folder itself.
        if (fileName.size() <= 4) {
            log_->LogWarning("Profile file \"" + path + "\" has no name and is skipped");
            continue;
        }
        try {
            std::unique_ptr<ProfileBase> profile = LoadProfile(fileName);
            if (campaign_ != nullptr)
                profile->ClampToCampaign(*campaign_);
            profiles_.push_back(std::move(profile));
        } catch (const OrrelayEngine::Error&) {
            // The profile has logged why.
        }
    }
    Sort();

    try {
        file_->Open(GetListPath(), HeaderedFile::kModeRead);
        Read(*file_->GetFile());
        file_->Close();
    } catch (const OrrelayEngine::FileError& error) {
        file_->Abandon();
        current_ = nullptr;
        entries_.clear();
        // A missing file is a first start; one that cannot be read is
        // reported, so that a player who loses it finds why in the log.
        const bool damaged = file_->Exists(GetListPath());
        if (!file_->SetAsideDamaged(GetListPath())) {
            log_->LogError("Profile list \"" + GetListPath() +
                           "\" is damaged and could not be set aside: " + error.GetMessage());
        } else {
            if (damaged)
                log_->LogError("Profile list \"" + GetListPath() +
                               "\" is damaged and kept as \".bak\": " + error.GetMessage());
            Save();
        }
    }

    if (current_ == nullptr && !profiles_.empty()) {
        current_ = profiles_.front().get();
        Save();
    }
}

void ProfileManagerBase::Write(OrrelayEngine::FileBinary& file)
{
    file.WriteWideString(current_ != nullptr ? current_->GetName() : std::wstring());
    WriteUInt32(file, static_cast<std::uint32_t>(entries_.size()));
    for (const std::unique_ptr<ProfileListEntry>& entry : entries_) {
        WriteUInt32(file, entry->first);
        WriteUInt32(file, entry->second);
        file.WriteWideString(entry->text);
        WriteFloat32(file, entry->value);
    }
}

void ProfileManagerBase::Read(OrrelayEngine::FileBinary& file)
{
    const std::wstring name = ReadName(file);
    if (!name.empty())
        current_ = FindProfile(name);

    const std::uint32_t count = ReadUInt32(file);
    CheckCountFits(file, count, kEntryMinimumBytes);
    entries_.reserve(entries_.size() + count);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto entry = std::make_unique<ProfileListEntry>();
        entry->first = ReadUInt32(file);
        entry->second = ReadUInt32(file);
        entry->text = ReadName(file);
        entry->value = ReadFloat32(file);
        entries_.push_back(std::move(entry));
    }
}

ProfileBase* ProfileManagerBase::FindProfile(const std::wstring& name) const
{
    const std::wstring lowered = OrrelayEngine::ToLowerWide(name);
    for (const std::unique_ptr<ProfileBase>& profile : profiles_) {
        if (OrrelayEngine::ToLowerWide(profile->GetName()) == lowered)
            return profile.get();
    }
    return nullptr;
}

void ProfileManagerBase::SetCurrentProfile(ProfileBase* profile, bool save)
{
    current_ = profile;
    if (save)
        Save();
}

ProfileBase* ProfileManagerBase::AddProfile(const std::wstring& name)
{
    if (ProfileBase* existing = FindProfile(name))
        return existing;
    std::unique_ptr<ProfileBase> profile = CreateProfile(name);
    ProfileBase* added = profile.get();
    StoreVolumesInProfile(*added);
    profiles_.push_back(std::move(profile));
    Sort();
    Save();
    return added;
}

void ProfileManagerBase::RenameProfile(const std::wstring& oldName, const std::wstring& newName)
{
    ProfileBase* profile = FindProfile(oldName);
    if (profile == nullptr || FindProfile(newName) != nullptr)
        return;
    profile->Rename(newName);
    Sort();
    Save();
}

void ProfileManagerBase::DeleteProfile(const std::wstring& name)
{
    ProfileBase* profile = FindProfile(name);
    if (profile == nullptr)
        return;

    const std::string within = profile->GetProfilesFolder();
    OrrelayEngine::FileManager::DeleteFolder(profile->GetFilePath(), within);
    OrrelayEngine::FileManager::DeleteFolder(profile->GetProfileFolder(), within);

    const auto found = std::find_if(profiles_.begin(), profiles_.end(),
                                    [profile](const std::unique_ptr<ProfileBase>& p) { return p.get() == profile; });
    std::unique_ptr<ProfileBase> removed = std::move(*found);
    profiles_.erase(found);
    if (current_ == profile)
        current_ = profiles_.empty() ? nullptr : profiles_.front().get();
    removed.reset();
    Save();
}

bool ProfileManagerBase::Save()
{
    return file_->Save(
        GetListPath(), [this](OrrelayEngine::FileBinary& file) { Write(file); }, log_, "Profile list");
}

} // namespace GameFramework

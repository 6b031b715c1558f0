// Every player profile of the user data folder, sorted by name, and which one
// is current. The list file "profiles.pmf" names the current profile. Moves
// the volumes between the current profile and the mixer. The game's subclass
// supplies the list file's magic and version and makes the profile objects.
//
// Names are compared lower-cased as full Unicode text, so "Анна" and "АННА"
// are the same player.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/ProfileListEntry.h"

namespace OrrelayEngine {
class Engine;
class FileBinary;
class FileManager;
class MessageManager;
} // namespace OrrelayEngine

namespace GameFramework {

class HeaderedFile;
class LevelManagerBase;
class Mixer;
class ProfileBase;

class ProfileManagerBase
{
public:
    // campaign, when given, brings every loaded profile's positions inside it.
    ProfileManagerBase(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files, Mixer* mixer,
                       const std::string& folder, const std::string& magic, std::uint32_t version,
                       const LevelManagerBase* campaign = nullptr);
    ProfileManagerBase(OrrelayEngine::Engine* engine, Mixer* mixer, const std::string& folder, const std::string& magic,
                       std::uint32_t version, const LevelManagerBase* campaign = nullptr);
    virtual ~ProfileManagerBase();

    ProfileManagerBase(const ProfileManagerBase&) = delete;
    ProfileManagerBase& operator=(const ProfileManagerBase&) = delete;

    virtual void ApplyProfileSettings();
    virtual void Load();
    // Throws Error when the file cannot be read.
    virtual std::unique_ptr<ProfileBase> LoadProfile(const std::string& fileName) = 0;
    virtual std::unique_ptr<ProfileBase> CreateProfile(const std::wstring& name) = 0;
    virtual void Write(OrrelayEngine::FileBinary& file);
    // Throws FileError on a short file or a count that cannot fit in it.
    virtual void Read(OrrelayEngine::FileBinary& file);
    virtual void StoreVolumesInProfile(ProfileBase& profile);

    ProfileBase* FindProfile(const std::wstring& name) const;
    void SetCurrentProfile(ProfileBase* profile, bool save);
    // The existing profile of that name, else a new one (not made current).
    ProfileBase* AddProfile(const std::wstring& name);
    // Nothing happens when the new name is taken by another profile.
    void RenameProfile(const std::wstring& oldName, const std::wstring& newName);
    // Deletes the profile's file and folder, both only inside the profiles folder.
    void DeleteProfile(const std::wstring& name);
    // A failed save is logged and keeps the old file. False when it failed.
    bool Save();

    ProfileBase* GetCurrentProfile() const { return current_; }
    std::uint32_t GetProfileCount() const { return static_cast<std::uint32_t>(profiles_.size()); }
    ProfileBase* GetProfile(std::uint32_t index) const;
    const std::vector<std::unique_ptr<ProfileListEntry>>& GetEntries() const { return entries_; }

    std::string GetListPath() const;
    const std::string& GetFolder() const { return folder_; }

    // Lower-cased comparison, character by character.
    static bool NameLess(const std::wstring& a, const std::wstring& b);

protected:
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::FileManager* files_;
    Mixer* mixer_;

private:
    void Sort();

    std::unique_ptr<HeaderedFile> file_;
    std::vector<std::unique_ptr<ProfileBase>> profiles_;
    ProfileBase* current_ = nullptr;
    std::vector<std::unique_ptr<ProfileListEntry>> entries_;
    std::string folder_;
    const LevelManagerBase* campaign_;
};

} // namespace GameFramework

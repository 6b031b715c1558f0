// A profile and a profile list as a game would derive them: the game's magics
// and versions, and one byte of the subclass's own behind the base body.
#pragma once

#include <memory>
#include <string>

#include "engine/file/FileBinary.h"
#include "framework/BinaryFields.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace FrameworkTests {

class TestProfile : public GameFramework::ProfileBase
{
public:
    static constexpr char kMagic[] = "TWPRF";
    static constexpr std::uint32_t kVersion = 104;

    TestProfile(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files, const std::string& folder)
        : ProfileBase(log, files, folder, kMagic, kVersion)
    {}

    void Write(OrrelayEngine::FileBinary& file) override
    {
        ProfileBase::Write(file);
        GameFramework::WriteUInt8(file, extra);
    }
    void Read(OrrelayEngine::FileBinary& file) override
    {
        ProfileBase::Read(file);
        extra = GameFramework::ReadUInt8(file);
    }

    std::uint8_t extra = 0x5A;
};

class TestProfileManager : public GameFramework::ProfileManagerBase
{
public:
    static constexpr char kMagic[] = "FLPMF";
    static constexpr std::uint32_t kVersion = 100;

    TestProfileManager(OrrelayEngine::MessageManager* log, OrrelayEngine::FileManager* files,
                       GameFramework::Mixer* mixer, const std::string& folder,
                       const GameFramework::LevelManagerBase* campaign = nullptr)
        : ProfileManagerBase(log, files, mixer, folder, kMagic, kVersion, campaign), log_(log), files_(files),
          folder_(folder)
    {}

    std::unique_ptr<GameFramework::ProfileBase> LoadProfile(const std::string& fileName) override
    {
        auto profile = std::make_unique<TestProfile>(log_, files_, folder_);
        profile->Load(fileName);
        return profile;
    }
    std::unique_ptr<GameFramework::ProfileBase> CreateProfile(const std::wstring& name) override
    {
        auto profile = std::make_unique<TestProfile>(log_, files_, folder_);
        profile->Create(name);
        return profile;
    }

private:
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::FileManager* files_;
    std::string folder_;
};

} // namespace FrameworkTests

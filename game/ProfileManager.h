// The game's profile list "profiles.pmf" ("FLPMF", version 100) and the
// factory of its profiles.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/ProfileManagerBase.h"

namespace Tansywell {

class ProfileManager : public GameFramework::ProfileManagerBase
{
public:
    static constexpr char kMagic[] = "FLPMF";
    static constexpr std::uint32_t kVersion = 100;

    // Loads the list and its profiles; campaign, when given, brings their
    // positions inside it.
    ProfileManager(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const std::string& folder,
                   const GameFramework::LevelManagerBase* campaign = nullptr);
    ~ProfileManager() override;

    std::unique_ptr<GameFramework::ProfileBase> LoadProfile(const std::string& fileName) override;
    std::unique_ptr<GameFramework::ProfileBase> CreateProfile(const std::wstring& name) override;

private:
    OrrelayEngine::Engine* engine_;
    std::string folder_;
};

} // namespace Tansywell

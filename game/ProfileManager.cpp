#include "game/ProfileManager.h"

#include "game/Profile.h"

namespace Tansywell {

ProfileManager::ProfileManager(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const std::string& folder,
                               const GameFramework::LevelManagerBase* campaign)
    : ProfileManagerBase(engine, mixer, folder, kMagic, kVersion, campaign), engine_(engine), folder_(folder)
{
    Load();
}

ProfileManager::~ProfileManager() = default;

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::LoadProfile(const std::string& fileName)
{
    return std::make_unique<Profile>(engine_, fileName, folder_);
}

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::CreateProfile(const std::wstring& name)
{
    return std::make_unique<Profile>(engine_, name, folder_);
}

} // namespace Tansywell

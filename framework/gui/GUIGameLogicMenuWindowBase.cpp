#include "framework/gui/GUIGameLogicMenuWindowBase.h"

#include <string>

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "framework/Mixer.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

namespace {

// Made once: a frame looks it up and must not allocate.
const std::string kWindowChangeModeCommand = "v_window_change_mode";

} // namespace

GUIGameLogicMenuWindowBase::GUIGameLogicMenuWindowBase(OrrelayEngine::Engine* engine, Mixer* mixer,
                                                       ProfileManagerBase* profileManager)
    : GUIWindowBase(engine), config_(engine->GetConfig()), videoSettings_(engine->GetConfig()->GetValues()),
      mixer_(mixer), profileManager_(profileManager), soundVolume_(mixer->GetSoundVolume()),
      musicVolume_(mixer->GetMusicVolume())
{}

void GUIGameLogicMenuWindowBase::Update()
{
    GUIWindowBase::Update();
    // Alt+Enter toggles the mode behind the screen's back.
    if (!config_->IsCommandIdle(kWindowChangeModeCommand))
        fullscreen_ = videoSettings_->fullscreen;
}

void GUIGameLogicMenuWindowBase::Show()
{
    fullscreen_ = videoSettings_->fullscreen;
    soundVolume_ = mixer_->GetSoundVolume();
    musicVolume_ = mixer_->GetMusicVolume();
}

void GUIGameLogicMenuWindowBase::Hide()
{
    config_->Save();
    // The last profile may have been deleted while a level was kept alive.
    if (ProfileBase* profile = profileManager_->GetCurrentProfile())
        profileManager_->StoreVolumesInProfile(*profile);
}

void GUIGameLogicMenuWindowBase::ApplyWindowedFlag()
{
    const std::uint8_t wanted = fullscreen_ != 0 ? 1 : 0;
    if (wanted == (videoSettings_->fullscreen != 0 ? 1 : 0))
        return;
    videoSettings_->fullscreen = wanted;
    config_->Save();
    config_->SetCommandIdle(kWindowChangeModeCommand, false);
}

} // namespace GameFramework

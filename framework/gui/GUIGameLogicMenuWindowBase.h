// The framework's side of the in-game menu: the result code, the full-screen
// flag and the two volumes the menu's controls edit. Closing the menu keeps
// what the player chose: the configuration is saved and the mixer's volumes go
// into the current profile, which is saved too (without a current profile only
// the configuration is written).
#pragma once

#include <cstdint>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Config;
class Engine;
struct ConfigValues;
} // namespace OrrelayEngine

namespace GameFramework {

class Mixer;
class ProfileManagerBase;

class GUIGameLogicMenuWindowBase : public GUIWindowBase
{
public:
    GUIGameLogicMenuWindowBase(OrrelayEngine::Engine* engine, Mixer* mixer, ProfileManagerBase* profileManager);

    // Sets the result code to 0 and, while v_window_change_mode is pending,
    // takes the full-screen flag from the configuration.
    void Update() override;
    // Takes the full-screen flag and both volumes afresh.
    virtual void Show();
    void Hide() override;
    // When the screen's flag differs from v_fullscreen: stores it, saves the
    // configuration and issues v_window_change_mode.
    virtual void ApplyWindowedFlag();

    bool IsFullscreen() const { return fullscreen_ != 0; }
    void SetFullscreen(bool fullscreen) { fullscreen_ = fullscreen ? 1 : 0; }
    float GetSoundVolume() const { return soundVolume_; }
    void SetSoundVolume(float volume) { soundVolume_ = volume; }
    float GetMusicVolume() const { return musicVolume_; }
    void SetMusicVolume(float volume) { musicVolume_ = volume; }

protected:
    OrrelayEngine::Config* config_;
    OrrelayEngine::ConfigValues* videoSettings_;
    Mixer* mixer_;
    ProfileManagerBase* profileManager_;
    std::uint8_t fullscreen_ = 0;
    float soundVolume_ = 0.0f;
    float musicVolume_ = 0.0f;
};

} // namespace GameFramework

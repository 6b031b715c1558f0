// The framework's side of the options screen: the list of video modes the
// screen offers (sorted, each once), the mode, colour depth, full-screen flag
// and volumes being edited, and what the screen's buttons do with them: Apply
// writes the video settings (asking the game base for a mode change only when
// they changed), saves the configuration and keeps the volumes in the current
// profile; SetDefaults goes back to the configured defaults; ApplyVolumes lets
// the player hear the volumes at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Config;
class Engine;
struct ConfigValues;
} // namespace OrrelayEngine

namespace GameFramework {

class Mixer;
class ProfileManagerBase;

class GUIOptionsWindowBase : public GUIWindowBase
{
public:
    struct VideoMode
    {
        // Width, "x" and height in decimal.
        std::string text;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
    };

    GUIOptionsWindowBase(OrrelayEngine::Engine* engine, Mixer* mixer, ProfileManagerBase* profileManager);

    // Sets the result code to 0 and, while v_window_change_mode is pending,
    // takes the full-screen flag from the configuration.
    void Update() override;
    // Selects the current v_mode (the default mode when it is not listed) and
    // takes the depth, the full-screen flag and the mixer's volumes.
    virtual void Show();
    // Saves the configuration and the volumes even when nothing changed.
    virtual void Apply();
    // The selection, depth and flag go back to their defaults, and so do the
    // mixer's volumes; the screen's volume fields stay.
    virtual void SetDefaults();
    virtual void ApplyVolumes();

    // A mode already listed is not added again.
    void AddVideoMode(std::uint32_t width, std::uint32_t height);
    bool FindVideoMode(std::uint32_t width, std::uint32_t height, std::uint32_t& index) const;
    // The default v_mode's index, 0 when it is not listed.
    std::uint32_t GetDefaultVideoModeIndex() const;

    const std::vector<std::unique_ptr<VideoMode>>& GetVideoModes() const { return videoModes_; }
    std::uint32_t GetSelectedMode() const { return selectedMode_; }
    // For tests: the screens step the selection themselves.
    void SetSelectedMode(std::uint32_t index) { selectedMode_ = index; }
    std::uint32_t GetBitsPerPixel() const { return bitsPerPixel_; }
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
    std::uint32_t selectedMode_ = 0;
    std::vector<std::unique_ptr<VideoMode>> videoModes_;
    std::uint8_t fullscreen_ = 0;
    std::uint32_t bitsPerPixel_ = 0;
    float soundVolume_ = 0.0f;
    float musicVolume_ = 0.0f;
};

} // namespace GameFramework

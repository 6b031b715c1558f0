// The options screen of the main menu: sound and music volume bars, full
// screen on or off, the screen resolution among three modes, and apply,
// defaults and cancel. The volumes are heard at once while the bars move;
// cancel puts back those the screen found at Show.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/gui/GUIOptionsWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class Mixer;
class ProfileManagerBase;
} // namespace GameFramework

namespace OrrelayEngine {
class GUICheckBox;
class GUIScroll;
} // namespace OrrelayEngine

namespace Tansywell {

class GUIOptionsWindow : public GameFramework::GUIOptionsWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultBack = 3;
    static constexpr std::uint32_t kVolumePositions = 1001;
    static constexpr std::uint32_t kArrowStepPositions = 30;
    // The sound played while the sound bar is held, so the player hears the volume.
    static constexpr std::uint32_t kSampleSound = 0;

    enum Control : std::uint32_t
    {
        kSoundVolume = 0,
        kMusicVolume,
        kFullscreen,
        kResolutionText,
        kPreviousResolution,
        kNextResolution,
        kApply,
        kDefaults,
        kCancel,
        kControlCount
    };

    GUIOptionsWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                     GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                     GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIOptionsWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

private:
    void UpdateVolumes();
    void UpdateSample();
    void UpdateButtons();
    void PrintTexts();
    bool Clicked(Control control) const;

    std::unique_ptr<GUIControl> parts_[kControlCount];
    OrrelayEngine::GUIScroll* soundBar_;
    OrrelayEngine::GUIScroll* musicBar_;
    OrrelayEngine::GUICheckBox* fullscreenBox_;
    // The modes' texts, made once: a frame prints one and must not allocate.
    std::vector<std::wstring> modeTexts_;
    bool samplePlaying_ = false;
    // Cancel was clicked: the bars no longer drive the mixer while the screen fades out.
    bool cancelled_ = false;
};

} // namespace Tansywell

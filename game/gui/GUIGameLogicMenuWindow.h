// The in-game menu: sound and music volume sliders (heard at once; the sound
// slider plays the slider sound while its knob is held), a full-screen box,
// a relax-mode box (kept in the current profile), a button that asks to leave
// the level (18) and one that resumes it (19).
#pragma once

#include "framework/gui/GUIGameLogicMenuWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace Tansywell {

class GUIGameLogicMenuWindow : public GameFramework::GUIGameLogicMenuWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultLeave = 18;
    static constexpr std::uint32_t kResultResume = 19;
    static constexpr std::uint32_t kSliderPositions = 1001;
    static constexpr float kVolumeTolerance = 0.001f;
    static constexpr std::uint32_t kSliderSoundId = 0;

    GUIGameLogicMenuWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                           GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                           GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIGameLogicMenuWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    GUIControl* GetSoundSlider() const { return soundSlider_; }
    GUIControl* GetMusicSlider() const { return musicSlider_; }
    GUIControl* GetFullscreenBox() const { return fullscreenBox_; }
    GUIControl* GetRelaxBox() const { return relaxBox_; }
    GUIControl* GetExit() const { return exit_; }
    GUIControl* GetReturn() const { return return_; }

private:
    void ApplyVolumes();
    void PlaySliderSound();
    void HandleBoxes();
    void PrintTexts();

    GUIControl* soundSlider_;
    GUIControl* musicSlider_;
    GUIControl* fullscreenBox_;
    GUIControl* relaxBox_;
    GUIControl* exit_;
    GUIControl* return_;
    bool sliderSoundOn_ = false;
};

} // namespace Tansywell

#include "game/gui/GUIGameLogicMenuWindow.h"

#include <cmath>
#include <string>

#include "engine/core/Config.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "framework/Mixer.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/gui/BigButton.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

using OrrelayEngine::Vector2;

namespace {

const std::string kWindowChangeModeCommand = "v_window_change_mode";
const std::string kTextMusic = "OPTIONS_MUSIC_VOLUME";
const std::string kTextSound = "OPTIONS_SOUND_VOLUME";
const std::string kTextFullscreen = "OPTIONS_FULLSCREEN";
const std::string kTextRelax = "OPTIONS_RELAX_MODE";
const std::string kTextExit = "GAME_LOGIC_MENU_EXIT";
const std::string kTextReturn = "GAME_LOGIC_MENU_RETURN";
// Captions stand this far above a slider and right of a box.
constexpr float kCaptionGap = 6.0f;
constexpr float kCaptionHalfHeight = 8.0f;

GUIControl* MakeBox(OrrelayEngine::Engine* engine, const GameData* data, const OrrelayEngine::Model* layout,
                    OrrelayEngine::GUIWindow* parent)
{
    return new GUIControl(engine, data, GUIControl::kCheckBox, layout, data->controls.checkBox, data->controls.checkBox,
                          nullptr, parent);
}

GUIControl* MakeSlider(OrrelayEngine::Engine* engine, const GameData* data, const OrrelayEngine::Model* layout,
                       OrrelayEngine::GUIWindow* parent)
{
    GUIControl* slider = new GUIControl(engine, data, GUIControl::kScrollHorizontal, layout,
                                        data->controls.scrollH.scroll, nullptr, nullptr, parent);
    slider->scroll->SetPositionCount(GUIGameLogicMenuWindow::kSliderPositions);
    return slider;
}

std::uint32_t VolumeToPosition(float volume)
{
    return static_cast<std::uint32_t>(std::lround(volume * 1000.0f));
}

} // namespace

GUIGameLogicMenuWindow::GUIGameLogicMenuWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                               GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                                               GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIGameLogicMenuWindowBase(engine, mixer, profileManager),
      GUIMenuWindow(engine, mixer, data, manager, kFrameBig, parent),
      soundSlider_(MakeSlider(engine, data, data->gameLogicMenu.sliderSound, frameWindow_)),
      musicSlider_(MakeSlider(engine, data, data->gameLogicMenu.sliderMusic, frameWindow_)),
      fullscreenBox_(MakeBox(engine, data, data->gameLogicMenu.fullscreenCheckBox, frameWindow_)),
      relaxBox_(MakeBox(engine, data, data->gameLogicMenu.relaxCheckBox, frameWindow_)),
      exit_(CreateBigButton(engine, data, data->bigWindow.button[0], frameWindow_)),
      return_(CreateBigButton(engine, data, data->bigWindow.button[1], frameWindow_))
{
    for (GUIControl* control : {soundSlider_, musicSlider_, fullscreenBox_, relaxBox_, exit_, return_})
        controls_.push_back(control);
    SetTitleKey("GAME_LOGIC_MENU_TITLE");
}

GUIGameLogicMenuWindow::~GUIGameLogicMenuWindow()
{
    for (GUIControl* control : {soundSlider_, musicSlider_, fullscreenBox_, relaxBox_, exit_, return_})
        delete control;
}

void GUIGameLogicMenuWindow::Show()
{
    GUIGameLogicMenuWindowBase::Show();
    RequestTitleArea();
    SetShown(true);
    soundSlider_->scroll->SetPosition(VolumeToPosition(soundVolume_));
    musicSlider_->scroll->SetPosition(VolumeToPosition(musicVolume_));
    fullscreenBox_->checkBox->SetChecked(IsFullscreen());
    const auto* profile = dynamic_cast<const Profile*>(profileManager_->GetCurrentProfile());
    if (profile != nullptr)
        relaxBox_->checkBox->SetChecked(profile->GetFlag(Profile::kFlagRelaxMode));
}

void GUIGameLogicMenuWindow::Hide()
{
    GUIGameLogicMenuWindowBase::Hide();
    ReleaseTitleArea();
    SetShown(false);
    if (sliderSoundOn_) {
        GUIGameLogicMenuWindowBase::mixer_->StopSound(kSliderSoundId);
        sliderSoundOn_ = false;
    }
}

void GUIGameLogicMenuWindow::Update()
{
    GUIGameLogicMenuWindowBase::Update();
    GUIMenuWindow::Update();
    if (!config_->IsCommandIdle(kWindowChangeModeCommand))
        fullscreenBox_->checkBox->SetChecked(IsFullscreen());
    if (!frameWindow_->IsVisible())
        return;
    ApplyVolumes();
    PlaySliderSound();
    HandleBoxes();
    if (exit_->button->IsClicked())
        result_ = kResultLeave;
    if (return_->button->IsClicked())
        result_ = kResultResume;
    PrintTexts();
}

void GUIGameLogicMenuWindow::ApplyVolumes()
{
    GameFramework::Mixer* mixer = GUIGameLogicMenuWindowBase::mixer_;
    const float sound = static_cast<float>(soundSlider_->scroll->GetPositionIndex()) / 1000.0f;
    const float music = static_cast<float>(musicSlider_->scroll->GetPositionIndex()) / 1000.0f;
    if (std::fabs(sound - mixer->GetSoundVolume()) > kVolumeTolerance) {
        mixer->SetSoundVolume(sound);
        soundVolume_ = sound;
    }
    if (std::fabs(music - mixer->GetMusicVolume()) > kVolumeTolerance) {
        mixer->SetMusicVolume(music);
        musicVolume_ = music;
    }
}

void GUIGameLogicMenuWindow::PlaySliderSound()
{
    GameFramework::Mixer* mixer = GUIGameLogicMenuWindowBase::mixer_;
    if (soundSlider_->scroll->IsKnobHeld()) {
        // A looping sound: started again only when it has stopped.
        if (!sliderSoundOn_ || mixer->GetSoundState(kSliderSoundId) != 0)
            mixer->PlaySound(kSliderSoundId);
        sliderSoundOn_ = true;
    } else if (sliderSoundOn_) {
        mixer->StopSound(kSliderSoundId);
        sliderSoundOn_ = false;
    }
}

void GUIGameLogicMenuWindow::HandleBoxes()
{
    if (fullscreenBox_->checkBox->IsClicked()) {
        SetFullscreen(fullscreenBox_->checkBox->IsChecked());
        ApplyWindowedFlag();
    }
    if (relaxBox_->checkBox->IsClicked()) {
        auto* profile = dynamic_cast<Profile*>(profileManager_->GetCurrentProfile());
        if (profile != nullptr) {
            profile->SetFlag(Profile::kFlagRelaxMode, relaxBox_->checkBox->IsChecked());
            profile->Save();
        }
    }
}

void GUIGameLogicMenuWindow::PrintTexts()
{
    Vector2 corner = frameWindow_->GetAbsolutePosition();
    corner += frameWindow_->GetTextAreaOffset();
    const auto above = [&corner](const OrrelayEngine::Model* model) {
        const Vector2 centre = GUIControl::ModelPosition(model);
        const Vector2 size = GUIControl::ModelSize(model);
        return Vector2(0.0f, centre.y + 0.5f * size.y + kCaptionGap - corner.y);
    };
    const auto beside = [&corner](const OrrelayEngine::Model* model) {
        const Vector2 centre = GUIControl::ModelPosition(model);
        const Vector2 size = GUIControl::ModelSize(model);
        return Vector2(centre.x + 0.5f * size.x + kCaptionGap - corner.x, centre.y - kCaptionHalfHeight - corner.y);
    };
    const auto& layout = data_->gameLogicMenu;
    frameWindow_->PrintTextKey(1, 2, above(layout.sliderMusic), color_, kTextMusic);
    frameWindow_->PrintTextKey(1, 2, above(layout.sliderSound), color_, kTextSound);
    frameWindow_->PrintTextKey(0, 2, beside(layout.fullscreenCheckBox), color_, kTextFullscreen);
    frameWindow_->PrintTextKey(0, 2, beside(layout.relaxCheckBox), color_, kTextRelax);
    exit_->button->PrintTextKey(3, 1, Vector2(), color_, kTextExit);
    return_->button->PrintTextKey(3, 1, Vector2(), color_, kTextReturn);
}

} // namespace Tansywell

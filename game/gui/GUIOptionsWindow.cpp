#include "game/gui/GUIOptionsWindow.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "engine/core/Config.h"
#include "engine/core/StringHelpers.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "engine/sound/Sound.h"
#include "framework/Mixer.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"

namespace Tansywell {

namespace {

using OrrelayEngine::Vector2;

constexpr std::uint32_t kFrameKind = 1;
constexpr std::uint32_t kResolutionFont = 6;
constexpr std::uint32_t kAlignLeftOfPoint = 0;
constexpr float kVolumeScale = 1000.0f;
// One position of a bar is 0.001 of volume, and a change of 0.001 or less is
// no change; this slack keeps float rounding from making one position count.
constexpr float kVolumeChangePositions = 1.001f;

const std::string kTitleKey = "OPTIONS_TITLE";
const std::string kMusicVolumeKey = "OPTIONS_MUSIC_VOLUME";
const std::string kSoundVolumeKey = "OPTIONS_SOUND_VOLUME";
const std::string kResolutionKey = "OPTIONS_RESOLUTION";
const std::string kFullscreenKey = "OPTIONS_FULLSCREEN";
const std::string kApplyKey = "OPTIONS_APPLY";
const std::string kDefaultsKey = "OPTIONS_DEFAULTS";
const std::string kCancelKey = "CANCEL";
constexpr std::string_view kWindowChangeModeCommand = "v_window_change_mode";

constexpr std::uint32_t kOfferedModes[][2] = {{640, 480}, {800, 600}, {1024, 768}};

std::uint32_t VolumeToPosition(float volume)
{
    return static_cast<std::uint32_t>(std::max(0.0f, volume) * kVolumeScale);
}

// Sets the volume when the bar has moved more than 0.001 away from it.
template <class Setter>
void FollowBar(const OrrelayEngine::GUIScroll& bar, float current, Setter set)
{
    const float wanted = static_cast<float>(bar.GetPositionIndex()) / kVolumeScale;
    if (std::fabs(wanted - current) * kVolumeScale > kVolumeChangePositions)
        set(wanted);
}

} // namespace

GUIOptionsWindow::GUIOptionsWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                   GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                                   GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIOptionsWindowBase(engine, mixer, profileManager),
      GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent)
{
    const auto& options = data->options;
    const auto& controls = data->controls;
    const auto make = [&](std::uint32_t kind, const OrrelayEngine::Model* layout, const OrrelayEngine::Model* look,
                          const OrrelayEngine::Model* selection, const OrrelayEngine::Model* text) {
        return std::make_unique<GUIControl>(engine, data, kind, layout, look, selection, text, frameWindow_);
    };
    parts_[kSoundVolume] =
        make(GUIControl::kScrollHorizontal, options.sliderSound, controls.scrollH.scroll, nullptr, nullptr);
    parts_[kMusicVolume] =
        make(GUIControl::kScrollHorizontal, options.sliderMusic, controls.scrollH.scroll, nullptr, nullptr);
    parts_[kFullscreen] =
        make(GUIControl::kCheckBox, options.fullscreenCheckBox, controls.checkBox, controls.checkBox, nullptr);
    parts_[kResolutionText] =
        make(GUIControl::kWindow, options.resolutionText, options.resolutionText, nullptr, options.resolutionTextArea);
    parts_[kPreviousResolution] = make(GUIControl::kButton, options.resolutionButtonLeft, controls.buttonArrowLeft,
                                       controls.buttonArrowLeft, controls.buttonArrowLeft);
    parts_[kNextResolution] = make(GUIControl::kButton, options.resolutionButtonRight, controls.buttonArrowRight,
                                   controls.buttonArrowRight, controls.buttonArrowRight);
    parts_[kApply] = GUIMenuParts::MakeBigButton(engine, data, data->bigWindow.button[1], frameWindow_);
    parts_[kDefaults] = GUIMenuParts::MakeBigButton(engine, data, data->bigWindow.button[2], frameWindow_);
    parts_[kCancel] = GUIMenuParts::MakeBigButton(engine, data, data->bigWindow.button[0], frameWindow_);
    for (const std::unique_ptr<GUIControl>& part : parts_)
        controls_.push_back(part.get());

    soundBar_ = parts_[kSoundVolume]->scroll;
    musicBar_ = parts_[kMusicVolume]->scroll;
    fullscreenBox_ = parts_[kFullscreen]->checkBox;
    for (OrrelayEngine::GUIScroll* bar : {soundBar_, musicBar_}) {
        bar->SetPositionCount(kVolumePositions);
        bar->SetStep(kArrowStepPositions);
    }

    for (const auto& mode : kOfferedModes)
        AddVideoMode(mode[0], mode[1]);
    for (const auto& mode : videoModes_)
        modeTexts_.push_back(OrrelayEngine::StringToWide(mode->text));
}

GUIOptionsWindow::~GUIOptionsWindow() = default;

void GUIOptionsWindow::Show()
{
    GUIOptionsWindowBase::Show();
    SetShown(true);
    SetTitleKey(kTitleKey);
    soundBar_->SetPosition(VolumeToPosition(soundVolume_));
    musicBar_->SetPosition(VolumeToPosition(musicVolume_));
    fullscreenBox_->SetChecked(IsFullscreen());
    cancelled_ = false;
}

void GUIOptionsWindow::Hide()
{
    GUIOptionsWindowBase::Hide();
    SetShown(false);
}

void GUIOptionsWindow::Update()
{
    GUIOptionsWindowBase::Update();
    GUIMenuWindow::Update();
    // Alt+Enter switches the mode behind the screen's back: show what it set.
    if (!menuConfig_->IsCommandIdle(kWindowChangeModeCommand))
        fullscreenBox_->SetChecked(IsFullscreen());
    if (!frameWindow_->IsVisible())
        return;
    if (!cancelled_)
        UpdateVolumes();
    UpdateSample();
    UpdateButtons();
    PrintTexts();
}

void GUIOptionsWindow::UpdateVolumes()
{
    GameFramework::Mixer* mixer = GUIMenuWindow::mixer_;
    FollowBar(*soundBar_, mixer->GetSoundVolume(), [mixer](float volume) { mixer->SetSoundVolume(volume); });
    FollowBar(*musicBar_, mixer->GetMusicVolume(), [mixer](float volume) { mixer->SetMusicVolume(volume); });
}

void GUIOptionsWindow::UpdateSample()
{
    GameFramework::Mixer* mixer = GUIMenuWindow::mixer_;
    if (soundBar_->IsKnobHeld()) {
        if (mixer->GetSoundState(kSampleSound) != OrrelayEngine::Sound::kPlaying)
            mixer->PlaySound(kSampleSound);
        samplePlaying_ = true;
    } else if (samplePlaying_) {
        mixer->StopSound(kSampleSound);
        samplePlaying_ = false;
    }
}

bool GUIOptionsWindow::Clicked(Control control) const
{
    return GUIMenuParts::WasClicked(*parts_[control]);
}

void GUIOptionsWindow::UpdateButtons()
{
    if (Clicked(kPreviousResolution) && selectedMode_ > 0)
        --selectedMode_;
    if (Clicked(kNextResolution) && selectedMode_ + 1 < videoModes_.size())
        ++selectedMode_;
    if (Clicked(kApply)) {
        SetFullscreen(fullscreenBox_->IsChecked());
        Apply();
        result_ = kResultBack;
    }
    if (Clicked(kDefaults)) {
        SetDefaults();
        GameFramework::Mixer* mixer = GUIMenuWindow::mixer_;
        soundBar_->SetPosition(static_cast<std::uint32_t>(std::lround(mixer->GetDefaultSoundVolume() * kVolumeScale)));
        musicBar_->SetPosition(static_cast<std::uint32_t>(std::lround(mixer->GetDefaultMusicVolume() * kVolumeScale)));
        fullscreenBox_->SetChecked(IsFullscreen());
    }
    if (Clicked(kCancel)) {
        ApplyVolumes();
        cancelled_ = true;
        result_ = kResultBack;
    }
}

void GUIOptionsWindow::PrintTexts()
{
    const auto line = [this](const std::string& key, float x, float y, std::uint32_t align) {
        frameWindow_->PrintTextKey(align, GUIMenuParts::kLineFont, Vector2(x, y), color_, key);
    };
    line(kMusicVolumeKey, 0.0f, 243.0f, GUIMenuParts::kAlignLine);
    line(kSoundVolumeKey, 0.0f, 192.0f, GUIMenuParts::kAlignLine);
    line(kResolutionKey, 0.0f, 142.0f, GUIMenuParts::kAlignLine);
    line(kFullscreenKey, 89.0f, 86.0f, kAlignLeftOfPoint);
    if (selectedMode_ < modeTexts_.size()) {
        parts_[kResolutionText]->mainWindow->PrintText(GUIMenuParts::kAlignCentred, kResolutionFont,
                                                       Vector2(0.0f, 0.0f), color_, modeTexts_[selectedMode_]);
    }
    GUIMenuParts::PrintCaption(*parts_[kApply], kApplyKey, color_);
    GUIMenuParts::PrintCaption(*parts_[kDefaults], kDefaultsKey, color_);
    GUIMenuParts::PrintCaption(*parts_[kCancel], kCancelKey, color_);
}

} // namespace Tansywell

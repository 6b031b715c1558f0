#include "framework/gui/GUIOptionsWindowBase.h"

#include <algorithm>

#include <string>

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/StringHelpers.h"
#include "framework/Mixer.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

namespace {

constexpr char kVideoModeVariable[] = "v_mode";
// Made once: a frame looks it up and must not allocate.
const std::string kWindowChangeModeCommand = "v_window_change_mode";
constexpr char kUpdateVideoModeCommand[] = "g_update_video_mode";

} // namespace

GUIOptionsWindowBase::GUIOptionsWindowBase(OrrelayEngine::Engine* engine, Mixer* mixer,
                                           ProfileManagerBase* profileManager)
    : GUIWindowBase(engine), config_(engine->GetConfig()), videoSettings_(engine->GetConfig()->GetValues()),
      mixer_(mixer), profileManager_(profileManager)
{}

void GUIOptionsWindowBase::Update()
{
    GUIWindowBase::Update();
    // Alt+Enter toggles the mode behind the screen's back.
    if (!config_->IsCommandIdle(kWindowChangeModeCommand))
        fullscreen_ = videoSettings_->fullscreen;
}

void GUIOptionsWindowBase::Show()
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    OrrelayEngine::ParseVideoMode(videoSettings_->videoMode, &width, &height, &bitsPerPixel_);
    if (!FindVideoMode(width, height, selectedMode_))
        selectedMode_ = GetDefaultVideoModeIndex();
    fullscreen_ = videoSettings_->fullscreen;
    soundVolume_ = mixer_->GetSoundVolume();
    musicVolume_ = mixer_->GetMusicVolume();
}

void GUIOptionsWindowBase::Apply()
{
    bool changed = false;
    if (!videoModes_.empty()) {
        // A selection past the list (the screen changed it behind our back) takes the last mode.
        const VideoMode& mode = *videoModes_[std::min<std::size_t>(selectedMode_, videoModes_.size() - 1)];
        const std::string text = mode.text + "x" + OrrelayEngine::UIntToString(bitsPerPixel_);
        if (OrrelayEngine::ToLower(text) != OrrelayEngine::ToLower(videoSettings_->videoMode)) {
            config_->SetValue(kVideoModeVariable, text);
            changed = true;
        }
    }
    const std::uint8_t wanted = fullscreen_ != 0 ? 1 : 0;
    if (wanted != (videoSettings_->fullscreen != 0 ? 1 : 0)) {
        videoSettings_->fullscreen = wanted;
        changed = true;
    }
    if (changed)
        config_->SetCommandIdle(kUpdateVideoModeCommand, false);
    config_->Save();
    // Without a current profile (the last one deleted) there is nowhere to keep the volumes.
    if (ProfileBase* profile = profileManager_->GetCurrentProfile())
        profileManager_->StoreVolumesInProfile(*profile);
}

void GUIOptionsWindowBase::SetDefaults()
{
    selectedMode_ = GetDefaultVideoModeIndex();
    OrrelayEngine::ParseVideoMode(config_->GetDefaultValue(kVideoModeVariable), nullptr, nullptr, &bitsPerPixel_);
    fullscreen_ = 1;
    mixer_->SetSoundVolume(mixer_->GetDefaultSoundVolume());
    mixer_->SetMusicVolume(mixer_->GetDefaultMusicVolume());
}

void GUIOptionsWindowBase::ApplyVolumes()
{
    mixer_->SetSoundVolume(soundVolume_);
    mixer_->SetMusicVolume(musicVolume_);
}

void GUIOptionsWindowBase::AddVideoMode(std::uint32_t width, std::uint32_t height)
{
    std::uint32_t index = 0;
    if (FindVideoMode(width, height, index))
        return;
    auto mode = std::make_unique<VideoMode>();
    mode->text = OrrelayEngine::UIntToString(width) + "x" + OrrelayEngine::UIntToString(height);
    mode->width = width;
    mode->height = height;
    videoModes_.push_back(std::move(mode));
    std::stable_sort(videoModes_.begin(), videoModes_.end(),
                     [](const std::unique_ptr<VideoMode>& a, const std::unique_ptr<VideoMode>& b) {
                         return a->width != b->width ? a->width < b->width : a->height < b->height;
                     });
}

bool GUIOptionsWindowBase::FindVideoMode(std::uint32_t width, std::uint32_t height, std::uint32_t& index) const
{
    for (std::size_t i = 0; i < videoModes_.size(); ++i) {
        if (videoModes_[i]->width == width && videoModes_[i]->height == height) {
            index = static_cast<std::uint32_t>(i);
            return true;
        }
    }
    return false;
}

std::uint32_t GUIOptionsWindowBase::GetDefaultVideoModeIndex() const
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    OrrelayEngine::ParseVideoMode(config_->GetDefaultValue(kVideoModeVariable), &width, &height, nullptr);
    std::uint32_t index = 0;
    return FindVideoMode(width, height, index) ? index : 0;
}

} // namespace GameFramework

#include "framework/gui/GUIGameLogicWindowBase.h"

#include <string>

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

namespace {

// Made once: a frame looks it up and must not allocate.
const std::string kWindowChangeModeCommand = "v_window_change_mode";

} // namespace

GUIGameLogicWindowBase::GUIGameLogicWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager)
    : GUIWindowBase(engine), config_(engine->GetConfig()), videoSettings_(engine->GetConfig()->GetValues()),
      window_(engine->GetWindow()), profileManager_(profileManager)
{}

void GUIGameLogicWindowBase::Update()
{
    GUIWindowBase::Update();
    // Alt+Enter toggles the mode behind the screen's back.
    if (!config_->IsCommandIdle(kWindowChangeModeCommand))
        fullscreen_ = videoSettings_->fullscreen;
}

void GUIGameLogicWindowBase::Show(GameLogicBase* gameLogic)
{
    gameLogic_ = gameLogic;
    profile_ = profileManager_->GetCurrentProfile();
    fullscreen_ = videoSettings_->fullscreen;
}

void GUIGameLogicWindowBase::Hide()
{
    profile_ = nullptr;
    gameLogic_ = nullptr;
}

void GUIGameLogicWindowBase::SetActive(bool active)
{
    active_ = active ? 1 : 0;
}

void GUIGameLogicWindowBase::MinimizeWindow()
{
    window_->Minimize();
}

std::uint32_t GUIGameLogicWindowBase::GetTotalScore() const
{
    const std::uint32_t levelScore = gameLogic_ != nullptr ? gameLogic_->GetScore() : 0;
    const std::uint32_t profileScore = profile_ != nullptr ? profile_->GetTotalScore() : 0;
    return levelScore + profileScore;
}

} // namespace GameFramework

#include "framework/gui/GUIWelcomeWindowBase.h"

#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUIWelcomeWindowBase::GUIWelcomeWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager)
    : GUIWindowBase(engine), profileManager_(profileManager)
{}

void GUIWelcomeWindowBase::CreateProfile(const std::wstring& name)
{
    profileManager_->SetCurrentProfile(profileManager_->AddProfile(name), true);
}

} // namespace GameFramework

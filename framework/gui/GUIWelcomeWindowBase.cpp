#include "framework/gui/GUIWelcomeWindowBase.h"

#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUIWelcomeWindowBase::GUIWelcomeWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager)
    : engine_(engine), profileManager_(profileManager)
{}

GUIWelcomeWindowBase::~GUIWelcomeWindowBase() = default;

void GUIWelcomeWindowBase::Update()
{
    result_ = 0;
}

void GUIWelcomeWindowBase::Show()
{}

void GUIWelcomeWindowBase::Hide()
{}

void GUIWelcomeWindowBase::CreateProfile(const std::wstring& name)
{
    profileManager_->SetCurrentProfile(profileManager_->AddProfile(name), true);
}

} // namespace GameFramework

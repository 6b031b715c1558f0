#include "framework/gui/GUINewProfileWindowBase.h"

#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUINewProfileWindowBase::GUINewProfileWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager)
    : GUIWindowBase(engine), profileManager_(profileManager)
{}

void GUINewProfileWindowBase::Show(bool)
{}

bool GUINewProfileWindowBase::CreateProfile(const std::wstring& name)
{
    if (profileManager_->FindProfile(name) != nullptr)
        return false;
    profileManager_->SetCurrentProfile(profileManager_->AddProfile(name), true);
    return true;
}

} // namespace GameFramework

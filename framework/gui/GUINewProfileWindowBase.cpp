#include "framework/gui/GUINewProfileWindowBase.h"

#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUINewProfileWindowBase::GUINewProfileWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager)
    : engine_(engine), profileManager_(profileManager)
{}

GUINewProfileWindowBase::~GUINewProfileWindowBase() = default;

void GUINewProfileWindowBase::Update()
{
    result_ = 0;
}

void GUINewProfileWindowBase::Show(bool)
{}

void GUINewProfileWindowBase::Hide()
{}

bool GUINewProfileWindowBase::CreateProfile(const std::wstring& name)
{
    if (profileManager_->FindProfile(name) != nullptr)
        return false;
    profileManager_->SetCurrentProfile(profileManager_->AddProfile(name), true);
    return true;
}

} // namespace GameFramework

#include "framework/gui/GUIDeleteProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUIDeleteProfileWindowBase::GUIDeleteProfileWindowBase(OrrelayEngine::Engine* engine,
                                                       ProfileManagerBase* profileManager)
    : engine_(engine), profileManager_(profileManager)
{}

GUIDeleteProfileWindowBase::~GUIDeleteProfileWindowBase() = default;

void GUIDeleteProfileWindowBase::Update()
{
    result_ = 0;
}

void GUIDeleteProfileWindowBase::Show(const std::wstring& name)
{
    name_ = name;
}

void GUIDeleteProfileWindowBase::Hide()
{}

void GUIDeleteProfileWindowBase::DeleteProfile()
{
    profileManager_->DeleteProfile(name_);
}

} // namespace GameFramework

#include "framework/gui/GUIDeleteProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUIDeleteProfileWindowBase::GUIDeleteProfileWindowBase(OrrelayEngine::Engine* engine,
                                                       ProfileManagerBase* profileManager)
    : GUIWindowBase(engine), profileManager_(profileManager)
{}

void GUIDeleteProfileWindowBase::Show(const std::wstring& name)
{
    name_ = name;
}

void GUIDeleteProfileWindowBase::DeleteProfile()
{
    profileManager_->DeleteProfile(name_);
}

} // namespace GameFramework

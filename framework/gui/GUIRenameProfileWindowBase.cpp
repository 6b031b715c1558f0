#include "framework/gui/GUIRenameProfileWindowBase.h"

#include "engine/core/StringHelpers.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUIRenameProfileWindowBase::GUIRenameProfileWindowBase(OrrelayEngine::Engine* engine,
                                                       ProfileManagerBase* profileManager)
    : GUIWindowBase(engine), profileManager_(profileManager)
{}

void GUIRenameProfileWindowBase::Show(bool takeName, const std::wstring& name)
{
    // Back from the name-conflict screen the old name stays.
    if (takeName)
        oldName_ = name;
}

bool GUIRenameProfileWindowBase::RenameProfile(const std::wstring& newName)
{
    if (OrrelayEngine::ToLowerWide(newName) == OrrelayEngine::ToLowerWide(oldName_))
        return true;
    if (profileManager_->FindProfile(newName) != nullptr)
        return false;
    profileManager_->RenameProfile(oldName_, newName);
    return true;
}

} // namespace GameFramework

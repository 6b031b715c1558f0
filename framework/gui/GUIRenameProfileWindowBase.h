// The framework's side of the rename screen: the result code, the name of the
// profile being renamed, and the rename itself.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUIRenameProfileWindowBase : public GUIWindowBase
{
public:
    GUIRenameProfileWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);

    virtual void Show(bool takeName, const std::wstring& name);

    // True when the new name is the old one in any letter case (nothing
    // changes) or the profile was renamed; false when another profile has it.
    bool RenameProfile(const std::wstring& newName);
    const std::wstring& GetOldName() const { return oldName_; }

protected:
    ProfileManagerBase* profileManager_;
    std::wstring oldName_;
};

} // namespace GameFramework

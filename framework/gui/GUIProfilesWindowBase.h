// The framework's side of the profile list screen: the result code, and the
// name of the profile the player selected there, which the game base hands to
// the rename and delete screens.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUIProfilesWindowBase : public GUIWindowBase
{
public:
    GUIProfilesWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);

    virtual void Show() {}

    const std::wstring& GetSelectedName() const { return selectedName_; }

protected:
    ProfileManagerBase* profileManager_;
    std::wstring selectedName_;
};

} // namespace GameFramework

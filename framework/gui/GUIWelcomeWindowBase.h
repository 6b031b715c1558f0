// The framework's side of the welcome screen, shown while no profile exists:
// the result code, and the first profile's creation. The welcome screen makes
// its profile without asking whether the name is taken: a name already listed
// gives that profile.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUIWelcomeWindowBase : public GUIWindowBase
{
public:
    GUIWelcomeWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);

    virtual void Show() {}

    // Adds the profile of that name (or takes the one listed under it), makes
    // it current and saves the profile list.
    void CreateProfile(const std::wstring& name);

protected:
    ProfileManagerBase* profileManager_;
};

} // namespace GameFramework

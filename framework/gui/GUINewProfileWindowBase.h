// The framework's side of the new-profile screen: the result code, and the
// creation of a profile under a name not yet taken.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUINewProfileWindowBase : public GUIWindowBase
{
public:
    GUINewProfileWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);

    virtual void Show(bool fromProfiles);

    // False when a profile of that name exists (letter case aside); else adds
    // it, makes it current, saves the profile list and answers true.
    bool CreateProfile(const std::wstring& name);

protected:
    ProfileManagerBase* profileManager_;
};

} // namespace GameFramework

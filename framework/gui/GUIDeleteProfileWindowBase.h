// The framework's side of the question before a profile is deleted: the
// result code, the name Show received, and the deletion.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUIDeleteProfileWindowBase : public GUIWindowBase
{
public:
    GUIDeleteProfileWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);

    virtual void Show(const std::wstring& name);

    // Deletes the profile of the stored name, its files included; when it was
    // current, the first remaining profile (or none) becomes current.
    void DeleteProfile();
    const std::wstring& GetName() const { return name_; }

protected:
    ProfileManagerBase* profileManager_;
    std::wstring name_;
};

} // namespace GameFramework

// The framework's side of the new-profile screen: the result code, and the
// creation of a profile under a name not yet taken.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUINewProfileWindowBase
{
public:
    GUINewProfileWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);
    virtual ~GUINewProfileWindowBase();

    GUINewProfileWindowBase(const GUINewProfileWindowBase&) = delete;
    GUINewProfileWindowBase& operator=(const GUINewProfileWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show(bool fromProfiles);
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    // False when a profile of that name exists (letter case aside); else adds
    // it, makes it current, saves the profile list and answers true.
    bool CreateProfile(const std::wstring& name);

protected:
    OrrelayEngine::Engine* engine_;
    ProfileManagerBase* profileManager_;
    std::uint32_t result_ = 0;
};

} // namespace GameFramework

// The framework's side of the profile list screen: the result code, and the
// name of the profile the player selected there, which the game base hands to
// the rename and delete screens.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUIProfilesWindowBase
{
public:
    GUIProfilesWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);
    virtual ~GUIProfilesWindowBase();

    GUIProfilesWindowBase(const GUIProfilesWindowBase&) = delete;
    GUIProfilesWindowBase& operator=(const GUIProfilesWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    const std::wstring& GetSelectedName() const { return selectedName_; }
    void SetSelectedName(const std::wstring& name) { selectedName_ = name; }

protected:
    OrrelayEngine::Engine* engine_;
    ProfileManagerBase* profileManager_;
    std::uint32_t result_ = 0;
    std::wstring selectedName_;
};

} // namespace GameFramework

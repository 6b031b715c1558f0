// The framework's side of the welcome screen, shown while no profile exists:
// the result code, and the first profile's creation. The welcome screen makes
// its profile without asking whether the name is taken: a name already listed
// gives that profile.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class ProfileManagerBase;

class GUIWelcomeWindowBase
{
public:
    GUIWelcomeWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);
    virtual ~GUIWelcomeWindowBase();

    GUIWelcomeWindowBase(const GUIWelcomeWindowBase&) = delete;
    GUIWelcomeWindowBase& operator=(const GUIWelcomeWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    // Adds the profile of that name (or takes the one listed under it), makes
    // it current and saves the profile list.
    void CreateProfile(const std::wstring& name);

protected:
    OrrelayEngine::Engine* engine_;
    ProfileManagerBase* profileManager_;
    std::uint32_t result_ = 0;
};

} // namespace GameFramework

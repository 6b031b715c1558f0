// The framework's side of the in-game screen (the head-up display): the result
// code, the level in play and the profile playing it while shown, the
// full-screen flag (kept in step while a window-mode switch is pending) and
// the active flag, which the game base clears while a question or menu is
// open over the level.
#pragma once

#include <cstdint>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Config;
class Engine;
class Window;
struct ConfigValues;
} // namespace OrrelayEngine

namespace GameFramework {

class GameLogicBase;
class ProfileBase;
class ProfileManagerBase;

class GUIGameLogicWindowBase : public GUIWindowBase
{
public:
    GUIGameLogicWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager);

    // Sets the result code to 0 and, while v_window_change_mode is pending,
    // takes the full-screen flag from the configuration.
    void Update() override;
    // Keeps the level (borrowed) and the current profile, which may be null.
    virtual void Show(GameLogicBase* gameLogic);
    // Forgets the level and the profile.
    void Hide() override;
    virtual void SetActive(bool active);

    void MinimizeWindow();
    // The level's score plus the score the shown profile holds (0 for what is missing).
    std::uint32_t GetTotalScore() const;

    GameLogicBase* GetGameLogic() const { return gameLogic_; }
    ProfileBase* GetProfile() const { return profile_; }
    bool IsFullscreen() const { return fullscreen_ != 0; }
    bool IsActive() const { return active_ != 0; }

protected:
    OrrelayEngine::Config* config_;
    OrrelayEngine::ConfigValues* videoSettings_;
    OrrelayEngine::Window* window_;
    ProfileManagerBase* profileManager_;
    ProfileBase* profile_ = nullptr;
    GameLogicBase* gameLogic_ = nullptr;
    std::uint8_t fullscreen_ = 0;
    std::uint8_t active_ = 0;
};

} // namespace GameFramework

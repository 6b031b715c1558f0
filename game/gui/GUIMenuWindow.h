// The game's second base of every menu screen (beside its framework screen
// base): it owns the screen's frame control and the list of its controls,
// opens the screen when the menu window manager is free (one screen opens or
// closes at a time), fades the controls in and out, prints the screen's title
// in the background's title area and plays the menu sounds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/Color.h"

namespace OrrelayEngine {
class Config;
class Controls;
class Engine;
class GUIFontManager;
class GUIManager;
class GUITextManager;
class GUIWindow;
class TimerManager;
} // namespace OrrelayEngine

namespace GameFramework {
class Mixer;
}

namespace Tansywell {

class GameData;
class GUIControl;
class GUIMenuWindowManager;

class GUIMenuWindow
{
public:
    enum FrameKind : std::uint32_t
    {
        kFrameMainMenu = 0,
        kFrameBig = 1,
        kFrameSmall = 2,
        kFrameStartGame = 3
    };

    static constexpr std::uint32_t kOpenSoundId = 4;
    static constexpr std::uint32_t kCloseSoundId = 5;

    // mixer may be null (no sounds).
    GUIMenuWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                  GUIMenuWindowManager* manager, std::uint32_t frameKind, OrrelayEngine::GUIWindow* parent);
    // Deletes the frame control only: each screen deletes the controls it made.
    virtual ~GUIMenuWindow();
    GUIMenuWindow(const GUIMenuWindow&) = delete;
    GUIMenuWindow& operator=(const GUIMenuWindow&) = delete;

    // The screen's own Update calls it.
    virtual void Update();
    void SetShown(bool shown);
    void SetTitle(const std::wstring& title);
    void SetTitleKey(const std::string& key);
    bool AnyControlAnimating() const;

protected:
    // Engine services, named apart from the framework screen bases' members.
    OrrelayEngine::Engine* menuEngine_;
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::Config* menuConfig_;
    OrrelayEngine::Controls* inputControls_;
    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::GUIFontManager* fontManager_;
    OrrelayEngine::GUITextManager* textManager_;
    GameFramework::Mixer* mixer_;
    const GameData* data_;
    GUIMenuWindowManager* manager_;
    std::uint32_t frameKind_;
    // controls_[0].
    GUIControl* frame_;
    // frame_->mainWindow: the parent of the screen's widgets.
    OrrelayEngine::GUIWindow* frameWindow_;
    bool showRequested_ = false, titleAreaWanted_ = false, active_ = false;
    // Alpha is the screen's fade.
    OrrelayEngine::Color color_{1, 1, 1, 0};
    std::wstring title_;
    // Derived screens append theirs and delete them.
    std::vector<GUIControl*> controls_;
    bool titleAreaHeld_ = false, titleAreaReleaseRequested_ = false;
    // The frame opened and its close is still to play.
    bool closePending_ = false;

public:
    bool IsActive() const { return active_; }
    // Screens shown over a running level set these two directly (in Show / Hide).
    void RequestTitleArea() { titleAreaWanted_ = true; }
    // A release asked while the area is not held is dropped: kept, it would
    // stop the screen from ever appearing again.
    void ReleaseTitleArea() { titleAreaReleaseRequested_ = titleAreaHeld_; }

private:
    bool CanAppear() const;
    void Appear();
    // False when the update must wait for the title area.
    bool StepTitleArea();
    void StepOpening(float frameSeconds);
    void StepClosing(float frameSeconds, bool frameWasShown);
    void FollowFrameAnimation();
    void PlaySound(std::uint32_t soundId) const;
};

} // namespace Tansywell

// The press-to-continue stage after an upgrade: once the menu background shows
// its upgrade scene, "HIT_MOUSE_BUTTON_TO_CONTINUE" fades in from 2.5 s to
// 3.5 s; a key or button after the first second brings the menu background
// back and fades the text out over 2/3 s; once the background is back the
// notice answers 3 (kind 2, opened from the main menu) or 20 (kind 8, after a
// level). The line lies on a plate that fades with it. The timer waits while
// the character speaks. Not a framework
// screen: the game calls Update each frame and reads the result.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Controls;
class Engine;
class GUIManager;
class GUIWindow;
class TimerManager;
} // namespace OrrelayEngine

namespace Tansywell {

class CharacterSpeech;
class GUIMenuWindowManager;

class GUIUpgradeWindow
{
public:
    enum Kind : std::uint32_t
    {
        kKindFromMainMenu = 2,
        kKindFromLevel = 8
    };
    static constexpr std::uint32_t kResultMainMenu = 3;
    static constexpr std::uint32_t kResultStageComplete = 20;
    static constexpr float kTextDelaySeconds = 2.5f;
    static constexpr float kKeyDelaySeconds = 1.0f;
    static constexpr float kFadeOutPerSecond = 1.5f;

    // character may be null (the timer then never waits).
    GUIUpgradeWindow(OrrelayEngine::Engine* engine, const CharacterSpeech* character, GUIMenuWindowManager* manager,
                     OrrelayEngine::GUIWindow* parent);
    ~GUIUpgradeWindow();

    GUIUpgradeWindow(const GUIUpgradeWindow&) = delete;
    GUIUpgradeWindow& operator=(const GUIUpgradeWindow&) = delete;

    void Activate(std::uint32_t kind);
    void Deactivate();
    void Update();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }
    bool IsActive() const { return active_; }
    float GetTimer() const { return timer_; }
    float GetAlpha() const { return alpha_; }
    OrrelayEngine::GUIWindow* GetNoticeWindow() const { return notice_; }

private:
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::Controls* controls_;
    OrrelayEngine::GUIManager* guiManager_;
    GUIMenuWindowManager* manager_;
    const CharacterSpeech* character_;
    OrrelayEngine::GUIWindow* notice_;
    // Fades with the line it lies under.
    OrrelayEngine::GUIWindow* plate_;
    bool active_ = false;
    bool sceneRequested_ = false;
    float timer_ = 0.0f;
    float alpha_ = 0.0f;
    std::uint32_t kind_ = kKindFromMainMenu;
    std::uint32_t result_ = 0;
};

} // namespace Tansywell

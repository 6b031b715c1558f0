// The tutorial character: a figure on the screen whose body plays frame ranges
// of its model and whose face flips through the frames of a texture atlas,
// with four speech bubbles of one to four lines into which texts are typed.
// It greets the player when a level begins, praises large combinations, says
// a word when a level is won, presents upgrades and speaks the tutorial's
// lessons.
//
// Until the menus hand over the menu background's window (null for now), the
// figure stays under the play screen's window in every state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "game/logic/BoardCharacter.h"

namespace OrrelayEngine {
class AnimationControl;
class Controls;
class Engine;
class GUIFontManager;
class GUIManager;
class GUITextManager;
class GUIWindow;
class MessageManager;
class Model;
class ShaderUser;
class TimerManager;
} // namespace OrrelayEngine

namespace GameFramework {
class LevelManagerBase;
class Mixer;
class ProfileManagerBase;
} // namespace GameFramework

namespace GameTools {
class GUITextPrinter;
}

namespace Tansywell {

class GameData;

class Character : public BoardCharacter
{
public:
    enum State : std::int32_t
    {
        kStateNone = 0,
        kStateMenus = 2,
        kStateLevel = 5,
        kStateUpgrade = 12
    };

    enum Body : std::uint32_t
    {
        kBodyComeIn = 0,
        kBodyLeave = 1,
        kBodyStand = 2,
        kBodyMenuComeIn = 3,
        kBodyMenuLeave = 4,
        kBodyMenuStand = 5,
        kBodyTurn = 6,
        kBodyTurnBack = 7
    };

    enum Face : std::uint32_t
    {
        kFaceLeaving = 0,
        kFaceMoving = 1,
        kFaceArrived = 2,
        kFacePraiseGood = 3,
        kFaceMenuFirst = 4,
        kFaceMenuSecond = 5,
        kFacePraiseGreat = 8,
        kFacePraiseBest = 11,
        kFaceNeutral = 12
    };

    static constexpr std::uint32_t kBubbleCount = 4;
    static constexpr std::uint32_t kLineCount = 10;
    static constexpr std::uint32_t kFirstPraiseSound = 6;
    static constexpr std::uint32_t kPraiseSoundCount = 9;
    static constexpr float kFramesPerSecond = 24.0f;
    static constexpr float kMovingFramesPerSecond = 18.0f;
    static constexpr float kBubbleFramesPerSecond = 25.0f;
    static constexpr float kTypingSpeed = 40.0f;
    static constexpr std::uint32_t kLineFont = 6;
    static constexpr std::uint32_t kMeasureFont = 2;
    static constexpr float kGreetingDelay = 0.65f;
    static constexpr float kTurnDelay = 1.1f;
    static constexpr float kFacePause = 0.25f;
    // A timer this far on has long passed every delay: the step is at once.
    static constexpr float kAtOnce = 100000.0f;

    // The managers and the mixer may be null (tests); menuBackground may be
    // null until the menus exist.
    Character(OrrelayEngine::Engine* engine, const GameFramework::LevelManagerBase* levels,
              const GameFramework::ProfileManagerBase* profiles, GameFramework::Mixer* mixer, const GameData* gameData,
              OrrelayEngine::GUIWindow* menuBackground);
    ~Character() override;

    // Brings the figure in: 5 on the board, 2 on the menus, 12 for an upgrade.
    void SetState(std::int32_t state);
    void StartUpgrade();
    void RequestPraise(std::uint32_t level) override;
    void SayLevelEnd() override;
    void Dismiss() override;
    // Gone at once, without leaving.
    void Hide();
    // The text of key + "_SIZE" says how many lines (1 to 4) key + "_0",
    // key + "_1", ... fill; the bubble stays hold seconds after typing.
    void Say(std::string_view key, float hold);
    // The key is prefix + number in decimal.
    void Say(std::string_view prefix, std::uint32_t number, float hold);
    bool IsSpeechHidden() const;
    bool IsWindowVisible() const;
    void SetAnimationSpeed(float framesPerSecond);
    // Once per frame, before the screens.
    void Update();

    bool IsPraiseAllowed() const { return praiseAllowed_ != 0; }
    void SetPraiseAllowed(bool allowed) { praiseAllowed_ = allowed ? 1 : 0; }
    bool IsPraiseRequested() const { return praiseRequested_ != 0; }
    std::uint32_t GetPraiseCounter() const { return praiseCounter_; }
    std::int32_t GetState() const { return state_; }
    const std::string& GetTextKey() const { return textKey_; }
    OrrelayEngine::GUIWindow* GetRootWindow() const { return root_; }
    OrrelayEngine::GUIWindow* GetFigureWindow() const { return figure_; }
    OrrelayEngine::GUIWindow* GetBubbleWindow(std::uint32_t index) const { return bubbles_[index]; }
    GameTools::GUITextPrinter* GetPrinter(std::uint32_t line) const { return printers_[line].get(); }
    OrrelayEngine::GUIWindow* GetLineWindow(std::uint32_t line) const { return lines_[line]; }
    OrrelayEngine::AnimationControl* GetBodyAnimation() const { return body_; }
    OrrelayEngine::AnimationControl* GetFaceAnimation() const { return face_.get(); }
    float GetBubbleTimer() const { return bubbleTimer_; }

private:
    void PlayBody(std::uint32_t id, bool loop);
    void PlayFace(std::uint32_t id, bool loop);
    bool IsBodyStopped(std::uint32_t id) const;
    bool IsFaceStopped(std::uint32_t id) const;
    void AttachRoot(bool menus);
    // The text of key + suffix (+ number unless none).
    const std::wstring& Text(const std::string& key, const char* suffix, std::int32_t number);
    // Says textKey_.
    void SayKey(float hold);
    // Measures the speech's count lines and sizes the bubble's line windows.
    void LayOutLines(std::uint32_t bubble, std::uint32_t count);
    // kBubbleCount when none is shown.
    std::uint32_t ShownBubble() const;
    void HideBubble(std::uint32_t bubble);
    // Any key or mouse button but the screenshot key.
    bool WasSkipKeyPressed() const;
    void UpdateBubbles();
    void UpdateTurn(std::uint8_t& pending, float& timer, std::uint32_t body, float dt);
    void UpdateLeaving(float dt);
    void UpdateFaceAfterComingIn(float dt);
    void UpdatePraise();
    void SayGreeting();
    void PlaySound(std::uint32_t soundId);

    OrrelayEngine::Engine* engine_;
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::Controls* controls_;
    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::GUITextManager* textManager_;
    OrrelayEngine::GUIFontManager* fontManager_;
    const GameFramework::LevelManagerBase* levels_;
    const GameFramework::ProfileManagerBase* profiles_;
    GameFramework::Mixer* mixer_;
    const GameData* gameData_;
    OrrelayEngine::GUIWindow* menuBackground_;
    std::int32_t state_ = kStateNone;
    OrrelayEngine::GUIWindow* root_ = nullptr;
    OrrelayEngine::GUIWindow* figure_ = nullptr;
    OrrelayEngine::Model* figureModel_ = nullptr;
    OrrelayEngine::ShaderUser* figureTexture_ = nullptr;
    OrrelayEngine::AnimationControl* body_ = nullptr;
    std::unique_ptr<OrrelayEngine::AnimationControl> face_;
    OrrelayEngine::GUIWindow* bubbles_[kBubbleCount] = {};
    OrrelayEngine::AnimationControl* bubbleAnimations_[kBubbleCount] = {};
    OrrelayEngine::GUIWindow* lines_[kLineCount] = {};
    std::unique_ptr<GameTools::GUITextPrinter> printers_[kLineCount];
    std::string textKey_;
    std::wstring lineTexts_[kBubbleCount];
    // The widest line of the speech in the measuring font.
    float widestLine_ = 0.0f;
    float fadeInTimer_ = 0.0f;
    float bubbleTimer_ = 0.0f;
    float hold_ = 0.0f;
    std::uint8_t greetingPending_ = 0;
    float greetingTimer_ = 0.0f;
    std::uint8_t leavePending_ = 0;
    float leaveTimer_ = 0.0f;
    // On the menus the leaving face has been shown.
    std::uint8_t leaveFacePlayed_ = 0;
    std::uint8_t levelEndPending_ = 0;
    float levelEndTimer_ = 0.0f;
    std::uint8_t upgradePending_ = 0;
    float upgradeTimer_ = 0.0f;
    float facePauseTimer_ = 0.0f;
    std::uint8_t upgrade_ = 0;
    std::uint8_t praiseAllowed_ = 1;
    std::uint8_t praiseRequested_ = 0;
    std::uint32_t praiseLevel_ = 0;
    std::uint32_t praiseCounter_ = 0;
    // Working storage for the key lookups. With the key and line texts it is
    // sized at construction for the game's keys and lines, so that speaking
    // allocates nothing.
    std::string lookupKey_;
};

} // namespace Tansywell

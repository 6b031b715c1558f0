// The screen of a won level. Once it has faded in, its mana bar fills this
// level's share of the stage (about 2.2 s) while the mana line counts up;
// then the energy left on the head-up display is counted into an energy bonus
// (the board's score potential times the energy fraction, none in relax mode),
// which is added to the current profile's score as it grows. Its button (the
// upgrade on the last level of a stage, else continue) completes the count at
// once and brings the menu background or the stage's upgrade scene in; once
// that has come the screen answers 24 (last level of a stage) or 13, and the
// profile holding the bonus is saved.
#pragma once

#include <string>

#include "framework/gui/GUILevelCompleteWindowBase.h"
#include "game/gui/GUIMenuWindow.h"
#include "game/gui/LevelBonusRecord.h"

namespace GameFramework {
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUIGameLogicProgress;
class LevelManager;

class GUILevelCompleteWindow : public GameFramework::GUILevelCompleteWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultNextLevel = 13;
    static constexpr std::uint32_t kResultUpgrade = 24;
    static constexpr float kBarSpeedPerSecond = 0.1f;
    static constexpr float kFillSpeedFactor = 0.45f;
    static constexpr float kBonusDelaySeconds = 0.5f;
    static constexpr float kBonusSpeedPerSecond = 0.35f;
    static constexpr float kFinishedBonusSeconds = 100000.0f;
    static constexpr std::uint32_t kSoundScore = 1;
    static constexpr std::uint32_t kSoundMana = 2;

    GUILevelCompleteWindow(OrrelayEngine::Engine* engine, const GameData* data, GameFramework::Mixer* mixer,
                           LevelManager* levelManager, GameFramework::ProfileManagerBase* profileManager,
                           GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUILevelCompleteWindow() override;

    void Update() override;
    void Show(const GameFramework::LevelPosition& completed, float elapsedSeconds) override;
    void Hide() override;

    // Set by the game before Show: the points the level's board was worth and
    // whether it was played in relax mode (no energy bonus then).
    void SetLevelBonus(std::uint32_t scorePotential, bool relaxMode);
    // The record shared with the head-up display; the screen starts with one of its own.
    void SetLevelBonusRecord(LevelBonusRecord* record) { record_ = record; }

    GUIGameLogicProgress* GetManaBar() const { return manaBar_; }
    GUIControl* GetButton() const { return button_; }
    bool IsLastLevelOfStage() const { return lastOfStage_; }
    std::uint32_t GetCountedMana() const { return countedMana_; }
    std::uint32_t GetBonus() const { return bonus_; }
    float GetBonusTimer() const { return bonusTimer_; }
    const std::wstring& GetManaLine() const { return manaLine_; }

private:
    float FinalFraction() const;
    void UpdateManaBar();
    float ManaShare() const;
    void UpdateBonus();
    void PrintTexts();
    void Leave();
    void SetSound(std::uint32_t soundId, bool on, bool& state);

    GameFramework::ProfileManagerBase* profileManager_;
    LevelManager* levelManager_;
    LevelBonusRecord ownRecord_;
    LevelBonusRecord* record_ = &ownRecord_;
    GUIControl* levelFrame_;
    GUIControl* pictures_[2];
    GUIControl* button_;
    GUIGameLogicProgress* manaBar_;
    OrrelayEngine::GUIWindow* bonusWindow_;

    std::uint32_t scorePotential_ = 0;
    bool relaxMode_ = false;
    float stageTotal_ = 0.0f;
    float manaBefore_ = 0.0f;
    float manaOwn_ = 0.0f;
    bool lastOfStage_ = false;
    float bonusTimer_ = 0.0f;
    std::uint32_t bonus_ = 0;
    std::uint32_t countedMana_ = 0;
    bool leaving_ = false;
    bool manaSoundOn_ = false;
    bool scoreSoundOn_ = false;
    std::wstring manaLine_;
    std::wstring bonusText_;
};

} // namespace Tansywell

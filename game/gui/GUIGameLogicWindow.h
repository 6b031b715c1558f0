// The head-up display around the board while a level is played: level number,
// total score, the mana bar (cleared layers against all layers, shown 1.1 s
// late while the collected mana flies to it), the energy bar (hidden in relax
// mode), and buttons for the in-game menu, the 2D/3D view, minimizing, the
// window mode and closing. It fades in once its controls have opened and out
// twice as fast after Hide, then closes them and hides itself.
//
// Result codes: 4 close (the quit question), 15 pause ("SPACE" or "P"), 16
// the in-game menu ("ESCAPE" or the menu button); later ones win. Nothing is
// answered and no new mana flight starts while the screen is inactive, but
// flights under way go on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"
#include "framework/gui/GUIGameLogicWindowBase.h"
#include "game/gui/LevelBonusRecord.h"

namespace OrrelayEngine {
class Controls;
class GUIButton;
class GUICheckBox;
class GUIManager;
class GUIWindow;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace OrrelayEngine

namespace GameFramework {
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class Board;
class GameData;
class GameLogic;
class GUICollectionOfManaEffect;
class GUIControl;
class GUIGameLogicProgress;
class HudCamera;

class GUIGameLogicWindow : public GameFramework::GUIGameLogicWindowBase
{
public:
    enum Result : std::uint32_t
    {
        kResultQuit = 4,
        kResultPause = 15,
        kResultMenu = 16
    };

    static constexpr float kBarSpeedPerSecond = 0.1f;
    static constexpr float kWonManaSpeedPerSecond = 0.45f;
    static constexpr float kEnergyCountSpeedPerSecond = 0.35f;
    static constexpr float kFadeInPerSecond = 4.0f;
    static constexpr float kFadeOutPerSecond = 8.0f;
    static constexpr std::uint32_t kHistorySize = 200;
    static constexpr float kHistoryStepSeconds = 0.01f;
    static constexpr float kManaDelaySeconds = 1.1f;
    static constexpr float kParticleDepthInFront = 1.1f;
    static constexpr std::int32_t kOverlayDepthOrder = 5;

    GUIGameLogicWindow(OrrelayEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                       const GameData* data);
    ~GUIGameLogicWindow() override;

    void Update() override;
    void Show(GameFramework::GameLogicBase* gameLogic) override;
    void Hide() override;
    // The game base's switch: the same as SetFlag.
    void SetActive(bool active) override;
    // Activates the screen and enables its menu, view and close buttons (or the reverse).
    virtual void SetFlag(bool enabled);

    // The camera the view button switches: Show takes the level's board
    // camera; tests may put another in its place after Show. Null: the view
    // counts as 3D and the button does nothing.
    void SetCamera(HudCamera* camera) { camera_ = camera; }
    // The record shared with the level-complete screen; the screen starts with one of its own.
    void SetLevelBonusRecord(LevelBonusRecord* record) { record_ = record; }
    LevelBonusRecord* GetLevelBonusRecord() const { return record_; }

    bool IsShown() const { return shown_; }
    float GetAlpha() const { return colour_.a; }
    bool IsViewThreeDimensional() const;
    const char* GetViewCaptionKey() const;
    float GetManaTarget() const { return manaTarget_; }
    GUIGameLogicProgress* GetManaBar() const { return manaBar_.get(); }
    GUIGameLogicProgress* GetEnergyBar() const { return energyBar_.get(); }
    GUIControl* GetMenuControl() const { return menu_; }
    GUIControl* GetViewControl() const { return view_; }
    GUIControl* GetMinimizeControl() const { return minimize_; }
    GUIControl* GetCloseControl() const { return close_; }
    GUIControl* GetWindowModeControl() const { return windowMode_; }
    GUIControl* GetToWindowControl() const { return toWindow_; }
    GUIControl* GetToFullscreenControl() const { return toFullscreen_; }
    OrrelayEngine::GUIWindow* GetRootWindow() const { return root_; }
    OrrelayEngine::GUIWindow* GetOverlayWindow() const { return overlay_; }
    OrrelayEngine::ParticleSystem* GetManaParticles() const { return manaParticles_; }
    const std::vector<std::unique_ptr<GUICollectionOfManaEffect>>& GetManaEffects() const { return manaEffects_; }
    // The statistics lines of the last frame that printed them (0 frame rate, 1 models, 2 triangles).
    const std::wstring& GetStatisticsLine(std::uint32_t line) const { return statistics_[line]; }

private:
    struct HistoryEntry
    {
        float seconds = 0.0f;
        float fraction = 0.0f;
    };

    GUIControl* MakeControl(std::uint32_t kind, const OrrelayEngine::Model* layout, const OrrelayEngine::Model* look,
                            const OrrelayEngine::Model* selectionArea, const OrrelayEngine::Model* textArea);
    bool IsRelaxMode() const;
    float ClearedFraction() const;
    float EnergyFraction() const;
    bool AnyControlAnimating() const;
    bool AnyControlVisible() const;
    void UpdateControls();
    void CloseControls();
    void UpdateManaTarget();
    float UpdateEnergyTarget();
    void UpdateBars(float energyTarget);
    void PlaceManaEmitter();
    void HandleButtons();
    void PrintTexts();
    void PrintStatistics();
    void StartManaFlights();
    void SetResults();

    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::ModelManager* modelManager_;
    OrrelayEngine::ParticleSystemManager* particleSystemManager_;
    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::Controls* controls_;
    const GameData* data_;
    LevelBonusRecord ownRecord_;
    LevelBonusRecord* record_ = &ownRecord_;
    HudCamera* camera_ = nullptr;

    OrrelayEngine::GUIWindow* root_ = nullptr;
    OrrelayEngine::GUIWindow* child_ = nullptr;
    OrrelayEngine::GUIWindow* controlWindow_ = nullptr;
    OrrelayEngine::GUIWindow* overlay_ = nullptr;
    OrrelayEngine::GUIWindow* background_ = nullptr;

    GUIControl* menu_ = nullptr;
    GUIControl* view_ = nullptr;
    GUIControl* minimize_ = nullptr;
    GUIControl* toWindow_ = nullptr;
    GUIControl* toFullscreen_ = nullptr;
    GUIControl* close_ = nullptr;
    GUIControl* levelField_ = nullptr;
    GUIControl* scoreField_ = nullptr;
    OrrelayEngine::GUIWindow* levelCaption_ = nullptr;
    OrrelayEngine::GUIWindow* scoreCaption_ = nullptr;
    GUIControl* windowMode_ = nullptr;

    std::unique_ptr<GUIGameLogicProgress> manaBar_;
    std::unique_ptr<GUIGameLogicProgress> energyBar_;
    // Menu, view, minimize, close, level field, score field, mana bar's frame.
    std::vector<GUIControl*> animated_;
    std::vector<std::unique_ptr<GUICollectionOfManaEffect>> manaEffects_;

    bool shown_ = false;
    OrrelayEngine::Color colour_{1.0f, 1.0f, 1.0f, 0.0f};
    GameLogic* logic_ = nullptr;
    Board* board_ = nullptr;

    HistoryEntry history_[kHistorySize];
    std::uint32_t historyIndex_ = 0;
    float historyTime_ = 0.0f;
    float manaTarget_ = 0.0f;

    OrrelayEngine::ParticleSystem* manaParticles_ = nullptr;
    // Rebuilt every frame in storage reserved once.
    std::wstring levelText_;
    std::wstring scoreText_;
    std::wstring statistics_[3];
};

} // namespace Tansywell

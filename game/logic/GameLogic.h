// The level in play: it owns the level's bonuses, items, board, scenery,
// board camera and tutorial, fills the level's scoring table, steps them once
// a frame in a fixed order, flashes a possible move after 11 seconds without
// a destruction, swings the camera out once the level is won, and turns the
// board's end into the level's state (won, lost) once no item is in play any
// more. The board's scores float up from their cells as texts on the play
// screen, which move on also while the level is paused or over.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/GameLogicBase.h"

namespace OrrelayEngine {
class FileManager;
class GUIManager;
} // namespace OrrelayEngine

namespace Tansywell {

class Board;
class BonusManager;
class CameraControl;
class Character;
class Environment;
class GameData;
class GameLogicData;
class GUIGameLogicTextManager;
class ItemManager;
class ProfileManager;
class Tutorial;
struct GameLevelRecord;

class GameLogic : public GameFramework::GameLogicBase
{
public:
    // Seconds without a destruction before a possible move is shown.
    static constexpr float kHintDelay = 11.0f;

    // Points of the scoring kinds, in kind order: an item destroyed, a layer
    // removed, a closed cell opened, a blocked cell unblocked, a bonus of
    // kind 0, 1 and 2 used.
    static constexpr std::uint32_t kScoringTable[] = {10, 100, 200, 150, 250, 500, 1000};

    // profiles may be null or have no current profile (relax mode is then off
    // and nothing is taught); only then may the character be null.
    GameLogic(OrrelayEngine::Engine* engine, const ProfileManager* profiles, GameFramework::Mixer* mixer,
              const GameData* gameData, const GameLogicData* data, const GameFramework::StageRecord* stage,
              const GameLevelRecord* level, std::uint32_t value, Character* character);
    // Releases the tutorial, camera control, scenery, board, score texts,
    // items and bonuses, in this order.
    ~GameLogic() override;

    void Update() override;

    BonusManager* GetBonusManager() const { return bonuses_.get(); }
    ItemManager* GetItemManager() const { return items_.get(); }
    GUIGameLogicTextManager* GetTextManager() const { return texts_.get(); }
    Board* GetBoard() const { return board_.get(); }
    Environment* GetEnvironment() const { return environment_.get(); }
    CameraControl* GetCameraControl() const { return camera_.get(); }
    Tutorial* GetTutorial() const { return tutorial_.get(); }
    bool IsRelaxMode() const { return relaxMode_ != 0; }
    float GetHintTimer() const { return hintTimer_; }

private:
    OrrelayEngine::FileManager* fileManager_;
    OrrelayEngine::GUIManager* guiManager_;
    const ProfileManager* profiles_;
    const GameData* gameData_;
    const GameLogicData* data_;
    Character* character_;
    const GameLevelRecord* level_;
    std::unique_ptr<BonusManager> bonuses_;
    std::unique_ptr<ItemManager> items_;
    std::unique_ptr<GUIGameLogicTextManager> texts_;
    std::unique_ptr<Board> board_;
    std::unique_ptr<Environment> environment_;
    std::unique_ptr<CameraControl> camera_;
    std::unique_ptr<Tutorial> tutorial_;
    std::uint8_t relaxMode_ = 0;
    float hintTimer_ = 0.0f;
};

} // namespace Tansywell

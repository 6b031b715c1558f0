// The level in play: it owns the level's bonuses, items and board, fills the
// level's scoring table, steps them once a frame in a fixed order, flashes a
// possible move after 11 seconds without a destruction, and turns the board's
// end into the level's state (won, lost) once no item is in play any more.
// Items are not drawn yet: the pool is the headless one.
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
class BoardCharacter;
class BoardItemPoolNull;
class BonusManager;
class GameData;
class GameLogicData;
class ProfileManager;
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

    // profiles may have no current profile (relax mode is then off); the
    // character may be null.
    GameLogic(OrrelayEngine::Engine* engine, const ProfileManager* profiles, GameFramework::Mixer* mixer,
              const GameData* gameData, const GameLogicData* data, const GameFramework::StageRecord* stage,
              const GameLevelRecord* level, std::uint32_t value, BoardCharacter* character);
    ~GameLogic() override;

    void Update() override;

    BonusManager* GetBonusManager() const { return bonuses_.get(); }
    BoardItemPoolNull* GetItemPool() const { return items_.get(); }
    Board* GetBoard() const { return board_.get(); }
    bool IsRelaxMode() const { return relaxMode_ != 0; }
    float GetHintTimer() const { return hintTimer_; }

private:
    OrrelayEngine::FileManager* fileManager_;
    OrrelayEngine::GUIManager* guiManager_;
    const ProfileManager* profiles_;
    const GameData* gameData_;
    const GameLogicData* data_;
    BoardCharacter* character_;
    const GameLevelRecord* level_;
    std::unique_ptr<BonusManager> bonuses_;
    std::unique_ptr<BoardItemPoolNull> items_;
    std::unique_ptr<Board> board_;
    std::uint8_t relaxMode_ = 0;
    float hintTimer_ = 0.0f;
};

} // namespace Tansywell

// The lessons of play, one topic at a time: how to swap, how to turn the
// camera, and what double-layer cells, closed cells, webbed items and the
// three bonuses are. Each topic is taught once per player: the profile keeps
// a flag per topic still to teach, cleared and saved once the topic has been
// spoken. A topic starts only when the board shows what it is about; it has
// the character speak, points at the cell concerned with a tip and waits for
// the speech or for the player. The character gives no praise during a lesson.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class AnimationControl;
class Engine;
class Model;
class ModelManager;
class TimerManager;
} // namespace OrrelayEngine

namespace GameFramework {
class ProfileManagerBase;
}

namespace Tansywell {

class Board;
class CameraControl;
class Cell;
class Character;
class GameData;
class Profile;
struct GameLevelRecord;

class Tutorial
{
public:
    // Topics in the order of their active flags.
    enum Topic : std::uint32_t
    {
        kTopicSwap = 0,
        kTopicDoubleMana = 1,
        kTopicClosedCell = 2,
        kTopicBlockedItem = 3,
        kTopicCamera = 4,
        kTopicBonus0 = 5,
        kTopicBonus1 = 6,
        kTopicBonus2 = 7,
        kTopicCount = 8
    };

    static constexpr float kStartDelay = 7.0f;
    static constexpr float kBonusStartDelay = 3.0f;
    static constexpr float kPause = 0.75f;
    static constexpr float kCellTopicHold = 12.0f;

    // The profile manager may be null or have no current profile: nothing is
    // taught then.
    Tutorial(OrrelayEngine::Engine* engine, const GameFramework::ProfileManagerBase* profiles, const GameData* gameData,
             Character* character, CameraControl* camera, const Board* board, const GameLevelRecord* level);
    virtual ~Tutorial();

    Tutorial(const Tutorial&) = delete;
    Tutorial& operator=(const Tutorial&) = delete;

    // Once per frame while the level runs, after the board.
    void Update();

    bool IsTopicActive(std::uint32_t topic) const { return topic < kTopicCount && active_[topic] != 0; }
    bool IsAnyTopicActive() const;
    std::uint32_t GetStep() const { return step_; }
    float GetStepTimer() const { return timer_; }
    OrrelayEngine::Model* GetTipModel() const { return tip_; }

private:
    void NextStep();
    void ShowTip(const Cell* cell);
    void HideTip();
    // The alpha set.
    float FadeTip(bool in);
    void FindTargets();
    bool StartTopic();
    // A topic that was taught clears its profile flag and saves the profile.
    void EndTopic(std::uint32_t topic, bool taught);
    void Say(const char* prefix, std::uint32_t index, float hold);
    void UpdateSwap();
    void UpdateCamera();
    void UpdateCellTopic(std::uint32_t topic);
    const Cell* Target(std::uint32_t topic) const;
    bool IsTargetValid(std::uint32_t topic) const;

    [[maybe_unused]] OrrelayEngine::Engine* engine_;
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::ModelManager* modelManager_;
    const GameFramework::ProfileManagerBase* profiles_;
    Profile* profile_ = nullptr;
    const GameData* gameData_;
    Character* character_;
    CameraControl* camera_;
    const Board* board_;
    const GameLevelRecord* level_;
    OrrelayEngine::Model* tip_ = nullptr;
    OrrelayEngine::AnimationControl* tipAnimation_ = nullptr;
    std::uint8_t active_[kTopicCount] = {};
    std::uint32_t step_ = 0;
    float timer_ = 0.0f;
    // The active cell topic has spoken.
    std::uint8_t spoke_ = 0;
    std::uint32_t rememberedCameraType_ = 0;
    const Cell* doubleTarget_ = nullptr;
    const Cell* blockedTarget_ = nullptr;
    const Cell* closedTarget_ = nullptr;
    const Cell* bonusTargets_[3] = {};
};

} // namespace Tansywell

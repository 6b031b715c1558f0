// The framework's side of one level in play: which stage and level it is, its
// state (running, paused, won, lost), a clock of the time played and the score.
// The rules of the game live in the derived class.
#pragma once

#include <cstdint>
#include <memory>

namespace OrrelayEngine {
class Controls;
class Engine;
class MessageManager;
class ModelManager;
class Timer;
class TimerManager;
} // namespace OrrelayEngine

namespace GameFramework {

class Mixer;
class ScoreKeeper;
struct LevelRecord;
struct StageRecord;

class GameLogicBase
{
public:
    enum State : std::uint32_t
    {
        kStateRunning = 0,
        kStatePaused = 1,
        kStateWon = 2,
        kStateLost = 3
    };

    // The clock starts paused at 0: the derived class resumes it once its level
    // is built, so that loading never counts as time played.
    GameLogicBase(OrrelayEngine::MessageManager* log, OrrelayEngine::TimerManager* timers, Mixer* mixer,
                  const StageRecord* stage, const LevelRecord* level, std::uint32_t value);
    // Also keeps the engine's model manager and input for the derived rules.
    GameLogicBase(OrrelayEngine::Engine* engine, Mixer* mixer, const StageRecord* stage, const LevelRecord* level,
                  std::uint32_t value);
    virtual ~GameLogicBase();

    GameLogicBase(const GameLogicBase&) = delete;
    GameLogicBase& operator=(const GameLogicBase&) = delete;

    virtual void Update();
    // A change of state pauses the clock for any state but running and raises
    // the changed flag; setting the current state again does nothing.
    virtual void SetState(std::uint32_t state);

    // Won and lost levels stay won and lost.
    void Pause(bool pause);

    std::uint32_t GetState() const { return state_; }
    bool IsStateChanged() const { return stateChanged_ != 0; }
    void ClearStateChanged() { stateChanged_ = 0; }

    std::uint32_t GetScore() const;
    void SetScore(std::uint32_t score);
    ScoreKeeper* GetScoreKeeper() const { return scoreKeeper_.get(); }

    float GetElapsedTime() const;
    bool IsClockPaused() const;
    // The clock alone, state untouched: used while the window is out of focus.
    void PauseClock(bool pause);

    std::uint32_t GetValue() const { return value_; }
    void SetValue(std::uint32_t value) { value_ = value; }
    const StageRecord* GetStage() const { return stage_; }
    const LevelRecord* GetLevel() const { return level_; }

protected:
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::TimerManager* timers_;
    Mixer* mixer_;
    // Null when made without an engine.
    OrrelayEngine::ModelManager* modelManager_ = nullptr;
    OrrelayEngine::Controls* controls_ = nullptr;

private:
    // Handed back to the timer manager by the destructor.
    OrrelayEngine::Timer* clock_ = nullptr;
    std::unique_ptr<ScoreKeeper> scoreKeeper_;
    const StageRecord* stage_;
    const LevelRecord* level_;
    std::uint32_t value_;
    std::uint32_t state_ = kStateRunning;
    std::uint8_t stateChanged_ = 0;
};

} // namespace GameFramework

#include "framework/GameLogicBase.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "framework/LevelRecord.h"
#include "framework/ScoreKeeper.h"
#include "framework/StageRecord.h"

namespace GameFramework {

GameLogicBase::GameLogicBase(OrrelayEngine::MessageManager* log, OrrelayEngine::TimerManager* timers, Mixer* mixer,
                             const StageRecord* stage, const LevelRecord* level, std::uint32_t value)
    : log_(log), timers_(timers), mixer_(mixer), stage_(stage), level_(level), value_(value)
{
    if (log_ != nullptr && level_ != nullptr) {
        log_->LogInfo("\nLoading level " + OrrelayEngine::UIntToString(level_->stageIndex + 1) + "-" +
                      OrrelayEngine::UIntToString(level_->levelIndex + 1) + "...");
    }
    clock_ = timers_->CreateTimer(0.0f, true);
    scoreKeeper_ = std::make_unique<ScoreKeeper>(0);
    clock_->SetTime(0.0f);
    clock_->SetPaused(true);
}

GameLogicBase::GameLogicBase(OrrelayEngine::Engine* engine, Mixer* mixer, const StageRecord* stage,
                             const LevelRecord* level, std::uint32_t value)
    : GameLogicBase(engine->GetMessageManager(), engine->GetTimerManager(), mixer, stage, level, value)
{
    modelManager_ = engine->GetModelManager();
    controls_ = engine->GetControls();
}

GameLogicBase::~GameLogicBase()
{
    timers_->DeleteTimer(clock_);
}

void GameLogicBase::Update()
{}

void GameLogicBase::SetState(std::uint32_t state)
{
    if (state != state_) {
        clock_->SetPaused(state != kStateRunning);
        stateChanged_ = 1;
    }
    state_ = state;
}

void GameLogicBase::Pause(bool pause)
{
    if (state_ == kStateWon || state_ == kStateLost)
        return;
    SetState(pause ? kStatePaused : kStateRunning);
}

std::uint32_t GameLogicBase::GetScore() const
{
    return scoreKeeper_->GetScore();
}

void GameLogicBase::SetScore(std::uint32_t score)
{
    scoreKeeper_->SetScore(score);
}

float GameLogicBase::GetElapsedTime() const
{
    return clock_->GetTime();
}

bool GameLogicBase::IsClockPaused() const
{
    return clock_->IsPaused();
}

void GameLogicBase::PauseClock(bool pause)
{
    clock_->SetPaused(pause);
}

} // namespace GameFramework

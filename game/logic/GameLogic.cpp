#include "game/logic/GameLogic.h"

#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "framework/ScoreKeeper.h"
#include "game/GameData.h"
#include "game/GameLevelRecord.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/gui/GUIGameLogicTextManager.h"
#include "game/logic/Board.h"
#include "game/logic/BonusManager.h"
#include "game/logic/CameraControl.h"
#include "game/logic/Character.h"
#include "game/logic/Environment.h"
#include "game/logic/ItemManager.h"
#include "game/logic/Tutorial.h"

namespace Tansywell {

namespace {

bool IsRelaxModeOn(const ProfileManager* profiles)
{
    const Profile* profile =
        profiles != nullptr ? dynamic_cast<const Profile*>(profiles->GetCurrentProfile()) : nullptr;
    return profile != nullptr && profile->GetFlag(Profile::kFlagRelaxMode);
}

} // namespace

GameLogic::GameLogic(OrrelayEngine::Engine* engine, const ProfileManager* profiles, GameFramework::Mixer* mixer,
                     const GameData* gameData, const GameLogicData* data, const GameFramework::StageRecord* stage,
                     const GameLevelRecord* level, std::uint32_t value, Character* character)
    : GameLogicBase(engine, mixer, stage, level, value), fileManager_(engine->GetFileManager()),
      guiManager_(engine->GetGUIManager()), profiles_(profiles), gameData_(gameData), data_(data),
      character_(character), level_(level)
{
    std::uint32_t kind = 0;
    for (std::uint32_t points : kScoringTable)
        GetScoreKeeper()->AddPointValue(kind++, points);
    relaxMode_ = IsRelaxModeOn(profiles_) ? 1 : 0;
    bonuses_ = std::make_unique<BonusManager>(engine, gameData_);
    items_ = std::make_unique<ItemManager>(engine, level_, gameData_, bonuses_.get());
    texts_ =
        std::make_unique<GUIGameLogicTextManager>(engine, gameData_ != nullptr ? gameData_->playRootWindow : nullptr);
    board_ = std::make_unique<Board>(engine, mixer, gameData_, data_, character_, GetScoreKeeper(), bonuses_.get(),
                                     items_.get(), texts_.get(), relaxMode_ != 0, level_->energyFactor);
    environment_ = std::make_unique<Environment>(engine, level_, gameData_, data_, board_.get());
    camera_ = std::make_unique<CameraControl>(engine, level_, board_.get());
    tutorial_ =
        std::make_unique<Tutorial>(engine, profiles_, gameData_, character_, camera_.get(), board_.get(), level_);
    PauseClock(false);
    hintTimer_ = 0.0f;
    if (character_ != nullptr)
        character_->SetState(Character::kStateLevel);
    camera_->StartSwingIn();
}

GameLogic::~GameLogic()
{
    // The tutorial and the scenery read the board; the board hands its items
    // back to the pool, whose items hand their bonuses back to the manager.
    tutorial_.reset();
    camera_.reset();
    environment_.reset();
    board_.reset();
    texts_.reset();
    items_.reset();
    bonuses_.reset();
}

void GameLogic::Update()
{
    GameLogicBase::Update();
    texts_->Update();
    if (GetState() != kStateRunning)
        return;

    camera_->Update();
    board_->Update();

    // With no move listed the timer keeps growing, and the hint comes in the
    // first frame in which a move exists.
    if (board_->GetDestroyedCount() == 0) {
        hintTimer_ += timers_->GetFrameTime();
        if (hintTimer_ > kHintDelay && board_->GetMoveCount() > 0) {
            hintTimer_ = 0.0f;
            board_->ShowHint(OrrelayEngine::RandomModulo(board_->GetMoveCount()));
        }
    } else {
        hintTimer_ = 0.0f;
    }

    items_->Update();
    bonuses_->Update();
    environment_->Update();
    tutorial_->Update();

    if (board_->IsWon() && !camera_->IsSwingOutRunning())
        camera_->StartSwingOut();

    // The level ends once every item destroyed at its end has flown away.
    if (items_->IsAnyItemActive())
        return;
    if (board_->IsWon())
        SetState(kStateWon);
    else if (board_->IsLost())
        SetState(kStateLost);
}

} // namespace Tansywell

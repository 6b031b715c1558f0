#include "game/logic/Tutorial.h"

#include <algorithm>
#include <string>

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/GameLevelRecord.h"
#include "game/Profile.h"
#include "game/logic/Board.h"
#include "game/logic/BoardItem.h"
#include "game/logic/Bonus.h"
#include "game/logic/CameraControl.h"
#include "game/logic/Cell.h"
#include "game/logic/Character.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

constexpr float kFullTurn = 6.2831855f;
// The camera lesson turns the board once, starting this long after it speaks.
constexpr float kTurnDelay = 2.0f;
constexpr float kCameraSwitchDelay = 2.0f;
constexpr float kCameraRestoreDelay = 4.0f;
constexpr float kCameraHold = 10.0f;
constexpr float kHiddenAlpha = 0.0001f;

constexpr char kSwapKey[] = "CHARACTER_TUTORIAL_MAKE_SWAP_";
constexpr float kSwapHolds[] = {9.0f, 9.0f, 30.0f, 30.0f, 9.0f, 9.0f, 9.0f, 4.0f};
constexpr char kCameraKey[] = "CHARACTER_TUTORIAL_CAMERA_";

// Per topic, by its active flag: the profile flag that says it is still to teach.
constexpr std::uint32_t kProfileFlags[Tutorial::kTopicCount] = {
    Profile::kFlagTutorialSwap,        Profile::kFlagTutorialDoubleMana, Profile::kFlagTutorialClosedCell,
    Profile::kFlagTutorialBlockedItem, Profile::kFlagTutorialCamera,     Profile::kFlagTutorialBonus0,
    Profile::kFlagTutorialBonus1,      Profile::kFlagTutorialBonus2};

// The cell topics' texts, by their active flag (empty for the others).
const char* const kCellTopicTexts[Tutorial::kTopicCount] = {
    "", "CHARACTER_TUTORIAL_DOUBLE_MANNA_0", "CHARACTER_TUTORIAL_CLOSED_CELL_0", "CHARACTER_TUTORIAL_WEB_ITEM_0",
    "", "CHARACTER_TUTORIAL_BONUS0_0",       "CHARACTER_TUTORIAL_BONUS1_0",      "CHARACTER_TUTORIAL_BONUS2_0"};

// The order in which topics start and run.
constexpr std::uint32_t kTopicOrder[Tutorial::kTopicCount] = {
    Tutorial::kTopicSwap,        Tutorial::kTopicCamera, Tutorial::kTopicDoubleMana, Tutorial::kTopicClosedCell,
    Tutorial::kTopicBlockedItem, Tutorial::kTopicBonus0, Tutorial::kTopicBonus1,     Tutorial::kTopicBonus2};

bool IsBonusTopic(std::uint32_t topic)
{
    return topic >= Tutorial::kTopicBonus0 && topic <= Tutorial::kTopicBonus2;
}

// The kind of the live bonus the cell's item carries, or false.
bool CarriesBonus(const Board* board, const Cell* cell, std::uint32_t& kind)
{
    const BoardItem* item = board->GetItem(cell);
    const Bonus* bonus = item != nullptr ? item->GetBonus() : nullptr;
    if (bonus == nullptr || !bonus->IsAlive())
        return false;
    kind = bonus->GetKind();
    return true;
}

} // namespace

Tutorial::Tutorial(Engine* engine, const GameFramework::ProfileManagerBase* profiles, const GameData* gameData,
                   Character* character, CameraControl* camera, const Board* board, const GameLevelRecord* level)
    : engine_(engine), timerManager_(engine->GetTimerManager()), modelManager_(engine->GetModelManager()),
      profiles_(profiles), gameData_(gameData), character_(character), camera_(camera), board_(board), level_(level)
{
    if (profiles_ != nullptr)
        profile_ = dynamic_cast<Profile*>(profiles_->GetCurrentProfile());

    tip_ = modelManager_->CreateCopy(gameData_->cellTip, nullptr, 0);
    if (tip_ == nullptr)
        return;
    tip_->SetFlags(Model::kFlagSecondGroup | Model::kFlagTwoPasses);
    tip_->ClearFlags(Model::kFlagLit | Model::kFlagVisible);
    ShaderDescriptor blended;
    if (tip_->GetShaderUser() != nullptr)
        blended = *tip_->GetShaderUser();
    blended.AddFlags(ShaderDescriptor::kFlagAlphaBlend);
    blended.SetBlendFactor(0, RenderSystem::kBlendSourceAlpha);
    blended.SetBlendFactor(1, RenderSystem::kBlendInverseSourceAlpha);
    tip_->SetShader(blended);
    tipAnimation_ = tip_->GetAnimationControl();
    if (tipAnimation_ != nullptr)
        tipAnimation_->loop = 1;
}

Tutorial::~Tutorial()
{
    modelManager_->DeleteModel(tip_);
}

bool Tutorial::IsAnyTopicActive() const
{
    return std::any_of(std::begin(active_), std::end(active_), [](std::uint8_t flag) { return flag != 0; });
}

void Tutorial::Update()
{
    // Lessons are spoken: a level without the character (tests, tools) has none.
    if (character_ == nullptr)
        return;
    if (IsAnyTopicActive())
        timer_ += timerManager_->GetFrameTime();

    for (std::uint32_t topic : kTopicOrder) {
        if (active_[topic] == 0)
            continue;
        if (topic == kTopicSwap)
            UpdateSwap();
        else if (topic == kTopicCamera)
            UpdateCamera();
        else
            UpdateCellTopic(topic);
        break;
    }

    const bool over = board_->GetClearedLayers() == board_->GetTotalLayers() || board_->GetEnergy() == 0;
    if (over) {
        // The lesson stops for this level; its profile flag stays for a later one.
        if (IsAnyTopicActive())
            HideTip();
        std::fill(std::begin(active_), std::end(active_), 0);
        return;
    }
    if (IsAnyTopicActive())
        return;
    FindTargets();
    if (!StartTopic())
        character_->SetPraiseAllowed(true);
}

void Tutorial::NextStep()
{
    ++step_;
    timer_ = 0.0f;
}

void Tutorial::ShowTip(const Cell* cell)
{
    if (tip_ == nullptr || cell == nullptr)
        return;
    tip_->SetFlags(Model::kFlagVisible);
    tip_->SetColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
    tip_->matrix = cell->GetModelMatrix();
    tip_->box.SetTransform(tip_->matrix);
    if (tipAnimation_ != nullptr)
        tipAnimation_->Play();
}

void Tutorial::HideTip()
{
    if (tip_ != nullptr)
        tip_->ClearFlags(Model::kFlagVisible);
}

float Tutorial::FadeTip(bool in)
{
    const float alpha = in ? std::min(timer_, 1.0f) : std::max(1.0f - timer_, 0.0f);
    if (tip_ != nullptr)
        tip_->SetColor(Color(1.0f, 1.0f, 1.0f, alpha));
    return alpha;
}

void Tutorial::FindTargets()
{
    for (std::uint32_t i = 0; i < board_->GetCellCount(); ++i) {
        const Cell* cell = board_->GetCellAt(i);
        if (cell->GetLayerCount() == 2)
            doubleTarget_ = cell;
        if (cell->IsBlocked())
            blockedTarget_ = cell;
        if (cell->IsClosed())
            closedTarget_ = cell;
        std::uint32_t kind = 0;
        if (CarriesBonus(board_, cell, kind) && kind < 3)
            bonusTargets_[kind] = cell;
    }
}

const Cell* Tutorial::Target(std::uint32_t topic) const
{
    switch (topic) {
    case kTopicDoubleMana:
        return doubleTarget_;
    case kTopicClosedCell:
        return closedTarget_;
    case kTopicBlockedItem:
        return blockedTarget_;
    case kTopicBonus0:
    case kTopicBonus1:
    case kTopicBonus2:
        return bonusTargets_[topic - kTopicBonus0];
    default:
        return nullptr;
    }
}

bool Tutorial::IsTargetValid(std::uint32_t topic) const
{
    const Cell* cell = Target(topic);
    if (cell == nullptr)
        return false;
    switch (topic) {
    case kTopicDoubleMana:
        return cell->GetLayerCount() == 2;
    case kTopicClosedCell:
        return cell->IsClosed();
    case kTopicBlockedItem:
        return cell->IsBlocked();
    default: {
        std::uint32_t kind = 0;
        return CarriesBonus(board_, cell, kind) && kind == topic - kTopicBonus0;
    }
    }
}

bool Tutorial::StartTopic()
{
    if (profile_ == nullptr)
        return false;
    for (std::uint32_t topic : kTopicOrder) {
        if (!profile_->GetFlag(kProfileFlags[topic]))
            continue;
        bool ready = true;
        if (topic == kTopicCamera)
            ready = level_->levelIndex != 0;
        else if (topic != kTopicSwap)
            // A target found in an earlier frame may have changed since.
            ready = IsTargetValid(topic);
        if (!ready)
            continue;
        active_[topic] = 1;
        step_ = 0;
        timer_ = 0.0f;
        spoke_ = 0;
        character_->SetPraiseAllowed(false);
        return true;
    }
    return false;
}

void Tutorial::EndTopic(std::uint32_t topic, bool taught)
{
    active_[topic] = 0;
    HideTip();
    if (!taught || profile_ == nullptr)
        return;
    profile_->SetFlag(kProfileFlags[topic], false);
    profile_->Save();
}

void Tutorial::Say(const char* prefix, std::uint32_t index, float hold)
{
    character_->Say(prefix, index, hold);
}

void Tutorial::UpdateSwap()
{
    const bool destroyed = board_->GetDestroyedCount() > 0;
    // A player who swaps before being told hears at once that it was right.
    if (destroyed && step_ < 6) {
        step_ = 6;
        timer_ = 0.0f;
        HideTip();
    }
    const bool speechOver = character_->IsSpeechHidden();
    const std::uint32_t moves = board_->GetMoveCount();
    switch (step_) {
    case 0:
    case 2:
        if (timer_ > (step_ == 0 ? kStartDelay : kPause)) {
            Say(kSwapKey, step_ / 2, kSwapHolds[step_ / 2]);
            NextStep();
        }
        break;
    case 1:
    case 3:
    case 7:
    case 9:
    case 11:
        if (step_ == 7)
            FadeTip(false);
        if (speechOver)
            NextStep();
        break;
    case 4:
        if (timer_ > kPause) {
            Say(kSwapKey, 2, kSwapHolds[2]);
            NextStep();
            if (moves >= 2)
                ShowTip(board_->GetMoveFirst(moves - 1));
        }
        break;
    case 5:
        FadeTip(true);
        if (moves < 2) {
            NextStep();
        } else if (board_->GetMoveFirst(moves - 1)->IsSelected()) {
            ShowTip(board_->GetMoveSecond(moves - 1));
            Say(kSwapKey, 3, kSwapHolds[3]);
            NextStep();
        }
        break;
    case 6:
        FadeTip(true);
        if (destroyed) {
            Say(kSwapKey, 4, kSwapHolds[4]);
            NextStep();
        }
        break;
    case 8:
    case 10:
    case 12:
        if (timer_ > kPause) {
            if (step_ == 8)
                HideTip();
            const std::uint32_t text = 5 + (step_ - 8) / 2;
            Say(kSwapKey, text, kSwapHolds[text]);
            NextStep();
        }
        break;
    case 13:
        if (speechOver)
            EndTopic(kTopicSwap, true);
        break;
    default:
        break;
    }
}

void Tutorial::UpdateCamera()
{
    const bool speechOver = character_->IsSpeechHidden();
    switch (step_) {
    case 0:
        if (timer_ > kStartDelay) {
            Say(kCameraKey, 0, kCameraHold);
            NextStep();
        }
        break;
    case 1: {
        const float angle = std::max(timer_ - kTurnDelay, 0.0f);
        if (angle > kFullTurn) {
            camera_->SetExtraAngle(0.0f);
            NextStep();
        } else {
            camera_->SetExtraAngle(angle);
        }
        break;
    }
    case 2:
    case 7:
        if (!speechOver)
            break;
        if (step_ == 7)
            EndTopic(kTopicCamera, true);
        else
            NextStep();
        break;
    case 3:
        if (timer_ > kPause) {
            Say(kCameraKey, 1, kCameraHold);
            NextStep();
        }
        break;
    case 4:
        if (timer_ > kCameraSwitchDelay)
            NextStep();
        break;
    case 5: {
        const bool tilted = camera_->GetCameraType() != CameraControl::kTypeFlat;
        rememberedCameraType_ = tilted ? CameraControl::kTypeTilted : CameraControl::kTypeFlat;
        camera_->SetCameraType(tilted ? CameraControl::kTypeFlat : CameraControl::kTypeTilted);
        NextStep();
        break;
    }
    case 6:
        if (timer_ > kCameraRestoreDelay) {
            camera_->SetCameraType(rememberedCameraType_);
            NextStep();
        }
        break;
    default:
        break;
    }
}

void Tutorial::UpdateCellTopic(std::uint32_t topic)
{
    switch (step_) {
    case 0:
        if (timer_ > (IsBonusTopic(topic) ? kBonusStartDelay : kStartDelay)) {
            NextStep();
            if (IsTargetValid(topic)) {
                character_->Say(kCellTopicTexts[topic], kCellTopicHold);
                ShowTip(Target(topic));
                spoke_ = 1;
            }
        }
        break;
    case 1:
        FadeTip(true);
        if (character_->IsSpeechHidden() || !IsTargetValid(topic))
            NextStep();
        break;
    case 2:
        if (FadeTip(false) < kHiddenAlpha)
            NextStep();
        break;
    default:
        // A lesson that was never spoken stays to be taught.
        EndTopic(topic, spoke_ != 0);
        break;
    }
}

} // namespace Tansywell

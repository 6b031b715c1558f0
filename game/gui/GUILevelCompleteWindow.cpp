#include "game/gui/GUILevelCompleteWindow.h"

#include <algorithm>
#include <cmath>

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "framework/Mixer.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/GameLevelRecord.h"
#include "game/LevelManager.h"
#include "game/gui/BigButton.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIGameLogicProgress.h"
#include "game/gui/GUIMenuWindowManager.h"
#include "game/gui/WideNumberText.h"

namespace Tansywell {

using OrrelayEngine::Color;
using OrrelayEngine::Vector2;

namespace {

const std::string kTextMana = "GAME_LOGIC_MANNA";
const std::string kTextBonus = "LEVEL_COMPLETE_ENERGY_BONUS";
const std::string kTextContinue = "CONTINUE";
const std::string kTextUpgrade = "LEVEL_COMPLETE_UPGRADE";
const Vector2 kBonusWindowPosition(278.0f, 154.0f);
const Vector2 kBonusWindowSize(243.0f, 0.0f);
constexpr std::int32_t kSecondPictureDepthOrder = 3;
constexpr float kOpaque = 1.0f - 0.0001f;
constexpr float kMoved = 0.0001f;

void StopAtFrame(GUIControl* control, float position)
{
    OrrelayEngine::Model* model = control->mainWindow->GetModel();
    OrrelayEngine::AnimationControl* animation = model != nullptr ? model->GetAnimationControl() : nullptr;
    if (animation == nullptr)
        return;
    animation->Stop();
    animation->position = position;
}

} // namespace

GUILevelCompleteWindow::GUILevelCompleteWindow(OrrelayEngine::Engine* engine, const GameData* data,
                                               GameFramework::Mixer* mixer, LevelManager* levelManager,
                                               GameFramework::ProfileManagerBase* profileManager,
                                               GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUILevelCompleteWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kFrameBig, parent),
      profileManager_(profileManager), levelManager_(levelManager)
{
    const auto& results = data->levelComplete;
    levelFrame_ =
        new GUIControl(engine, data, GUIControl::kWindow, results.frame, results.frame, nullptr, nullptr, frameWindow_);
    for (GUIControl*& picture : pictures_) {
        picture = new GUIControl(engine, data, GUIControl::kWindow, results.upgrade, data->controls.upgrade, nullptr,
                                 nullptr, frameWindow_);
        StopAtFrame(picture, 0.0f);
    }
    pictures_[1]->mainWindow->SetDepthOrder(kSecondPictureDepthOrder);
    button_ = CreateBigButton(engine, data, data->bigWindow.button[0], frameWindow_);
    manaBar_ = new GUIGameLogicProgress(engine, data, kBarSpeedPerSecond, results.manaBackground, results.mana,
                                        results.manaTextArea, frameWindow_);
    bonusWindow_ = guiManager_->CreateWindowFromModel(OrrelayEngine::GUIWindow::kFlagShown, kBonusWindowPosition,
                                                      kBonusWindowSize, nullptr, frameWindow_);
    for (GUIControl* control : {levelFrame_, pictures_[0], pictures_[1], button_, manaBar_->GetFrame()})
        controls_.push_back(control);
    SetTitleKey("LEVEL_COMPLETE_TITLE");
    manaLine_.reserve(64);
    bonusText_.reserve(16);
}

GUILevelCompleteWindow::~GUILevelCompleteWindow()
{
    guiManager_->DeleteWindow(bonusWindow_);
    delete manaBar_;
    delete button_;
    delete pictures_[0];
    delete pictures_[1];
    delete levelFrame_;
}

void GUILevelCompleteWindow::SetLevelBonus(std::uint32_t scorePotential, bool relaxMode)
{
    scorePotential_ = scorePotential;
    relaxMode_ = relaxMode;
}

void GUILevelCompleteWindow::Show(const GameFramework::LevelPosition& completed, float elapsedSeconds)
{
    GUILevelCompleteWindowBase::Show(completed, elapsedSeconds);
    RequestTitleArea();
    SetShown(true);
    // A leaving flag left from the previous level would answer at once.
    leaving_ = false;

    const std::uint32_t stage = completed.stage;
    const std::uint32_t level = completed.level;
    StopAtFrame(pictures_[0], static_cast<float>(2 * stage));
    StopAtFrame(pictures_[1], static_cast<float>(2 * stage + 1));

    const auto* record = static_cast<const GameLevelRecord*>(levelManager_->GetLevel(stage, level));
    stageTotal_ = static_cast<float>(levelManager_->GetStageValueTotal(stage));
    const float upToLevel = static_cast<float>(levelManager_->GetStageValueUpToLevel(stage, level));
    manaOwn_ = record != nullptr ? static_cast<float>(record->progressValue) : 0.0f;
    manaBefore_ = upToLevel - manaOwn_;
    lastOfStage_ = level + 1 == levelManager_->GetLevelCount(stage);

    // A stage worth nothing shows a full bar that does not move.
    if (stageTotal_ > 0.0f) {
        manaBar_->SetValue(manaBefore_ / stageTotal_);
        manaBar_->SetSpeed(manaOwn_ / stageTotal_ * kFillSpeedFactor);
    } else {
        manaBar_->SetValue(1.0f);
        manaBar_->SetSpeed(0.0f);
    }
    bonusTimer_ = 0.0f;
    bonus_ = 0;
    countedMana_ = 0;
}

void GUILevelCompleteWindow::Hide()
{
    GUILevelCompleteWindowBase::Hide();
    ReleaseTitleArea();
    SetShown(false);
    SetSound(kSoundMana, false, manaSoundOn_);
    SetSound(kSoundScore, false, scoreSoundOn_);
}

float GUILevelCompleteWindow::FinalFraction() const
{
    return stageTotal_ > 0.0f ? (manaBefore_ + manaOwn_) / stageTotal_ : 1.0f;
}

void GUILevelCompleteWindow::Update()
{
    GUILevelCompleteWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow_->IsVisible()) {
        UpdateManaBar();
        UpdateBonus();
        PrintTexts();
        if (button_->button->IsClicked())
            Leave();
        return;
    }
    if (leaving_ && manager_->IsTransitionDone()) {
        result_ = lastOfStage_ ? kResultUpgrade : kResultNextLevel;
        record_->manaTaken = false;
        record_->energyCounting = false;
        leaving_ = false;
        // The bonus is in the profile's score; quitting in the next level must not lose it.
        GameFramework::ProfileBase* profile = profileManager_->GetCurrentProfile();
        if (profile != nullptr)
            profile->Save();
    }
}

void GUILevelCompleteWindow::UpdateManaBar()
{
    float target = manaBar_->GetValue();
    if (color_.a > kOpaque) {
        record_->manaTaken = true;
        target = FinalFraction();
    }
    const float before = manaBar_->GetValue();
    manaBar_->Update(Color(1.0f, 1.0f, 1.0f, color_.a), target);
    SetSound(kSoundMana, std::fabs(manaBar_->GetValue() - before) > kMoved, manaSoundOn_);
    if (pictures_[0]->mainWindow->IsVisible())
        pictures_[0]->mainWindow->SetColor(Color(1.0f, 1.0f, 1.0f, color_.a));
    if (pictures_[1]->mainWindow->IsVisible())
        pictures_[1]->mainWindow->SetColor(Color(1.0f, 1.0f, 1.0f, (1.0f - manaBar_->GetValue()) * color_.a));

    const float share = ManaShare();
    const float counted = manaBefore_ * 10.0f + std::round(manaOwn_ * 10.0f * (share + 0.0001f));
    countedMana_ = static_cast<std::uint32_t>(std::max(counted, 0.0f));
}

float GUILevelCompleteWindow::ManaShare() const
{
    // A level worth no mana has nothing to fill: its share is complete.
    if (stageTotal_ <= 0.0f || manaOwn_ <= 0.0f)
        return 1.0f;
    return (manaBar_->GetValue() - manaBefore_ / stageTotal_) / (manaOwn_ / stageTotal_);
}

void GUILevelCompleteWindow::UpdateBonus()
{
    if (std::fabs(ManaShare() - 1.0f) > 0.0001f)
        return;
    bonusTimer_ += timerManager_->GetFrameTime();
    if (bonusTimer_ >= kBonusDelaySeconds && !record_->energyCounting) {
        record_->energyCounting = true;
        record_->storedEnergy = 0.0f;
    }
    const float fraction =
        std::min(std::max(bonusTimer_ - kBonusDelaySeconds, 0.0f) * kBonusSpeedPerSecond, record_->storedEnergy);
    const float value = relaxMode_ ? 0.0f : static_cast<float>(scorePotential_);
    const std::uint32_t bonus = static_cast<std::uint32_t>(std::max(std::round(value * fraction), 0.0f));
    const bool growing = bonus > bonus_;
    if (growing) {
        GameFramework::ProfileBase* profile = profileManager_->GetCurrentProfile();
        if (profile != nullptr)
            profile->SetTotalScore(profile->GetTotalScore() + (bonus - bonus_));
        bonus_ = bonus;
    }
    SetSound(kSoundScore, growing, scoreSoundOn_);
}

void GUILevelCompleteWindow::PrintTexts()
{
    manaLine_.clear();
    manaLine_.append(textManager_->GetText(kTextMana));
    manaLine_.append(L" (");
    AppendUnsignedWide(manaLine_, countedMana_);
    manaLine_.append(L" / ");
    AppendUnsignedWide(manaLine_, static_cast<std::uint32_t>(stageTotal_) * 10);
    manaLine_.push_back(L')');
    manaBar_->GetTextWindow()->PrintText(3, 2, Vector2(), color_, manaLine_);

    const Color bonusColour(1.0f, 1.0f, 1.0f, std::clamp(2.0f * (bonusTimer_ - kBonusDelaySeconds), 0.0f, 1.0f));
    bonusWindow_->PrintTextKey(4, 2, Vector2(), bonusColour, kTextBonus);
    bonusText_.clear();
    AppendUnsignedWide(bonusText_, bonus_);
    bonusWindow_->PrintText(8, 4, Vector2(), bonusColour, bonusText_);
    button_->button->PrintTextKey(3, 1, Vector2(), color_, lastOfStage_ ? kTextUpgrade : kTextContinue);
}

void GUILevelCompleteWindow::Leave()
{
    SetShown(false);
    ReleaseTitleArea();
    if (lastOfStage_) {
        manager_->UpdateReachedPlaces();
        manager_->ShowUpgradeScene();
        manager_->StartPlaceAppearance();
    } else {
        manager_->ShowBackground();
    }
    manaBar_->SetValue(FinalFraction());
    bonusTimer_ = kFinishedBonusSeconds;
    leaving_ = true;
}

void GUILevelCompleteWindow::SetSound(std::uint32_t soundId, bool on, bool& state)
{
    if (on == state || mixer_ == nullptr) {
        state = on;
        return;
    }
    if (on)
        mixer_->PlaySound(soundId);
    else
        mixer_->StopSound(soundId);
    state = on;
}

} // namespace Tansywell

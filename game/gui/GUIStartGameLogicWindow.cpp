#include "game/gui/GUIStartGameLogicWindow.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMapElement.h"
#include "game/gui/GUIMenuWindowManager.h"
#include "game/gui/StageMapFile.h"
#include "tools/GUIDoubleClickDetecter.h"

namespace Tansywell {

using GameFramework::LevelPosition;

namespace {

constexpr float kEpsilon = 0.0001f;
constexpr std::uint32_t kOpenerRestart = 6;
constexpr std::uint32_t kOpenerContinue = 7;
constexpr std::uint32_t kOpenerNextLevel = 8;
constexpr std::uint32_t kOpenerNextStage = 9;
constexpr std::uint32_t kTextAlign = 3;
constexpr std::uint32_t kTextFont = 1;
// The reveal: each piece fades over this time, the next one starts this much
// later, and the fade-out pass follows the fade-in by this much.
constexpr float kRevealFadeSeconds = 0.3f;
constexpr float kRevealStepSeconds = 0.15f;
constexpr float kRevealOutDelaySeconds = 0.6f;
// The blinking restarts this long after the fade-out pass has reached the place.
constexpr float kRevealRestartSeconds = 1.0f;

// Built once: keys built per frame would allocate.
const std::string kBackKey("BACK");
const std::string kStartKey("START_GAME_START");
const std::string kContinueKey("START_GAME_CONTINUE");

bool Before(const LevelPosition& a, const LevelPosition& b)
{
    return a.stage < b.stage || (a.stage == b.stage && a.level < b.level);
}

LevelPosition PositionOf(const GUIMapElement& element)
{
    return LevelPosition{element.GetStage(), element.GetLevel()};
}

} // namespace

GUIStartGameLogicWindow::GUIStartGameLogicWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                                 const GameData* data, GUIMenuWindowManager* manager,
                                                 GameFramework::LevelManagerBase* levels,
                                                 GameFramework::ProfileManagerBase* profiles,
                                                 OrrelayEngine::GUIWindow* parent)
    : GUIStartGameLogicWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kFrameStartGame, parent),
      levels_(levels), profiles_(profiles), fileManager_(engine->GetFileManager()), log_(engine->GetMessageManager())
{
    // Read before anything is made, so that a fatal map leaves nothing behind.
    std::vector<StageMapFile::Element> map;
    try {
        map = StageMapFile::Read(fileManager_);
    } catch (const OrrelayEngine::FileError& error) {
        log_->LogFatal(error.GetMessage());
    }
    const GameData::ButtonLook& look = data->controls.buttonSmall;
    backButton_ = new GUIControl(engine, data, GUIControl::kButton, data->startGame.button[0], look.look,
                                 look.selectionArea, look.textArea, frameWindow_);
    startButton_ = new GUIControl(engine, data, GUIControl::kButton, data->startGame.button[1], look.look,
                                  look.selectionArea, look.textArea, frameWindow_);
    controls_.push_back(backButton_);
    controls_.push_back(startButton_);
    SetTitleKey("START_GAME_TITLE");
    detecter_ = std::make_unique<GameTools::GUIDoubleClickDetecter>(engine);
    stageCount_ = levels != nullptr ? levels->GetStageCount() : 0;

    for (const StageMapFile::Element& element : map) {
        elements_.push_back(std::make_unique<GUIMapElement>(engine, data, detecter_.get(), element.kind, element.matrix,
                                                            element.stage, element.level, frameWindow_));
    }
}

GUIStartGameLogicWindow::~GUIStartGameLogicWindow()
{
    elements_.clear();
    delete backButton_;
    delete startButton_;
}

GameFramework::ProfileBase* GUIStartGameLogicWindow::CurrentProfile() const
{
    return profiles_ != nullptr ? profiles_->GetCurrentProfile() : nullptr;
}

std::size_t GUIStartGameLogicWindow::ElementAtOrBefore(const LevelPosition& position) const
{
    std::size_t found = 0;
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        if (Before(position, PositionOf(*elements_[i]))) {
            break;
        }
        found = i;
    }
    return found;
}

std::size_t GUIStartGameLogicWindow::FirstOfStage(std::uint32_t stage) const
{
    return ElementAtOrBefore(LevelPosition{stage, 0});
}

LevelPosition GUIStartGameLogicWindow::ReachedPosition() const
{
    const GameFramework::ProfileBase* profile = CurrentProfile();
    const LevelPosition reached = profile != nullptr ? profile->GetFurthestPosition() : LevelPosition{};
    // A position the map does not have (a damaged profile) is its last place.
    return elements_.empty() ? reached : PositionOf(*elements_[ElementAtOrBefore(reached)]);
}

void GUIStartGameLogicWindow::MarkAll()
{
    for (const std::unique_ptr<GUIMapElement>& element : elements_) {
        element->Mark();
    }
}

void GUIStartGameLogicWindow::Select(std::uint32_t stage, std::uint32_t level)
{
    if (elements_.empty()) {
        manager_->UpdateReachedPlaces();
        return;
    }
    const LevelPosition reached = ReachedPosition();
    LevelPosition chosen{stage, level};
    if (chosen.stage > reached.stage) {
        chosen = reached;
    } else if (chosen.stage == reached.stage && chosen.level > reached.level) {
        chosen.level = reached.level;
    }
    chosen = PositionOf(*elements_[ElementAtOrBefore(chosen)]);

    for (const std::unique_ptr<GUIMapElement>& element : elements_) {
        if (element->GetKind() == StageMapFile::kPath) {
            element->SetCheckPointVariant(false);
        }
        element->SetVisible(false);
    }
    GameFramework::ProfileBase* profile = CurrentProfile();
    const std::size_t reachedIndex = ElementAtOrBefore(reached);
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        GUIMapElement& element = *elements_[i];
        const LevelPosition at = PositionOf(element);
        if (Before(at, chosen)) {
            element.SetState(GUIMapElement::kStatePassed);
        } else if (at == chosen) {
            element.SetState(GUIMapElement::kStateChosen);
            if (element.GetKind() == StageMapFile::kPath) {
                element.SetCheckPointVariant(true);
            }
            if (profile != nullptr) {
                profile->SetCurrentPosition(chosen);
                profile->Save();
            }
        } else {
            element.SetState(GUIMapElement::kStateAhead);
        }
        element.SetVisible(true);
        if (i == reachedIndex || (advance_ && element.GetStage() + 1 == reached.stage)) {
            break;
        }
    }
    manager_->UpdateReachedPlaces();
}

void GUIStartGameLogicWindow::Show(std::uint32_t opener)
{
    GUIStartGameLogicWindowBase::Show(opener);
    if (opener == kOpenerRestart || opener == kOpenerNextLevel) {
        return;
    }
    const GameFramework::ProfileBase* profile = CurrentProfile();
    if (opener == kOpenerContinue) {
        if (profile != nullptr && profile->IsGameUnderWay()) {
            return;
        }
        opener_ = 0;
    }
    SetShown(true);
    if (!advance_) {
        const LevelPosition chosen = profile != nullptr ? profile->GetCurrentPosition() : LevelPosition{};
        Select(chosen.stage, chosen.level);
    } else {
        const LevelPosition reached = ReachedPosition();
        Select(reached.stage, reached.level);
        MarkAll();
    }
    for (const std::unique_ptr<GUIMapElement>& element : elements_) {
        element->SetAlpha(0.0f);
    }
    if (opener == kOpenerNextLevel || opener == kOpenerNextStage) {
        MarkAll();
    }
    revealRunning_ = true;
    revealTimer_ = 0.0f;
}

void GUIStartGameLogicWindow::Hide()
{
    GUIStartGameLogicWindowBase::Hide();
    SetShown(false);
}

void GUIStartGameLogicWindow::PrintButtonTexts()
{
    const OrrelayEngine::Vector2 origin;
    backButton_->mainWindow->PrintTextKey(kTextAlign, kTextFont, origin, color_, kBackKey);
    const bool onwards = opener_ == kOpenerNextLevel || opener_ == kOpenerNextStage;
    startButton_->mainWindow->PrintTextKey(kTextAlign, kTextFont, origin, color_, onwards ? kContinueKey : kStartKey);
}

void GUIStartGameLogicWindow::WalkElements()
{
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        GUIMapElement& element = *elements_[i];
        if (!element.IsVisible() || element.GetState() == GUIMapElement::kStateLocked ||
            element.GetState() == GUIMapElement::kStateHighlighted) {
            break;
        }
        element.Highlight(i == 0 || !elements_[i - 1]->IsHighlighted());
        if (element.IsClicked()) {
            Select(element.GetStage(), element.GetLevel());
            break;
        }
    }
    for (const std::unique_ptr<GUIMapElement>& element : elements_) {
        if (element->IsVisible() && element->IsDoubleClicked()) {
            SetResult(kResultStart);
        }
    }
}

void GUIStartGameLogicWindow::Update()
{
    GUIStartGameLogicWindowBase::Update();
    if (opener_ == kOpenerRestart || opener_ == kOpenerContinue || opener_ == kOpenerNextLevel) {
        // Straight on to the level: the map is never drawn.
        SetResult(kResultStart);
        opener_ = 0;
        return;
    }
    const float before = color_.a;
    GUIMenuWindow::Update();
    const bool fullyShown = before > 1.0f - kEpsilon && color_.a > 1.0f - kEpsilon;
    if (frameWindow_->IsVisible()) {
        if (backButton_->button->IsClicked()) {
            SetResult(kResultBack);
        }
        if (startButton_->button->IsClicked()) {
            SetResult(kResultStart);
        }
        PrintButtonTexts();
        detecter_->Update();
    }
    if (!fullyShown) {
        for (const std::unique_ptr<GUIMapElement>& element : elements_) {
            element->SetAlpha(color_.a);
        }
    } else {
        WalkElements();
    }
    if (revealRunning_) {
        Reveal(timerManager_->GetFrameTime());
    }
}

void GUIStartGameLogicWindow::Reveal(float frameSeconds)
{
    revealTimer_ += frameSeconds;
    if (elements_.empty()) {
        return;
    }
    const LevelPosition reached = ReachedPosition();
    const std::size_t first = FirstOfStage(reached.stage);
    const std::size_t start = advance_ ? first : std::min<std::size_t>(first + reached.level, elements_.size() - 1);
    RevealPass(start, revealTimer_, true);
    if (!advance_) {
        RevealPass(start, revealTimer_ - kRevealOutDelaySeconds, false);
    }
}

void GUIStartGameLogicWindow::RevealPass(std::size_t start, float t, bool fadeIn)
{
    if (t < 0.0f) {
        return;
    }
    for (std::size_t j = start + 1; j < elements_.size(); ++j) {
        GUIMapElement& element = *elements_[j];
        const bool path = element.GetKind() == StageMapFile::kPath;
        if (!element.IsVisible()) {
            element.SetVisible(true);
            if (advance_) {
                element.SetState(path ? GUIMapElement::kStatePassed : GUIMapElement::kStateChosen);
            } else {
                element.SetState(GUIMapElement::kStateLocked);
            }
        }
        float alpha = fadeIn ? 1.0f : 0.0f;
        if (t <= kRevealFadeSeconds) {
            alpha = fadeIn ? t / kRevealFadeSeconds : 1.0f - t / kRevealFadeSeconds;
        }
        element.SetAlpha(alpha);
        t -= kRevealStepSeconds;
        if (j + 1 == elements_.size() || !path) {
            if (advance_) {
                advance_ = false;
                Select(element.GetStage(), 0);
                MarkAll();
                revealTimer_ = 0.0f;
            } else if (!fadeIn && t > kRevealRestartSeconds) {
                // The path to the next place blinks.
                revealTimer_ = 0.0f;
            }
            return;
        }
        if (t < kEpsilon) {
            return;
        }
    }
}

} // namespace Tansywell

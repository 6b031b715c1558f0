#include "game/gui/GUIGameLogicWindow.h"

#include <algorithm>
#include <cmath>

#include "engine/core/BoundingBox.h"
#include "engine/core/Config.h"
#include "engine/core/ConfigValues.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/LevelRecord.h"
#include "game/GameData.h"
#include "game/gui/GUICollectionOfManaEffect.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIGameLogicProgress.h"
#include "game/gui/HudCamera.h"
#include "game/gui/WideNumberText.h"
#include "game/logic/Board.h"
#include "game/logic/CameraControl.h"
#include "game/logic/GameLogic.h"

namespace Tansywell {

using OrrelayEngine::Color;
using OrrelayEngine::GUIWindow;
using OrrelayEngine::Vector2;

namespace {

// Made once: the frame passes them by reference and must not allocate.
const std::string kWindowChangeModeCommand = "v_window_change_mode";
const std::string kShowStatisticsVariable = "d_show_statistics";
const std::string kKeySpace = "SPACE";
const std::string kKeyPause = "P";
const std::string kKeyEscape = "ESCAPE";
const std::string kTextMenu = "GAME_LOGIC_MENU";
const std::string kText2D = "GAME_LOGIC_2D";
const std::string kText3D = "GAME_LOGIC_3D";
const std::string kTextLevel = "GAME_LOGIC_LEVEL";
const std::string kTextScore = "GAME_LOGIC_SCORE";
const std::string kTextMana = "GAME_LOGIC_MANNA";
const std::string kTextEnergy = "GAME_LOGIC_ENERGY";
const std::string kTextStatistics[3] = {"FPS", "MODELS_COUNT", "TRIANGLES_COUNT"};
const float kStatisticsLineY[3] = {512.0f, 497.0f, 481.0f};
constexpr float kStatisticsX = 8.0f;
constexpr float kQuarterTurn = 1.5707964f;
constexpr float kVisibleAlpha = 0.0001f;
constexpr float kBlendFlat = 0.0001f;
constexpr float kManaMoved = 0.0001f;
constexpr float kEmitterOffset = 5.0f;
constexpr float kNoDistance = 10000.0f;
constexpr std::uint32_t kAlignCentred = 3;
constexpr std::uint32_t kAlignLeftCentred = 6;
constexpr std::uint32_t kAlignRightCentred = 10;
constexpr std::uint32_t kFontCaption = 1;
constexpr std::uint32_t kFontBar = 2;
constexpr std::uint32_t kFontField = 6;

} // namespace

GUIGameLogicWindow::GUIGameLogicWindow(OrrelayEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                                       const GameData* data)
    : GUIGameLogicWindowBase(engine, profileManager), timerManager_(engine->GetTimerManager()),
      modelManager_(engine->GetModelManager()), particleSystemManager_(engine->GetParticleSystemManager()),
      guiManager_(engine->GetGUIManager()), controls_(engine->GetControls()), data_(data)
{
    const Vector2 screen(guiManager_->GetScreenWidth(), guiManager_->GetScreenHeight());
    const Vector2 unit(1.0f, 1.0f);
    root_ = guiManager_->CreateWindowFromModel(0, Vector2(), screen, nullptr, data->playRootWindow);
    child_ = guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown, Vector2(), screen, nullptr, root_);
    controlWindow_ = guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown, Vector2(), screen, nullptr, child_);
    overlay_ =
        guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown, Vector2(), screen, nullptr, data->playRootWindow);
    overlay_->SetDepthOrder(kOverlayDepthOrder);
    background_ =
        guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown, Vector2(), unit, data->gameLogic.background, child_);

    const auto& looks = data->controls;
    const auto& hud = data->gameLogic;
    menu_ = MakeControl(GUIControl::kButton, hud.menuButton, looks.buttonSmall.look, looks.buttonSmall.selectionArea,
                        looks.buttonSmall.textArea);
    view_ = MakeControl(GUIControl::kButton, hud.modeButton, looks.buttonGameLogicMode.look,
                        looks.buttonGameLogicMode.selectionArea, looks.buttonGameLogicMode.textArea);
    minimize_ = MakeControl(GUIControl::kButton, hud.minimizeButton, looks.buttonGameLogicMinimize.look,
                            looks.buttonGameLogicMinimize.selectionArea, looks.buttonGameLogicMinimize.textArea);
    toWindow_ = MakeControl(GUIControl::kCheckBox, hud.maximizeWindowButton, looks.buttonGameLogicMaximize.look,
                            looks.buttonGameLogicMaximize.selectionArea, looks.buttonGameLogicMaximize.textArea);
    toFullscreen_ = MakeControl(GUIControl::kCheckBox, hud.maximizeFullscreenButton, looks.buttonGameLogicMaximize.look,
                                looks.buttonGameLogicMaximize.selectionArea, looks.buttonGameLogicMaximize.textArea);
    close_ = MakeControl(GUIControl::kButton, hud.closeButton, looks.buttonGameLogicClose.look,
                         looks.buttonGameLogicClose.selectionArea, looks.buttonGameLogicClose.textArea);
    levelField_ = MakeControl(GUIControl::kWindow, hud.levelName, hud.levelName, nullptr, hud.levelNameTextArea);
    scoreField_ = MakeControl(GUIControl::kWindow, hud.score, hud.score, nullptr, hud.scoreTextArea);

    const auto makeCaption = [this](const OrrelayEngine::Model* area) {
        const Vector2 size = GUIControl::ModelSize(area);
        const Vector2 centre = GUIControl::ModelPosition(area);
        return guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown,
                                                  Vector2(centre.x - 0.5f * size.x, centre.y - 0.5f * size.y), size,
                                                  nullptr, controlWindow_);
    };
    levelCaption_ = makeCaption(hud.levelNameTitleTextArea);
    scoreCaption_ = makeCaption(hud.scoreTitleTextArea);

    manaBar_ = std::make_unique<GUIGameLogicProgress>(engine, data, kBarSpeedPerSecond, hud.manaBackground, hud.mana,
                                                      hud.manaTextArea, controlWindow_);
    energyBar_ = std::make_unique<GUIGameLogicProgress>(engine, data, kBarSpeedPerSecond, hud.energyBackground,
                                                        hud.energy, hud.energyTextArea, controlWindow_);
    animated_ = {menu_, view_, minimize_, close_, levelField_, scoreField_, manaBar_->GetFrame()};

    manaParticles_ = particleSystemManager_->CreateCopy(data->manaProgress);
    OrrelayEngine::Model* particleModel = manaParticles_->GetModel();
    particleModel->SetFlags(OrrelayEngine::Model::kFlagFixedDepth);
    particleModel->depth = controlWindow_->GetDepth() - kParticleDepthInFront;
    manaParticles_->elapsedTime = 0.0f;
    manaParticles_->repeat = 1;
    manaParticles_->emitting = 0;
    manaParticles_->SetVisible(true);

    levelText_.reserve(32);
    scoreText_.reserve(16);
    for (std::wstring& line : statistics_)
        line.reserve(64);
}

GUIGameLogicWindow::~GUIGameLogicWindow()
{
    manaEffects_.clear();
    particleSystemManager_->DeleteParticleSystem(manaParticles_);
    manaBar_.reset();
    energyBar_.reset();
    for (GUIControl* control : {menu_, view_, minimize_, toWindow_, toFullscreen_, close_, levelField_, scoreField_})
        delete control;
    for (GUIWindow* window : {levelCaption_, scoreCaption_, background_, controlWindow_, child_, root_, overlay_})
        guiManager_->DeleteWindow(window);
}

GUIControl* GUIGameLogicWindow::MakeControl(std::uint32_t kind, const OrrelayEngine::Model* layout,
                                            const OrrelayEngine::Model* look, const OrrelayEngine::Model* selectionArea,
                                            const OrrelayEngine::Model* textArea)
{
    return new GUIControl(engine_, data_, kind, layout, look, selectionArea, textArea, controlWindow_);
}

void GUIGameLogicWindow::Show(GameFramework::GameLogicBase* gameLogic)
{
    GUIGameLogicWindowBase::Show(gameLogic);
    root_->SetFlags(GUIWindow::kFlagShown);
    logic_ = dynamic_cast<GameLogic*>(gameLogic);
    board_ = logic_ != nullptr ? logic_->GetBoard() : nullptr;
    camera_ = logic_ != nullptr ? logic_->GetCameraControl() : nullptr;
    shown_ = true;
    for (GUIControl* control : animated_)
        control->PlayOpen();

    // A full screen offers the way to a window, a window the way back; the
    // box of another mode that was shown before goes away.
    GUIControl* box = IsFullscreen() ? toWindow_ : toFullscreen_;
    if (windowMode_ != nullptr && windowMode_ != box) {
        windowMode_->PlayClose();
        windowMode_->color.a = 0.0f;
        windowMode_->Update();
    }
    windowMode_ = box;
    windowMode_->PlayOpen();
    windowMode_->checkBox->SetChecked(IsFullscreen());

    const bool relax = IsRelaxMode();
    if (!relax)
        energyBar_->GetFrame()->PlayOpen();
    colour_.a = 0.0f;
    manaBar_->SetValue(ClearedFraction());
    if (relax) {
        energyBar_->Hide();
        energyBar_->GetFrame()->mainWindow->ClearFlags(GUIWindow::kFlagShown);
    } else {
        energyBar_->SetValue(EnergyFraction());
    }
    manaBar_->SetSpeed(kBarSpeedPerSecond);
    energyBar_->SetSpeed(kBarSpeedPerSecond);
    for (HistoryEntry& entry : history_)
        entry = HistoryEntry();
    historyIndex_ = 0;
    historyTime_ = 0.0f;
    manaTarget_ = ClearedFraction();
    SetFlag(true);
}

void GUIGameLogicWindow::Hide()
{
    GUIGameLogicWindowBase::Hide();
    shown_ = false;
    logic_ = nullptr;
    board_ = nullptr;
    camera_ = nullptr;
}

void GUIGameLogicWindow::SetActive(bool active)
{
    SetFlag(active);
}

void GUIGameLogicWindow::SetFlag(bool enabled)
{
    GUIGameLogicWindowBase::SetActive(enabled);
    menu_->button->SetEnabled(enabled);
    view_->button->SetEnabled(enabled);
    close_->button->SetEnabled(enabled);
}

bool GUIGameLogicWindow::IsRelaxMode() const
{
    return logic_ != nullptr && logic_->IsRelaxMode();
}

float GUIGameLogicWindow::ClearedFraction() const
{
    if (board_ == nullptr)
        return 0.0f;
    // A board without layers has nothing left to clear.
    if (board_->GetTotalLayers() == 0)
        return 1.0f;
    return static_cast<float>(board_->GetClearedLayers()) / static_cast<float>(board_->GetTotalLayers());
}

float GUIGameLogicWindow::EnergyFraction() const
{
    if (board_ == nullptr || board_->GetStartingEnergy() == 0)
        return 0.0f;
    return static_cast<float>(board_->GetEnergy()) / static_cast<float>(board_->GetStartingEnergy());
}

bool GUIGameLogicWindow::AnyControlAnimating() const
{
    for (const GUIControl* control : animated_) {
        if (control->IsAnimating())
            return true;
    }
    return toWindow_->IsAnimating() || toFullscreen_->IsAnimating() || energyBar_->GetFrame()->IsAnimating();
}

bool GUIGameLogicWindow::AnyControlVisible() const
{
    for (const GUIControl* control : animated_) {
        if (control->IsShown())
            return true;
    }
    return toWindow_->IsShown() || toFullscreen_->IsShown() || energyBar_->GetFrame()->IsShown();
}

void GUIGameLogicWindow::UpdateControls()
{
    for (GUIControl* control : animated_) {
        control->color = colour_;
        control->Update();
    }
    if (windowMode_ != nullptr) {
        windowMode_->color = colour_;
        windowMode_->Update();
    }
    if (!IsRelaxMode()) {
        energyBar_->GetFrame()->color = colour_;
        energyBar_->GetFrame()->Update();
    }
}

void GUIGameLogicWindow::CloseControls()
{
    for (GUIControl* control : animated_)
        control->PlayClose();
    if (windowMode_ != nullptr)
        windowMode_->PlayClose();
    if (!IsRelaxMode())
        energyBar_->GetFrame()->PlayClose();
}

void GUIGameLogicWindow::Update()
{
    GUIGameLogicWindowBase::Update();
    if (!config_->IsCommandIdle(kWindowChangeModeCommand) && windowMode_ != nullptr)
        windowMode_->checkBox->SetChecked(IsFullscreen());

    const float frameSeconds = timerManager_->GetFrameTime();
    if (shown_ && !AnyControlAnimating())
        colour_.a = std::min(colour_.a + kFadeInPerSecond * frameSeconds, 1.0f);
    const bool visibleBefore = AnyControlVisible();
    UpdateControls();
    if (!shown_) {
        const float before = colour_.a;
        colour_.a = std::max(colour_.a - kFadeOutPerSecond * frameSeconds, 0.0f);
        if (before >= kVisibleAlpha && colour_.a < kVisibleAlpha)
            CloseControls();
        if (visibleBefore && !AnyControlVisible())
            root_->ClearFlags(GUIWindow::kFlagShown);
    }
    if (!root_->IsVisible())
        return;

    UpdateManaTarget();
    UpdateBars(UpdateEnergyTarget());
    PlaceManaEmitter();
    HandleButtons();
    PrintTexts();
    PrintStatistics();
    StartManaFlights();
    for (const std::unique_ptr<GUICollectionOfManaEffect>& effect : manaEffects_)
        effect->Update();
    SetResults();
}

void GUIGameLogicWindow::UpdateManaTarget()
{
    if (logic_ != nullptr && logic_->GetState() == GameFramework::GameLogicBase::kStateWon) {
        if (!record_->manaTaken) {
            manaBar_->SetValue(1.0f);
            manaBar_->SetSpeed(kWonManaSpeedPerSecond);
            manaTarget_ = 1.0f;
        } else {
            manaTarget_ = 0.0f;
        }
        return;
    }
    historyTime_ += timerManager_->GetFrameTime();
    if (historyTime_ > history_[historyIndex_].seconds + kHistoryStepSeconds) {
        historyIndex_ = (historyIndex_ + 1) % kHistorySize;
        history_[historyIndex_].seconds = historyTime_;
        history_[historyIndex_].fraction = ClearedFraction();
    }
    const float wanted = historyTime_ - kManaDelaySeconds;
    float nearest = kNoDistance;
    for (const HistoryEntry& entry : history_) {
        const float distance = std::fabs(entry.seconds - wanted);
        if (distance < nearest) {
            nearest = distance;
            manaTarget_ = entry.fraction;
        }
    }
}

float GUIGameLogicWindow::UpdateEnergyTarget()
{
    if (logic_ != nullptr && logic_->GetState() == GameFramework::GameLogicBase::kStateWon && record_->energyCounting) {
        energyBar_->SetSpeed(kEnergyCountSpeedPerSecond);
        if (record_->storedEnergy < 0.0001f)
            record_->storedEnergy = energyBar_->GetValue();
        return 0.0f;
    }
    return EnergyFraction();
}

void GUIGameLogicWindow::UpdateBars(float energyTarget)
{
    const float manaBefore = manaBar_->GetValue();
    manaBar_->Update(colour_, manaTarget_);
    energyBar_->Update(colour_, energyTarget);
    manaParticles_->emitting = std::fabs(manaBar_->GetValue() - manaBefore) > kManaMoved ? 1 : 0;
}

void GUIGameLogicWindow::PlaceManaEmitter()
{
    const OrrelayEngine::BoundingBox& bar = manaBar_->GetBarBox();
    OrrelayEngine::BoundingBox& emitter = manaParticles_->emitterBox;
    const OrrelayEngine::Vector3 size(emitter.localMax.x - emitter.localMin.x, emitter.localMax.y - emitter.localMin.y,
                                      emitter.localMax.z - emitter.localMin.z);
    const OrrelayEngine::Vector3 lower(bar.centre.x + kEmitterOffset,
                                       bar.centre.y + 2.0f * bar.halfSize.y + kEmitterOffset, emitter.localMin.z);
    emitter.Set(lower, OrrelayEngine::Vector3(lower.x + size.x, lower.y + size.y, lower.z + size.z));
    manaParticles_->emitterShape = OrrelayEngine::ParticleSystem::kShapeBox;
}

bool GUIGameLogicWindow::IsViewThreeDimensional() const
{
    if (camera_ == nullptr)
        return true;
    const std::uint32_t state = camera_->GetCameraState();
    if (state == HudCamera::kStateFlat)
        return false;
    return !(state == HudCamera::kStateMoving && std::fabs(camera_->GetCameraBlend()) <= kBlendFlat);
}

const char* GUIGameLogicWindow::GetViewCaptionKey() const
{
    return IsViewThreeDimensional() ? kText2D.c_str() : kText3D.c_str();
}

void GUIGameLogicWindow::HandleButtons()
{
    if (view_->button->IsClicked() && camera_ != nullptr)
        camera_->SetCameraType(!IsViewThreeDimensional());
    if (minimize_->button->IsClicked())
        MinimizeWindow();
    if (windowMode_ != nullptr && windowMode_->checkBox->IsClicked()) {
        // The box is checked exactly in full screen.
        fullscreen_ = windowMode_->checkBox->IsChecked() ? 1 : 0;
        videoSettings_->fullscreen = fullscreen_;
        config_->Save();
        config_->SetCommandIdle(kWindowChangeModeCommand, false);
    }
}

void GUIGameLogicWindow::PrintTexts()
{
    const Vector2 origin;
    menu_->button->PrintTextKey(kAlignCentred, kFontCaption, origin, colour_, kTextMenu);
    view_->button->PrintTextKey(kAlignCentred, kFontCaption, origin, colour_,
                                IsViewThreeDimensional() ? kText2D : kText3D);
    levelCaption_->PrintTextKey(kAlignLeftCentred, kFontCaption, origin, colour_, kTextLevel);
    levelText_.clear();
    if (logic_ != nullptr && logic_->GetLevel() != nullptr) {
        AppendUnsignedWide(levelText_, logic_->GetLevel()->stageIndex + 1);
        levelText_.push_back(L'-');
        AppendUnsignedWide(levelText_, logic_->GetLevel()->levelIndex + 1);
    }
    levelField_->mainWindow->PrintText(kAlignRightCentred, kFontField, origin, colour_, levelText_);
    scoreCaption_->PrintTextKey(kAlignLeftCentred, kFontCaption, origin, colour_, kTextScore);
    scoreText_.clear();
    AppendUnsignedWide(scoreText_, GetTotalScore());
    scoreField_->mainWindow->PrintText(kAlignRightCentred, kFontField, origin, colour_, scoreText_);
    manaBar_->GetTextWindow()->PrintTextKey(kAlignCentred, kFontBar, origin, colour_, kTextMana, -1, kQuarterTurn);
    energyBar_->GetTextWindow()->PrintTextKey(kAlignCentred, kFontBar, origin, colour_, kTextEnergy, -1, kQuarterTurn);
}

void GUIGameLogicWindow::PrintStatistics()
{
    // A boolean's text is one character: reading it allocates nothing.
    if (config_->GetValue(kShowStatisticsVariable) != "1")
        return;
    const OrrelayEngine::ModelManager::Statistics& drawn = modelManager_->GetStatistics();
    const std::uint32_t values[3] = {timerManager_->GetFramesPerSecond(), drawn.drawnModels, drawn.drawnTriangles};
    OrrelayEngine::GUITextManager* texts = guiManager_->GetTextManager();
    for (std::uint32_t line = 0; line < 3; ++line) {
        std::wstring& text = statistics_[line];
        text.clear();
        text.append(texts->GetText(kTextStatistics[line]));
        text.append(L": ");
        AppendUnsignedWide(text, values[line]);
        overlay_->PrintText(0, 0, Vector2(kStatisticsX, kStatisticsLineY[line]), Color(1.0f, 1.0f, 1.0f, 1.0f), text);
    }
}

void GUIGameLogicWindow::StartManaFlights()
{
    if (!IsActive() || board_ == nullptr)
        return;
    for (const Vector2& point : board_->GetLayerPositions()) {
        GUICollectionOfManaEffect* free = nullptr;
        for (const std::unique_ptr<GUICollectionOfManaEffect>& effect : manaEffects_) {
            if (effect->IsFree()) {
                free = effect.get();
                break;
            }
        }
        if (free == nullptr) {
            manaEffects_.push_back(
                std::make_unique<GUICollectionOfManaEffect>(engine_, data_, manaBar_.get(), controlWindow_));
            free = manaEffects_.back().get();
        }
        free->Start(point);
    }
}

void GUIGameLogicWindow::SetResults()
{
    if (!IsActive())
        return;
    if (close_->button->IsClicked())
        result_ = kResultQuit;
    if (controls_->WasKeyPressed(kKeySpace) || controls_->WasKeyPressed(kKeyPause))
        result_ = kResultPause;
    if (controls_->WasKeyPressed(kKeyEscape) || menu_->button->IsClicked())
        result_ = kResultMenu;
}

} // namespace Tansywell

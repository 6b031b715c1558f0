#include "game/gui/GUIContinueGameLogicWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/gui/BigButton.h"
#include "game/gui/GUIControl.h"
#include "game/gui/WideNumberText.h"

namespace Tansywell {

using OrrelayEngine::Vector2;

namespace {

const std::string kTextLine = "CONTINUE_GAME_LOGIC_TEXT_";
const std::string kTextLevel = "CONTINUE_GAME_LOGIC_LEVEL";
const std::string kTextScore = "CONTINUE_GAME_LOGIC_SCORE";
const std::string kTextContinue = "CONTINUE_GAME_LOGIC_CONTINUE_GAME";
const std::string kTextNewGame = "CONTINUE_GAME_LOGIC_NEW_GAME";
const std::string kTextCancel = "CANCEL";
const Vector2 kLabelColumn(294.0f, 0.0f);
const Vector2 kValueColumn(505.0f, 0.0f);
// The question starts a whole line below the score's, whose glyphs would
// otherwise touch its first line.
constexpr float kFirstLineY = 215.0f;
constexpr float kLineStepY = 23.0f;
constexpr float kLevelY = 276.0f;
constexpr float kScoreY = 253.0f;

} // namespace

GUIContinueGameLogicWindow::GUIContinueGameLogicWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                                       const GameData* data,
                                                       GameFramework::ProfileManagerBase* profileManager,
                                                       GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIContinueGameLogicWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kFrameBig, parent),
      profileManager_(profileManager),
      continue_(CreateBigButton(engine, data, data->bigWindow.button[2], frameWindow_)),
      newGame_(CreateBigButton(engine, data, data->bigWindow.button[1], frameWindow_)),
      cancel_(CreateBigButton(engine, data, data->bigWindow.button[0], frameWindow_)),
      labels_(guiManager_->CreateWindowFromModel(OrrelayEngine::GUIWindow::kFlagShown, kLabelColumn, Vector2(), nullptr,
                                                 frameWindow_)),
      values_(guiManager_->CreateWindowFromModel(OrrelayEngine::GUIWindow::kFlagShown, kValueColumn, Vector2(), nullptr,
                                                 frameWindow_))
{
    for (GUIControl* control : {continue_, newGame_, cancel_})
        controls_.push_back(control);
    SetTitleKey("CONTINUE_GAME_LOGIC_TITLE");
    line_.reserve(64);
}

GUIContinueGameLogicWindow::~GUIContinueGameLogicWindow()
{
    guiManager_->DeleteWindow(labels_);
    guiManager_->DeleteWindow(values_);
    delete continue_;
    delete newGame_;
    delete cancel_;
}

void GUIContinueGameLogicWindow::Show()
{
    GUIContinueGameLogicWindowBase::Show();
    SetShown(true);
    // The game under way: where the profile stands and what it has scored.
    const GameFramework::ProfileBase* profile = profileManager_->GetCurrentProfile();
    score_ = profile != nullptr ? profile->GetTotalScore() : 0;
    position_ = profile != nullptr ? profile->GetCurrentPosition() : GameFramework::LevelPosition();
}

void GUIContinueGameLogicWindow::Hide()
{
    GUIContinueGameLogicWindowBase::Hide();
    SetShown(false);
}

void GUIContinueGameLogicWindow::Update()
{
    GUIContinueGameLogicWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    if (continue_->button->IsClicked())
        result_ = kResultContinue;
    if (newGame_->button->IsClicked())
        result_ = kResultNewGame;
    if (cancel_->button->IsClicked())
        result_ = kResultCancel;
    PrintTexts();
}

void GUIContinueGameLogicWindow::PrintTexts()
{
    for (std::int32_t n = 0; n < 3; ++n) {
        frameWindow_->PrintTextKey(1, 2, Vector2(0.0f, kFirstLineY - kLineStepY * static_cast<float>(n)), color_,
                                   kTextLine, n);
    }
    line_.clear();
    line_.append(textManager_->GetText(kTextLevel));
    line_.push_back(L':');
    labels_->PrintText(4, 2, Vector2(0.0f, kLevelY), color_, line_);
    line_.clear();
    line_.append(textManager_->GetText(kTextScore));
    line_.push_back(L':');
    labels_->PrintText(4, 2, Vector2(0.0f, kScoreY), color_, line_);

    line_.clear();
    AppendUnsignedWide(line_, position_.stage + 1);
    line_.push_back(L'-');
    AppendUnsignedWide(line_, position_.level + 1);
    values_->PrintText(8, 4, Vector2(0.0f, kLevelY), color_, line_);
    line_.clear();
    AppendUnsignedWide(line_, score_);
    values_->PrintText(8, 4, Vector2(0.0f, kScoreY), color_, line_);

    continue_->button->PrintTextKey(3, 1, Vector2(), color_, kTextContinue);
    newGame_->button->PrintTextKey(3, 1, Vector2(), color_, kTextNewGame);
    cancel_->button->PrintTextKey(3, 1, Vector2(), color_, kTextCancel);
}

} // namespace Tansywell

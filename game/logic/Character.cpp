#include "game/logic/Character.h"

#include <algorithm>

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "framework/LevelManagerBase.h"
#include "framework/Mixer.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "tools/GUITextPrinter.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

constexpr std::uint32_t kFaceFrameCount = 256;
// Body ranges: id, first frame, last frame (a first above the last plays backwards).
constexpr std::uint32_t kBodyRanges[][3] = {{0, 0, 47},    {2, 47, 49},   {1, 49, 96},   {3, 97, 144},
                                            {5, 144, 146}, {4, 146, 192}, {6, 194, 252}, {7, 252, 194}};
constexpr std::uint32_t kFaceRanges[][2] = {{0, 10},    {10, 16},   {16, 27},  {27, 49},  {49, 57},
                                            {57, 64},   {64, 71},   {71, 79},  {79, 115}, {115, 145},
                                            {145, 181}, {181, 218}, {218, 255}};
// The first line window of each bubble: bubble b holds b + 1 lines.
constexpr std::uint32_t kFirstLine[Character::kBubbleCount] = {0, 1, 3, 6};
constexpr std::uint32_t kMenuDepthOrder = 20;
constexpr std::uint32_t kPlayDepthOrder = 1;
constexpr float kShortHold = 1.2f;
constexpr float kUpgradeHold = 4.0f;
constexpr float kHiddenAlpha = 0.0001f;
// A bubble stops widening once it is this much wider than its widest line.
constexpr float kBubbleMargin = 75.0f;
// Lines stand this many times the line font's height apart.
constexpr float kLineSpacing = 1.3f;
constexpr float kGuiWidth = 800.0f;
constexpr float kGuiHeight = 600.0f;

// Room for the game's text keys and lines; a longer one grows its buffer once.
constexpr std::size_t kKeyCapacity = 64;
constexpr std::size_t kLineCapacity = 64;

void AppendDecimal(std::string& text, std::uint32_t number)
{
    char digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    while (count > 0)
        text.push_back(digits[--count]);
}

Vector2 BoxCorner(const Model* model)
{
    return model != nullptr ? Vector2(model->box.localMin.x, model->box.localMin.y) : Vector2();
}

Vector2 BoxSize(const Model* model)
{
    return model != nullptr
               ? Vector2(model->box.localMax.x - model->box.localMin.x, model->box.localMax.y - model->box.localMin.y)
               : Vector2();
}

} // namespace

Character::Character(Engine* engine, const GameFramework::LevelManagerBase* levels,
                     const GameFramework::ProfileManagerBase* profiles, GameFramework::Mixer* mixer,
                     const GameData* gameData, GUIWindow* menuBackground)
    : engine_(engine), log_(engine->GetMessageManager()), timerManager_(engine->GetTimerManager()),
      controls_(engine->GetControls()), guiManager_(engine->GetGUIManager()),
      textManager_(guiManager_->GetTextManager()), fontManager_(guiManager_->GetFontManager()), levels_(levels),
      profiles_(profiles), mixer_(mixer), gameData_(gameData), menuBackground_(menuBackground)
{
    // The models are authored where they appear on the screen, so the windows
    // take their places from the models and leave the models where they are.
    root_ = guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown, Vector2(), Vector2(kGuiWidth, kGuiHeight),
                                               nullptr, gameData_->playChildWindow);
    root_->SetDepthOrder(kPlayDepthOrder);

    const Vector2 figureCorner = BoxCorner(gameData_->character);
    figure_ = guiManager_->CreateWindowFromModel(GUIWindow::kFlagColoredVertices, figureCorner,
                                                 BoxSize(gameData_->character), gameData_->character, root_);
    figure_->SetPlacesModel(false);
    figureModel_ = figure_->GetModel();
    if (figureModel_ != nullptr) {
        if (gameData_->characterTexture != nullptr)
            figureModel_->SetShader(*gameData_->characterTexture);
        figureTexture_ = figureModel_->GetShaderUser();
        body_ = figureModel_->GetAnimationControl();
    }
    if (body_ != nullptr) {
        for (const auto& range : kBodyRanges)
            body_->AddAnimation(range[0], range[1], range[2]);
    }
    face_ = std::make_unique<AnimationControl>(log_, timerManager_, kFaceFrameCount);
    for (std::uint32_t id = 0; id < std::size(kFaceRanges); ++id)
        face_->AddAnimation(id, kFaceRanges[id][0], kFaceRanges[id][1]);
    SetAnimationSpeed(kFramesPerSecond);
    textKey_.reserve(kKeyCapacity);
    lookupKey_.reserve(kKeyCapacity);
    for (std::wstring& text : lineTexts_)
        text.reserve(kLineCapacity);

    for (std::uint32_t b = 0; b < kBubbleCount; ++b) {
        const Model* source = gameData_->characterText[b];
        const Vector2 corner = BoxCorner(source);
        bubbles_[b] = guiManager_->CreateWindowFromModel(GUIWindow::kFlagColoredVertices,
                                                         Vector2(corner.x - figureCorner.x, corner.y - figureCorner.y),
                                                         BoxSize(source), source, figure_);
        bubbles_[b]->SetPlacesModel(false);
        if (Model* model = bubbles_[b]->GetModel())
            bubbleAnimations_[b] = model->GetAnimationControl();
        if (bubbleAnimations_[b] != nullptr) {
            bubbleAnimations_[b]->speed = kBubbleFramesPerSecond;
            bubbleAnimations_[b]->loop = 0;
        }
        // The lines share the bubble's height, the first at the top, until
        // Say lays them out for its speech.
        const Vector2 size = BoxSize(source);
        const float lineHeight = size.y / static_cast<float>(b + 1);
        for (std::uint32_t i = 0; i <= b; ++i) {
            const std::uint32_t line = kFirstLine[b] + i;
            lines_[line] = guiManager_->CreateWindowFromModel(
                GUIWindow::kFlagShown, Vector2(0.0f, size.y - lineHeight * static_cast<float>(i + 1)),
                Vector2(size.x, lineHeight), nullptr, bubbles_[b]);
            printers_[line] = std::make_unique<GameTools::GUITextPrinter>(
                engine_, lines_[line], GUIFontManager::kAlignCentreX | GUIFontManager::kAlignCentreY, kTypingSpeed,
                kLineFont, Vector2(), Color(1.0f, 1.0f, 1.0f, 1.0f));
            printers_[line]->Reserve(kLineCapacity);
        }
    }
}

Character::~Character()
{
    for (auto& printer : printers_)
        printer.reset();
    for (GUIWindow* line : lines_)
        guiManager_->DeleteWindow(line);
    for (GUIWindow* bubble : bubbles_)
        guiManager_->DeleteWindow(bubble);
    guiManager_->DeleteWindow(figure_);
    guiManager_->DeleteWindow(root_);
}

void Character::AttachRoot(bool menus)
{
    // Without the menu background's window the figure stays on the play screen.
    if (menus && menuBackground_ != nullptr) {
        root_->SetParent(menuBackground_);
        root_->SetDepthOrder(kMenuDepthOrder);
    } else {
        root_->SetParent(gameData_->playChildWindow);
        root_->SetDepthOrder(kPlayDepthOrder);
    }
}

void Character::PlayBody(std::uint32_t id, bool loop)
{
    if (body_ == nullptr)
        return;
    body_->SetAnimation(id);
    body_->loop = loop ? 1 : 0;
    body_->Play();
}

void Character::PlayFace(std::uint32_t id, bool loop)
{
    face_->SetAnimation(id);
    face_->loop = loop ? 1 : 0;
    face_->Play();
}

bool Character::IsBodyStopped(std::uint32_t id) const
{
    return body_ != nullptr && body_->currentId == id && body_->playing == 0;
}

bool Character::IsFaceStopped(std::uint32_t id) const
{
    return face_->currentId == id && face_->playing == 0;
}

void Character::SetAnimationSpeed(float framesPerSecond)
{
    if (body_ != nullptr)
        body_->speed = framesPerSecond;
    face_->speed = framesPerSecond;
}

void Character::SetState(std::int32_t state)
{
    state_ = state;
    greetingPending_ = 0;
    leavePending_ = 0;
    levelEndPending_ = 0;
    upgrade_ = 0;
    AttachRoot(state == kStateMenus || state == kStateUpgrade);
    figure_->SetFlags(GUIWindow::kFlagShown);
    PlayBody(state == kStateMenus ? kBodyMenuComeIn : kBodyComeIn, false);
    PlayFace(kFaceMoving, true);
    SetAnimationSpeed(kMovingFramesPerSecond);
}

void Character::StartUpgrade()
{
    upgradePending_ = 1;
    upgradeTimer_ = 0.0f;
    upgrade_ = 1;
    state_ = kStateUpgrade;
}

void Character::RequestPraise(std::uint32_t level)
{
    if (praiseAllowed_ == 0)
        return;
    praiseRequested_ = 1;
    praiseLevel_ = level;
}

void Character::SayLevelEnd()
{
    levelEndPending_ = 1;
    levelEndTimer_ = 0.0f;
    state_ = kStateMenus;
    Say("CHARACTER_LEVEL_END", kShortHold);
    AttachRoot(true);
}

void Character::Dismiss()
{
    praiseRequested_ = 0;
    leavePending_ = 1;
    leaveFacePlayed_ = 0;
    leaveTimer_ = state_ == kStateMenus || state_ == kStateUpgrade ? kAtOnce : 0.0f;
}

void Character::Hide()
{
    praiseRequested_ = 0;
    leavePending_ = 0;
    figure_->ClearFlags(GUIWindow::kFlagShown);
}

bool Character::IsSpeechHidden() const
{
    return std::none_of(std::begin(bubbles_), std::end(bubbles_),
                        [](const GUIWindow* bubble) { return bubble->IsVisible(); });
}

bool Character::IsWindowVisible() const
{
    return figure_->IsVisible();
}

const std::wstring& Character::Text(const std::string& key, const char* suffix, std::int32_t number)
{
    lookupKey_ = key;
    lookupKey_ += suffix;
    return textManager_->GetText(lookupKey_, number);
}

void Character::Say(std::string_view key, float hold)
{
    textKey_.assign(key);
    SayKey(hold);
}

void Character::Say(std::string_view prefix, std::uint32_t number, float hold)
{
    textKey_.assign(prefix);
    AppendDecimal(textKey_, number);
    SayKey(hold);
}

void Character::SayKey(float hold)
{
    const std::string& key = textKey_;
    hold_ = hold;
    bubbleTimer_ = 0.0f;
    fadeInTimer_ = 0.0f;
    // Non-numeric counts as one line; there are bubbles for four at most.
    const std::int32_t size = WideStringToInt(Text(key, "_SIZE", GUITextManager::kNoNumber));
    const std::uint32_t count = static_cast<std::uint32_t>(std::clamp<std::int32_t>(size, 1, kBubbleCount));
    for (std::uint32_t i = 0; i < kBubbleCount; ++i) {
        if (i < count)
            lineTexts_[i] = Text(key, "_", static_cast<std::int32_t>(i));
        else
            lineTexts_[i].clear();
    }

    const std::uint32_t shown = count - 1;
    LayOutLines(shown, count);
    for (std::uint32_t b = 0; b < kBubbleCount; ++b) {
        for (std::uint32_t i = 0; i <= b; ++i)
            printers_[kFirstLine[b] + i]->Clear();
        if (b != shown)
            bubbles_[b]->ClearFlags(GUIWindow::kFlagShown);
    }
    bubbles_[shown]->SetFlags(GUIWindow::kFlagShown);
    bubbles_[shown]->SetColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
    if (AnimationControl* animation = bubbleAnimations_[shown]) {
        animation->SetAnimation(AnimationControl::kAllFrames);
        animation->loop = 0;
        animation->Play();
    }
    printers_[kFirstLine[shown]]->SetText(lineTexts_[0]);
    lineTexts_[0].clear();
}

void Character::LayOutLines(std::uint32_t bubble, std::uint32_t count)
{
    // Every line of the speech counts, not only those typed so far, so that
    // the bubble stops wide enough for a longer line further down.
    widestLine_ = 0.0f;
    if (const GUIFont* font = fontManager_->FindFont(kMeasureFont)) {
        for (std::uint32_t i = 0; i < count; ++i) {
            Vector2 extent;
            font->MeasureText(extent, lineTexts_[i], 0.0f, -1.0f);
            widestLine_ = std::max(widestLine_, extent.x);
        }
    }
    // The lines are centred in the width the bubble stops at (its model's
    // box is centred on it), so they stand still while it widens; a line too
    // long for the widest frame is centred in that.
    float width = widestLine_ + kBubbleMargin;
    if (const Model* model = bubbles_[bubble]->GetModel()) {
        const std::vector<BoundingBox>& frames = model->GetFrameBoxes();
        if (!frames.empty())
            width = std::min(width, 2.0f * frames.back().halfSize.x);
    }
    // One block of lines a little more than the line font's height apart,
    // centred in the bubble's height.
    const float height = bubbles_[bubble]->GetSize().y;
    const float lines = static_cast<float>(bubble + 1);
    const GUIFont* lineFont = fontManager_->FindFont(kLineFont);
    const float pitch =
        lineFont != nullptr ? std::min(lineFont->GetSize() * kLineSpacing, height / lines) : height / lines;
    const float top = 0.5f * (height + pitch * lines);
    for (std::uint32_t i = 0; i <= bubble; ++i) {
        GUIWindow* line = lines_[kFirstLine[bubble] + i];
        line->SetPosition(Vector2(0.0f, top - pitch * static_cast<float>(i + 1)));
        line->SetSize(Vector2(width, pitch));
    }
}

std::uint32_t Character::ShownBubble() const
{
    for (std::uint32_t b = 0; b < kBubbleCount; ++b) {
        if ((bubbles_[b]->GetFlags() & GUIWindow::kFlagShown) != 0)
            return b;
    }
    return kBubbleCount;
}

void Character::HideBubble(std::uint32_t bubble)
{
    bubbles_[bubble]->ClearFlags(GUIWindow::kFlagShown);
    for (std::uint32_t i = 0; i <= bubble; ++i)
        printers_[kFirstLine[bubble] + i]->Clear();
    for (std::wstring& text : lineTexts_)
        text.clear();
}

bool Character::WasSkipKeyPressed() const
{
    if (!controls_->AnyKeyPressed())
        return false;
    for (const std::string& name : Controls::GetKeyNames()) {
        if (name != "PRINTSCRN" && controls_->WasKeyPressed(name))
            return true;
    }
    return false;
}

void Character::UpdateBubbles()
{
    const std::uint32_t bubble = ShownBubble();
    if (bubble == kBubbleCount)
        return;
    const float dt = timerManager_->GetFrameTime();
    const std::uint32_t first = kFirstLine[bubble];
    bool typing = false;
    for (std::uint32_t i = 0; i <= bubble; ++i) {
        GameTools::GUITextPrinter& printer = *printers_[first + i];
        // Each line starts once the line above it has been typed: an empty
        // printer above whose line is still waiting has typed nothing yet.
        if (i > 0 && !lineTexts_[i].empty() && lineTexts_[i - 1].empty() && printers_[first + i - 1]->IsDone()) {
            printer.SetText(lineTexts_[i]);
            lineTexts_[i].clear();
        }
        printer.Update();
        typing = typing || !printer.IsDone() || !lineTexts_[i].empty();
    }

    if (state_ == kStateUpgrade && WasSkipKeyPressed())
        bubbleTimer_ = kAtOnce;

    float alpha = 0.0f;
    if (typing && bubbleTimer_ < kAtOnce) {
        fadeInTimer_ += dt;
        alpha = std::min(1.0f, 2.0f * fadeInTimer_);
    } else {
        if (bubbleTimer_ < kAtOnce)
            bubbleTimer_ += dt;
        alpha = std::clamp(1.0f - 2.0f * (bubbleTimer_ - hold_), 0.0f, 1.0f);
    }
    const Color colour(1.0f, 1.0f, 1.0f, alpha);
    bubbles_[bubble]->SetColor(colour);
    for (std::uint32_t i = 0; i <= bubble; ++i)
        printers_[first + i]->SetColor(colour);

    if (alpha < kHiddenAlpha) {
        HideBubble(bubble);
        if (state_ == kStateUpgrade)
            Dismiss();
        return;
    }

    // The bubble widens through its animation until its lines fit.
    const Model* model = bubbles_[bubble]->GetModel();
    AnimationControl* animation = bubbleAnimations_[bubble];
    if (model == nullptr || animation == nullptr || animation->playing == 0)
        return;
    const float width = 2.0f * model->box.halfSize.x;
    if (width > widestLine_ + kBubbleMargin) {
        animation->Pause();
        // It stops up to a frame's widening past the width the lines were
        // laid out in: they move to its middle.
        for (std::uint32_t i = 0; i <= bubble; ++i) {
            GUIWindow* line = lines_[first + i];
            line->SetSize(Vector2(width, line->GetSize().y));
        }
    }
}

void Character::SayGreeting()
{
    if (state_ == kStateLevel) {
        Say("CHARACTER_LEVEL_BEGIN", kShortHold);
        return;
    }
    if (state_ != kStateUpgrade)
        return;
    // The stage just completed: the profile has moved on to the next one,
    // except after the last level of all.
    std::int32_t stage = 0;
    const GameFramework::ProfileBase* profile = profiles_ != nullptr ? profiles_->GetCurrentProfile() : nullptr;
    if (profile != nullptr) {
        const GameFramework::LevelPosition& position = profile->GetCurrentPosition();
        stage = static_cast<std::int32_t>(position.stage);
        if ((levels_ == nullptr || !levels_->IsLastLevel(position)) && stage > 0)
            --stage;
    }
    Say("CHARACTER_UPGRADE_", static_cast<std::uint32_t>(stage), kUpgradeHold);
}

void Character::UpdateTurn(std::uint8_t& pending, float& timer, std::uint32_t body, float dt)
{
    if (pending == 0)
        return;
    timer += dt;
    if (timer < kTurnDelay)
        return;
    face_->loop = 0;
    if (face_->playing != 0)
        return;
    pending = 0;
    PlayBody(body, false);
    PlayFace(kFaceLeaving, false);
    SetAnimationSpeed(kMovingFramesPerSecond);
}

void Character::UpdateLeaving(float dt)
{
    if (leavePending_ == 0)
        return;
    if (leaveTimer_ < kAtOnce)
        leaveTimer_ += dt;
    if (leaveTimer_ < kTurnDelay)
        return;
    face_->loop = 0;
    if (face_->playing != 0)
        return;
    // On the menus the character waves before it goes.
    if (state_ == kStateMenus && leaveFacePlayed_ == 0) {
        leaveFacePlayed_ = 1;
        PlayFace(kFacePraiseBest, false);
        return;
    }
    leavePending_ = 0;
    PlayBody(state_ == kStateMenus ? kBodyMenuLeave : kBodyLeave, false);
    PlayFace(kFaceLeaving, false);
    SetAnimationSpeed(kMovingFramesPerSecond);
}

void Character::UpdateFaceAfterComingIn(float dt)
{
    if (IsFaceStopped(kFaceArrived)) {
        if (state_ == kStateMenus) {
            PlayFace(kFaceMenuFirst, false);
            facePauseTimer_ = 0.0f;
            return;
        }
        if (upgrade_ != 0) {
            PlayFace(kFacePraiseBest, false);
            PlaySound(kFirstPraiseSound + praiseCounter_ % kPraiseSoundCount);
        } else {
            PlayFace(kFaceNeutral, true);
        }
        greetingPending_ = 1;
        greetingTimer_ = 0.0f;
    } else if (IsFaceStopped(kFaceMenuFirst)) {
        facePauseTimer_ += dt;
        if (facePauseTimer_ > kFacePause)
            PlayFace(kFaceMenuSecond, false);
    } else if (IsFaceStopped(kFaceMenuSecond)) {
        PlayFace(kFaceNeutral, true);
    }
}

void Character::UpdatePraise()
{
    if (praiseRequested_ == 0 || body_ == nullptr || body_->currentId != kBodyStand ||
        face_->currentId != kFaceNeutral) {
        return;
    }
    // The neutral face is hurried to its end before the praise face.
    if (face_->playing != 0) {
        if (face_->loop != 0) {
            face_->loop = 0;
            face_->speed *= 2.0f;
        }
        return;
    }
    static constexpr std::uint32_t kPraiseFaces[] = {kFacePraiseGood, kFacePraiseGreat, kFacePraiseBest,
                                                     kFacePraiseBest};
    const std::uint32_t level = std::min<std::uint32_t>(praiseLevel_, 3);
    PlayFace(kPraiseFaces[level], false);
    face_->speed = kFramesPerSecond;
    Say("CHARACTER_PRAISE_", level, kShortHold);
    PlaySound(kFirstPraiseSound + praiseCounter_ % kPraiseSoundCount);
    ++praiseCounter_;
    praiseRequested_ = 0;
}

void Character::PlaySound(std::uint32_t soundId)
{
    if (mixer_ != nullptr)
        mixer_->PlaySound(soundId);
}

void Character::Update()
{
    if (!IsWindowVisible())
        return;
    const float dt = timerManager_->GetFrameTime();

    if (greetingPending_ != 0) {
        greetingTimer_ += dt;
        if (greetingTimer_ >= kGreetingDelay) {
            greetingPending_ = 0;
            SayGreeting();
        }
    }
    UpdateTurn(levelEndPending_, levelEndTimer_, kBodyTurn, dt);
    UpdateTurn(upgradePending_, upgradeTimer_, kBodyTurnBack, dt);
    UpdateLeaving(dt);

    if (IsBodyStopped(kBodyComeIn) || IsBodyStopped(kBodyTurnBack)) {
        PlayBody(kBodyStand, true);
        PlayFace(kFaceArrived, false);
        SetAnimationSpeed(kFramesPerSecond);
    } else if (IsBodyStopped(kBodyMenuComeIn) || IsBodyStopped(kBodyTurn)) {
        PlayBody(kBodyMenuStand, true);
        PlayFace(kFaceArrived, false);
        SetAnimationSpeed(kFramesPerSecond);
    }

    UpdateFaceAfterComingIn(dt);

    if (body_ != nullptr && (body_->currentId == kBodyLeave || body_->currentId == kBodyMenuLeave)) {
        if (face_->playing == 0 && face_->currentId != kFaceMoving)
            PlayFace(kFaceMoving, true);
        if (body_->playing == 0)
            figure_->ClearFlags(GUIWindow::kFlagShown);
    }

    UpdatePraise();

    if (IsFaceStopped(kFacePraiseGood) || IsFaceStopped(kFacePraiseGreat) || IsFaceStopped(kFacePraiseBest))
        PlayFace(kFaceNeutral, true);

    face_->Update();
    if (figureTexture_ != nullptr)
        figureTexture_->SetFramePosition(0, static_cast<float>(face_->currentFrame));
    UpdateBubbles();
}

} // namespace Tansywell

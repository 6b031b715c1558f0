#include "game/gui/GUIBackgroundWindow.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Engine.h"
#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/LanguageInfo.h"
#include "framework/LevelManagerBase.h"
#include "framework/Mixer.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "tools/GUITextPrinter.h"

namespace Tansywell {

using OrrelayEngine::AnimationControl;
using OrrelayEngine::Color;
using OrrelayEngine::FileTextual;
using OrrelayEngine::GUIWindow;
using OrrelayEngine::Vector2;

namespace {

constexpr float kEpsilon = 0.0001f;
constexpr float kFadePerSecond = 2.0f;
constexpr std::uint32_t kPrinterAlign = 3;
constexpr std::uint32_t kPrinterFont = 1;
constexpr float kAppearanceSlowdown = 0.5f;
constexpr float kAppearanceDelaySeconds = 0.8f;
constexpr float kFullEmissionArea = 160000.0f;
constexpr float kNoBound = 100000.0f;
// Keeps the count (one more than the stage) within an i32.
constexpr std::uint32_t kMaxReachedPlaces = 0x7FFFFFFE;

// Window flags: shown with coloured vertices; hidden with coloured vertices.
constexpr std::uint32_t kFlagsScene = GUIWindow::kFlagShown | GUIWindow::kFlagColoredVertices;
constexpr std::uint32_t kFlagsOverlay = GUIWindow::kFlagColoredVertices;
constexpr std::uint32_t kFlagsTopLevel = GUIWindow::kFlagShown | GUIWindow::kFlagLayerLow;

// Depth orders inside the scene window.
constexpr std::int32_t kDepthFrame = 1;
constexpr std::int32_t kDepthLogo = 2;
constexpr std::int32_t kDepthAdditionalLogo = 3;
constexpr std::int32_t kDepthMenuParent = 4;
constexpr std::int32_t kDepthTextMount = 15;
constexpr std::int32_t kDepthText = 16;
constexpr std::int32_t kDepthTextArea = 17;
constexpr std::int32_t kDepthTitleMount = 18;
constexpr std::int32_t kDepthTitle = 19;

constexpr std::uint32_t kBlendSourceAlpha = 4;
constexpr std::uint32_t kBlendInverseSourceAlpha = 5;

const char kBackgroundModelFolder[] = "ui\\menus\\background\\models\\";
const char kOverlayFolder[] = "ui\\menus\\models\\background\\";
const char kTextureFolder[] = "data\\ui\\menus\\textures\\";
const char kLoadingKey[] = "LOADING";

const Color kWhite(1, 1, 1, 1);
const Color kClear(1, 1, 1, 0);

float Clamp01(float value)
{
    return std::min(std::max(value, 0.0f), 1.0f);
}

float AlphaOf(const GUIWindow* window)
{
    Color colour;
    window->GetColor(colour);
    return colour.a;
}

bool IsPlaying(const GUIWindow* window)
{
    const AnimationControl* animation = GUIControl::AnimationOf(window);
    return animation != nullptr && animation->playing != 0;
}

float AnimationPosition(const GUIWindow* window)
{
    const AnimationControl* animation = GUIControl::AnimationOf(window);
    return animation != nullptr ? animation->position : 0.0f;
}

void PlayAnimation(GUIWindow* window)
{
    if (AnimationControl* animation = GUIControl::AnimationOf(window)) {
        animation->Play();
    }
}

void SetAnimationSpeed(GUIWindow* window, float framesPerSecond)
{
    if (AnimationControl* animation = GUIControl::AnimationOf(window)) {
        animation->speed = framesPerSecond;
    }
}

std::string ReadRequiredWord(FileTextual& file)
{
    std::string word;
    if (!file.ReadWord(word)) {
        throw OrrelayEngine::FileError("Incorrect \"" + std::string(GUIBackgroundWindow::kSettingsFileName) +
                                       "\" file format");
    }
    return word;
}

} // namespace

std::vector<GUIBackgroundWindow::Entry> GUIBackgroundWindow::ReadSettings(OrrelayEngine::FileManager* fileManager)
{
    std::unique_ptr<FileTextual> file =
        fileManager->OpenTextFile(kSettingsFileName, FileTextual::kModeRead, FileTextual::kEncoding8Bit);
    const std::int32_t count = OrrelayEngine::StringToInt(ReadRequiredWord(*file), 10);
    if (count < 0) {
        throw OrrelayEngine::FileError("Incorrect \"" + std::string(kSettingsFileName) + "\" file format");
    }
    // Entries are read before they are kept, so a huge count costs nothing
    // until the file runs out.
    std::vector<Entry> entries;
    for (std::int32_t i = 0; i < count; ++i) {
        Entry entry;
        entry.name = ReadRequiredWord(*file);
        entry.startUp = OrrelayEngine::StringToInt(ReadRequiredWord(*file), 10) > 0;
        entry.placeThreshold = OrrelayEngine::StringToInt(ReadRequiredWord(*file), 10);
        entries.push_back(entry);
    }
    return entries;
}

std::int32_t GUIBackgroundWindow::ReadTitleCount(OrrelayEngine::FileManager* fileManager,
                                                 const std::string& languageCode)
{
    std::unique_ptr<FileTextual> file =
        fileManager->OpenTextFile(std::string("data\\") + kOverlayFolder + "title_" + languageCode + ".ini",
                                  FileTextual::kModeRead, FileTextual::kEncoding8Bit);
    return std::min(std::max(file->ReadInt(), 0), kMaxTitleCount);
}

GUIBackgroundWindow::GUIBackgroundWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                         GameFramework::LevelManagerBase* levelManager,
                                         GameFramework::ProfileManagerBase* profileManager,
                                         const GameFramework::LanguageInfo& language)
    : engine_(engine), fileManager_(engine->GetFileManager()), timerManager_(engine->GetTimerManager()),
      guiManager_(engine->GetGUIManager()), modelManager_(engine->GetModelManager()),
      particleManager_(engine->GetParticleSystemManager()), mixer_(mixer), levelManager_(levelManager),
      profileManager_(profileManager)
{
    sceneRoot_ = guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown, Vector2(), Vector2(), nullptr, nullptr);
    sceneWindow_ = guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown, Vector2(), Vector2(), nullptr, sceneRoot_);
    menuParent_ =
        guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown, Vector2(), Vector2(), nullptr, sceneWindow_);
    menuParent_->SetDepthOrder(kDepthMenuParent);
    topWindow_ = guiManager_->CreateWindowFromModel(kFlagsTopLevel, Vector2(), Vector2(), nullptr, nullptr);

    CreateStartUpWindows();
    sceneWindow_->SetDepthOrder(themedWindows_.back()->GetDepthOrder() + 1);
    CreateOverlayWindows(language.code);
    CreateTextArea();

    textPrinter_ = std::make_unique<GameTools::GUITextPrinter>(engine, textAreaWindow_, kPrinterAlign, kPrinterSpeed,
                                                               kPrinterFont, Vector2(), kWhite);
    for (GUIWindow* title : titleWindows_) {
        title->SetColor(kClear);
    }
    UpdateReachedPlaces();
}

void GUIBackgroundWindow::CreateStartUpWindows()
{
    const std::vector<Entry> entries = ReadSettings(fileManager_);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].startUp) {
            continue;
        }
        GUIWindow* window = guiManager_->CreateWindowFromFile(
            kFlagsScene, Vector2(), Vector2(1, 1), kBackgroundModelFolder + entries[i].name + ".mlf", sceneRoot_);
        window->SetDepthOrder(static_cast<std::int32_t>(i) + 1);
        MakeBlended(window);
        themedWindows_.push_back(window);
    }
    if (themedWindows_.empty()) {
        throw OrrelayEngine::FileError("Background have no thematic models");
    }
}

GUIWindow* GUIBackgroundWindow::CreateOverlay(const std::string& fileName)
{
    return guiManager_->CreateWindowFromFile(kFlagsOverlay, Vector2(), Vector2(1, 1), kOverlayFolder + fileName,
                                             sceneWindow_);
}

void GUIBackgroundWindow::CreateOverlayWindows(const std::string& languageCode)
{
    frameWindow_ = CreateOverlay("frame.mlf");
    logoWindow_ = CreateOverlay("logo.mlf");
    for (int i = 0; i < 2; ++i) {
        const std::string picture = std::string(kTextureFolder) + "publisher_" + std::to_string(i) + "_logo_small";
        if (fileManager_->Exists(picture + ".jpg") && fileManager_->Exists(picture + "_alpha.jpg")) {
            additionalLogos_[i] = CreateOverlay("logo_additional_" + std::to_string(i) + ".mlf");
            additionalLogos_[i]->SetDepthOrder(kDepthAdditionalLogo);
        }
    }
    const std::int32_t titleCount = ReadTitleCount(fileManager_, languageCode);
    for (std::int32_t k = 0; k < titleCount; ++k) {
        titleWindows_.push_back(CreateOverlay("title_" + languageCode + "_" + std::to_string(k) + ".mlf"));
        titleWindows_.back()->SetDepthOrder(kDepthTitle);
    }
    textAppearWindow_ = CreateOverlay("text_appear.mlf");
    textWindow_ = CreateOverlay("text.mlf");
    titleMountWindow_ = CreateOverlay("mount_title.mlf");
    textMountWindow_ = CreateOverlay("mount_text.mlf");

    frameWindow_->SetDepthOrder(kDepthFrame);
    logoWindow_->SetDepthOrder(kDepthLogo);
    textMountWindow_->SetDepthOrder(kDepthTextMount);
    textAppearWindow_->SetDepthOrder(kDepthText);
    textWindow_->SetDepthOrder(kDepthText);
    titleMountWindow_->SetDepthOrder(kDepthTitleMount);
    for (GUIWindow* window :
         {frameWindow_, logoWindow_, textMountWindow_, textAppearWindow_, textWindow_, titleMountWindow_}) {
        SetAnimationSpeed(window, kIntroAnimationSpeed);
    }

    overlayWindows_ = {frameWindow_, logoWindow_};
    for (GUIWindow* logo : additionalLogos_) {
        if (logo != nullptr) {
            overlayWindows_.push_back(logo);
        }
    }
    overlayWindows_.push_back(titleMountWindow_);
    overlayWindows_.push_back(textMountWindow_);
    overlayWindows_.insert(overlayWindows_.end(), titleWindows_.begin(), titleWindows_.end());
}

void GUIBackgroundWindow::CreateTextArea()
{
    // Only the template's bounds are used: the text is printed on a bare window.
    std::unique_ptr<OrrelayEngine::Model> area(
        modelManager_->LoadModelTemplate(std::string(kOverlayFolder) + "text_area.mlf", nullptr, 0));
    const Vector2 corner(area->box.worldMin.x, area->box.worldMin.y);
    textAreaWindow_ = guiManager_->CreateWindowFromModel(GUIWindow::kFlagShown, corner,
                                                         GUIControl::ModelSize(area.get()), nullptr, sceneWindow_);
    textAreaWindow_->SetDepthOrder(kDepthTextArea);
    textAreaWindow_->SetPlacesModel(false);
}

void GUIBackgroundWindow::MakeBlended(GUIWindow* window) const
{
    if (OrrelayEngine::ShaderUser* user = window->GetShaderUser()) {
        user->AddFlags(OrrelayEngine::ShaderDescriptor::kFlagAlphaBlend);
        user->SetBlendFactor(0, kBlendSourceAlpha);
        user->SetBlendFactor(1, kBlendInverseSourceAlpha);
    }
}

GUIBackgroundWindow::~GUIBackgroundWindow()
{
    textPrinter_.reset();
    for (GUIWindow* window :
         {sceneRoot_, sceneWindow_, menuParent_, frameWindow_, logoWindow_, additionalLogos_[0], additionalLogos_[1],
          titleMountWindow_, textMountWindow_, textAppearWindow_, textWindow_, textAreaWindow_, topWindow_}) {
        guiManager_->DeleteWindow(window);
    }
    for (const std::vector<GUIWindow*>* list : {&titleWindows_, &themedWindows_, &placeWindows_}) {
        for (GUIWindow* window : *list) {
            guiManager_->DeleteWindow(window);
        }
    }
    if (upgradeParticles_ != nullptr) {
        particleManager_->DeleteParticleSystem(upgradeParticles_);
    }
}

bool GUIBackgroundWindow::IsWaitingForLoad() const
{
    return state_ == kStateWaitForLoad && loadWanted_ && !resourceSetHandedOver_;
}

void GUIBackgroundWindow::SetResourceSet(const GameData* data)
{
    data_ = data;
    resourceSetHandedOver_ = true;
}

void GUIBackgroundWindow::Suspend()
{
    visible_ = false;
    alpha_ = 1.0f;
    state_ = kStateTitleClosed;
    titleOpenRequested_ = false;
    titleCloseRequested_ = false;
    titleOpen_ = false;
    titleFreshlyOpened_ = false;
    shownOverTitle_ = false;
    placeAppearanceRunning_ = false;
}

bool GUIBackgroundWindow::IsPlaceReached(std::size_t placeIndex) const
{
    return placeThresholds_[placeIndex] <= reachedPlaces_;
}

bool GUIBackgroundWindow::IsLastThemedVisible() const
{
    return themedWindows_.back()->IsVisible();
}

void GUIBackgroundWindow::ShowBackground()
{
    visible_ = true;
    alpha_ = 0.0f;
    for (GUIWindow* window : overlayWindows_) {
        GUIControl::SetWindowShown(window, true);
    }
    for (GUIWindow* window : themedWindows_) {
        GUIControl::SetWindowShown(window, true);
    }
    for (std::size_t i = 0; i < placeWindows_.size(); ++i) {
        if (IsPlaceReached(i)) {
            GUIControl::SetWindowShown(placeWindows_[i], true);
        }
    }
    GUIControl::SetWindowShown(textWindow_, true);
    upgradeScene_ = false;
    placeAppearanceRunning_ = false;
    shownOverTitle_ = true;
}

void GUIBackgroundWindow::ShowUpgradeScene()
{
    visible_ = true;
    alpha_ = 1.0f;
    for (GUIWindow* window : themedWindows_) {
        GUIControl::SetWindowShown(window, true);
    }
    for (std::size_t i = 0; i < placeWindows_.size(); ++i) {
        if (IsPlaceReached(i)) {
            GUIControl::SetWindowShown(placeWindows_[i], true);
        }
    }
    upgradeScene_ = true;
    placeAppearanceRunning_ = false;
    shownOverTitle_ = true;
}

void GUIBackgroundWindow::StartPlaceAppearance()
{
    placeAppearanceRunning_ = true;
    placeAppearanceTimer_ = 0.0f;
    appearanceSoundPending_ = true;
}

void GUIBackgroundWindow::UpdateReachedPlaces()
{
    const GameFramework::ProfileBase* profile =
        profileManager_ != nullptr ? profileManager_->GetCurrentProfile() : nullptr;
    if (profile == nullptr) {
        reachedPlaces_ = 0;
        return;
    }
    const GameFramework::LevelPosition& reached = profile->GetFurthestPosition();
    reachedPlaces_ = static_cast<std::int32_t>(std::min<std::uint32_t>(reached.stage, kMaxReachedPlaces));
    // The reached and the completed position are the same record here: the
    // whole campaign counts once more when its last level is done.
    if (levelManager_ != nullptr && levelManager_->IsLastLevel(reached) && profile->GetFurthestPositionFlag()) {
        ++reachedPlaces_;
    }
}

bool GUIBackgroundWindow::IsTransitionDone() const
{
    if (upgradeScene_) {
        return alpha_ < kEpsilon;
    }
    return visible_ && std::fabs(alpha_ - 1.0f) < kEpsilon;
}

bool GUIBackgroundWindow::IsFadeFinished() const
{
    const bool fadingIn = visible_ && !upgradeScene_;
    if (fadingIn) {
        return std::fabs(alpha_ - 1.0f) < kEpsilon;
    }
    return alpha_ < kEpsilon;
}

void GUIBackgroundWindow::RequestTitleArea(bool open)
{
    titleOpenRequested_ = open;
    titleCloseRequested_ = !open;
}

bool GUIBackgroundWindow::IsTitleAreaClosed() const
{
    return !titleOpen_ && !textWindow_->IsVisible();
}

void GUIBackgroundWindow::SetTitle(const std::wstring& text)
{
    textPrinter_->SetText(text);
}

void GUIBackgroundWindow::SetTextKey(const std::string& key)
{
    textPrinter_->SetTextKey(key);
}

bool GUIBackgroundWindow::IsTextPrinted() const
{
    return textPrinter_->IsDone();
}

void GUIBackgroundWindow::ClearText()
{
    textPrinter_->Clear();
}

void GUIBackgroundWindow::Update()
{
    if (!started) {
        return;
    }
    const float dt = timerManager_->GetFrameTime();
    if (visible_ && !upgradeScene_) {
        alpha_ = std::min(alpha_ + kFadePerSecond * dt, 1.0f);
    } else {
        alpha_ = std::max(alpha_ - kFadePerSecond * dt, 0.0f);
    }
    UpdatePrinterColour();
    textPrinter_->Update();
    StepState(dt);
    if (!visible_) {
        FadeOut();
    } else if (state_ < kStateWaitForFadeIn) {
        FadeIntroduction(dt);
    } else {
        FadeMenus(dt);
    }
}

void GUIBackgroundWindow::UpdatePrinterColour()
{
    if (upgradeScene_) {
        if (printerAlpha_ > alpha_) {
            printerAlpha_ = alpha_;
        }
    } else {
        printerAlpha_ = visible_ ? 1.0f : alpha_;
    }
    textPrinter_->SetColor(Color(1, 1, 1, printerAlpha_));
}

void GUIBackgroundWindow::StepState(float /*frameSeconds*/)
{
    switch (state_) {
    case kStateIntro:
        StepIntro();
        break;
    case kStateTitles:
        StepTitles();
        break;
    case kStateLoading:
        textPrinter_->SetTextKey(kLoadingKey);
        if (textPrinter_->IsDone() && titlesComplete_) {
            state_ = kStateWaitForLoad;
        }
        break;
    case kStateWaitForLoad:
        StepWaitForLoad();
        break;
    case kStateReady:
        if (readyAcknowledged_) {
            state_ = kStateWaitForFadeIn;
        }
        break;
    case kStateWaitForFadeIn:
        if (alpha_ > kEpsilon) {
            state_ = kStateTitleClosed;
        }
        break;
    case kStateTitleClosed:
        StepTitleClosed();
        break;
    case kStateTitleOpening:
        StepTitleOpening();
        break;
    case kStateTitleOpen:
        StepTitleOpen();
        break;
    default:
        break;
    }
}

void GUIBackgroundWindow::StepIntro()
{
    GUIControl::SetWindowShown(frameWindow_, true);
    GUIControl::SetWindowShown(logoWindow_, true);
    const bool playing = IsPlaying(frameWindow_) || IsPlaying(logoWindow_);
    if (!playing && AnimationPosition(frameWindow_) <= kEpsilon) {
        PlayAnimation(frameWindow_);
        PlayAnimation(logoWindow_);
    }
    if (!IsPlaying(frameWindow_) && !IsPlaying(logoWindow_) && AnimationPosition(frameWindow_) > kEpsilon) {
        state_ = kStateTitles;
    }
}

void GUIBackgroundWindow::StepTitles()
{
    for (GUIWindow* window : {titleMountWindow_, textMountWindow_, textAppearWindow_}) {
        GUIControl::SetWindowShown(window, true);
    }
    for (GUIWindow* window : titleWindows_) {
        GUIControl::SetWindowShown(window, true);
    }
    for (GUIWindow* logo : additionalLogos_) {
        GUIControl::SetWindowShown(logo, true);
    }
    const auto anyPlaying = [this] {
        return IsPlaying(titleMountWindow_) || IsPlaying(textMountWindow_) || IsPlaying(textAppearWindow_);
    };
    if (!anyPlaying() && AnimationPosition(titleMountWindow_) <= kEpsilon) {
        PlayAnimation(titleMountWindow_);
        PlayAnimation(textMountWindow_);
        PlayAnimation(textAppearWindow_);
    }
    if (anyPlaying() || AnimationPosition(titleMountWindow_) <= kEpsilon) {
        return;
    }
    for (GUIWindow* window : titleWindows_) {
        window->SetColor(kWhite);
    }
    for (GUIWindow* logo : additionalLogos_) {
        if (logo != nullptr) {
            logo->SetColor(kWhite);
        }
    }
    GUIControl::SetWindowShown(textAppearWindow_, false);
    GUIControl::SetWindowShown(textWindow_, true);
    if (AnimationControl* animation = GUIControl::AnimationOf(textWindow_)) {
        animation->SeekToEnd();
    }
    state_ = kStateLoading;
}

void GUIBackgroundWindow::StepWaitForLoad()
{
    loadWanted_ = true;
    if (!resourceSetHandedOver_) {
        return;
    }
    AdoptResourceSet();
    state_ = kStateReady;
}

void GUIBackgroundWindow::AdoptResourceSet()
{
    std::int32_t largestOrder = 0;
    if (data_ != nullptr) {
        const std::size_t count = std::min(
            {data_->backgroundModels.size(), data_->backgroundPositions.size(), data_->backgroundValues.size()});
        for (std::size_t i = 0; i < count; ++i) {
            GUIWindow* window = guiManager_->CreateWindowFromModel(kFlagsScene, Vector2(), Vector2(1, 1),
                                                                   data_->backgroundModels[i], sceneRoot_);
            const std::int32_t order = static_cast<std::int32_t>(data_->backgroundPositions[i]) + 1;
            window->SetDepthOrder(order);
            largestOrder = std::max(largestOrder, order - 1);
            if (AnimationControl* animation = GUIControl::AnimationOf(window)) {
                animation->loop = 1;
                animation->RandomizePhase();
                animation->Play();
            }
            MakeBlended(window);
            window->SetColor(kClear);
            if (data_->backgroundValues[i] > 0) {
                placeWindows_.push_back(window);
                placeThresholds_.push_back(data_->backgroundValues[i]);
            } else {
                themedWindows_.push_back(window);
            }
        }
    }
    sceneWindow_->SetDepthOrder(std::max(largestOrder, themedWindows_.back()->GetDepthOrder() - 1) + 1);
    themedFadeRunning_ = true;
    themedFadeTimer_ = 0.0f;
    if (data_ != nullptr && data_->upgrade != nullptr) {
        upgradeParticles_ = particleManager_->CreateCopy(data_->upgrade);
        upgradeParticles_->repeat = 0;
        if (OrrelayEngine::Model* model = upgradeParticles_->GetModel()) {
            model->SetFlags(OrrelayEngine::Model::kFlagFixedDepth);
            model->depth = sceneWindow_->GetDepth();
        }
    }
}

void GUIBackgroundWindow::StepTitleClosed()
{
    if (!titleOpenRequested_) {
        return;
    }
    textWindow_->SetColor(kWhite);
    GUIControl::SetWindowShown(textWindow_, true);
    if (AnimationControl* animation = GUIControl::AnimationOf(textWindow_)) {
        animation->position = 0.0f;
        animation->Play();
    }
    textWindow_->SetParent(topWindow_);
    shownOverTitle_ = false;
    state_ = kStateTitleOpening;
}

void GUIBackgroundWindow::StepTitleOpening()
{
    if (IsPlaying(textWindow_)) {
        return;
    }
    titleOpenRequested_ = false;
    titleOpen_ = true;
    titleFreshlyOpened_ = true;
    textWindow_->SetParent(sceneWindow_);
    state_ = kStateTitleOpen;
}

void GUIBackgroundWindow::StepTitleOpen()
{
    if (!titleCloseRequested_) {
        return;
    }
    // Alone over a level the title area fades out; a background or scene
    // shown since it opened (a result screen's click) stays.
    if (!shownOverTitle_) {
        visible_ = false;
        alpha_ = 1.0f;
    }
    titleCloseRequested_ = false;
    titleOpen_ = false;
    state_ = kStateWaitForFadeIn;
}

void GUIBackgroundWindow::FadeIntroduction(float frameSeconds)
{
    if (!IsPlaying(titleMountWindow_) && AnimationPosition(titleMountWindow_) > kEpsilon) {
        titleTimer_ += frameSeconds;
        titlesComplete_ = true;
        const float count = static_cast<float>(titleWindows_.size());
        for (std::size_t i = 0; i < titleWindows_.size(); ++i) {
            const float a = Clamp01(count * titleTimer_ / kTitleFadeSeconds - kTitleStagger * i / count);
            titleWindows_[i]->SetColor(Color(1, 1, 1, a));
            if (std::fabs(a - 1.0f) > kEpsilon) {
                titlesComplete_ = false;
            }
        }
    }
    const bool logoShown = (additionalLogos_[0] != nullptr && additionalLogos_[0]->IsVisible()) ||
                           (additionalLogos_[1] != nullptr && additionalLogos_[1]->IsVisible());
    if (logoShown) {
        logoTimer_ += frameSeconds;
        const Color colour(1, 1, 1, Clamp01(kFadePerSecond * logoTimer_));
        for (GUIWindow* logo : additionalLogos_) {
            if (logo != nullptr) {
                logo->SetColor(colour);
            }
        }
    }
}

void GUIBackgroundWindow::FadeOut()
{
    const bool sceneShown = IsLastThemedVisible();
    if (alpha_ > kEpsilon) {
        const Color fade(1, 1, 1, alpha_);
        if (sceneShown) {
            for (const std::vector<GUIWindow*>* list : {&overlayWindows_, &themedWindows_, &placeWindows_}) {
                for (GUIWindow* window : *list) {
                    window->SetColor(fade);
                }
            }
        }
        textWindow_->SetColor(fade);
        return;
    }
    if (sceneShown) {
        for (const std::vector<GUIWindow*>* list : {&overlayWindows_, &themedWindows_, &placeWindows_}) {
            for (GUIWindow* window : *list) {
                GUIControl::SetWindowShown(window, false);
                window->SetColor(kClear);
            }
        }
    }
    GUIControl::SetWindowShown(textWindow_, false);
    textPrinter_->Clear();
    visible_ = true;
    alpha_ = 1.0f;
}

void GUIBackgroundWindow::FadeMenus(float frameSeconds)
{
    if (themedFadeRunning_) {
        themedFadeTimer_ += frameSeconds;
        const float a = Clamp01(kFadePerSecond * themedFadeTimer_);
        for (GUIWindow* window : themedWindows_) {
            if (AlphaOf(window) < a) {
                window->SetColor(Color(1, 1, 1, a));
            }
        }
        for (std::size_t i = 0; i < placeWindows_.size(); ++i) {
            if (IsPlaceReached(i)) {
                placeWindows_[i]->SetColor(Color(1, 1, 1, a));
            }
        }
        if (a + kEpsilon > 1.0f) {
            themedFadeRunning_ = false;
        }
        return;
    }
    if (upgradeScene_) {
        FadeUpgradeScene();
        StepPlaceAppearance(frameSeconds);
        return;
    }
    const Color fade(1, 1, 1, alpha_);
    for (const std::vector<GUIWindow*>* list : {&overlayWindows_, &themedWindows_}) {
        for (GUIWindow* window : *list) {
            if (window->IsVisible() && AlphaOf(window) + kEpsilon < alpha_) {
                window->SetColor(fade);
            }
        }
    }
    const float step = kFadePerSecond * frameSeconds;
    for (std::size_t i = 0; i < placeWindows_.size(); ++i) {
        GUIWindow* window = placeWindows_[i];
        Color colour;
        window->GetColor(colour);
        if (!IsPlaceReached(i)) {
            if (window->IsVisible()) {
                colour.a = std::max(colour.a - step, 0.0f);
                window->SetColor(colour);
                if (colour.a <= kEpsilon) {
                    GUIControl::SetWindowShown(window, false);
                }
            }
        } else if (window->IsVisible()) {
            if (colour.a < 1.0f) {
                window->SetColor(Color(1, 1, 1, std::min(colour.a + step, 1.0f)));
            } else if (colour.r < 1.0f - kEpsilon || colour.g < 1.0f - kEpsilon || colour.b < 1.0f - kEpsilon) {
                // The appearance left it tinted.
                window->SetColor(kWhite);
            }
        } else if (IsLastThemedVisible()) {
            GUIControl::SetWindowShown(window, true);
            window->SetColor(kClear);
        }
    }
    if (textWindow_->IsVisible() && AlphaOf(textWindow_) + kEpsilon < alpha_) {
        textWindow_->SetColor(fade);
    }
}

void GUIBackgroundWindow::FadeUpgradeScene()
{
    const Color fade(1, 1, 1, alpha_);
    const Color inverse(1, 1, 1, 1.0f - alpha_);
    for (GUIWindow* window : themedWindows_) {
        if (AlphaOf(window) + kEpsilon < inverse.a) {
            window->SetColor(inverse);
        }
    }
    for (std::size_t i = 0; i < placeWindows_.size(); ++i) {
        // The place that is appearing keeps its own colour.
        const bool inScene = placeAppearanceRunning_ ? placeThresholds_[i] < reachedPlaces_ : IsPlaceReached(i);
        if (inScene && AlphaOf(placeWindows_[i]) + kEpsilon < inverse.a) {
            placeWindows_[i]->SetColor(inverse);
        }
    }
    for (GUIWindow* window : overlayWindows_) {
        if (AlphaOf(window) > kEpsilon) {
            window->SetColor(fade);
        }
    }
    if (AlphaOf(textWindow_) > kEpsilon) {
        textWindow_->SetColor(fade);
    }
}

void GUIBackgroundWindow::StepPlaceAppearance(float frameSeconds)
{
    if (!placeAppearanceRunning_ || 1.0f - alpha_ + kEpsilon < 1.0f) {
        return;
    }
    placeAppearanceTimer_ += frameSeconds * kAppearanceSlowdown;
    Color colour(0, 0, 0, 0);
    if (placeAppearanceTimer_ >= kAppearanceDelaySeconds) {
        const float v = std::min(placeAppearanceTimer_ - kAppearanceDelaySeconds, 1.0f);
        colour = Color(v, v, v, v);
    }
    float minX = kNoBound, minY = kNoBound, maxX = -kNoBound, maxY = -kNoBound;
    bool anyPlace = false;
    for (std::size_t i = 0; i < placeWindows_.size(); ++i) {
        if (placeThresholds_[i] != reachedPlaces_) {
            continue;
        }
        placeWindows_[i]->SetColor(colour);
        if (const OrrelayEngine::Model* model = placeWindows_[i]->GetModel()) {
            minX = std::min(minX, model->box.worldMin.x);
            minY = std::min(minY, model->box.worldMin.y);
            maxX = std::max(maxX, model->box.worldMax.x);
            maxY = std::max(maxY, model->box.worldMax.y);
            anyPlace = true;
        }
    }
    if (placeAppearanceTimer_ < kAppearanceDelaySeconds || !appearanceSoundPending_) {
        return;
    }
    // Without a place to appear there is no area to sparkle over.
    if (anyPlace) {
        StartPlaceParticles(minX, minY, maxX, maxY);
    }
    if (mixer_ != nullptr) {
        mixer_->PlaySound(kPlaceAppearanceSoundId);
    }
    appearanceSoundPending_ = false;
}

void GUIBackgroundWindow::StartPlaceParticles(float minX, float minY, float maxX, float maxY)
{
    if (upgradeParticles_ == nullptr || data_ == nullptr || data_->upgrade == nullptr) {
        return;
    }
    upgradeParticles_->emitterShape = OrrelayEngine::ParticleSystem::kShapeBox;
    upgradeParticles_->emitterBox.Set(OrrelayEngine::Vector3(minX, minY, 0.0f),
                                      OrrelayEngine::Vector3(maxX, maxY, 0.0f));
    const float scale = std::min((maxX - minX) * (maxY - minY), kFullEmissionArea) / kFullEmissionArea;
    for (std::uint32_t k = 0; k < OrrelayEngine::ParticleFile::kKeyCount; ++k) {
        upgradeParticles_->settings.emissionRate[k] = data_->upgrade->settings.emissionRate[k] * scale;
    }
    upgradeParticles_->SetVisible(true);
    upgradeParticles_->elapsedTime = 0.0f;
    upgradeParticles_->emitting = 1;
}

} // namespace Tansywell

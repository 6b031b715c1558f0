// The animated scene behind every menu: it plays the introduction (frame and
// logos, then the titles and the text panel printing "LOADING") while the
// game's resources load, then fills itself with the themed models of the
// loaded set and stays behind the menus. It fades out when a level starts and
// back in after it; an upgrade scene shows newly reached map places appearing
// with a particle burst. Its text panel, the title area, prints each menu
// screen's title and can be opened alone over a running level.
//
// The menu screens reach it only through GUIMenuWindowManager. The settings
// file lists the models: those flagged for start-up are loaded here, the rest
// by the game's resource set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Color.h"

namespace OrrelayEngine {
class Engine;
class FileManager;
class GUIManager;
class GUIWindow;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace OrrelayEngine

namespace GameFramework {
class LevelManagerBase;
class Mixer;
class ProfileManagerBase;
struct LanguageInfo;
} // namespace GameFramework

namespace GameTools {
class GUITextPrinter;
}

namespace Tansywell {

class GameData;

class GUIBackgroundWindow
{
public:
    static constexpr char kSettingsFileName[] = "data\\ui\\menus\\background\\background.ini";
    static constexpr std::int32_t kMaxTitleCount = 64;
    static constexpr std::uint32_t kPlaceAppearanceSoundId = 3;
    // The introduction's pace: its models play at this many frames a second,
    // "LOADING" is typed at this many characters a second, and title i of T
    // is fully in after (kTitleFadeSeconds + kTitleStagger * kTitleFadeSeconds * i / T) / T s.
    static constexpr float kIntroAnimationSpeed = 25.0f;
    static constexpr float kPrinterSpeed = 28.0f;
    static constexpr float kTitleFadeSeconds = 2.5f;
    static constexpr float kTitleStagger = 1.5f;

    enum State : std::uint32_t
    {
        kStateIntro = 0,
        kStateTitles = 1,
        kStateLoading = 2,
        kStateWaitForLoad = 3,
        kStateReady = 4,
        kStateWaitForFadeIn = 5,
        kStateTitleClosed = 6,
        kStateTitleOpening = 7,
        kStateTitleOpen = 8
    };

    // One entry of the settings file.
    struct Entry
    {
        std::string name;
        bool startUp = false;
        // 0 for a themed model; n > 0 for the model of the n-th reached map place.
        std::int32_t placeThreshold = 0;
    };

    // Throws FileError when the settings file names no start-up model, or is
    // malformed (see ReadSettings).
    GUIBackgroundWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                        GameFramework::LevelManagerBase* levelManager,
                        GameFramework::ProfileManagerBase* profileManager, const GameFramework::LanguageInfo& language);
    virtual ~GUIBackgroundWindow();
    GUIBackgroundWindow(const GUIBackgroundWindow&) = delete;
    GUIBackgroundWindow& operator=(const GUIBackgroundWindow&) = delete;

    // The settings file's entries, in order. A negative count, a count above
    // the entries present or an entry cut short is a format error (FileError):
    // the file is the game's own data. Every reader of the file uses this.
    static std::vector<Entry> ReadSettings(OrrelayEngine::FileManager* fileManager);
    // The number of title pictures of a language, at most kMaxTitleCount.
    static std::int32_t ReadTitleCount(OrrelayEngine::FileManager* fileManager, const std::string& languageCode);

    // Once per frame, before the menu window manager; nothing before the start.
    void Update();

    bool IsWaitingForLoad() const;
    // The loaded resource set, borrowed; the loading screen hands it over.
    void SetResourceSet(const GameData* data);
    bool IsWaitingForMenus() const { return state_ == kStateReady; }
    void AcknowledgeReady() { readyAcknowledged_ = true; }
    // A level starts: fade out, the title area closed.
    void Suspend();
    // The parent window of every menu screen.
    OrrelayEngine::GUIWindow* GetMenuParent() const { return menuParent_; }

    void ShowBackground();
    void ShowUpgradeScene();
    void StartPlaceAppearance();
    void UpdateReachedPlaces();
    bool IsTransitionDone() const;
    bool IsFadeFinished() const;
    void RequestTitleArea(bool open);
    bool IsTitleAreaOpen() const { return titleOpen_; }
    bool IsTitleAreaFreshlyOpened() const { return titleFreshlyOpened_; }
    void ClearTitleAreaOpened() { titleFreshlyOpened_ = false; }
    bool IsTitleAreaClosed() const;
    void SetTitle(const std::wstring& text);
    void SetTextKey(const std::string& key);
    bool IsTextPrinted() const;
    void ClearText();

    // Observers.
    std::uint32_t GetState() const { return state_; }
    float GetAlpha() const { return alpha_; }
    bool IsVisible() const { return visible_; }
    bool IsUpgradeScene() const { return upgradeScene_; }
    bool AreTitlesComplete() const { return titlesComplete_; }
    std::int32_t GetReachedPlaces() const { return reachedPlaces_; }
    const std::vector<OrrelayEngine::GUIWindow*>& GetThemedWindows() const { return themedWindows_; }
    const std::vector<OrrelayEngine::GUIWindow*>& GetPlaceWindows() const { return placeWindows_; }
    const std::vector<OrrelayEngine::GUIWindow*>& GetTitleWindows() const { return titleWindows_; }
    OrrelayEngine::GUIWindow* GetTextWindow() const { return textWindow_; }
    OrrelayEngine::ParticleSystem* GetUpgradeParticles() const { return upgradeParticles_; }
    GameTools::GUITextPrinter* GetTextPrinter() const { return textPrinter_.get(); }

    // Set by the game when the logos have ended: the introduction may play.
    bool started = false;

private:
    OrrelayEngine::GUIWindow* CreateOverlay(const std::string& fileName);
    void CreateStartUpWindows();
    void CreateOverlayWindows(const std::string& languageCode);
    void CreateTextArea();
    void MakeBlended(OrrelayEngine::GUIWindow* window) const;

    void UpdatePrinterColour();
    void StepState(float frameSeconds);
    void StepIntro();
    void StepTitles();
    void StepWaitForLoad();
    void AdoptResourceSet();
    void StepTitleClosed();
    void StepTitleOpening();
    void StepTitleOpen();
    void FadeIntroduction(float frameSeconds);
    void FadeOut();
    void FadeMenus(float frameSeconds);
    void FadeUpgradeScene();
    void StepPlaceAppearance(float frameSeconds);
    void StartPlaceParticles(float minX, float minY, float maxX, float maxY);
    bool IsPlaceReached(std::size_t placeIndex) const;
    bool IsLastThemedVisible() const;

    [[maybe_unused]] OrrelayEngine::Engine* engine_;
    OrrelayEngine::FileManager* fileManager_;
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::ModelManager* modelManager_;
    OrrelayEngine::ParticleSystemManager* particleManager_;
    GameFramework::Mixer* mixer_;
    GameFramework::LevelManagerBase* levelManager_;
    GameFramework::ProfileManagerBase* profileManager_;
    const GameData* data_ = nullptr;

    OrrelayEngine::GUIWindow* sceneRoot_ = nullptr;
    OrrelayEngine::GUIWindow* sceneWindow_ = nullptr;
    OrrelayEngine::GUIWindow* menuParent_ = nullptr;
    std::vector<OrrelayEngine::GUIWindow*> themedWindows_;
    std::vector<OrrelayEngine::GUIWindow*> placeWindows_;
    std::vector<std::int32_t> placeThresholds_;
    // Frame, logos, mounts and titles: what fades with the background.
    std::vector<OrrelayEngine::GUIWindow*> overlayWindows_;
    OrrelayEngine::GUIWindow* frameWindow_ = nullptr;
    OrrelayEngine::GUIWindow* logoWindow_ = nullptr;
    OrrelayEngine::GUIWindow* additionalLogos_[2] = {};
    OrrelayEngine::GUIWindow* titleMountWindow_ = nullptr;
    OrrelayEngine::GUIWindow* textMountWindow_ = nullptr;
    std::vector<OrrelayEngine::GUIWindow*> titleWindows_;
    OrrelayEngine::GUIWindow* textAppearWindow_ = nullptr;
    OrrelayEngine::GUIWindow* textWindow_ = nullptr;
    OrrelayEngine::GUIWindow* textAreaWindow_ = nullptr;
    OrrelayEngine::ParticleSystem* upgradeParticles_ = nullptr;
    // A top-level window in the low depth layer: the title area opens inside
    // it, over the board, then returns to the scene.
    OrrelayEngine::GUIWindow* topWindow_ = nullptr;

    bool loadWanted_ = false;
    bool resourceSetHandedOver_ = false;
    bool readyAcknowledged_ = false;
    bool titleOpenRequested_ = false;
    bool titleCloseRequested_ = false;
    bool titleOpen_ = false;
    bool titleFreshlyOpened_ = false;
    // The background or the upgrade scene was shown after the title area began
    // to open: closing the title area then leaves it shown.
    bool shownOverTitle_ = false;
    std::uint32_t state_ = kStateIntro;
    bool titlesComplete_ = false;
    float titleTimer_ = 0.0f;
    float logoTimer_ = 0.0f;
    bool themedFadeRunning_ = false;
    float themedFadeTimer_ = 0.0f;
    bool upgradeScene_ = false;
    std::unique_ptr<GameTools::GUITextPrinter> textPrinter_;
    // The alpha last given to the printer: in the upgrade scene it only falls.
    float printerAlpha_ = 1.0f;
    bool visible_ = true;
    float alpha_ = 1.0f;
    std::int32_t reachedPlaces_ = 0;
    bool placeAppearanceRunning_ = false;
    float placeAppearanceTimer_ = 0.0f;
    bool appearanceSoundPending_ = false;
};

} // namespace Tansywell

#include "framework/GameBase.h"

#include <utility>

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/input/Controls.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/TextureManager.h"
#include "engine/scene/ModelManager.h"
#include "engine/sound/SoundManager.h"
#include "framework/DataKeeper.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LanguageManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/LevelResult.h"
#include "framework/Mixer.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/StageRecord.h"
#include "framework/gui/GUIContinueGameLogicWindowBase.h"
#include "framework/gui/GUIDeleteProfileWindowBase.h"
#include "framework/gui/GUIExitWindowBase.h"
#include "framework/gui/GUIGameCompleteWindowBase.h"
#include "framework/gui/GUIGameLogicGameExitWindowBase.h"
#include "framework/gui/GUIGameLogicMenuExitWindowBase.h"
#include "framework/gui/GUIGameLogicMenuWindowBase.h"
#include "framework/gui/GUIGameLogicPauseWindowBase.h"
#include "framework/gui/GUIGameLogicRestartWindowBase.h"
#include "framework/gui/GUIGameLogicWindowBase.h"
#include "framework/gui/GUIGameOverWindowBase.h"
#include "framework/gui/GUIHelpWindowBase.h"
#include "framework/gui/GUIHighScoresWindowBase.h"
#include "framework/gui/GUILevelCompleteWindowBase.h"
#include "framework/gui/GUILoadingWindowBase.h"
#include "framework/gui/GUILogosWindowBase.h"
#include "framework/gui/GUIMainMenuWindowBase.h"
#include "framework/gui/GUINewProfileWindowBase.h"
#include "framework/gui/GUIOptionsWindowBase.h"
#include "framework/gui/GUIProfileNameConflictWindowBase.h"
#include "framework/gui/GUIProfilesWindowBase.h"
#include "framework/gui/GUIRenameProfileWindowBase.h"
#include "framework/gui/GUIStageCompleteWindowBase.h"
#include "framework/gui/GUIStartGameLogicWindowBase.h"
#include "framework/gui/GUIWelcomeWindowBase.h"
#include "platform/AppWindow.h"
#include "platform/Clock.h"
#include "tools/GUIGameCursorBase.h"
#include "tools/RegistryReader.h"

namespace GameFramework {

using OrrelayEngine::UIntToString;

namespace {

// Polled every frame: kept as strings so that polling allocates nothing.
const std::string kVideoMemoryCommand = "d_get_used_video_memory_size";
const std::string kOccupationCommand = "d_get_manages_occupation";
const std::string kLoadedTexturesCommand = "d_get_loaded_textures";
const std::string kShowStatisticsVariable = "d_show_statistics";
const std::string kUpdateVideoModeCommand = "g_update_video_mode";
const std::string kWindowChangeModeCommand = "v_window_change_mode";

const char kVersionValueName[] = "Version";
const char kInstallPathValueName[] = "InstallPath";
const char kPackBesideProgram[] = "\\data\\pack0.pak";
const char kFontListFolder[] = "data\\ui\\fonts\\";
const char kTextsFolder[] = "ui\\texts\\";
const char kGameTitleKey[] = "GAME_TITLE";
const double kBytesPerMegabyte = 1048576.0;
const std::uint32_t kResetBothBits =
    OrrelayEngine::RenderSystem::kResetRecreateDevice | OrrelayEngine::RenderSystem::kResetRestoreSurfaces;

std::string ChooseInstallFolder(const std::string& registryKey)
{
    const std::string programFolder = OrrelayEngine::GetProgramFolder();
    if (OrrelayEngine::FileManager::ExistsOnDisk(programFolder + kPackBesideProgram)) {
        return programFolder;
    }
    std::string installPath;
    if (GameTools::ReadRegistryStringAnyRoot(registryKey, kInstallPathValueName, installPath)) {
        return installPath;
    }
    return programFolder;
}

} // namespace

GameBase::GameBase(const std::string& makerName, const std::string& productName, std::uint32_t defaultVersion)
    : makerName_(makerName), productName_(productName), version_(defaultVersion)
{
    registryKey_ = "SOFTWARE\\" + makerName_ + "\\" + productName_;
    std::string versionText;
    if (!GameTools::ReadRegistryStringAnyRoot(registryKey_, kVersionValueName, versionText)) {
        versionText = UIntToString(defaultVersion);
    }
    version_ = OrrelayEngine::StringToUInt(versionText, 10);
    installFolder_ = ChooseInstallFolder(registryKey_);
    userFolder_ = OrrelayEngine::FileManager::GetAppDataFolder() + "\\" + makerName_ + "\\" + productName_;
}

GameBase::~GameBase()
{
    gameLogic_.reset();
    levelCompleteWindow_.reset();
    stageCompleteWindow_.reset();
    gameCompleteWindow_.reset();
    gameOverWindow_.reset();
    gameLogicGameExitWindow_.reset();
    gameLogicRestartWindow_.reset();
    gameLogicMenuExitWindow_.reset();
    gameLogicMenuWindow_.reset();
    gameLogicPauseWindow_.reset();
    gameLogicWindow_.reset();
    helpWindow_.reset();
    optionsWindow_.reset();
    highScoresWindow_.reset();
    continueGameLogicWindow_.reset();
    startGameLogicWindow_.reset();
    profileNameConflictWindow_.reset();
    profilesWindow_.reset();
    newProfileWindow_.reset();
    renameProfileWindow_.reset();
    deleteProfileWindow_.reset();
    mainMenuWindow_.reset();
    exitWindow_.reset();
    welcomeWindow_.reset();
    gameLogicLoadingWindow_.reset();
    loadingWindow_.reset();
    logosWindow_.reset();
    gameCursor_.reset();
    highScoresTable_.reset();
    profileManager_.reset();
    levelManager_.reset();
    gameData_.reset();
    gameLogicData_.reset();
    previousGameLogicData_.reset();
    languageManager_.reset();
    mixer_.reset();
    engine_.reset();
}

// ---------------------------------------------------------------------------
// Frame

void GameBase::Frame()
{
    if (!window_->HasFocus() && engine_->GetSettings().minimizeOnFocusLoss) {
        if (!HandleFocusLoss()) {
            return;
        }
    } else {
        ResumeAfterFocus();
    }
    ApplyPendingVideoMode();
    ResetLostDevice();
    engine_->PreFrame();
    ProcessConsoleCommands();
    mixer_->Update();
    for (std::uint32_t pass = 0; pass < kResultPassesPerFrame; ++pass) {
        ProcessWindowResults();
        ClearWindowResults();
    }
    UpdateWindows();
    if (gameCursor_ != nullptr) {
        gameCursor_->Update();
    }
    engine_->Frame(0);
    CountWindowModeFrames();
}

bool GameBase::HandleFocusLoss()
{
    if (gameLogic_ != nullptr && !pausedByFocus_ && gameLogic_->GetState() == GameLogicBase::kStateRunning) {
        // This one frame runs in full, so that the pause screen is drawn.
        PauseLevel(true);
        gameLogicWindow_->SetActive(false);
        gameLogicPauseWindow_->Show();
        savedClockPaused_ = true;
        mixer_->PauseAllMusic(true, false, kMusicFadeSpeed);
        pausedByFocus_ = true;
        return true;
    }
    if (gameLogic_ != nullptr && !pausedByFocus_) {
        savedClockPaused_ = gameLogic_->IsClockPaused();
        gameLogic_->PauseClock(true);
    }
    RunIdleFrame();
    return false;
}

void GameBase::RunIdleFrame()
{
    window_->Update();
    renderSystem_->Refresh();
    timerManager_->Update();
    if (soundManager_ != nullptr) {
        soundManager_->Update(true);
    }
    if (!pausedByFocus_) {
        mixer_->PauseAllMusic(true, false, kMusicFadeSpeed);
        pausedByFocus_ = true;
    }
    Platform::SleepMilliseconds(kIdleSleepMilliseconds);
}

void GameBase::ResumeAfterFocus()
{
    if (!pausedByFocus_) {
        return;
    }
    mixer_->PauseAllMusic(false, true, kMusicFadeSpeed);
    // A level paused by the focus loss keeps its pause (and so its stopped
    // clock) until the player answers the pause screen.
    if (gameLogic_ != nullptr) {
        gameLogic_->PauseClock(savedClockPaused_);
    }
    pausedByFocus_ = false;
}

void GameBase::ApplyPendingVideoMode()
{
    if (TakeCommand(kUpdateVideoModeCommand)) {
        renderSystem_->CheckVideoMode();
    }
}

void GameBase::ResetLostDevice()
{
    if (!renderSystem_->IsResetRequired()) {
        return;
    }
    mixer_->PauseAllMusic(true, false, kMusicFadeSpeed);
    ResetRenderDevice();
    mixer_->PauseAllMusic(false, true, kMusicFadeSpeed);
    // The keys held while the picture was gone must not act when it returns.
    controls_->BlockInput();
}

void GameBase::CountWindowModeFrames()
{
    if (config_->IsCommandIdle(kWindowChangeModeCommand)) {
        return;
    }
    // Two frames on, so that the window has settled in its new form before
    // the device is made again for it.
    if (++windowModeFrameCounter_ >= kWindowModeDelayFrames) {
        windowModeFrameCounter_ = 0;
        config_->SetCommandIdle(kWindowChangeModeCommand, true);
        config_->SetCommandIdle(kUpdateVideoModeCommand, false);
    }
}

void GameBase::ResetRenderDevice()
{
    renderSystem_->ResetDevice(kResetBothBits);
}

bool GameBase::TakeCommand(const std::string& name)
{
    if (config_->IsCommandIdle(name)) {
        return false;
    }
    config_->SetCommandIdle(name, true);
    return true;
}

void GameBase::ProcessConsoleCommands()
{
    if (TakeCommand(kVideoMemoryCommand)) {
        const double megabytes = textureManager_->GetUsedVideoMemory() / kBytesPerMegabyte;
        messageManager_->LogInfo(
            "Video Memory Used: " + OrrelayEngine::FloatToString(static_cast<float>(megabytes), 2) + " Mb");
    }
    if (TakeCommand(kOccupationCommand)) {
        messageManager_->LogInfo("Shader users count: " + UIntToString(shaderManager_->GetShaderUserCount()));
        messageManager_->LogInfo("Shaders count: " + UIntToString(shaderManager_->GetShaderCount()));
        messageManager_->LogInfo("Textures count: " + UIntToString(textureManager_->GetTextureCount()));
        messageManager_->LogInfo("Models count: " + UIntToString(modelManager_->GetModelCount()));
        // A silent engine has no sounds to count.
        if (soundManager_ != nullptr) {
            messageManager_->LogInfo("Sounds count: " + UIntToString(soundManager_->GetSoundCount()));
        }
    }
    if (TakeCommand(kLoadedTexturesCommand)) {
        std::vector<std::string> names;
        textureManager_->GetTextureNames(names);
        for (std::uint32_t i = 0; i < names.size(); ++i) {
            messageManager_->LogInfo("Texture " + UIntToString(i) + ": " + names[i]);
        }
    }
}

bool GameBase::IsExitRequested() const
{
    return engine_ != nullptr && engine_->IsExitRequested();
}

// ---------------------------------------------------------------------------
// Initialisation

void GameBase::Init()
{
    OrrelayEngine::EngineSettings settings;
    FillEngineSettings(settings);
    engine_ = std::make_unique<OrrelayEngine::Engine>(settings, engineFactories_);

    messageManager_ = engine_->GetMessageManager();
    fileManager_ = engine_->GetFileManager();
    timerManager_ = engine_->GetTimerManager();
    config_ = engine_->GetConfig();
    window_ = engine_->GetWindow();
    renderSystem_ = engine_->GetRenderSystem();
    lightManager_ = engine_->GetLightManager();
    shaderManager_ = engine_->GetShaderManager();
    textureManager_ = shaderManager_->GetTextureManager();
    modelManager_ = engine_->GetModelManager();
    spriteGroupManager_ = engine_->GetSpriteGroupManager();
    particleSystemManager_ = engine_->GetParticleSystemManager();
    controls_ = engine_->GetControls();
    soundManager_ = engine_->GetSoundManager();
    guiManager_ = engine_->GetGUIManager();
    fontManager_ = guiManager_->GetFontManager();
    textManager_ = guiManager_->GetTextManager();
    guiSoundManager_ = guiManager_->GetSoundManager();
    screenCapture_ = engine_->GetScreenCapture();

    OrrelayEngine::SetRandomSeed(Platform::GetTickCount());
    languageManager_ = std::make_unique<LanguageManager>(fileManager_, registryKey_);
    RegisterConsoleCommands();
    LoadFonts();
    LoadTexts();
    window_->SetTitle(Platform::Utf8FromWide(textManager_->GetText(kGameTitleKey)));
    guiManager_->SetScreenSize(kGuiScreenWidth, kGuiScreenHeight);
    console_ = engine_->GetConsole();

    mixer_ = std::make_unique<Mixer>(engine_.get(), GetDefaultMusicVolume(), GetDefaultSoundVolume());
    levelManager_ = CreateLevelManager();
    profileManager_ = CreateProfileManager();
    highScoresTable_ = std::make_unique<HighScoresTable>(engine_.get(), kHighScoresPerCategory, userFolder_);
    gameData_ = CreateGameData();
    gameCursor_ = CreateGameCursor();
    logosWindow_ = CreateLogosWindow();
    loadingWindow_ = CreateLoadingWindow();
    LoadSounds();
    logosWindow_->Show();
    // The fonts' pictures loaded beside all this; what they logged is written
    // before the first frame, as if they had loaded in turn.
    fontManager_->WaitForTextures();
}

void GameBase::FillEngineSettings(OrrelayEngine::EngineSettings& settings)
{
    settings.applicationName = productName_;
    settings.version = version_;
    settings.installFolder = installFolder_;
    settings.saveConfigOnExit = true;
    settings.configName = productName_;
    settings.logEnabled = true;
    settings.logReopenPerMessage = false;
    settings.logFolder = userFolder_;
    settings.logName = productName_;
    settings.configFolder = userFolder_;
    settings.dataFolder = "Data";
    settings.hostWindow = nullptr;
    settings.iconId = 0;
    settings.minimizeOnFocusLoss = true;
    settings.forceVideoMode = false;
    settings.videoMode = "800x600x32";
    settings.forceFullscreenSetting = false;
    settings.fullscreenDefault = true;
    settings.renderOptionB = false;
    settings.renderOptionA = false;
    settings.centreWindow = true;
    settings.windowPosition = OrrelayEngine::EngineSettings::WindowPosition{};
    settings.soundOption = false;
}

void GameBase::RegisterConsoleCommands()
{
    using OrrelayEngine::kConfigBoolean;
    using OrrelayEngine::kConfigCommand;
    config_->AddVariable(kVideoMemoryCommand, kConfigCommand, false, false, nullptr, "", false);
    config_->AddVariable(kOccupationCommand, kConfigCommand, false, false, nullptr, "", false);
    config_->AddVariable(kLoadedTexturesCommand, kConfigCommand, false, false, nullptr, "", false);
    config_->AddVariable(kShowStatisticsVariable, kConfigBoolean, false, true, &showStatistics_, "0", false);
    config_->AddVariable(kUpdateVideoModeCommand, kConfigCommand, false, false, nullptr, "", false);
}

void GameBase::LoadFonts()
{
    const std::string listName = kFontListFolder + languageManager_->GetCurrentLanguage().code + ".ini";
    // Without its fonts the game can show nothing: a missing list or font
    // ends it with the file layer's reason, in the log and in the box.
    try {
        std::unique_ptr<OrrelayEngine::FileTextual> file = fileManager_->OpenTextFile(
            listName, OrrelayEngine::FileTextual::kModeRead, OrrelayEngine::FileTextual::kEncoding8Bit);
        const std::int32_t count = file->ReadInt();
        if (count < 0) {
            messageManager_->LogFatal("\"" + listName + "\" names " + OrrelayEngine::IntToString(count) + " fonts");
        }
        fontCount_ = static_cast<std::uint32_t>(count);
        consoleFontId_ = static_cast<std::uint32_t>(file->ReadInt());
        ReadFontList(*file);
    } catch (const OrrelayEngine::FileError& error) {
        messageManager_->LogFatal(error.GetMessage());
    }
}

void GameBase::ReadFontList(OrrelayEngine::FileTextual& file)
{
    for (std::uint32_t fontId = 0; fontId < fontCount_; ++fontId) {
        std::string fontFile;
        std::string textureFile;
        std::string opacityFile;
        file.ReadWord(fontFile);
        file.ReadWord(textureFile);
        file.ReadWord(opacityFile);
        const float size = file.ReadFloat();
        const float spaceAdvance = file.ReadFloat();
        const float spacing = file.ReadFloat();
        const bool addLowerCase = file.ReadBool();
        const bool monospace = file.ReadBool();
        // A list cut short leaves an empty font name, which fails to load here.
        OrrelayEngine::GUIFont* font = fontManager_->LoadFont(
            fontId, OrrelayEngine::MakeSingleTextureShaderDescriptor(textureFile, opacityFile, false), fontFile);
        font->SetSize(size);
        font->SetSpaceAdvance(spaceAdvance);
        font->SetSpacing(spacing);
        font->SetMonospace(monospace);
        if (addLowerCase) {
            font->AddLowerCaseGlyphs();
        }
    }
}

void GameBase::LoadTexts()
{
    try {
        LoadTextSection("game_title");
        LoadTextSection("common");
    } catch (const OrrelayEngine::FileError& error) {
        messageManager_->LogFatal(error.GetMessage());
    }
}

void GameBase::LoadTextSection(const std::string& section)
{
    textManager_->Load(kTextsFolder + languageManager_->GetCurrentLanguage().code + "\\" + section + ".ini");
}

std::string GameBase::FindSoundFile(const std::string& folder, const std::string& name) const
{
    const std::string base = "audio\\" + folder + "\\" + name + ".";
    if (fileManager_->Exists("data\\" + base + "wav")) {
        return base + "wav";
    }
    return base + "ogg";
}

void GameBase::CreateConsole()
{
    // This game never opens a console; tools built on the framework may.
    const float kConsoleAlpha = 0.75f;
    const float kConsoleHeightPixels = 300.0f;
    const float kConsoleSlidePixelsPerSecond = 600.0f;
    engine_->CreateConsole(OrrelayEngine::StringToWide(engine_->MakeVersionString()), "ui\\console\\console.jpg",
                           consoleFontId_, 0, L'>', L' ', "~", kConsoleAlpha, kConsoleHeightPixels,
                           kConsoleSlidePixelsPerSecond);
}

void GameBase::LoadSounds()
{}

float GameBase::GetDefaultMusicVolume()
{
    return 1.0f;
}

float GameBase::GetDefaultSoundVolume()
{
    return 1.0f;
}

std::unique_ptr<LevelResult> GameBase::CreateLevelResult()
{
    return std::make_unique<LevelResult>();
}

void GameBase::GetLevelResult(LevelResult& result)
{
    const ProfileBase* profile = profileManager_ != nullptr ? profileManager_->GetCurrentProfile() : nullptr;
    if (profile != nullptr) {
        result.scoreCategory = profile->GetScoreCategory();
    }
    if (gameLogic_ != nullptr) {
        const LevelPosition position = GetLevelPosition();
        result.stageIndex = position.stage;
        result.levelIndex = position.level;
        result.timeSeconds = gameLogic_->GetElapsedTime();
    }
}

void GameBase::CreateWindows()
{
    gameLogicLoadingWindow_ = CreateGameLogicLoadingWindow();
    welcomeWindow_ = CreateWelcomeWindow();
    exitWindow_ = CreateExitWindow();
    mainMenuWindow_ = CreateMainMenuWindow();
    profilesWindow_ = CreateProfilesWindow();
    newProfileWindow_ = CreateNewProfileWindow();
    renameProfileWindow_ = CreateRenameProfileWindow();
    deleteProfileWindow_ = CreateDeleteProfileWindow();
    profileNameConflictWindow_ = CreateProfileNameConflictWindow();
    startGameLogicWindow_ = CreateStartGameLogicWindow();
    continueGameLogicWindow_ = CreateContinueGameLogicWindow();
    highScoresWindow_ = CreateHighScoresWindow();
    optionsWindow_ = CreateOptionsWindow();
    helpWindow_ = CreateHelpWindow();
    gameLogicWindow_ = CreateGameLogicWindow();
    gameLogicPauseWindow_ = CreateGameLogicPauseWindow();
    gameLogicMenuWindow_ = CreateGameLogicMenuWindow();
    gameLogicMenuExitWindow_ = CreateGameLogicMenuExitWindow();
    gameLogicRestartWindow_ = CreateGameLogicRestartWindow();
    gameLogicGameExitWindow_ = CreateGameLogicGameExitWindow();
    levelCompleteWindow_ = CreateLevelCompleteWindow();
    stageCompleteWindow_ = CreateStageCompleteWindow();
    gameCompleteWindow_ = CreateGameCompleteWindow();
    gameOverWindow_ = CreateGameOverWindow();
}

// ---------------------------------------------------------------------------
// Screen flow

void GameBase::ProcessWindowResults()
{
    if (logosWindow_ != nullptr)
        ProcessLogosWindowResult();
    if (loadingWindow_ != nullptr)
        ProcessLoadingWindowResult();
    if (welcomeWindow_ != nullptr)
        ProcessWelcomeWindowResult();
    if (exitWindow_ != nullptr)
        ProcessExitWindowResult();
    if (mainMenuWindow_ != nullptr)
        ProcessMainMenuWindowResult();
    if (profilesWindow_ != nullptr)
        ProcessProfilesWindowResult();
    if (gameLogicLoadingWindow_ != nullptr)
        ProcessGameLogicLoadingWindowResult();
    if (newProfileWindow_ != nullptr)
        ProcessNewProfileWindowResult();
    if (renameProfileWindow_ != nullptr)
        ProcessRenameProfileWindowResult();
    if (deleteProfileWindow_ != nullptr)
        ProcessDeleteProfileWindowResult();
    if (profileNameConflictWindow_ != nullptr)
        ProcessProfileNameConflictWindowResult();
    if (startGameLogicWindow_ != nullptr)
        ProcessStartGameLogicWindowResult();
    if (continueGameLogicWindow_ != nullptr)
        ProcessContinueGameLogicWindowResult();
    if (highScoresWindow_ != nullptr)
        ProcessHighScoresWindowResult();
    if (optionsWindow_ != nullptr)
        ProcessOptionsWindowResult();
    if (helpWindow_ != nullptr)
        ProcessHelpWindowResult();
    if (gameLogicWindow_ != nullptr)
        ProcessGameLogicWindowResult();
    if (gameLogicPauseWindow_ != nullptr)
        ProcessGameLogicPauseWindowResult();
    if (gameLogicMenuWindow_ != nullptr)
        ProcessGameLogicMenuWindowResult();
    if (gameLogicMenuExitWindow_ != nullptr)
        ProcessGameLogicMenuExitWindowResult();
    if (gameLogicRestartWindow_ != nullptr)
        ProcessGameLogicRestartWindowResult();
    if (gameLogicGameExitWindow_ != nullptr)
        ProcessGameLogicGameExitWindowResult();
    if (gameLogic_ != nullptr && gameLogic_->IsStateChanged()) {
        if (gameLogic_->GetState() == GameLogicBase::kStateWon) {
            ProcessLevelWonState();
        } else if (gameLogic_->GetState() == GameLogicBase::kStateLost) {
            ProcessGameOverState();
        }
    }
    if (levelCompleteWindow_ != nullptr)
        ProcessLevelCompleteWindowResult();
    if (stageCompleteWindow_ != nullptr)
        ProcessStageCompleteWindowResult();
    if (gameCompleteWindow_ != nullptr)
        ProcessGameCompleteWindowResult();
    if (gameOverWindow_ != nullptr)
        ProcessGameOverWindowResult();
}

void GameBase::ClearWindowResults()
{
    if (logosWindow_ != nullptr)
        logosWindow_->SetResult(kResultNone);
    if (loadingWindow_ != nullptr)
        loadingWindow_->SetResult(kResultNone);
    if (gameLogicLoadingWindow_ != nullptr)
        gameLogicLoadingWindow_->SetResult(kResultNone);
    if (welcomeWindow_ != nullptr)
        welcomeWindow_->SetResult(kResultNone);
    if (exitWindow_ != nullptr)
        exitWindow_->SetResult(kResultNone);
    if (mainMenuWindow_ != nullptr)
        mainMenuWindow_->SetResult(kResultNone);
    if (profilesWindow_ != nullptr)
        profilesWindow_->SetResult(kResultNone);
    if (newProfileWindow_ != nullptr)
        newProfileWindow_->SetResult(kResultNone);
    if (renameProfileWindow_ != nullptr)
        renameProfileWindow_->SetResult(kResultNone);
    if (deleteProfileWindow_ != nullptr)
        deleteProfileWindow_->SetResult(kResultNone);
    if (profileNameConflictWindow_ != nullptr)
        profileNameConflictWindow_->SetResult(kResultNone);
    if (startGameLogicWindow_ != nullptr)
        startGameLogicWindow_->SetResult(kResultNone);
    if (continueGameLogicWindow_ != nullptr)
        continueGameLogicWindow_->SetResult(kResultNone);
    if (highScoresWindow_ != nullptr)
        highScoresWindow_->SetResult(kResultNone);
    if (optionsWindow_ != nullptr)
        optionsWindow_->SetResult(kResultNone);
    if (helpWindow_ != nullptr)
        helpWindow_->SetResult(kResultNone);
    if (gameLogicWindow_ != nullptr)
        gameLogicWindow_->SetResult(kResultNone);
    if (gameLogicPauseWindow_ != nullptr)
        gameLogicPauseWindow_->SetResult(kResultNone);
    if (gameLogicMenuWindow_ != nullptr)
        gameLogicMenuWindow_->SetResult(kResultNone);
    if (gameLogicMenuExitWindow_ != nullptr)
        gameLogicMenuExitWindow_->SetResult(kResultNone);
    if (gameLogicRestartWindow_ != nullptr)
        gameLogicRestartWindow_->SetResult(kResultNone);
    if (gameLogicGameExitWindow_ != nullptr)
        gameLogicGameExitWindow_->SetResult(kResultNone);
    if (levelCompleteWindow_ != nullptr)
        levelCompleteWindow_->SetResult(kResultNone);
    if (stageCompleteWindow_ != nullptr)
        stageCompleteWindow_->SetResult(kResultNone);
    if (gameCompleteWindow_ != nullptr)
        gameCompleteWindow_->SetResult(kResultNone);
    if (gameOverWindow_ != nullptr)
        gameOverWindow_->SetResult(kResultNone);
    if (gameLogic_ != nullptr) {
        gameLogic_->ClearStateChanged();
    }
}

void GameBase::UpdateWindows()
{
    if (logosWindow_ != nullptr)
        logosWindow_->Update();
    if (loadingWindow_ != nullptr)
        loadingWindow_->Update();
    if (welcomeWindow_ != nullptr)
        welcomeWindow_->Update();
    if (exitWindow_ != nullptr)
        exitWindow_->Update();
    if (mainMenuWindow_ != nullptr)
        mainMenuWindow_->Update();
    if (profilesWindow_ != nullptr)
        profilesWindow_->Update();
    if (newProfileWindow_ != nullptr)
        newProfileWindow_->Update();
    if (renameProfileWindow_ != nullptr)
        renameProfileWindow_->Update();
    if (deleteProfileWindow_ != nullptr)
        deleteProfileWindow_->Update();
    if (profileNameConflictWindow_ != nullptr)
        profileNameConflictWindow_->Update();
    if (gameLogicLoadingWindow_ != nullptr)
        gameLogicLoadingWindow_->Update();
    if (startGameLogicWindow_ != nullptr)
        startGameLogicWindow_->Update();
    if (continueGameLogicWindow_ != nullptr)
        continueGameLogicWindow_->Update();
    if (highScoresWindow_ != nullptr)
        highScoresWindow_->Update();
    if (optionsWindow_ != nullptr)
        optionsWindow_->Update();
    if (helpWindow_ != nullptr)
        helpWindow_->Update();
    if (gameLogicWindow_ != nullptr)
        gameLogicWindow_->Update();
    if (gameLogicPauseWindow_ != nullptr)
        gameLogicPauseWindow_->Update();
    if (gameLogicMenuWindow_ != nullptr)
        gameLogicMenuWindow_->Update();
    if (gameLogicMenuExitWindow_ != nullptr)
        gameLogicMenuExitWindow_->Update();
    if (gameLogicRestartWindow_ != nullptr)
        gameLogicRestartWindow_->Update();
    if (gameLogicGameExitWindow_ != nullptr)
        gameLogicGameExitWindow_->Update();
    if (gameLogic_ != nullptr)
        gameLogic_->Update();
    if (levelCompleteWindow_ != nullptr)
        levelCompleteWindow_->Update();
    if (stageCompleteWindow_ != nullptr)
        stageCompleteWindow_->Update();
    if (gameCompleteWindow_ != nullptr)
        gameCompleteWindow_->Update();
    if (gameOverWindow_ != nullptr)
        gameOverWindow_->Update();
}

void GameBase::ProcessLogosWindowResult()
{
    if (logosWindow_->GetResult() == kResultDone) {
        logosWindow_->Hide();
        loadingWindow_->Show(gameData_.get());
    }
}

void GameBase::ProcessLoadingWindowResult()
{
    if (loadingWindow_->GetResult() == kResultDone) {
        loadingWindow_->Hide();
        CreateWindows();
        ShowWelcomeOrMainMenu();
        gameCursor_->SetVisible(true);
    }
}

void GameBase::ProcessWelcomeWindowResult()
{
    switch (welcomeWindow_->GetResult()) {
    case kResultToMainMenu:
        welcomeWindow_->Hide();
        mainMenuWindow_->Show();
        break;
    case kResultQuitRequested:
        welcomeWindow_->Hide();
        exitWindow_->Show(kExitFromWelcome);
        break;
    default:
        break;
    }
}

void GameBase::ProcessExitWindowResult()
{
    switch (exitWindow_->GetResult()) {
    case kResultToWelcome:
        exitWindow_->Hide();
        welcomeWindow_->Show();
        break;
    case kResultToMainMenu:
        exitWindow_->Hide();
        mainMenuWindow_->Show();
        break;
    case kResultToNewProfile:
        exitWindow_->Hide();
        newProfileWindow_->Show(false);
        break;
    case kResultQuit:
        // The question stays on screen for the program's last frame.
        engine_->RequestExit();
        break;
    default:
        break;
    }
}

void GameBase::ProcessMainMenuWindowResult()
{
    switch (mainMenuWindow_->GetResult()) {
    case kResultToProfiles:
        mainMenuWindow_->Hide();
        profilesWindow_->Show();
        break;
    case kResultPlay: {
        mainMenuWindow_->Hide();
        ProfileBase* profile = TakeCurrentProfileOrWelcome();
        if (profile == nullptr) {
            break;
        }
        if (!profile->IsGameUnderWay()) {
            profile->Reset();
            startGameLogicWindow_->Show(kStartFromMainMenu);
        } else {
            continueGameLogicWindow_->Show();
        }
        break;
    }
    case kResultToHighScores:
        mainMenuWindow_->Hide();
        highScoresWindow_->Show(kHighScoresFromMainMenu, nullptr);
        break;
    case kResultToOptions:
        mainMenuWindow_->Hide();
        optionsWindow_->Show();
        break;
    case kResultToHelp:
        mainMenuWindow_->Hide();
        helpWindow_->Show();
        break;
    case kResultQuitRequested:
        mainMenuWindow_->Hide();
        exitWindow_->Show(kExitFromMainMenu);
        break;
    default:
        break;
    }
}

void GameBase::ProcessProfilesWindowResult()
{
    switch (profilesWindow_->GetResult()) {
    case kResultToNewProfile:
        profilesWindow_->Hide();
        newProfileWindow_->Show(true);
        break;
    case kResultRenameProfile:
        profilesWindow_->Hide();
        renameProfileWindow_->Show(true, profilesWindow_->GetSelectedName());
        break;
    case kResultDeleteProfile:
        profilesWindow_->Hide();
        deleteProfileWindow_->Show(profilesWindow_->GetSelectedName());
        break;
    case kResultToMainMenu:
        profilesWindow_->Hide();
        mainMenuWindow_->Show();
        break;
    default:
        break;
    }
}

void GameBase::ProcessGameLogicLoadingWindowResult()
{
    if (gameLogicLoadingWindow_->GetResult() == kResultDone) {
        gameLogicLoadingWindow_->Hide();
        gameCursor_->SetVisible(true);
        CreateLevel();
    }
}

void GameBase::ProcessNewProfileWindowResult()
{
    switch (newProfileWindow_->GetResult()) {
    case kResultNameTaken:
        newProfileWindow_->Hide();
        profileNameConflictWindow_->Show(kConflictFromNewProfile);
        break;
    case kResultToProfiles:
        newProfileWindow_->Hide();
        profilesWindow_->Show();
        break;
    case kResultQuitRequested:
        newProfileWindow_->Hide();
        exitWindow_->Show(kExitFromNewProfile);
        break;
    default:
        break;
    }
}

void GameBase::ProcessRenameProfileWindowResult()
{
    switch (renameProfileWindow_->GetResult()) {
    case kResultNameTaken:
        renameProfileWindow_->Hide();
        profileNameConflictWindow_->Show(kConflictFromRename);
        break;
    case kResultToProfiles:
        renameProfileWindow_->Hide();
        profilesWindow_->Show();
        break;
    default:
        break;
    }
}

void GameBase::ProcessDeleteProfileWindowResult()
{
    switch (deleteProfileWindow_->GetResult()) {
    case kResultToProfiles:
        deleteProfileWindow_->Hide();
        profilesWindow_->Show();
        break;
    case kResultToNewProfile:
        deleteProfileWindow_->Hide();
        newProfileWindow_->Show(true);
        break;
    default:
        break;
    }
}

void GameBase::ProcessProfileNameConflictWindowResult()
{
    switch (profileNameConflictWindow_->GetResult()) {
    case kResultToNewProfile:
        profileNameConflictWindow_->Hide();
        newProfileWindow_->Show(false);
        break;
    case kResultRenameProfile:
        profileNameConflictWindow_->Hide();
        renameProfileWindow_->Show(false, std::wstring());
        break;
    default:
        break;
    }
}

void GameBase::ProcessStartGameLogicWindowResult()
{
    switch (startGameLogicWindow_->GetResult()) {
    case kResultToMainMenu:
        startGameLogicWindow_->Hide();
        mainMenuWindow_->Show();
        break;
    case kResultPlay:
        StartLevel();
        break;
    default:
        break;
    }
}

void GameBase::ProcessContinueGameLogicWindowResult()
{
    switch (continueGameLogicWindow_->GetResult()) {
    case kResultContinue:
        continueGameLogicWindow_->Hide();
        startGameLogicWindow_->Show(kStartFromContinue);
        break;
    case kResultPlayOn: {
        // A new game in place of the one under way.
        ProfileBase* profile = TakeCurrentProfileOrWelcome();
        if (profile == nullptr) {
            continueGameLogicWindow_->Hide();
            break;
        }
        profile->SetGameUnderWay(false);
        profile->Save();
        profile->Reset();
        continueGameLogicWindow_->Hide();
        startGameLogicWindow_->Show(kStartFromContinue);
        break;
    }
    case kResultToMainMenu:
        continueGameLogicWindow_->Hide();
        mainMenuWindow_->Show();
        break;
    default:
        break;
    }
}

void GameBase::ProcessHighScoresWindowResult()
{
    if (highScoresWindow_->GetResult() == kResultToMainMenu) {
        highScoresWindow_->Hide();
        mainMenuWindow_->Show();
    }
}

void GameBase::ProcessOptionsWindowResult()
{
    if (optionsWindow_->GetResult() == kResultToMainMenu) {
        optionsWindow_->Hide();
        mainMenuWindow_->Show();
    }
}

void GameBase::ProcessHelpWindowResult()
{
    if (helpWindow_->GetResult() == kResultToMainMenu) {
        helpWindow_->Hide();
        mainMenuWindow_->Show();
    }
}

void GameBase::ProcessGameLogicWindowResult()
{
    // The in-game screen stays under the screen it opens.
    switch (gameLogicWindow_->GetResult()) {
    case kResultToGameMenu:
        gameLogicWindow_->SetActive(false);
        gameLogicMenuWindow_->Show();
        PauseLevel(true);
        break;
    case kResultPause:
        gameLogicWindow_->SetActive(false);
        gameLogicPauseWindow_->Show();
        PauseLevel(true);
        break;
    case kResultQuitRequested:
        gameLogicWindow_->SetActive(false);
        gameLogicGameExitWindow_->Show();
        PauseLevel(true);
        break;
    default:
        break;
    }
}

void GameBase::ProcessGameLogicPauseWindowResult()
{
    if (gameLogicPauseWindow_->GetResult() == kResultResume) {
        gameLogicPauseWindow_->Hide();
        gameLogicWindow_->SetActive(true);
        PauseLevel(false);
    }
}

void GameBase::ProcessGameLogicMenuWindowResult()
{
    switch (gameLogicMenuWindow_->GetResult()) {
    case kResultResume:
        gameLogicMenuWindow_->Hide();
        gameLogicWindow_->SetActive(true);
        PauseLevel(false);
        break;
    case kResultLeaveLevel:
        gameLogicMenuWindow_->Hide();
        gameLogicMenuExitWindow_->Show();
        break;
    case kResultRestart:
        gameLogicMenuWindow_->Hide();
        gameLogicRestartWindow_->Show();
        break;
    default:
        break;
    }
}

void GameBase::ProcessGameLogicMenuExitWindowResult()
{
    switch (gameLogicMenuExitWindow_->GetResult()) {
    case kResultToGameMenu:
        gameLogicMenuExitWindow_->Hide();
        gameLogicMenuWindow_->Show();
        break;
    case kResultToMainMenu:
        gameLogicMenuExitWindow_->Hide();
        CloseLevel();
        mainMenuWindow_->Show();
        break;
    default:
        break;
    }
}

void GameBase::ProcessGameLogicRestartWindowResult()
{
    switch (gameLogicRestartWindow_->GetResult()) {
    case kResultToGameMenu:
        gameLogicRestartWindow_->Hide();
        gameLogicMenuWindow_->Show();
        break;
    case kResultPlayOn:
        gameLogicRestartWindow_->Hide();
        CloseLevel();
        startGameLogicWindow_->Show(kStartFromRestart);
        break;
    default:
        break;
    }
}

void GameBase::ProcessGameLogicGameExitWindowResult()
{
    switch (gameLogicGameExitWindow_->GetResult()) {
    case kResultResume:
        gameLogicGameExitWindow_->Hide();
        gameLogicWindow_->SetActive(true);
        PauseLevel(false);
        break;
    case kResultQuit:
        engine_->RequestExit();
        break;
    default:
        break;
    }
}

void GameBase::ProcessLevelWonState()
{
    gameLogicWindow_->SetActive(false);
    ProfileBase* profile = TakeCurrentProfileOrWelcome();
    if (profile == nullptr) {
        CloseLevel();
        return;
    }
    const LevelPosition position = GetLevelPosition();
    const LevelPosition next = levelManager_->GetNextLevel(position);
    profile->SetCurrentPosition(next);
    profile->Save();
    // The last level of the campaign leads to itself.
    const bool wasLastLevel = next == position;
    profile->SetFurthestPosition(next, wasLastLevel);

    profile->SetLevelLogicValue(gameLogic_->GetValue());
    profile->SetTotalScore(profile->GetTotalScore() + gameLogic_->GetScore());
    gameLogic_->SetScore(0);
    profile->SetGameUnderWay(!wasLastLevel);
    profile->Save();

    std::unique_ptr<LevelResult> result = CreateLevelResult();
    GetLevelResult(*result);
    profile->AddLevelResult(*result);
    // The level stays in play, won, behind the screen until it answers.
    levelCompleteWindow_->Show(position, gameLogic_->GetElapsedTime());
}

void GameBase::ReturnToPreviousLevel()
{
    ProfileBase* profile = TakeCurrentProfileOrWelcome();
    if (profile == nullptr) {
        CloseLevel();
        return;
    }
    LevelPosition previous = GetLevelPosition();
    if (previous.level > 0) {
        --previous.level;
    } else if (previous.stage > 0) {
        --previous.stage;
        const std::uint32_t count = levelManager_->GetLevelCount(previous.stage);
        previous.level = count > 0 ? count - 1 : 0;
    }
    profile->SetCurrentPosition(previous);
    profile->Save();
    CloseLevel();
    startGameLogicWindow_->Show(kStartFromMainMenu);
}

void GameBase::ProcessGameOverState()
{
    gameLogicWindow_->SetActive(false);
    ProfileBase* profile = TakeCurrentProfileOrWelcome();
    if (profile == nullptr) {
        CloseLevel();
        return;
    }
    profile->SetGameUnderWay(false);
    profile->Save();
    // The level stays in play until the game-over screen answers.
    gameOverWindow_->Show();
}

void GameBase::ProcessLevelCompleteWindowResult()
{
    switch (levelCompleteWindow_->GetResult()) {
    case kResultPlayOn:
        levelCompleteWindow_->Hide();
        CloseLevel();
        startGameLogicWindow_->Show(kStartAfterLevel);
        break;
    case kResultStageComplete:
        levelCompleteWindow_->Hide();
        stageCompleteWindow_->Show(GetLevelPosition());
        break;
    default:
        break;
    }
}

void GameBase::ProcessStageCompleteWindowResult()
{
    switch (stageCompleteWindow_->GetResult()) {
    case kResultPlayOn:
        stageCompleteWindow_->Hide();
        CloseLevel();
        startGameLogicWindow_->Show(kStartAfterStage);
        break;
    case kResultGameComplete:
        stageCompleteWindow_->Hide();
        CloseLevel();
        gameCompleteWindow_->Show();
        break;
    default:
        break;
    }
}

void GameBase::ProcessGameCompleteWindowResult()
{
    if (gameCompleteWindow_->GetResult() != kResultDone) {
        return;
    }
    gameCompleteWindow_->Hide();
    ProfileBase* profile = TakeCurrentProfileOrWelcome();
    if (profile != nullptr) {
        ShowHighScoresAfterGame(profile->GetTotalScore(), kHighScoresAfterGameComplete);
    }
}

void GameBase::ProcessGameOverWindowResult()
{
    if (gameOverWindow_->GetResult() != kResultDone) {
        return;
    }
    gameOverWindow_->Hide();
    ProfileBase* profile = TakeCurrentProfileOrWelcome();
    if (profile != nullptr) {
        const std::uint32_t levelScore = gameLogic_ != nullptr ? gameLogic_->GetScore() : 0;
        ShowHighScoresAfterGame(profile->GetTotalScore() + levelScore, kHighScoresAfterGameOver);
    }
    CloseLevel();
}

void GameBase::ShowWelcomeOrMainMenu()
{
    if (profileManager_->GetProfileCount() == 0) {
        welcomeWindow_->Show();
    } else {
        mainMenuWindow_->Show();
    }
}

ProfileBase* GameBase::TakeCurrentProfileOrWelcome()
{
    ProfileBase* profile = profileManager_->GetCurrentProfile();
    if (profile == nullptr) {
        // Deleting the last profile leaves none current: the only way on is
        // to make one.
        welcomeWindow_->Show();
    }
    return profile;
}

void GameBase::CloseLevel()
{
    if (gameLogicWindow_ != nullptr) {
        gameLogicWindow_->Hide();
    }
    gameLogic_.reset();
}

void GameBase::PauseLevel(bool pause)
{
    if (gameLogic_ != nullptr) {
        gameLogic_->Pause(pause);
    }
}

void GameBase::StartLevel()
{
    ProfileBase* profile = TakeCurrentProfileOrWelcome();
    if (profile == nullptr) {
        startGameLogicWindow_->Hide();
        return;
    }
    // A level's set lives until the level after the next one starts, so that
    // what the two share is not loaded again.
    previousGameLogicData_.reset();
    previousGameLogicData_ = std::move(gameLogicData_);
    const LevelPosition position = profile->GetCurrentPosition();
    const StageRecord* stage = nullptr;
    const LevelRecord* level = nullptr;
    FindLevelRecords(position, stage, level);
    gameLogicData_ = CreateGameLogicData(*stage, *level);
    levelManager_->GetLevelResourceFiles(position, gameLogicData_->GetResourceFiles());
    startGameLogicWindow_->Hide();
    gameLogicLoadingWindow_->Show(gameLogicData_.get());
}

void GameBase::CreateLevel()
{
    ProfileBase* profile = TakeCurrentProfileOrWelcome();
    if (profile == nullptr) {
        return;
    }
    const StageRecord* stage = nullptr;
    const LevelRecord* level = nullptr;
    FindLevelRecords(profile->GetCurrentPosition(), stage, level);
    gameLogic_ = CreateGameLogic(*stage, *level, profile->GetLevelLogicValue());
    gameLogicWindow_->Show(gameLogic_.get());
}

void GameBase::ShowHighScoresAfterGame(std::uint32_t score, std::uint32_t callerCode)
{
    if (score == 0) {
        mainMenuWindow_->Show();
        return;
    }
    const ProfileBase* profile = profileManager_->GetCurrentProfile();
    const HighScoreEntry* entry = highScoresTable_->Insert(profile->GetName(), profile->GetScoreCategory(), score);
    highScoresWindow_->Show(callerCode, entry);
}

LevelPosition GameBase::GetLevelPosition() const
{
    LevelPosition position;
    if (gameLogic_ != nullptr && gameLogic_->GetLevel() != nullptr) {
        position.stage = gameLogic_->GetLevel()->stageIndex;
        position.level = gameLogic_->GetLevel()->levelIndex;
    }
    return position;
}

void GameBase::FindLevelRecords(const LevelPosition& position, const StageRecord*& stage,
                                const LevelRecord*& level) const
{
    stage = levelManager_->GetStage(position.stage);
    level = levelManager_->GetLevel(position.stage, position.level);
    if (stage == nullptr || level == nullptr) {
        messageManager_->LogFatal("GameBase: The campaign has no level " + UIntToString(position.level + 1) +
                                  " in stage " + UIntToString(position.stage + 1));
    }
}

} // namespace GameFramework

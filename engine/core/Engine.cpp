#include "engine/core/Engine.h"

#include "engine/core/Config.h"
#include "engine/core/Console.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/file/FileManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls_DI7.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ScreenCapture.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroupManager.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/Clock.h"
#include "platform/GraphicsDriver.h"

namespace OrrelayEngine {

namespace {

const char* const kDefaultApplicationName = "Orrelay Engine";
constexpr std::uint32_t kDefaultVersion = 67;
const char* const kCaptureFolderName = "ScreenCaptures";

// Built once, so that the frame's lookups make no strings.
const std::string kPrintScreenKey = "PRINTSCRN";
const std::string kScreenshotCommand = "sc_take_screenshot";
const std::string kExitCommand = "exit";

} // namespace

Engine::Engine(const EngineSettings& settings, const EngineFactories& factories)
    : settings_(settings), loadingHelperLimit_(factories.loadingHelperLimit),
      loadingDelayMilliseconds_(factories.loadingDelayMilliseconds)
{
    if (settings_.applicationName.empty()) {
        settings_.applicationName = kDefaultApplicationName;
        settings_.version = kDefaultVersion;
    }
    try {
        Start(factories);
    } catch (...) {
        // The program ends anyway, but not with the display mode changed and
        // the log left without its closing line.
        ReleaseServices();
        throw;
    }
}

Engine::~Engine()
{
    if (settings_.saveConfigOnExit) {
        config_->Save();
    }
    ReleaseServices();
}

void Engine::Start(const EngineFactories& factories)
{
    messageManager_ =
        std::make_unique<MessageManager>(settings_.applicationName, settings_.logEnabled, settings_.logReopenPerMessage,
                                         settings_.logFolder, settings_.logName);
    MessageManager* log = messageManager_.get();
    fileManager_ = std::make_unique<FileManager>(log, settings_.installFolder, settings_.dataFolder);
    timerManager_ = std::make_unique<TimerManager>();
    StartConfig();

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    ParseVideoMode(config_->GetValues()->videoMode, &width, &height, nullptr);
    window_ = std::make_unique<Window>(log, config_.get(), MakeVersionString(), settings_.hostWindow, settings_.iconId,
                                       settings_.minimizeOnFocusLoss, static_cast<std::int32_t>(width),
                                       static_cast<std::int32_t>(height), config_->GetValues()->fullscreen != 0,
                                       settings_.centreWindow, settings_.windowPosition.x, settings_.windowPosition.y);

    std::unique_ptr<Platform::GraphicsDriver> driver;
    if (factories.graphicsDriver) {
        driver = factories.graphicsDriver(*window_);
    }
    auto renderSystem = std::make_unique<RenderSystem_D3D7>(log, config_.get(), window_.get(), settings_.renderOptionA,
                                                            settings_.renderOptionB, std::move(driver));
    RenderSystem_D3D7* capturedSystem = renderSystem.get();
    renderSystem_ = std::move(renderSystem);

    cameraManager_ = std::make_unique<CameraManager>(log, window_.get(), renderSystem_.get());
    lightManager_ = std::make_unique<LightManager>(log, renderSystem_.get());
    shaderManager_ = std::make_unique<ShaderManager>(log, fileManager_.get(), timerManager_.get(), config_.get(),
                                                     renderSystem_.get());
    modelManager_ = std::make_unique<ModelManager>(log, fileManager_.get(), timerManager_.get(), renderSystem_.get(),
                                                   cameraManager_.get(), lightManager_.get(), shaderManager_.get());
    spriteGroupManager_ =
        std::make_unique<SpriteGroupManager>(log, cameraManager_.get(), shaderManager_.get(), modelManager_.get());
    particleSystemManager_ = std::make_unique<ParticleSystemManager>(log, fileManager_.get(), timerManager_.get(),
                                                                     shaderManager_.get(), spriteGroupManager_.get());
    screenCapture_ =
        std::make_unique<ScreenCapture>(log, fileManager_.get(), config_.get(), capturedSystem, MakeCaptureFolder());
    controls_ = std::make_unique<Controls_DI7>(log, timerManager_.get(), config_.get(), window_.get(), true);
    StartSound();
    guiManager_ =
        std::make_unique<GUIManager>(log, fileManager_.get(), window_.get(), timerManager_.get(), cameraManager_.get(),
                                     shaderManager_.get(), modelManager_.get(), controls_.get(), soundManager_.get());
    SetRandomSeed(Platform::GetTickCount());
}

void Engine::StartConfig()
{
    config_ = std::make_unique<Config>(messageManager_.get(), fileManager_.get(), settings_.configFolder,
                                       settings_.configName, settings_.forceVideoMode, settings_.videoMode,
                                       settings_.forceFullscreenSetting, settings_.fullscreenDefault);
    config_->Load();
}

void Engine::StartSound()
{
    // The sound services log their own failures; the game then runs silent.
    // Only the engine's own error types are caught: anything else is a fault.
    try {
        soundSystem_ = std::make_unique<SoundSystem_DS7>(messageManager_.get(), fileManager_.get(), timerManager_.get(),
                                                         config_.get(), window_.get(), settings_.soundOption);
        soundManager_ = std::make_unique<SoundManager>(messageManager_.get(), fileManager_.get(), soundSystem_.get());
    } catch (const Error&) {
    }
}

void Engine::ReleaseServices()
{
    console_.reset();
    guiManager_.reset();
    soundManager_.reset();
    soundSystem_.reset();
    controls_.reset();
    screenCapture_.reset();
    particleSystemManager_.reset();
    spriteGroupManager_.reset();
    modelManager_.reset();
    shaderManager_.reset();
    lightManager_.reset();
    cameraManager_.reset();
    renderSystem_.reset();
    window_.reset();
    config_.reset();
    timerManager_.reset();
    fileManager_.reset();
    messageManager_.reset();
}

std::string Engine::MakeCaptureFolder() const
{
    if (settings_.logFolder.empty()) {
        return kCaptureFolderName;
    }
    return settings_.logFolder + "\\" + kCaptureFolderName;
}

void Engine::PreFrame()
{
    config_->Update();
    timerManager_->Update();
    window_->Update();
    controls_->Update();
    guiManager_->Update();
    if (console_ != nullptr) {
        console_->Update();
    }
    messageManager_->ClearMessages();
}

void Engine::UpdateSubsystems()
{
    renderSystem_->Refresh();
    cameraManager_->Update();
    particleSystemManager_->UpdateAll();
    spriteGroupManager_->UpdateAll();
    guiManager_->Render();
    lightManager_->ApplyAll();
    shaderManager_->UpdateShaderUsers();
    modelManager_->RenderAll();
    if (soundSystem_ != nullptr) {
        soundSystem_->Refresh();
    }
    if (soundManager_ != nullptr) {
        soundManager_->Update(true);
    }
}

void Engine::Frame(std::uint32_t sleepMilliseconds)
{
    UpdateSubsystems();
    if (sleepMilliseconds > 0) {
        Platform::SleepMilliseconds(sleepMilliseconds);
    }
    // The back buffer is undefined once presented, so the capture reads it
    // first; a screenshot asked for in this frame still shows this frame.
    if (controls_->WasKeyPressed(kPrintScreenKey)) {
        config_->SetCommandIdle(kScreenshotCommand, false);
    }
    screenCapture_->Update();
    modelManager_->PresentFrame();
    controls_->ClearFrameState();
    config_->ClearChanged();
    if (IsExitRequested()) {
        messageManager_->LogInfo("\nExiting...\n");
    }
}

Console* Engine::CreateConsole(const std::wstring& footerText, const std::string& backgroundTexture,
                               std::uint32_t fontId, std::uint32_t editBoxOption, wchar_t promptCharacter,
                               wchar_t fillCharacter, const std::string& toggleKeyName, float alpha, float size,
                               float speed)
{
    console_.reset();
    console_ =
        std::make_unique<Console>(messageManager_.get(), timerManager_.get(), config_.get(), controls_.get(),
                                  shaderManager_.get(), guiManager_.get(), footerText, backgroundTexture, fontId,
                                  editBoxOption, promptCharacter, fillCharacter, toggleKeyName, alpha, size, speed);
    return console_.get();
}

bool Engine::IsExitRequested() const
{
    return !config_->IsCommandIdle(kExitCommand);
}

void Engine::RequestExit()
{
    config_->SetCommandIdle(kExitCommand, false);
}

std::string Engine::MakeVersionString() const
{
    const std::uint32_t minor = settings_.version % 100;
    return settings_.applicationName + " " + std::to_string(settings_.version / 100) + "." + (minor < 10 ? "0" : "") +
           std::to_string(minor);
}

} // namespace OrrelayEngine

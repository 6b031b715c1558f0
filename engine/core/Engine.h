// The engine object: brings every engine service up in a fixed order, owns
// them, steps the engine's half of each frame and takes them down again in
// exactly the reverse order, the log last so that its closing line is written.
//
// A failing start-up step (any but sound) leaves the constructor as the
// FatalError its service logged; whatever was made before it is released
// first, so a changed display mode is restored and the log is closed. Without
// a sound device the engine runs silent: both sound members may be null.
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/EngineFactories.h"
#include "engine/core/EngineSettings.h"

namespace OrrelayEngine {

class CameraManager;
class Config;
class Console;
class Controls;
class FileManager;
class GUIManager;
class LightManager;
class MessageManager;
class ModelManager;
class ParticleSystemManager;
class RenderSystem;
class ScreenCapture;
class ShaderManager;
class SoundManager;
class SoundSystem;
class SpriteGroupManager;
class TimerManager;
class Window;

class Engine
{
public:
    // Throws FatalError when a step other than sound fails.
    explicit Engine(const EngineSettings& settings, const EngineFactories& factories = EngineFactories());
    virtual ~Engine();

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // The first half of a focused frame: configuration, frame time, window,
    // input, GUI, console, then the log's per-frame list is emptied.
    void PreFrame();
    // The second half: the update and render pass, the sleep, the capture of
    // the picture just drawn, the present, and the end-of-frame clearing.
    void Frame(std::uint32_t sleepMilliseconds);
    void UpdateSubsystems();

    bool IsExitRequested() const;
    void RequestExit();
    // The window's title: the name, a blank and the version as major.minor.
    std::string MakeVersionString() const;
    // Makes the console (a second call replaces the first) over the engine's
    // services; the game never does, tools and tests may.
    Console* CreateConsole(const std::wstring& footerText, const std::string& backgroundTexture, std::uint32_t fontId,
                           std::uint32_t editBoxOption, wchar_t promptCharacter, wchar_t fillCharacter,
                           const std::string& toggleKeyName, float alpha, float size, float speed);

    const EngineSettings& GetSettings() const { return settings_; }
    MessageManager* GetMessageManager() const { return messageManager_.get(); }
    FileManager* GetFileManager() const { return fileManager_.get(); }
    TimerManager* GetTimerManager() const { return timerManager_.get(); }
    Config* GetConfig() const { return config_.get(); }
    Window* GetWindow() const { return window_.get(); }
    RenderSystem* GetRenderSystem() const { return renderSystem_.get(); }
    CameraManager* GetCameraManager() const { return cameraManager_.get(); }
    LightManager* GetLightManager() const { return lightManager_.get(); }
    ShaderManager* GetShaderManager() const { return shaderManager_.get(); }
    ModelManager* GetModelManager() const { return modelManager_.get(); }
    SpriteGroupManager* GetSpriteGroupManager() const { return spriteGroupManager_.get(); }
    ParticleSystemManager* GetParticleSystemManager() const { return particleSystemManager_.get(); }
    Controls* GetControls() const { return controls_.get(); }
    // Null without a sound device.
    SoundSystem* GetSoundSystem() const { return soundSystem_.get(); }
    SoundManager* GetSoundManager() const { return soundManager_.get(); }
    GUIManager* GetGUIManager() const { return guiManager_.get(); }
    ScreenCapture* GetScreenCapture() const { return screenCapture_.get(); }
    // Null unless CreateConsole was called.
    Console* GetConsole() const { return console_.get(); }
    // The helper threads a resource load may use beside its own: the load's
    // own number, or fewer where the factory record said so.
    std::uint32_t GetLoadingHelperLimit(std::uint32_t wanted) const
    {
        return wanted < loadingHelperLimit_ ? wanted : loadingHelperLimit_;
    }
    std::uint32_t GetLoadingDelayMilliseconds() const { return loadingDelayMilliseconds_; }
    // Nothing here needs COM; the flag stays false.
    bool IsComInitialized() const { return comInitialized_; }

private:
    void Start(const EngineFactories& factories);
    void StartConfig();
    void StartSound();
    // Deletes whatever exists, in the reverse order of start-up.
    void ReleaseServices();
    std::string MakeCaptureFolder() const;

    EngineSettings settings_;
    std::uint32_t loadingHelperLimit_ = EngineFactories::kLoadingHelpersAsShipped;
    std::uint32_t loadingDelayMilliseconds_ = 0;
    std::unique_ptr<MessageManager> messageManager_;
    std::unique_ptr<FileManager> fileManager_;
    std::unique_ptr<TimerManager> timerManager_;
    std::unique_ptr<Config> config_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<RenderSystem> renderSystem_;
    std::unique_ptr<CameraManager> cameraManager_;
    std::unique_ptr<LightManager> lightManager_;
    std::unique_ptr<ShaderManager> shaderManager_;
    std::unique_ptr<ModelManager> modelManager_;
    std::unique_ptr<SpriteGroupManager> spriteGroupManager_;
    std::unique_ptr<ParticleSystemManager> particleSystemManager_;
    std::unique_ptr<Controls> controls_;
    std::unique_ptr<SoundSystem> soundSystem_;
    std::unique_ptr<SoundManager> soundManager_;
    std::unique_ptr<GUIManager> guiManager_;
    std::unique_ptr<ScreenCapture> screenCapture_;
    std::unique_ptr<Console> console_;
    bool comInitialized_ = false;
};

} // namespace OrrelayEngine

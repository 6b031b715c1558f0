#include "engine/sound/SoundSystem_DS7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "platform/AudioBuffer.h"
#include "platform/AudioDevice.h"
#include "platform/AudioListener.h"
#include "platform/AudioPrimaryBuffer.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kPrimaryRateHz = 22050;
constexpr std::uint32_t kPrimaryChannels = 2;
constexpr std::uint32_t kPrimaryBits = 16;

Platform::AudioVector ToAudio(const Vector3& v)
{
    return {v.x, v.y, v.z};
}

struct ResultText
{
    std::uint32_t code;
    const char* text;
};

const ResultText kResultTexts[] = {
    {0x80070005u, "The request failed because access was denied."},
    {0x8878000Au, "The request failed because resources, such as a priority level, were already in use by another "
                  "caller."},
    {0x88780082u, "The object is already initialized."},
    {0x88780064u, "The specified wave format is not supported."},
    {0x88780096u, "The buffer memory has been lost and must be restored."},
    {0x8878001Eu, "The buffer control (volume, pan, and so on) requested by the caller is not available."},
    {0x80004005u, "An undetermined error occurred inside the DirectSound subsystem."},
    {0x88780032u, "This function is not valid for the current state of this object."},
    {0x80070057u, "An invalid parameter was passed to the returning function."},
    {0x80040110u, "The object does not support aggregation."},
    {0x88780078u, "No sound driver is available for use."},
    {0x80004002u, "The requested COM interface is not available."},
    {0x887800A0u, "Another application has a higher priority level, preventing this call from succeeding."},
    {0x8007000Eu, "The DirectSound subsystem could not allocate sufficient memory to complete the caller's request."},
    {0x88780046u, "The caller does not have the priority level required for the function to succeed."},
    {0x887800AAu, "The IDirectSound::Initialize method has not been called or has not been called successfully "
                  "before other methods were called."},
    {0x80004001u, "The function called is not supported at this time."},
};

} // namespace

SoundSystem_DS7::SoundSystem_DS7(MessageManager* log, FileManager* files, TimerManager* timers, Config* config,
                                 Window* window, bool use3D)
    : SoundSystem(log, files, config, use3D), timers_(timers), window_(window)
{
    log_->LogInfo("\nInitialization of DirectSound Subsystem:");

    log_->LogInfo("...Creating a device...");
    if (Platform::AudioFailed(Platform::AudioDevice::Open(device_))) {
        log_->LogError("Failed to create a device");
        Destroy();
        throw Error("");
    }

    log_->LogInfo("...Set cooperative level...");
    if (Platform::AudioFailed(device_->SetCooperativeLevel(Platform::kAudioLevelPriority))) {
        log_->LogError("Failed to set cooperative level");
        Destroy();
        throw Error("");
    }

    log_->LogInfo("...Create primary buffer...");
    std::uint32_t flags = Platform::kAudioBufferPrimary | Platform::kAudioBufferCtrlVolume;
    if (use3D_) {
        flags |= Platform::kAudioBufferCtrl3D;
    }
    if (Platform::AudioFailed(device_->CreatePrimaryBuffer(flags, primary_))) {
        log_->LogError("Failed to create primary buffer");
        Destroy();
        throw Error("");
    }

    log_->LogInfo("...Set primary buffer format...");
    if (Platform::AudioFailed(
            primary_->SetFormat(Platform::AudioFormat{kPrimaryChannels, kPrimaryRateHz, kPrimaryBits}))) {
        log_->LogError("Failed to set primary buffer format");
        primary_.reset();
        Destroy();
        throw Error("");
    }

    if (use3D_) {
        log_->LogInfo("...Get the 3D listener from the primary buffer...");
        if (Platform::AudioFailed(primary_->QueryListener(listener_))) {
            log_->LogError("Failed to get the 3D listener from the primary buffer");
            use3D_ = false;
        }
    }

    log_->LogInfo("");
    ResetListener();
}

SoundSystem_DS7::~SoundSystem_DS7()
{
    Destroy();
}

void SoundSystem_DS7::Destroy()
{
    log_->LogInfo("DirectSound system destroying:");
    log_->LogInfo("...Releasing 3D listener...");
    listener_.reset();
    log_->LogInfo("...Releasing primary buffer...");
    primary_.reset();
    log_->LogInfo("...Releasing device...");
    device_.reset();
}

void SoundSystem_DS7::Refresh()
{
    if (primary_ != nullptr) {
        std::uint32_t status = 0;
        CheckResult("SoundSystem_DS7::Refresh", primary_->GetStatus(status));
        if (status == Platform::kAudioStatusLost) {
            primary_->Restore();
        }
    }
    if (listener_ != nullptr) {
        CheckResult("SoundSystem_DS7::Refresh", listener_->CommitDeferredSettings());
    }
}

std::unique_ptr<Sound> SoundSystem_DS7::CreateSound(const std::string& fileName)
{
    return std::make_unique<Sound_DS7>(log_, this, bufferManager_, fileName);
}

std::unique_ptr<Sound> SoundSystem_DS7::CloneSound(const Sound& sound)
{
    return std::make_unique<Sound_DS7>(static_cast<const Sound_DS7&>(sound));
}

std::unique_ptr<SoundBuffer> SoundSystem_DS7::CreateSoundBuffer(const std::string& fileName)
{
    auto buffer = std::make_unique<SoundBuffer_DS7>(log_, files_, timers_, this, fileName);
    buffer->Create(nullptr);
    return buffer;
}

std::unique_ptr<SoundBuffer> SoundSystem_DS7::CloneSoundBuffer(const SoundBuffer& buffer)
{
    const auto& source = static_cast<const SoundBuffer_DS7&>(buffer);
    auto copy = std::make_unique<SoundBuffer_DS7>(log_, files_, timers_, this, source.GetName());
    copy->Create(&source);
    return copy;
}

void SoundSystem_DS7::SetListenerPosition(const Vector3& position)
{
    SoundSystem::SetListenerPosition(position);
    if (listener_ != nullptr) {
        listener_->SetPosition(ToAudio(position), true);
    }
}

void SoundSystem_DS7::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    SoundSystem::SetListenerOrientation(front, top);
    if (listener_ != nullptr) {
        listener_->SetOrientation(ToAudio(front), ToAudio(top), true);
    }
}

std::string SoundSystem_DS7::GetResultText(Platform::AudioResult result)
{
    for (const ResultText& entry : kResultTexts) {
        if (static_cast<Platform::AudioResult>(entry.code) == result) {
            return entry.text;
        }
    }
    return "Unknown error (Code: " + IntToString(result) + ")";
}

void SoundSystem_DS7::CheckResult(const char* operation, Platform::AudioResult result)
{
    if (result == Platform::kAudioOk) {
        return;
    }
    log_->LogError(std::string("DirectSound Subsystem (") + operation + "): " + GetResultText(result));
}

} // namespace OrrelayEngine

#include "platform/AudioDevice.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

#include "platform/AudioBuffer.h"
#include "platform/AudioMixer.h"
#include "platform/AudioPrimaryBuffer.h"

namespace Platform {

namespace {

constexpr int kRequestedRateHz = 22050;
constexpr int kRequestedChannels = 2;
// About 23 ms at 22050 Hz: short enough for effects to start promptly.
constexpr int kCallbackFrames = 512;

std::atomic<AudioOutput> gOutput{AudioOutput::Sdl};
std::atomic<AudioFailure> gFailure{AudioFailure::kNone};

void PullFromMixer(void* userData, Uint8* stream, int length)
{
    auto* mixer = static_cast<AudioMixer*>(userData);
    const int frameBytes = static_cast<int>(sizeof(std::int16_t) * mixer->GetOutputChannels());
    mixer->Mix(reinterpret_cast<std::int16_t*>(stream), static_cast<std::uint32_t>(length / frameBytes));
}

} // namespace

void AudioDevice::SetOutputForTests(AudioOutput output)
{
    gOutput = output;
}

void AudioDevice::SetFailureForTests(AudioFailure failure)
{
    gFailure = failure;
}

AudioFailure AudioDevice::GetFailureForTests()
{
    return gFailure;
}

AudioResult AudioDevice::Open(std::unique_ptr<AudioDevice>& device)
{
    device.reset();
    if (gFailure == AudioFailure::kOpen) {
        return kAudioErrNoDriver;
    }
    if (gOutput == AudioOutput::Manual) {
        device.reset(new AudioDevice(std::make_shared<AudioMixer>(kRequestedRateHz, kRequestedChannels), 0));
        return kAudioOk;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "SDL audio: %s\n", SDL_GetError());
        return kAudioErrNoDriver;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kRequestedRateHz;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kRequestedChannels;
    wanted.samples = kCallbackFrames;
    wanted.callback = PullFromMixer;
    SDL_AudioSpec granted{};
    // The sample format and channel count are fixed (SDL converts if it must);
    // the rate is taken as granted and the mixer resamples to it.
    auto mixer = std::make_shared<AudioMixer>(kRequestedRateHz, kRequestedChannels);
    wanted.userdata = mixer.get();
    const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &granted, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (id == 0) {
        std::fprintf(stderr, "SDL audio: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return kAudioErrNoDriver;
    }
    // A new device stays paused until told otherwise, so the callback cannot yet run.
    mixer->SetOutputRate(static_cast<std::uint32_t>(granted.freq));
    device.reset(new AudioDevice(std::move(mixer), id));
    SDL_PauseAudioDevice(id, 0);
    return kAudioOk;
}

AudioDevice::AudioDevice(std::shared_ptr<AudioMixer> mixer, std::uint32_t sdlDevice)
    : mixer_(std::move(mixer)), sdlDevice_(sdlDevice)
{}

AudioDevice::~AudioDevice()
{
    if (sdlDevice_ != 0) {
        // Closing waits for a running callback, so the mixer is no longer in use after it.
        SDL_CloseAudioDevice(sdlDevice_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

AudioResult AudioDevice::SetCooperativeLevel(std::uint32_t level)
{
    if (gFailure == AudioFailure::kCooperativeLevel) {
        return kAudioErrAllocated;
    }
    if (level < kAudioLevelNormal || level > kAudioLevelWritePrimary) {
        return kAudioErrInvalidParam;
    }
    cooperativeLevel_ = level;
    return kAudioOk;
}

AudioResult AudioDevice::CreatePrimaryBuffer(std::uint32_t flags, std::unique_ptr<AudioPrimaryBuffer>& buffer)
{
    buffer.reset();
    if (cooperativeLevel_ == 0) {
        return kAudioErrInvalidCall;
    }
    if (gFailure == AudioFailure::kPrimaryBuffer) {
        return kAudioErrOutOfMemory;
    }
    if ((flags & kAudioBufferPrimary) == 0) {
        return kAudioErrInvalidParam;
    }
    AudioFormat format;
    format.samplesPerSecond = mixer_->GetOutputRate();
    format.channels = mixer_->GetOutputChannels();
    buffer = std::make_unique<AudioPrimaryBuffer>(mixer_, flags, format);
    return kAudioOk;
}

AudioResult AudioDevice::CreateBuffer(const AudioBufferDescription& description, std::unique_ptr<AudioBuffer>& buffer)
{
    buffer.reset();
    if (cooperativeLevel_ == 0) {
        return kAudioErrInvalidCall;
    }
    if ((description.flags & kAudioBufferPrimary) != 0) {
        return kAudioErrInvalidParam;
    }
    if (!description.format.IsValid()) {
        return kAudioErrBadFormat;
    }
    const std::uint32_t block = description.format.BlockAlign();
    if (description.bytes < kAudioMinBufferBytes || description.bytes > kAudioMaxBufferBytes ||
        description.bytes % block != 0) {
        return kAudioErrInvalidParam;
    }
    // Positional sound comes from one point: only mono buffers can have it.
    if ((description.flags & kAudioBufferCtrl3D) != 0 && description.format.channels != 1) {
        return kAudioErrInvalidParam;
    }
    if (gFailure == AudioFailure::kSecondaryBuffer) {
        return kAudioErrOutOfMemory;
    }
    const std::uint8_t silence = description.format.bitsPerSample == 8 ? 128 : 0;
    auto data = std::make_shared<std::vector<std::uint8_t>>(description.bytes, silence);
    buffer.reset(new AudioBuffer(mixer_, description.flags, description.format, std::move(data)));
    return kAudioOk;
}

AudioResult AudioDevice::DuplicateBuffer(const AudioBuffer& source, std::unique_ptr<AudioBuffer>& buffer)
{
    buffer.reset();
    if (gFailure == AudioFailure::kSecondaryBuffer) {
        return kAudioErrOutOfMemory;
    }
    if (source.mixer_ != mixer_) {
        return kAudioErrInvalidParam;
    }
    std::int32_t volume = 0;
    std::uint32_t frequency = 0;
    source.GetVolume(volume);
    source.GetFrequency(frequency);
    buffer.reset(new AudioBuffer(mixer_, source.flags_, source.format_, source.data_));
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    buffer->volumeCentibels_ = volume;
    buffer->volumeGainQ15_ = CentibelsToGainQ15(volume);
    buffer->frequency_ = frequency;
    return kAudioOk;
}

void AudioDevice::Mix(std::int16_t* out, std::uint32_t frames)
{
    mixer_->Mix(out, frames);
}

AudioFormat AudioDevice::GetOutputFormat() const
{
    AudioFormat format;
    format.samplesPerSecond = mixer_->GetOutputRate();
    format.channels = mixer_->GetOutputChannels();
    format.bitsPerSample = 16;
    return format;
}

void AudioDevice::SimulateLoss()
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    mixer_->MarkAllBuffersLost();
}

} // namespace Platform

#include "engine/sound/SoundBuffer_DS7.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/core/MessageManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/AudioBuffer.h"
#include "platform/AudioDevice.h"

namespace OrrelayEngine {

namespace {

constexpr float kSilentVolume = 0.0001f;
constexpr float kCentibelsPerNeper = 1000.0f;

} // namespace

SoundBuffer_DS7::SoundBuffer_DS7(MessageManager* log, FileManager* files, TimerManager* timers, SoundSystem_DS7* system,
                                 const std::string& fileName)
    : SoundBuffer(log, files, fileName), timers_(timers), system_(system), device_(system->GetDevice())
{}

SoundBuffer_DS7::~SoundBuffer_DS7()
{
    ReleaseDeviceBuffer();
}

std::int32_t SoundBuffer_DS7::VolumeToAttenuation(float volume)
{
    if (!(volume >= kSilentVolume)) {
        return Platform::kAudioVolumeSilentCentibels;
    }
    // Above 1 the curve would give a positive value, which no buffer accepts.
    if (volume >= 1.0f) {
        return Platform::kAudioVolumeFullCentibels;
    }
    const auto attenuation = static_cast<std::int32_t>(-kCentibelsPerNeper * std::log(1.0f / volume));
    return std::max(attenuation, Platform::kAudioVolumeSilentCentibels);
}

void SoundBuffer_DS7::CreateDeviceBuffer(const SoundBuffer* source)
{
    if (buffer_ != nullptr || device_ == nullptr) {
        return;
    }
    Platform::AudioResult result = Platform::kAudioOk;
    if (source != nullptr) {
        const auto* original = static_cast<const SoundBuffer_DS7*>(source);
        // A source that never got a device buffer gives a silent copy.
        if (original->buffer_ == nullptr) {
            return;
        }
        result = device_->DuplicateBuffer(*original->buffer_, buffer_);
    } else {
        Platform::AudioBufferDescription description;
        description.format = Platform::AudioFormat{channels_, sampleRate_, bitsPerSample_};
        description.flags = Platform::kAudioBufferCtrlFrequency | Platform::kAudioBufferCtrlVolume;
        if (system_->Is3D() && channels_ == 1) {
            description.flags |= Platform::kAudioBufferCtrl3D;
        }
        if (streamed_) {
            description.bytes = kRingBytes;
        } else {
            description.bytes = totalBytes_;
            description.flags |= Platform::kAudioBufferStatic;
        }
        result = device_->CreateBuffer(description, buffer_);
    }
    if (Platform::AudioFailed(result) || buffer_ == nullptr) {
        log_->LogError("Sound System: DirectSound buffers overflow");
        buffer_.reset();
        return;
    }
    if (system_->Is3D() && channels_ == 1) {
        if (buffer_->Has3D()) {
            buffer3D_ = buffer_.get();
        } else {
            log_->LogError("Sound System: Failed to get the 3D buffer from the secondary buffer");
        }
    }
}

void SoundBuffer_DS7::ReleaseDeviceBuffer()
{
    buffer3D_ = nullptr;
    buffer_.reset();
}

bool SoundBuffer_DS7::WriteChunk(std::uint32_t chunk, const std::uint8_t* data, std::uint32_t bytes)
{
    if (buffer_ == nullptr) {
        return true;
    }
    void* first = nullptr;
    void* second = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint32_t secondBytes = 0;
    if (Platform::AudioFailed(buffer_->Lock(chunk * kChunkBytes, bytes, &first, &firstBytes, &second, &secondBytes))) {
        return false;
    }
    const std::uint32_t head = std::min(firstBytes, bytes);
    std::memcpy(first, data, head);
    if (second != nullptr) {
        std::memcpy(second, data + head, std::min(secondBytes, bytes - head));
    }
    return !Platform::AudioFailed(buffer_->Unlock(first, firstBytes, second, secondBytes));
}

void SoundBuffer_DS7::QueueChunk(std::uint32_t)
{}

void SoundBuffer_DS7::UnqueueProcessedBuffers(std::vector<std::uint32_t>* chunks)
{
    if (chunks != nullptr) {
        chunks->clear();
    }
    if (buffer_ == nullptr || stoppedAtEnd_ || !IsPlaying()) {
        return;
    }
    std::uint32_t play = 0;
    system_->CheckResult("SoundBuffer_DS7::UnqueueProcessedBuffers", buffer_->GetCurrentPosition(&play, nullptr));
    const std::uint32_t advance =
        play >= lastRingPosition_ ? play - lastRingPosition_ : play + kRingBytes - lastRingPosition_;
    lastRingPosition_ = play;
    totalPlayed_ += advance;

    // The ring slot of the next chunk to write still holds the chunk written one
    // ring earlier; it may be overwritten once that one has been played through.
    if (chunks != nullptr) {
        while (chunks->size() < kChunkCount && (chunksWritten_ + 1) * kChunkBytes <= totalPlayed_ + kRingBytes) {
            chunks->push_back(static_cast<std::uint32_t>(chunksWritten_ % kChunkCount));
            ++chunksWritten_;
        }
    }

    if (!loop_ && totalPlayed_ >= totalBytes_ && !stoppedAtEnd_) {
        system_->CheckResult("SoundBuffer_DS7::UnqueueProcessedBuffers", buffer_->Stop());
        stoppedAtEnd_ = true;
    }
}

bool SoundBuffer_DS7::Play(bool loop)
{
    if (buffer_ == nullptr) {
        return true;
    }
    stoppedAtEnd_ = false;
    const Platform::AudioResult result = buffer_->Play(streamed_ || loop);
    system_->CheckResult("SoundBuffer_DS7::Play", result);
    return !Platform::AudioFailed(result);
}

void SoundBuffer_DS7::Pause()
{
    if (buffer_ == nullptr) {
        return;
    }
    system_->CheckResult("SoundBuffer_DS7::Pause", buffer_->Stop());
}

void SoundBuffer_DS7::Stop()
{
    if (buffer_ == nullptr) {
        return;
    }
    system_->CheckResult("SoundBuffer_DS7::Stop", buffer_->Stop());
    system_->CheckResult("SoundBuffer_DS7::Stop", buffer_->SetCurrentPosition(0));
    lastRingPosition_ = 0;
    totalPlayed_ = 0;
}

bool SoundBuffer_DS7::IsPlaying() const
{
    if (buffer_ == nullptr) {
        return false;
    }
    std::uint32_t status = 0;
    system_->CheckResult("SoundBuffer_DS7::IsPlaying", buffer_->GetStatus(status));
    return (status & Platform::kAudioStatusPlaying) != 0;
}

bool SoundBuffer_DS7::IsLost() const
{
    if (buffer_ == nullptr) {
        return false;
    }
    std::uint32_t status = 0;
    buffer_->GetStatus(status);
    return (status & Platform::kAudioStatusLost) != 0;
}

bool SoundBuffer_DS7::Restore()
{
    if (buffer_ == nullptr) {
        return false;
    }
    if (Platform::AudioFailed(buffer_->Restore())) {
        return false;
    }
    if (!streamed_) {
        Create(nullptr);
    }
    return true;
}

void SoundBuffer_DS7::SetVolume(float volume)
{
    volume_ = volume;
    if (buffer_ == nullptr) {
        return;
    }
    system_->CheckResult("SoundBuffer_DS7::SetVolume", buffer_->SetVolume(VolumeToAttenuation(volume)));
}

void SoundBuffer_DS7::SetTempo(float tempo)
{
    if (buffer_ == nullptr) {
        return;
    }
    // Out-of-range results are refused by the buffer and logged; the clamp only
    // keeps the conversion defined.
    const double wanted = std::clamp(static_cast<double>(sampleRate_) * static_cast<double>(tempo), 0.0, 4.0e9);
    const auto frequency = static_cast<std::uint32_t>(wanted);
    system_->CheckResult("SoundBuffer_DS7::SetTempo", buffer_->SetFrequency(frequency));
}

void SoundBuffer_DS7::SetPosition(const Vector3& position)
{
    if (buffer3D_ == nullptr) {
        return;
    }
    system_->CheckResult("SoundBuffer_DS7::SetPosition",
                         buffer3D_->Set3DPosition(Platform::AudioVector{position.x, position.y, position.z}, true));
}

} // namespace OrrelayEngine

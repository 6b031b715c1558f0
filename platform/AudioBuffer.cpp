#include "platform/AudioBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/AudioMixer.h"

namespace Platform {

namespace {

// How far the write cursor runs ahead of the play cursor: data closer to the
// play cursor than this may already be on its way to the output.
constexpr std::uint32_t kWriteLeadMilliseconds = 10;

// Distance at which 3D attenuation starts, in world units; closer sources play at full volume.
constexpr float kMinDistance = 1.0f;

inline std::int32_t ReadSample8(const std::uint8_t* data, std::uint64_t index)
{
    return (static_cast<std::int32_t>(data[index]) - 128) * 256;
}

inline std::int32_t ReadSample16(const std::uint8_t* data, std::uint64_t index)
{
    const std::uint8_t* p = data + index * 2;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

template <unsigned Bits>
inline std::int32_t ReadSample(const std::uint8_t* data, std::uint64_t index)
{
    if constexpr (Bits == 8) {
        return ReadSample8(data, index);
    } else {
        return ReadSample16(data, index);
    }
}

// A full-scale step (65535) times a 16-bit fraction needs more than 31 bits.
inline std::int32_t Interpolate(std::int32_t a, std::int32_t b, std::int32_t fraction16)
{
    return a + static_cast<std::int32_t>((static_cast<std::int64_t>(b - a) * fraction16) >> 16);
}

// Mixes up to `frames` output frames; returns false when a non-looping voice ran
// off its end (the caller stops and rewinds it).
template <unsigned Bits, unsigned SourceChannels, unsigned OutputChannels>
bool MixVoice(const std::uint8_t* data, std::uint64_t frameCount, std::uint64_t& position, std::uint64_t step,
              bool looping, std::int32_t gainLeft, std::int32_t gainRight, std::int32_t* out, std::uint32_t frames)
{
    const std::uint64_t end = frameCount << 32;
    for (std::uint32_t i = 0; i < frames; ++i) {
        if (position >= end) {
            if (!looping) {
                return false;
            }
            position %= end;
        }
        const std::uint64_t index = position >> 32;
        const std::uint64_t next = index + 1 < frameCount ? index + 1 : (looping ? 0 : index);
        const std::int32_t fraction = static_cast<std::int32_t>((position >> 16) & 0xFFFF);
        std::int32_t left;
        std::int32_t right;
        if constexpr (SourceChannels == 1) {
            left = Interpolate(ReadSample<Bits>(data, index), ReadSample<Bits>(data, next), fraction);
            right = left;
        } else {
            left = Interpolate(ReadSample<Bits>(data, index * 2), ReadSample<Bits>(data, next * 2), fraction);
            right = Interpolate(ReadSample<Bits>(data, index * 2 + 1), ReadSample<Bits>(data, next * 2 + 1), fraction);
        }
        if constexpr (OutputChannels == 2) {
            out[i * 2] += (left * gainLeft) >> 15;
            out[i * 2 + 1] += (right * gainRight) >> 15;
        } else {
            out[i] += ((left * gainLeft) >> 16) + ((right * gainRight) >> 16);
        }
        position += step;
    }
    return true;
}

using MixFunction = bool (*)(const std::uint8_t*, std::uint64_t, std::uint64_t&, std::uint64_t, bool, std::int32_t,
                             std::int32_t, std::int32_t*, std::uint32_t);

MixFunction ChooseMixFunction(std::uint32_t bits, std::uint32_t sourceChannels, std::uint32_t outputChannels)
{
    const unsigned key = (bits == 8 ? 0u : 4u) + (sourceChannels == 1 ? 0u : 2u) + (outputChannels == 1 ? 0u : 1u);
    static constexpr MixFunction table[8] = {
        MixVoice<8, 1, 1>,  MixVoice<8, 1, 2>,  MixVoice<8, 2, 1>,  MixVoice<8, 2, 2>,
        MixVoice<16, 1, 1>, MixVoice<16, 1, 2>, MixVoice<16, 2, 1>, MixVoice<16, 2, 2>,
    };
    return table[key];
}

float Dot(const AudioVector& a, const AudioVector& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

AudioVector Cross(const AudioVector& a, const AudioVector& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

} // namespace

AudioBuffer::AudioBuffer(std::shared_ptr<AudioMixer> mixer, std::uint32_t flags, const AudioFormat& format,
                         std::shared_ptr<SampleData> data)
    : mixer_(std::move(mixer)), flags_(flags), format_(format), data_(std::move(data)),
      frameCount_(data_->size() / format.BlockAlign()), frequency_(format.samplesPerSecond)
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    mixer_->AddVoice(this);
}

AudioBuffer::~AudioBuffer()
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    mixer_->RemoveVoice(this);
}

std::uint32_t AudioBuffer::GetSize() const
{
    return static_cast<std::uint32_t>(data_->size());
}

AudioResult AudioBuffer::Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes,
                              void** second, std::uint32_t* secondBytes)
{
    if (first == nullptr || firstBytes == nullptr) {
        return kAudioErrInvalidParam;
    }
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    const std::uint32_t size = static_cast<std::uint32_t>(data_->size());
    if (bytes == 0 || bytes > size || offset >= size) {
        return kAudioErrInvalidParam;
    }
    if (locked_) {
        return kAudioErrInvalidCall;
    }
    if (lost_) {
        return kAudioErrBufferLost;
    }
    const std::uint32_t head = std::min(bytes, size - offset);
    const std::uint32_t tail = bytes - head;
    if (tail != 0 && (second == nullptr || secondBytes == nullptr)) {
        return kAudioErrInvalidParam;
    }
    // Grows only the first time a larger region is asked for; a stream that
    // always locks one chunk allocates once.
    staging_.resize(bytes);
    std::memcpy(staging_.data(), data_->data() + offset, head);
    std::memcpy(staging_.data() + head, data_->data(), tail);
    locked_ = true;
    lockOffset_ = offset;
    lockFirstBytes_ = head;
    lockSecondBytes_ = tail;
    *first = staging_.data();
    *firstBytes = head;
    if (second != nullptr) {
        *second = tail != 0 ? staging_.data() + head : nullptr;
    }
    if (secondBytes != nullptr) {
        *secondBytes = tail;
    }
    return kAudioOk;
}

AudioResult AudioBuffer::Unlock(void* first, std::uint32_t firstBytes, void* second, std::uint32_t secondBytes)
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    if (!locked_ || first != staging_.data() || firstBytes > lockFirstBytes_ || secondBytes > lockSecondBytes_ ||
        (secondBytes != 0 && second != staging_.data() + lockFirstBytes_)) {
        return kAudioErrInvalidParam;
    }
    std::memcpy(data_->data() + lockOffset_, staging_.data(), firstBytes);
    std::memcpy(data_->data(), staging_.data() + lockFirstBytes_, secondBytes);
    locked_ = false;
    return kAudioOk;
}

AudioResult AudioBuffer::Play(bool looping)
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    if (lost_) {
        return kAudioErrBufferLost;
    }
    playing_ = true;
    looping_ = looping;
    return kAudioOk;
}

AudioResult AudioBuffer::Stop()
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    playing_ = false;
    return kAudioOk;
}

AudioResult AudioBuffer::GetStatus(std::uint32_t& status) const
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    status = 0;
    if (lost_) {
        status |= kAudioStatusLost;
    }
    if (playing_) {
        status |= kAudioStatusPlaying;
        if (looping_) {
            status |= kAudioStatusLooping;
        }
    }
    return kAudioOk;
}

AudioResult AudioBuffer::GetCurrentPosition(std::uint32_t* playCursor, std::uint32_t* writeCursor) const
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    const std::uint32_t block = format_.BlockAlign();
    const std::uint32_t size = static_cast<std::uint32_t>(data_->size());
    const std::uint32_t play = static_cast<std::uint32_t>((position_ >> 32) * block);
    if (playCursor != nullptr) {
        *playCursor = play;
    }
    if (writeCursor != nullptr) {
        std::uint64_t lead = std::uint64_t(frequency_) * kWriteLeadMilliseconds / 1000 * block;
        lead = playing_ ? lead % size : 0;
        *writeCursor = static_cast<std::uint32_t>((play + lead) % size);
    }
    return kAudioOk;
}

AudioResult AudioBuffer::SetCurrentPosition(std::uint32_t byteOffset)
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    if (byteOffset >= data_->size()) {
        return kAudioErrInvalidParam;
    }
    position_ = (std::uint64_t(byteOffset / format_.BlockAlign())) << 32;
    return kAudioOk;
}

AudioResult AudioBuffer::SetVolume(std::int32_t centibels)
{
    if ((flags_ & kAudioBufferCtrlVolume) == 0) {
        return kAudioErrControlUnavailable;
    }
    if (centibels < kAudioVolumeSilentCentibels || centibels > kAudioVolumeFullCentibels) {
        return kAudioErrInvalidParam;
    }
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    volumeCentibels_ = centibels;
    volumeGainQ15_ = CentibelsToGainQ15(centibels);
    return kAudioOk;
}

AudioResult AudioBuffer::GetVolume(std::int32_t& centibels) const
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    centibels = volumeCentibels_;
    return kAudioOk;
}

AudioResult AudioBuffer::SetFrequency(std::uint32_t hertz)
{
    if ((flags_ & kAudioBufferCtrlFrequency) == 0) {
        return kAudioErrControlUnavailable;
    }
    if (hertz == 0) {
        hertz = format_.samplesPerSecond;
    }
    if (hertz < kAudioMinFrequencyHz || hertz > kAudioMaxFrequencyHz) {
        return kAudioErrInvalidParam;
    }
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    frequency_ = hertz;
    return kAudioOk;
}

AudioResult AudioBuffer::GetFrequency(std::uint32_t& hertz) const
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    hertz = frequency_;
    return kAudioOk;
}

AudioResult AudioBuffer::Restore()
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    lost_ = false;
    return kAudioOk;
}

AudioResult AudioBuffer::Set3DPosition(const AudioVector& position, bool deferred)
{
    if (!Has3D()) {
        return kAudioErrControlUnavailable;
    }
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    pendingPosition_ = position;
    if (!deferred) {
        activePosition_ = position;
    }
    return kAudioOk;
}

AudioResult AudioBuffer::Get3DPosition(AudioVector& position) const
{
    if (!Has3D()) {
        return kAudioErrControlUnavailable;
    }
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    position = activePosition_;
    return kAudioOk;
}

void AudioBuffer::CommitDeferred()
{
    activePosition_ = pendingPosition_;
}

void AudioBuffer::MarkLost()
{
    lost_ = true;
    playing_ = false;
}

void AudioBuffer::ComputeGains(const AudioMixer& mixer, std::int32_t& left, std::int32_t& right) const
{
    const std::int64_t base = std::int64_t(volumeGainQ15_) * mixer.GetMasterGainQ15() >> 15;
    left = static_cast<std::int32_t>(base);
    right = left;
    if (!Has3D() || base == 0) {
        return;
    }
    const AudioMixer::ListenerState& listener = mixer.GetActiveListener();
    const AudioVector offset{activePosition_.x - listener.position.x, activePosition_.y - listener.position.y,
                             activePosition_.z - listener.position.z};
    const float distance = std::sqrt(Dot(offset, offset));
    if (distance <= 0.0f) {
        return;
    }
    const float attenuation = kMinDistance / std::max(distance, kMinDistance);
    const AudioVector rightAxis = Cross(listener.top, listener.front);
    const float axisLength = std::sqrt(Dot(rightAxis, rightAxis));
    float pan = 0.0f;
    if (axisLength > 0.0f) {
        pan = std::clamp(Dot(offset, rightAxis) / (distance * axisLength), -1.0f, 1.0f);
    }
    const float scaled = static_cast<float>(base) * attenuation;
    left = static_cast<std::int32_t>(scaled * std::min(1.0f, 1.0f - pan));
    right = static_cast<std::int32_t>(scaled * std::min(1.0f, 1.0f + pan));
}

void AudioBuffer::MixInto(std::int32_t* accumulator, std::uint32_t frames, const AudioMixer& mixer)
{
    if (!playing_ || lost_ || frameCount_ == 0) {
        return;
    }
    std::int32_t gainLeft = 0;
    std::int32_t gainRight = 0;
    ComputeGains(mixer, gainLeft, gainRight);
    const std::uint64_t step = (std::uint64_t(frequency_) << 32) / mixer.GetOutputRate();
    const MixFunction mix = ChooseMixFunction(format_.bitsPerSample, format_.channels, mixer.GetOutputChannels());
    if (!mix(data_->data(), frameCount_, position_, step, looping_, gainLeft, gainRight, accumulator, frames)) {
        // A voice that plays once stops at its end with its cursor back at the start.
        playing_ = false;
        position_ = 0;
    }
}

} // namespace Platform

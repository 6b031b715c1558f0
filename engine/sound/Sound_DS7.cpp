#include "engine/sound/Sound_DS7.h"

#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundSystem_DS7.h"

namespace OrrelayEngine {

Sound_DS7::Sound_DS7(MessageManager* log, SoundSystem_DS7* system, SoundBufferManager* bufferManager,
                     const std::string& fileName)
    : Sound(log, bufferManager, fileName), system_(system), bufferDS7_(static_cast<SoundBuffer_DS7*>(buffer_))
{
    if (bufferDS7_ != nullptr) {
        bufferDS7_->SetVolume(volume_);
        bufferDS7_->SetTempo(tempo_);
        bufferDS7_->SetPosition(position_);
    }
}

Sound_DS7::Sound_DS7(const Sound_DS7& other)
    : Sound(other), system_(other.system_), bufferDS7_(static_cast<SoundBuffer_DS7*>(buffer_))
{
    // Only volume and position reach the copy's buffer: it plays at its file's
    // own rate, and a streamed one does not loop, until tempo and loop are set on it.
    if (bufferDS7_ != nullptr) {
        bufferDS7_->SetVolume(volume_);
        bufferDS7_->SetPosition(position_);
    }
}

Sound_DS7::~Sound_DS7() = default;

bool Sound_DS7::Play()
{
    if (bufferDS7_ == nullptr) {
        state_ = kPlaying;
        return true;
    }
    const bool streamed = bufferDS7_->IsStreamed();
    // A stream that stopped at its end but was not yet seen stopped by Update
    // still counts as playing here, or its old ring would be played again.
    if (bufferDS7_->IsPlaying() || (streamed && bufferDS7_->GetStreamState() == SoundBuffer::kStreamPlaying)) {
        bufferDS7_->Stop();
        if (streamed) {
            bufferDS7_->SetStreamState(SoundBuffer::kStreamStopped);
        }
    }
    if (streamed) {
        bufferDS7_->SetStreamState(SoundBuffer::kStreamPlaying);
    }
    const bool played = bufferDS7_->Play(loop_);
    state_ = kPlaying;
    return played;
}

void Sound_DS7::Pause()
{
    if (bufferDS7_ != nullptr) {
        bufferDS7_->Pause();
        if (bufferDS7_->IsStreamed()) {
            bufferDS7_->SetStreamState(SoundBuffer::kStreamPaused);
        }
    }
    state_ = kPaused;
}

void Sound_DS7::Stop()
{
    if (bufferDS7_ != nullptr) {
        bufferDS7_->Stop();
        if (bufferDS7_->IsStreamed()) {
            bufferDS7_->SetStreamState(SoundBuffer::kStreamStopped);
        }
    }
    state_ = kStopped;
}

void Sound_DS7::SetLoop(bool loop)
{
    Sound::SetLoop(loop);
    if (bufferDS7_ == nullptr) {
        return;
    }
    if (bufferDS7_->IsStreamed()) {
        bufferDS7_->SetLoop(loop);
    } else if (bufferDS7_->IsPlaying()) {
        bufferDS7_->Play(loop);
    }
}

void Sound_DS7::SetVolume(float volume)
{
    Sound::SetVolume(volume);
    if (bufferDS7_ != nullptr) {
        bufferDS7_->SetVolume(volume);
    }
}

void Sound_DS7::SetTempo(float tempo)
{
    Sound::SetTempo(tempo);
    if (bufferDS7_ != nullptr) {
        bufferDS7_->SetTempo(tempo);
    }
}

void Sound_DS7::SetPosition(const Vector3& position)
{
    Sound::SetPosition(position);
    if (bufferDS7_ != nullptr) {
        bufferDS7_->SetPosition(position);
    }
}

void Sound_DS7::Update()
{
    if (bufferDS7_ == nullptr) {
        if (state_ == kPlaying) {
            state_ = kStopped;
        }
        return;
    }
    if (bufferDS7_->IsLost()) {
        if (!bufferDS7_->Restore()) {
            return;
        }
        if (bufferDS7_->IsStreamed()) {
            const State before = state_;
            Stop();
            if (before == kPlaying) {
                Play();
            } else if (before == kPaused) {
                Play();
                Pause();
            }
        }
    }
    // A finished sound, or a stream stopped at its end, is stopped in full so
    // that the next Play starts the stream from its beginning again.
    if (state_ == kPlaying && !bufferDS7_->IsPlaying()) {
        Stop();
    }
}

} // namespace OrrelayEngine

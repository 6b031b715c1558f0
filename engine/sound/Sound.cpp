#include "engine/sound/Sound.h"

#include "engine/sound/SoundBufferManager.h"

namespace OrrelayEngine {

Sound::Sound(MessageManager* log, SoundBufferManager* bufferManager, const std::string& fileName)
    : log_(log), bufferManager_(bufferManager), fileName_(fileName)
{
    if (bufferManager_ != nullptr) {
        buffer_ = bufferManager_->AcquireBuffer(fileName_);
    }
}

Sound::Sound(const Sound& other)
    : log_(other.log_), bufferManager_(other.bufferManager_), fileName_(other.fileName_), loop_(other.loop_),
      volume_(other.volume_), tempo_(other.tempo_), position_(other.position_)
{
    if (bufferManager_ != nullptr) {
        buffer_ = bufferManager_->AcquireBuffer(fileName_);
    }
}

Sound::~Sound()
{
    if (bufferManager_ != nullptr && buffer_ != nullptr) {
        bufferManager_->ReleaseBuffer(buffer_);
    }
}

void Sound::Update()
{}

void Sound::SetLoop(bool loop)
{
    loop_ = loop;
}

void Sound::SetVolume(float volume)
{
    volume_ = volume;
}

void Sound::SetTempo(float tempo)
{
    tempo_ = tempo;
}

void Sound::SetPosition(const Vector3& position)
{
    position_ = position;
}

} // namespace OrrelayEngine

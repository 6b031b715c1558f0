#include "engine/sound/SoundBuffer.h"

#include <cstring>

#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileManager.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint8_t kSilence8Bit = 128;

} // namespace

SoundBuffer::SoundBuffer(MessageManager* log, FileManager* files, const std::string& fileName)
    : log_(log), files_(files), name_(ToLower(fileName))
{
    processed_.reserve(kChunkCount);
}

SoundBuffer::~SoundBuffer() = default;

void SoundBuffer::Load(const SoundBuffer* source)
{
    if (source != nullptr) {
        totalBytes_ = source->totalBytes_;
        sampleRate_ = source->sampleRate_;
        bitsPerSample_ = source->bitsPerSample_;
        channels_ = source->channels_;
        streamed_ = false;
        return;
    }
    try {
        const std::string extension = FileManager::GetExtension(name_);
        if (name_.empty()) {
            reader_ = std::make_unique<SoundFileReaderEMP>(log_, name_);
        } else if (extension == "wav") {
            reader_ = std::make_unique<SoundFileReaderWAV>(log_, files_, name_);
        } else if (extension == "ogg") {
            // One reader serves both a static and a streamed file: it is kept
            // only when the file turns out to be streamed.
            reader_ = std::make_unique<SoundFileReaderOGG>(log_, files_, name_);
        } else {
            log_->LogError("Failed to load \"" + name_ + "\" sound file - unknown type");
            reader_ = std::make_unique<SoundFileReaderEMP>(log_, name_);
        }
    } catch (const FileError& error) {
        log_->LogError(error.GetMessage());
        reader_ = std::make_unique<SoundFileReaderEMP>(log_, name_);
    }
    totalBytes_ = reader_->GetTotalBytes();
    channels_ = reader_->GetChannels();
    bitsPerSample_ = reader_->GetBitsPerSample();
    sampleRate_ = reader_->GetSampleRate();
    streamed_ = totalBytes_ > kStreamThresholdBytes;
}

void SoundBuffer::Create(const SoundBuffer* source)
{
    if (reader_ == nullptr) {
        Load(source);
    }
    CreateDeviceBuffer(source);
    if (source != nullptr) {
        return;
    }
    if (!streamed_) {
        if (!Fill(0, totalBytes_)) {
            log_->LogError("Failed to load \"" + name_ + "\" sound file - incorrect format");
        }
        reader_.reset();
        staging_.clear();
        staging_.shrink_to_fit();
    } else {
        loop_ = false;
        streamState_ = kStreamStopped;
    }
}

void SoundBuffer::Unload()
{
    ReleaseDeviceBuffer();
    reader_.reset();
    staging_.clear();
    streamState_ = kStreamStopped;
}

bool SoundBuffer::Fill(std::uint32_t chunk, std::uint32_t bytes)
{
    if (bytes == 0 || reader_ == nullptr) {
        return false;
    }
    staging_.resize(bytes);
    std::uint32_t read = 0;
    bool atEnd = false;
    reader_->Read(staging_.data(), bytes, read, atEnd);
    if (streamed_ && loop_) {
        // A looping stream shorter than the request is read over and over.
        while (read < bytes) {
            reader_->Rewind();
            std::uint32_t more = 0;
            reader_->Read(staging_.data() + read, bytes - read, more, atEnd);
            if (more == 0) {
                break;
            }
            read += more;
        }
    }
    if (read < bytes) {
        std::memset(staging_.data() + read, bitsPerSample_ == 8 ? kSilence8Bit : 0, bytes - read);
    }
    if (!WriteChunk(chunk, staging_.data(), bytes)) {
        return false;
    }
    if (!streamed_) {
        return read == bytes;
    }
    return loop_ || read > 0 || !atEnd;
}

void SoundBuffer::FillWholeRing()
{
    chunksWritten_ = 0;
    for (std::uint32_t chunk = 0; chunk < kChunkCount; ++chunk) {
        Fill(chunk, kChunkBytes);
        QueueChunk(chunk);
        ++chunksWritten_;
    }
}

void SoundBuffer::SetStreamState(StreamState state)
{
    if (state == streamState_) {
        return;
    }
    if (state == kStreamStopped) {
        UnqueueProcessedBuffers(nullptr);
    } else if (state == kStreamPlaying && streamState_ == kStreamStopped && reader_ != nullptr) {
        reader_->Rewind();
        FillWholeRing();
    }
    streamState_ = state;
}

void SoundBuffer::Update()
{
    if (!streamed_ || streamState_ != kStreamPlaying) {
        return;
    }
    UnqueueProcessedBuffers(&processed_);
    for (std::uint32_t chunk : processed_) {
        Fill(chunk, kChunkBytes);
        QueueChunk(chunk);
    }
}

} // namespace OrrelayEngine

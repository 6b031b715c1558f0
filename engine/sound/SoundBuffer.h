// The samples of one sound file. Files up to 1 MiB of PCM are decoded whole
// into a static buffer that every sound of the same file shares; longer files
// are streamed through a private 1 MiB ring of 32 chunks, refilled each frame
// behind the play position. A file that cannot be used is logged and replaced
// by the silent reader, so a bad sound file never stops the game.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrrelayEngine {

class FileManager;
class MessageManager;
class SoundFileReader;

class SoundBuffer
{
public:
    enum StreamState : std::uint32_t
    {
        kStreamStopped = 0,
        kStreamPaused = 1,
        kStreamPlaying = 2
    };

    static constexpr std::uint32_t kStreamThresholdBytes = 0x100000;
    static constexpr std::uint32_t kChunkBytes = 32768;
    static constexpr std::uint32_t kChunkCount = 32;
    static constexpr std::uint32_t kRingBytes = kChunkBytes * kChunkCount;

    SoundBuffer(MessageManager* log, FileManager* files, const std::string& fileName);
    virtual ~SoundBuffer();

    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Per frame: refills the chunks of a playing stream that were played.
    virtual void Update();
    virtual void Unload();
    // Loads the file (or copies the format of source, a buffer of the same file)
    // and makes the device buffer; a static buffer is filled whole here.
    virtual void Create(const SoundBuffer* source);

    void SetStreamState(StreamState state);
    StreamState GetStreamState() const { return streamState_; }
    void SetLoop(bool loop) { loop_ = loop; }
    bool GetLoop() const { return loop_; }

    const std::string& GetName() const { return name_; }
    std::uint32_t GetTotalBytes() const { return totalBytes_; }
    std::uint32_t GetSampleRate() const { return sampleRate_; }
    std::uint32_t GetBitsPerSample() const { return bitsPerSample_; }
    std::uint32_t GetChannels() const { return channels_; }
    bool IsStreamed() const { return streamed_; }

protected:
    virtual void CreateDeviceBuffer(const SoundBuffer* source) = 0;
    virtual void ReleaseDeviceBuffer() = 0;
    virtual bool WriteChunk(std::uint32_t chunk, const std::uint8_t* data, std::uint32_t bytes) = 0;
    virtual void QueueChunk(std::uint32_t chunk) = 0;
    // The ring chunks that were played and may be filled again, oldest first.
    virtual void UnqueueProcessedBuffers(std::vector<std::uint32_t>* chunks) = 0;

    void Load(const SoundBuffer* source);
    // Reads bytes into the staging area, pads a shortfall with silence and writes
    // it at the chunk. For a static buffer true only when all bytes came from the
    // file; for a stream true while there is anything left to play.
    bool Fill(std::uint32_t chunk, std::uint32_t bytes);
    void FillWholeRing();

    MessageManager* log_;
    FileManager* files_;
    std::string name_;
    std::uint32_t totalBytes_ = 0;
    std::uint32_t sampleRate_ = 0;
    std::uint32_t bitsPerSample_ = 0;
    std::uint32_t channels_ = 0;
    bool streamed_ = false;
    bool loop_ = false;
    std::unique_ptr<SoundFileReader> reader_;
    std::vector<std::uint8_t> staging_;
    StreamState streamState_ = kStreamStopped;
    // Counted from the start of the stream, so it never wraps.
    std::uint64_t chunksWritten_ = 0;
    std::vector<std::uint32_t> processed_;
};

} // namespace OrrelayEngine

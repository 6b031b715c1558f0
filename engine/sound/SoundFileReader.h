// Turns one sound file into raw PCM for a sound buffer: reports the format and
// the total size, reads forward on request and goes back to the first sample
// (for looping streams). Readers of files throw FileError for a file they
// cannot use; the sound buffer then falls back to the silent reader.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace OrrelayEngine {

class FileBinary;
class FileManager;
class MessageManager;

class SoundFileReader
{
public:
    // Opens FileManager::GetDataPath(name) for reading; a missing file throws FileError.
    SoundFileReader(MessageManager* log, FileManager* files, const std::string& name);
    virtual ~SoundFileReader();

    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    virtual void Rewind() = 0;
    // For 0 bytes: nothing read and atEnd. Never throws.
    virtual void Read(void* buffer, std::uint32_t bytes, std::uint32_t& bytesRead, bool& atEnd) = 0;

    std::uint32_t GetTotalBytes() const { return totalBytes_; }
    std::uint32_t GetChannels() const { return channels_; }
    std::uint32_t GetBitsPerSample() const { return bitsPerSample_; }
    std::uint32_t GetSampleRate() const { return sampleRate_; }
    const std::string& GetPath() const { return path_; }

protected:
    // For a reader that needs no file.
    SoundFileReader(MessageManager* log, const std::string& name);

    MessageManager* log_;
    FileManager* files_;
    std::string name_;
    std::string path_;
    std::unique_ptr<FileBinary> file_;
    std::uint32_t totalBytes_ = 0;
    std::uint32_t channels_ = 0;
    std::uint32_t bitsPerSample_ = 0;
    std::uint32_t sampleRate_ = 0;
};

} // namespace OrrelayEngine

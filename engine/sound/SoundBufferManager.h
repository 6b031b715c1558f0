// Hands out sound buffers by file name (compared lower-cased): a static buffer
// already live for the file is duplicated, so its samples are decoded once;
// streamed buffers are never shared, each sound gets its own ring. Owns every
// buffer it hands out until it is released.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace OrrelayEngine {

class FileManager;
class MessageManager;
class SoundBuffer;
class SoundSystem;

class SoundBufferManager
{
public:
    SoundBufferManager(MessageManager* log, FileManager* files, SoundSystem* system);
    virtual ~SoundBufferManager();

    SoundBufferManager(const SoundBufferManager&) = delete;
    SoundBufferManager& operator=(const SoundBufferManager&) = delete;

    SoundBuffer* AcquireBuffer(const std::string& fileName);
    // Deletes the buffer; one this manager does not hold is ignored.
    void ReleaseBuffer(SoundBuffer* buffer);
    void Update();

    std::uint32_t GetBufferCount() const { return static_cast<std::uint32_t>(liveIds_.size()); }

private:
    [[maybe_unused]] MessageManager* log_;
    [[maybe_unused]] FileManager* files_;
    SoundSystem* system_;
    std::deque<std::uint32_t> freeIds_;
    std::vector<std::uint32_t> liveIds_;
    std::vector<std::unique_ptr<SoundBuffer>> slots_;
};

} // namespace OrrelayEngine

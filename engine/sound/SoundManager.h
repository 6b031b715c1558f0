// The engine's registry of sounds: creates and deletes them through the sound
// system under small reusable ids, runs play, pause and stop at once or queued
// until the next Update, and drives the per-frame upkeep of every sound and
// buffer. Owns its sounds and the buffer manager.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace OrrelayEngine {

class FileManager;
class MessageManager;
class Sound;
class SoundBufferManager;
class SoundSystem;

class SoundManager
{
public:
    enum Command : std::uint32_t
    {
        kPlay = 0,
        kPause = 1,
        kStop = 2
    };

    SoundManager(MessageManager* log, FileManager* files, SoundSystem* system);
    virtual ~SoundManager();

    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    Sound* CreateSound(const std::string& fileName);
    // Its queued commands go with it.
    void DeleteSound(Sound* sound);
    // now: at once; otherwise at the next Update(true), in the order asked.
    void PlaySound(Sound* sound, bool now);
    void PauseSound(Sound* sound, bool now);
    void StopSound(Sound* sound, bool now);
    std::uint32_t GetSoundCount() const { return static_cast<std::uint32_t>(liveIds_.size()); }
    // Null for an index past the end.
    Sound* GetSound(std::uint32_t index) const;
    // The id a live sound is kept under; -1 for anything else.
    std::int32_t GetSoundId(const Sound* sound) const;
    void ClearCommands();
    std::uint32_t GetCommandCount() const { return static_cast<std::uint32_t>(commands_.size()); }
    // Runs the queue first when runQueued is set, then updates every sound and buffer.
    void Update(bool runQueued);

private:
    struct QueuedCommand
    {
        Command command;
        Sound* sound;
    };

    [[maybe_unused]] MessageManager* log_;
    [[maybe_unused]] FileManager* files_;
    SoundSystem* system_;
    std::unique_ptr<SoundBufferManager> bufferManager_;
    std::uint32_t nextId_ = 0;
    std::deque<std::uint32_t> freeIds_;
    std::vector<std::uint32_t> liveIds_;
    std::vector<std::unique_ptr<Sound>> slots_;
    std::vector<QueuedCommand> commands_;
    // Swapped with commands_ while the queue runs, so the run allocates nothing.
    std::vector<QueuedCommand> running_;
};

} // namespace OrrelayEngine

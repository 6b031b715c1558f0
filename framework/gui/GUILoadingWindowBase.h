// The framework's side of a loading screen: Run loads the resource set given
// to Show on a loading thread while this (main) thread keeps the program
// alive: it dispatches every pending window message, presents the last
// picture again unless the window is minimised, keeps streamed music going
// (when there is a sound manager) and polls the load every 20 ms.
//
// Threads: the loading thread runs LoadData and nothing else; meanwhile the
// main thread touches only the window, the present, the sound manager and the
// flags here. Run always joins the thread; what the load threw is thrown
// again by Run, on the main thread. When no thread can be started the load
// runs on the main thread before the loop.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
class MessageManager;
class RenderSystem;
class SoundManager;
class TimerManager;
class Window;
} // namespace OrrelayEngine

namespace GameFramework {

class DataKeeper;

class GUILoadingWindowBase : public GUIWindowBase
{
public:
    static constexpr std::uint32_t kPollMilliseconds = 20;

    explicit GUILoadingWindowBase(OrrelayEngine::Engine* engine);

    // The keeper is borrowed; Run loads it.
    virtual void Show(DataKeeper* dataKeeper);
    // Forgets the keeper and clears the done flag.
    void Hide() override;

    // Returns once the shown keeper has loaded, its own loading thread
    // included; throws what the load threw. Without a keeper it returns at once.
    void Run();
    // The loading thread's work: the keeper's load, waited for to its end, then
    // the done flag.
    void LoadData();

    bool IsDone() const { return done_.load(); }
    DataKeeper* GetDataKeeper() const { return dataKeeper_; }

protected:
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::TimerManager* timers_;
    OrrelayEngine::Window* window_;
    OrrelayEngine::RenderSystem* renderSystem_;
    // Null without a sound device.
    OrrelayEngine::SoundManager* soundManager_;
    DataKeeper* dataKeeper_ = nullptr;

private:
    void RunLoadingThread();
    void KeepAliveUntilLoaded();
    bool HasLoadEnded() const;
    void WaitOnePoll();

    std::atomic<bool> done_{false};
    // Set by the loading thread as its last step, whether the load succeeded or threw.
    std::atomic<bool> threadEnded_{false};
    std::mutex endMutex_;
    std::condition_variable endSignal_;
    std::exception_ptr loadError_;
};

} // namespace GameFramework

#include "framework/gui/GUILoadingWindowBase.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem.h"
#include "engine/sound/SoundManager.h"
#include "framework/DataKeeper.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"

namespace GameFramework {

GUILoadingWindowBase::GUILoadingWindowBase(OrrelayEngine::Engine* engine)
    : GUIWindowBase(engine), log_(engine->GetMessageManager()), timers_(engine->GetTimerManager()),
      window_(engine->GetWindow()), renderSystem_(engine->GetRenderSystem()), soundManager_(engine->GetSoundManager())
{}

void GUILoadingWindowBase::Show(DataKeeper* dataKeeper)
{
    dataKeeper_ = dataKeeper;
}

void GUILoadingWindowBase::Hide()
{
    dataKeeper_ = nullptr;
    done_.store(false);
}

void GUILoadingWindowBase::LoadData()
{
    if (dataKeeper_ != nullptr) {
        dataKeeper_->Load();
        // A keeper loading on a thread of its own has only started; a loaded
        // object must not be handed over while that thread still fills it.
        dataKeeper_->WaitForLoad();
    }
    done_.store(true);
}

void GUILoadingWindowBase::Run()
{
    if (dataKeeper_ == nullptr)
        return;
    done_.store(false);
    threadEnded_.store(false);
    loadError_ = nullptr;

    std::thread loadingThread;
    try {
        loadingThread = std::thread(&GUILoadingWindowBase::RunLoadingThread, this);
    } catch (const std::system_error&) {
        // No thread to be had: the load runs here, and the loop below only
        // dispatches what is pending and presents once.
        RunLoadingThread();
    }
    KeepAliveUntilLoaded();
    if (loadingThread.joinable())
        loadingThread.join();
    if (loadError_) {
        std::exception_ptr error = loadError_;
        loadError_ = nullptr;
        std::rethrow_exception(error);
    }
}

void GUILoadingWindowBase::RunLoadingThread()
{
    try {
        LoadData();
    } catch (...) {
        loadError_ = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> lock(endMutex_);
        threadEnded_.store(true);
    }
    endSignal_.notify_all();
}

void GUILoadingWindowBase::KeepAliveUntilLoaded()
{
    for (;;) {
        while (Platform::DispatchNextEvent()) {
        }
        if (!window_->IsMinimized())
            renderSystem_->SwapBuffers();
        if (soundManager_ != nullptr)
            soundManager_->Update(false);
        if (HasLoadEnded())
            return;
        WaitOnePoll();
    }
}

bool GUILoadingWindowBase::HasLoadEnded() const
{
    return threadEnded_.load() || done_.load();
}

void GUILoadingWindowBase::WaitOnePoll()
{
    const auto start = std::chrono::steady_clock::now();
    Platform::SleepMilliseconds(kPollMilliseconds);
    // A real sleep never ends early. One that did was the tests' manual clock,
    // which moves without waiting: the loading thread still gets real time to
    // run in (its end cuts the wait short), so that a load that takes no time
    // ends within one poll even on a busy machine.
    if (std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(kPollMilliseconds))
        return;
    std::unique_lock<std::mutex> lock(endMutex_);
    endSignal_.wait_for(lock, std::chrono::milliseconds(kManualClockWaitMilliseconds),
                        [this] { return HasLoadEnded(); });
}

} // namespace GameFramework

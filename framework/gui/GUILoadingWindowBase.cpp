#include "framework/gui/GUILoadingWindowBase.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem.h"
#include "engine/sound/SoundManager.h"
#include "framework/DataKeeper.h"
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
    // A wait for the loading thread, not a sleep of the game: it ends as soon
    // as the load does and leaves the game's clock alone, so that on the
    // tests' manual clock a load takes no game time however long its threads
    // take, and the frames after it are the same on every run.
    std::unique_lock<std::mutex> lock(endMutex_);
    endSignal_.wait_for(lock, std::chrono::milliseconds(kPollMilliseconds), [this] { return HasLoadEnded(); });
}

} // namespace GameFramework

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
    : engine_(engine), log_(engine->GetMessageManager()), timers_(engine->GetTimerManager()),
      window_(engine->GetWindow()), renderSystem_(engine->GetRenderSystem()), soundManager_(engine->GetSoundManager())
{
}

GUILoadingWindowBase::~GUILoadingWindowBase() = default;

void GUILoadingWindowBase::Update()
{
    result_ = 0;
}

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
    if (dataKeeper_ != nullptr)
    {
        dataKeeper_->Load();
        // A keeper loading on a thread of its own has only started; a loaded
        // object must not be handed over while that thread still fills it.
        dataKeeper_->WaitForLoad();
    }
    done_.store(true);
}

void GUILoadingWindowBase::Run()
{
}

} // namespace GameFramework

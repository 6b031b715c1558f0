#include "platform/EventPump.h"

#include "platform/AppWindow.h"
#include "platform/Cursor.h"
#include "platform/EventTranslator.h"
#include "platform/InputDevice.h"

#include <SDL2/SDL.h>

#include <deque>

namespace Platform {

namespace {

struct PostedMessage
{
    std::uint32_t windowId = 0;
    WindowMessage message;
};

std::deque<PostedMessage>& PostedMessages()
{
    static std::deque<PostedMessage> messages;
    return messages;
}

void DeliverToWindows(std::uint32_t windowId, const WindowMessage& message)
{
    if (windowId != 0) {
        if (AppWindow* window = AppWindow::FindById(windowId)) {
            window->Dispatch(message);
        }
        return;
    }
    // A copy: a handler may create or destroy windows.
    const std::vector<AppWindow*> windows = AppWindow::GetLiveWindows();
    for (AppWindow* window : windows) {
        window->Dispatch(message);
    }
}

} // namespace

void PostWindowMessage(const AppWindow& window, const WindowMessage& message)
{
    PostedMessages().push_back(PostedMessage{window.GetId(), message});
}

bool DispatchNextEvent()
{
    auto& posted = PostedMessages();
    if (!posted.empty()) {
        const PostedMessage next = posted.front();
        posted.pop_front();
        if (next.windowId != 0) {
            DeliverToWindows(next.windowId, next.message);
        }
        return true;
    }
    SDL_Event event;
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0 || SDL_PollEvent(&event) == 0) {
        return false;
    }
    TranslatedEvent translated;
    TranslateEvent(event, translated);
    // Input first, so that a handler reacting to a key message sees the key held.
    for (std::uint32_t i = 0; i < translated.inputCount; ++i) {
        InputDevice::Deliver(translated.inputs[i]);
    }
    if (translated.cursorMoved) {
        std::int32_t x = translated.cursorX;
        std::int32_t y = translated.cursorY;
        if (const AppWindow* window = AppWindow::FindById(translated.windowId)) {
            window->ClientToPicture(x, y);
        }
        RecordCursorPosition(x, y);
    }
    for (std::uint32_t i = 0; i < translated.messageCount; ++i) {
        DeliverToWindows(translated.windowId, translated.messages[i]);
    }
    return true;
}

void DiscardPendingEvents()
{
    PostedMessages().clear();
    if (SDL_WasInit(SDL_INIT_EVENTS) != 0) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
}

} // namespace Platform

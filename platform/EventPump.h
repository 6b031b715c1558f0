// The message pump. Each call takes one pending event (a message posted with
// PostWindowMessage first, then SDL's event queue) and delivers it: key and
// mouse events to the input devices and the held-key state, the cursor
// position, then the window messages to the window they belong to.
#pragma once

#include "platform/WindowMessage.h"

namespace Platform {

class AppWindow;

// False when nothing was pending.
bool DispatchNextEvent();
// Queued behind earlier posted messages; dropped if the window is gone by then.
void PostWindowMessage(const AppWindow& window, const WindowMessage& message);
// Drops every posted message and every event waiting in SDL's queue.
void DiscardPendingEvents();

} // namespace Platform

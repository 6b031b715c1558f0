// The framework's side of the logos screen shown at start: the engine's log and
// timers for the derived screen, and the result code it sets when the logos
// are done.
#pragma once

#include <cstdint>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
class MessageManager;
class TimerManager;
} // namespace OrrelayEngine

namespace GameFramework {

class GUILogosWindowBase : public GUIWindowBase
{
public:
    explicit GUILogosWindowBase(OrrelayEngine::Engine* engine);

    virtual void Show() {}

protected:
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::TimerManager* timers_;
};

} // namespace GameFramework

// The framework's side of the logos screen shown at start: the engine's log and
// timers for the derived screen, and the result code it sets when the logos
// are done.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
class MessageManager;
class TimerManager;
} // namespace OrrelayEngine

namespace GameFramework {

class GUILogosWindowBase
{
public:
    explicit GUILogosWindowBase(OrrelayEngine::Engine* engine);
    virtual ~GUILogosWindowBase();

    GUILogosWindowBase(const GUILogosWindowBase&) = delete;
    GUILogosWindowBase& operator=(const GUILogosWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

protected:
    OrrelayEngine::Engine* engine_;
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::TimerManager* timers_;
    std::uint32_t result_ = 0;
};

} // namespace GameFramework

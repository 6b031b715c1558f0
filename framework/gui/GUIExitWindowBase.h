// The framework's side of the question before the program is quit: the result
// code, and the value Show received telling which screen opened it (1 the
// welcome screen, 2 the main menu, 3 the new-profile screen).
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIExitWindowBase
{
public:
    explicit GUIExitWindowBase(OrrelayEngine::Engine* engine);
    virtual ~GUIExitWindowBase();

    GUIExitWindowBase(const GUIExitWindowBase&) = delete;
    GUIExitWindowBase& operator=(const GUIExitWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show(std::uint32_t opener);
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    // Where the screen was opened from, as Show received it.
    std::uint32_t GetOpener() const { return opener_; }

protected:
    OrrelayEngine::Engine* engine_;
    std::uint32_t result_ = 0;
    std::uint32_t opener_ = 0;
};

} // namespace GameFramework

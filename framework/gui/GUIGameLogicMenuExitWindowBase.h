// The framework's side of the question before a level is left from the in-game
// menu: only the result code, which the derived screen sets and the game base
// reads and clears.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIGameLogicMenuExitWindowBase
{
public:
    explicit GUIGameLogicMenuExitWindowBase(OrrelayEngine::Engine* engine);
    virtual ~GUIGameLogicMenuExitWindowBase();

    GUIGameLogicMenuExitWindowBase(const GUIGameLogicMenuExitWindowBase&) = delete;
    GUIGameLogicMenuExitWindowBase& operator=(const GUIGameLogicMenuExitWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

protected:
    OrrelayEngine::Engine* engine_;
    std::uint32_t result_ = 0;
};

} // namespace GameFramework

// The framework's side of the level chooser: the result code, and the value
// Show received telling where the screen was opened from (2 main menu, 6
// restart, 7 continue or new game, 8 after a level, 9 after a stage).
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIStartGameLogicWindowBase
{
public:
    explicit GUIStartGameLogicWindowBase(OrrelayEngine::Engine* engine);
    virtual ~GUIStartGameLogicWindowBase();

    GUIStartGameLogicWindowBase(const GUIStartGameLogicWindowBase&) = delete;
    GUIStartGameLogicWindowBase& operator=(const GUIStartGameLogicWindowBase&) = delete;

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

// The framework's side of the screen shown when the whole game is complete:
// only the result code, which the derived screen sets and the game base reads
// and clears.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIGameCompleteWindowBase
{
public:
    explicit GUIGameCompleteWindowBase(OrrelayEngine::Engine* engine);
    virtual ~GUIGameCompleteWindowBase();

    GUIGameCompleteWindowBase(const GUIGameCompleteWindowBase&) = delete;
    GUIGameCompleteWindowBase& operator=(const GUIGameCompleteWindowBase&) = delete;

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

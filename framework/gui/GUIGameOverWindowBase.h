// The framework's side of the game-over screen: the result code, and one value
// the derived screen gives its constructor and reads back itself.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIGameOverWindowBase
{
public:
    explicit GUIGameOverWindowBase(OrrelayEngine::Engine* engine, std::uint32_t value = 0);
    virtual ~GUIGameOverWindowBase();

    GUIGameOverWindowBase(const GUIGameOverWindowBase&) = delete;
    GUIGameOverWindowBase& operator=(const GUIGameOverWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    std::uint32_t GetValue() const { return value_; }

protected:
    OrrelayEngine::Engine* engine_;
    std::uint32_t result_ = 0;
    std::uint32_t value_;
};

} // namespace GameFramework

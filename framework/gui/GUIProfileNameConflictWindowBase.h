// The framework's side of the screen telling that a profile name is taken: the
// result code, and the value Show received telling which screen opened it
// (3 the new-profile screen, 4 the rename screen).
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIProfileNameConflictWindowBase
{
public:
    explicit GUIProfileNameConflictWindowBase(OrrelayEngine::Engine* engine);
    virtual ~GUIProfileNameConflictWindowBase();

    GUIProfileNameConflictWindowBase(const GUIProfileNameConflictWindowBase&) = delete;
    GUIProfileNameConflictWindowBase& operator=(const GUIProfileNameConflictWindowBase&) = delete;

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

// What every framework screen base keeps: the engine, and the result code the
// derived screen sets from its controls and the game base reads and clears.
// Each screen base adds its own Show and what that screen needs beside.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIWindowBase
{
public:
    explicit GUIWindowBase(OrrelayEngine::Engine* engine);
    virtual ~GUIWindowBase();

    GUIWindowBase(const GUIWindowBase&) = delete;
    GUIWindowBase& operator=(const GUIWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

protected:
    OrrelayEngine::Engine* engine_;
    std::uint32_t result_ = 0;
};

} // namespace GameFramework

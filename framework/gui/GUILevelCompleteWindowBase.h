// The framework's side of the level-complete screen: the result code, the
// position of the completed level and its time in seconds (from Show), and two
// values the derived screen gives its constructor and reads back itself.
#pragma once

#include <cstdint>

#include "framework/LevelPosition.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUILevelCompleteWindowBase
{
public:
    GUILevelCompleteWindowBase(OrrelayEngine::Engine* engine, std::uint32_t firstValue = 0,
                               std::uint32_t secondValue = 0);
    virtual ~GUILevelCompleteWindowBase();

    GUILevelCompleteWindowBase(const GUILevelCompleteWindowBase&) = delete;
    GUILevelCompleteWindowBase& operator=(const GUILevelCompleteWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show(const LevelPosition& completed, float elapsedSeconds);
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    const LevelPosition& GetCompleted() const { return completed_; }
    float GetElapsedSeconds() const { return elapsedSeconds_; }
    std::uint32_t GetFirstValue() const { return firstValue_; }
    std::uint32_t GetSecondValue() const { return secondValue_; }

protected:
    OrrelayEngine::Engine* engine_;
    std::uint32_t result_ = 0;
    std::uint32_t firstValue_;
    std::uint32_t secondValue_;
    LevelPosition completed_;
    float elapsedSeconds_ = 0.0f;
};

} // namespace GameFramework

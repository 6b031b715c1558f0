// The framework's side of the stage-complete screen: the result code, the
// position of the level that completed the stage (from Show), and two values
// the derived screen gives its constructor and reads back itself.
#pragma once

#include <cstdint>

#include "framework/LevelPosition.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIStageCompleteWindowBase
{
public:
    GUIStageCompleteWindowBase(OrrelayEngine::Engine* engine, std::uint32_t firstValue = 0,
                               std::uint32_t secondValue = 0);
    virtual ~GUIStageCompleteWindowBase();

    GUIStageCompleteWindowBase(const GUIStageCompleteWindowBase&) = delete;
    GUIStageCompleteWindowBase& operator=(const GUIStageCompleteWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show(const LevelPosition& completed);
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    const LevelPosition& GetCompleted() const { return completed_; }
    std::uint32_t GetFirstValue() const { return firstValue_; }
    std::uint32_t GetSecondValue() const { return secondValue_; }

protected:
    OrrelayEngine::Engine* engine_;
    std::uint32_t result_ = 0;
    std::uint32_t firstValue_;
    std::uint32_t secondValue_;
    LevelPosition completed_;
};

} // namespace GameFramework

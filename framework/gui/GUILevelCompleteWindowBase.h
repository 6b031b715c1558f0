// The framework's side of the level-complete screen: the result code, the
// position of the completed level and its time in seconds (from Show), and two
// values the derived screen gives its constructor and reads back itself.
#pragma once

#include <cstdint>

#include "framework/LevelPosition.h"
#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUILevelCompleteWindowBase : public GUIWindowBase
{
public:
    GUILevelCompleteWindowBase(OrrelayEngine::Engine* engine, std::uint32_t firstValue = 0,
                               std::uint32_t secondValue = 0);

    virtual void Show(const LevelPosition& completed, float elapsedSeconds);

    const LevelPosition& GetCompleted() const { return completed_; }
    float GetElapsedSeconds() const { return elapsedSeconds_; }
    std::uint32_t GetFirstValue() const { return firstValue_; }
    std::uint32_t GetSecondValue() const { return secondValue_; }

protected:
    std::uint32_t firstValue_;
    std::uint32_t secondValue_;
    LevelPosition completed_;
    float elapsedSeconds_ = 0.0f;
};

} // namespace GameFramework

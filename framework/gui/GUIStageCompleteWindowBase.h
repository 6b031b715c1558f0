// The framework's side of the stage-complete screen: the result code, the
// position of the level that completed the stage (from Show), and two values
// the derived screen gives its constructor and reads back itself.
#pragma once

#include <cstdint>

#include "framework/LevelPosition.h"
#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIStageCompleteWindowBase : public GUIWindowBase
{
public:
    GUIStageCompleteWindowBase(OrrelayEngine::Engine* engine, std::uint32_t firstValue = 0,
                               std::uint32_t secondValue = 0);

    virtual void Show(const LevelPosition& completed);

    const LevelPosition& GetCompleted() const { return completed_; }
    std::uint32_t GetFirstValue() const { return firstValue_; }
    std::uint32_t GetSecondValue() const { return secondValue_; }

protected:
    std::uint32_t firstValue_;
    std::uint32_t secondValue_;
    LevelPosition completed_;
};

} // namespace GameFramework

#include "framework/gui/GUILevelCompleteWindowBase.h"

namespace GameFramework {

GUILevelCompleteWindowBase::GUILevelCompleteWindowBase(OrrelayEngine::Engine* engine, std::uint32_t firstValue,
                                                       std::uint32_t secondValue)
    : GUIWindowBase(engine), firstValue_(firstValue), secondValue_(secondValue)
{}

void GUILevelCompleteWindowBase::Show(const LevelPosition& completed, float elapsedSeconds)
{
    completed_ = completed;
    elapsedSeconds_ = elapsedSeconds;
}

} // namespace GameFramework

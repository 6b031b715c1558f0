#include "framework/gui/GUIStageCompleteWindowBase.h"

namespace GameFramework {

GUIStageCompleteWindowBase::GUIStageCompleteWindowBase(OrrelayEngine::Engine* engine, std::uint32_t firstValue,
                                                       std::uint32_t secondValue)
    : GUIWindowBase(engine), firstValue_(firstValue), secondValue_(secondValue)
{}

void GUIStageCompleteWindowBase::Show(const LevelPosition& completed)
{
    completed_ = completed;
}

} // namespace GameFramework

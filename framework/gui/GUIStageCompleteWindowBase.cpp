#include "framework/gui/GUIStageCompleteWindowBase.h"

namespace GameFramework {

GUIStageCompleteWindowBase::GUIStageCompleteWindowBase(OrrelayEngine::Engine* engine, std::uint32_t firstValue,
                                                       std::uint32_t secondValue)
    : engine_(engine), firstValue_(firstValue), secondValue_(secondValue)
{}

GUIStageCompleteWindowBase::~GUIStageCompleteWindowBase() = default;

void GUIStageCompleteWindowBase::Update()
{
    result_ = 0;
}

void GUIStageCompleteWindowBase::Show(const LevelPosition& completed)
{
    completed_ = completed;
}

void GUIStageCompleteWindowBase::Hide()
{}

} // namespace GameFramework

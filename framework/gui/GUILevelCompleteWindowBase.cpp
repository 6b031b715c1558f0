#include "framework/gui/GUILevelCompleteWindowBase.h"

namespace GameFramework {

GUILevelCompleteWindowBase::GUILevelCompleteWindowBase(OrrelayEngine::Engine* engine, std::uint32_t firstValue,
                                                       std::uint32_t secondValue)
    : engine_(engine), firstValue_(firstValue), secondValue_(secondValue)
{}

GUILevelCompleteWindowBase::~GUILevelCompleteWindowBase() = default;

void GUILevelCompleteWindowBase::Update()
{
    result_ = 0;
}

void GUILevelCompleteWindowBase::Show(const LevelPosition& completed, float elapsedSeconds)
{
    completed_ = completed;
    elapsedSeconds_ = elapsedSeconds;
}

void GUILevelCompleteWindowBase::Hide()
{}

} // namespace GameFramework

#include "framework/gui/GUIHighScoresWindowBase.h"

namespace GameFramework {

GUIHighScoresWindowBase::GUIHighScoresWindowBase(OrrelayEngine::Engine* engine, HighScoresTable* highScores)
    : engine_(engine), highScores_(highScores)
{}

GUIHighScoresWindowBase::~GUIHighScoresWindowBase() = default;

void GUIHighScoresWindowBase::Update()
{
    result_ = 0;
}

void GUIHighScoresWindowBase::Show(std::uint32_t opener, const HighScoreEntry* newEntry)
{
    opener_ = opener;
    newEntry_ = newEntry;
}

void GUIHighScoresWindowBase::Hide()
{}

} // namespace GameFramework

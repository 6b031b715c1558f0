#include "framework/gui/GUIHighScoresWindowBase.h"

namespace GameFramework {

GUIHighScoresWindowBase::GUIHighScoresWindowBase(OrrelayEngine::Engine* engine, HighScoresTable* highScores)
    : GUIWindowBase(engine), highScores_(highScores)
{}

void GUIHighScoresWindowBase::Show(std::uint32_t opener, const HighScoreEntry* newEntry)
{
    opener_ = opener;
    newEntry_ = newEntry;
}

} // namespace GameFramework

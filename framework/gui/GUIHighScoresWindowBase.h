// The framework's side of the high-score screen: the result code, the table it
// shows, and what Show received: where it was opened from (2 the main menu, 10
// after the game was complete, 11 after a game over) and the entry just
// inserted, kept as a pointer into the table (null when there is none), so
// that the derived screen can mark it.
#pragma once

#include <cstdint>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class HighScoresTable;
struct HighScoreEntry;

class GUIHighScoresWindowBase : public GUIWindowBase
{
public:
    GUIHighScoresWindowBase(OrrelayEngine::Engine* engine, HighScoresTable* highScores);

    // newEntry is borrowed from the table; it stays valid until the table changes.
    virtual void Show(std::uint32_t opener, const HighScoreEntry* newEntry);

    std::uint32_t GetOpener() const { return opener_; }
    const HighScoreEntry* GetNewEntry() const { return newEntry_; }

protected:
    HighScoresTable* highScores_;
    std::uint32_t opener_ = 0;
    const HighScoreEntry* newEntry_ = nullptr;
};

} // namespace GameFramework

// The framework's side of the high-score screen: the result code, the table it
// shows, and what Show received: where it was opened from (2 the main menu, 10
// after the game was complete, 11 after a game over) and the entry just
// inserted, kept as a pointer into the table (null when there is none), so
// that the derived screen can mark it.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class HighScoresTable;
struct HighScoreEntry;

class GUIHighScoresWindowBase
{
public:
    GUIHighScoresWindowBase(OrrelayEngine::Engine* engine, HighScoresTable* highScores);
    virtual ~GUIHighScoresWindowBase();

    GUIHighScoresWindowBase(const GUIHighScoresWindowBase&) = delete;
    GUIHighScoresWindowBase& operator=(const GUIHighScoresWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    // newEntry is borrowed from the table; it stays valid until the table changes.
    virtual void Show(std::uint32_t opener, const HighScoreEntry* newEntry);
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

    std::uint32_t GetOpener() const { return opener_; }
    const HighScoreEntry* GetNewEntry() const { return newEntry_; }

protected:
    OrrelayEngine::Engine* engine_;
    HighScoresTable* highScores_;
    std::uint32_t result_ = 0;
    std::uint32_t opener_ = 0;
    const HighScoreEntry* newEntry_ = nullptr;
};

} // namespace GameFramework

// The outermost object of the program: makes the game, runs the main loop until
// the exit command, and takes the game down again, all inside one guard. An
// error that reaches the guard ends the game orderly (the game is deleted, so
// the configuration is saved and the log closed) and is then shown in a
// message box; nothing leaves Execute.
//
// The game derives its loader from this class; its constructor calls Execute
// as its last step. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace GameFramework {

class GameBase;

class GameLoaderBase
{
public:
    static constexpr char kFatalErrorCaption[] = "Fatal Error";
    static constexpr char kUnhandledExceptionText[] = "Unhandled exception!";

    // The handles and the show command are kept only: the program takes
    // nothing from its command line.
    GameLoaderBase(void* instance, void* previousInstance, const std::string& commandLine, std::int32_t showCommand);
    virtual ~GameLoaderBase();

    GameLoaderBase(const GameLoaderBase&) = delete;
    GameLoaderBase& operator=(const GameLoaderBase&) = delete;

    // Create, run, destroy; never throws.
    virtual void Execute();
    // Stores the new game in the game field.
    virtual void CreateGame() = 0;
    // Harmless when there is no game.
    virtual void DestroyGame();
    virtual void Run();

    // What one pass of the main loop did.
    enum class LoopPass
    {
        kMessage,
        kFrame,
        // The exit command came with this pass, message or frame.
        kExit
    };

    // One pass of the main loop: one pending message when there is one, else
    // one frame of the game.
    static LoopPass RunLoopPass(GameBase& game);

    GameBase* GetGame() const { return game_.get(); }

protected:
    void SetGame(std::unique_ptr<GameBase> game);

private:
    void ShowError(const std::string& text);

    [[maybe_unused]] void* instance_;
    [[maybe_unused]] void* previousInstance_;
    std::string commandLine_;
    [[maybe_unused]] std::int32_t showCommand_;
    std::unique_ptr<GameBase> game_;
};

} // namespace GameFramework

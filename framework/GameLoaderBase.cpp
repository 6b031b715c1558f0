#include "framework/GameLoaderBase.h"

#include <utility>

#include "engine/core/FatalError.h"
#include "framework/GameBase.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"

namespace GameFramework {

GameLoaderBase::GameLoaderBase(void* instance, void* previousInstance, const std::string& commandLine,
                               std::int32_t showCommand)
    : instance_(instance), previousInstance_(previousInstance), commandLine_(commandLine), showCommand_(showCommand)
{}

GameLoaderBase::~GameLoaderBase() = default;

void GameLoaderBase::Execute()
{
    std::string errorText;
    try {
        CreateGame();
        Run();
        DestroyGame();
        return;
    } catch (const OrrelayEngine::FatalError& error) {
        errorText = error.GetMessage();
    } catch (...) {
        errorText = kUnhandledExceptionText;
    }
    // The game goes before the box, so the box never waits on top of a live
    // engine; a failure while it goes must not hide the error being reported.
    try {
        DestroyGame();
    } catch (...) {
    }
    ShowError(errorText);
}

void GameLoaderBase::DestroyGame()
{
    // Out of the field first: whatever the release throws, the game is never
    // deleted twice.
    std::unique_ptr<GameBase> game = std::move(game_);
    game.reset();
}

void GameLoaderBase::Run()
{
    if (game_ == nullptr) {
        return;
    }
    while (RunLoopPass(*game_) != LoopPass::kExit) {
    }
}

GameLoaderBase::LoopPass GameLoaderBase::RunLoopPass(GameBase& game)
{
    // Every pending message goes before the next frame; the exit test follows
    // each message as well as each frame.
    LoopPass pass = LoopPass::kMessage;
    if (!Platform::DispatchNextEvent()) {
        game.Frame();
        pass = LoopPass::kFrame;
    }
    return game.IsExitRequested() ? LoopPass::kExit : pass;
}

void GameLoaderBase::SetGame(std::unique_ptr<GameBase> game)
{
    game_ = std::move(game);
}

void GameLoaderBase::ShowError(const std::string& text)
{
    try {
        Platform::ShowMessageBox(kFatalErrorCaption, text, Platform::MessageBoxIcon::Error);
    } catch (...) {
    }
}

} // namespace GameFramework

// The first level in play as a player sees it at 1024 x 768: the level with
// its head-up display, the game cursor's trail behind a circling mouse, and a
// listed move swapped every second so that groups fall and cascade. Whole
// frames of the game (GameBase::Frame) against the render pass alone of the
// same scene (the model manager's draw and the present), alternating; prints
// both frame rates and the ratio (goals: 60 frames per second or more, ratio
// at most 1.3). The level is then played on, a move whenever the board
// allows, until it is won or lost and its results screen stands counting;
// prints the peak resident set (VmHWM) after the start, at the main menu,
// after the level's frames and after its results (goal: under 300 MB). A
// first run in a child process saves the profile.
// Release build, offscreen GL (llvmpipe); needs the built data set.
#include <chrono>
#include <cstdio>

#include "bench/AlternatingFrames.h"
#include "bench/ScratchGame.h"
#include "engine/scene/ModelManager.h"
#include "framework/GameLogicBase.h"
#include "game/gui/GUIGameOverWindow.h"
#include "game/gui/GUILevelCompleteWindow.h"

namespace {

// How long the results screen is watched once it stands: its bars and the
// energy bonus count in that time.
constexpr double kResultsSeconds = 4.0;

// The running game with its results screens in reach.
class ResultsGame : public Bench::RunningGame
{
public:
    using GameBase::gameOverWindow_;
    using GameBase::levelCompleteWindow_;

    bool IsLevelOver() const
    {
        const GameFramework::GameLogicBase* level = GetGameLogic();
        return level != nullptr && (level->GetState() == GameFramework::GameLogicBase::kStateWon ||
                                    level->GetState() == GameFramework::GameLogicBase::kStateLost);
    }

    // The level complete or game over screen open with its controls still.
    const char* ResultsShown() const
    {
        const auto* complete = dynamic_cast<const Tansywell::GUILevelCompleteWindow*>(levelCompleteWindow_.get());
        if (complete != nullptr && complete->IsActive() && !complete->AnyControlAnimating())
            return "level complete";
        const auto* over = dynamic_cast<const Tansywell::GUIGameOverWindow*>(gameOverWindow_.get());
        if (over != nullptr && over->IsActive() && !over->AnyControlAnimating())
            return "game over";
        return nullptr;
    }
};

} // namespace

int main(int argc, char** argv)
{
    int status = 0;
    if (Bench::IsSetupChild(argc, argv, status))
        return status;
    Bench::ScratchGame installation("quillory-boardframe");
    if (!installation.IsReady())
        return 1;
    ResultsGame game;
    game.Frame();
    const double afterStart = Bench::PeakResidentMegabytes();
    if (!game.FramesUntil([&] { return game.IsMainMenuReady(); }, Bench::kSecondsAllowed)) {
        std::fprintf(stderr, "the game never opened its main menu\n");
        return 1;
    }
    const double atMenu = Bench::PeakResidentMegabytes();
    if (!game.EnterFirstLevel(Bench::kSecondsAllowed)) {
        std::fprintf(stderr, "the game never started its first level (%.0f MB at the menu)\n", atMenu);
        return 1;
    }
    OrrelayEngine::ModelManager& models = *game.GetEngine()->GetModelManager();
    int frame = 0;
    const auto wholeFrame = [&] { Bench::PlayLevelFrame(game, frame); };
    // The level's swing-in and its items' arrival first.
    for (int settle = 0; settle < Bench::kSettleFrames; ++settle)
        wholeFrame();
    const Bench::FrameMedians medians = Bench::CompareAlternatingFrames(
        wholeFrame,
        [&] {
            models.RenderAll();
            models.PresentFrame();
            Bench::FinishPicture();
        },
        Bench::kComparedFrames);
    std::printf("first level with its HUD, cursor trail and swaps every %d frames: %u models, %u drawn, "
                "%u triangles: whole frame %.1f fps (goal >= 60), render pass alone %.1f fps, whole / "
                "render pass time = %.3f (goal <= 1.3)\n",
                Bench::kFramesPerSwap, models.GetModelCount(), models.GetStatistics().drawnModels,
                models.GetStatistics().drawnTriangles, 1.0 / medians.oursSeconds, 1.0 / medians.rawSeconds,
                medians.oursSeconds / medians.rawSeconds);
    const double afterLevel = Bench::PeakResidentMegabytes();

    // Played on to its end: a move whenever the board takes one.
    const bool ended = game.FramesUntil(
        [&] {
            if (game.IsLevelOver())
                return true;
            game.SwapAListedMove();
            Bench::MoveMouseInCircle(++frame);
            return false;
        },
        Bench::kSecondsAllowed);
    const char* results = nullptr;
    if (!ended ||
        !game.FramesUntil([&] { return (results = game.ResultsShown()) != nullptr; }, Bench::kSecondsAllowed)) {
        std::fprintf(stderr, "the level never showed its results (%.0f MB after the level)\n", afterLevel);
        return 1;
    }
    const auto shown = std::chrono::steady_clock::now();
    game.FramesUntil(
        [&] { return std::chrono::steady_clock::now() - shown > std::chrono::duration<double>(kResultsSeconds); },
        Bench::kSecondsAllowed);
    std::printf("peak resident set (VmHWM): %.0f MB after the start, %.0f MB at the main menu, %.0f MB "
                "after the level, %.0f MB after its results (%s) (goal < 300 MB)\n",
                afterStart, atMenu, afterLevel, Bench::PeakResidentMegabytes(), results);
    return 0;
}

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
// first run in a child process saves the profile. Where an X display is at
// hand ($DISPLAY), the same route runs once more in a child process in a real
// X11 window, and its four peak figures are printed beside these.
// Release build, offscreen GL (llvmpipe); needs the built data set.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

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

// The argument that makes the benchmark's child run the route in an X11 window.
const char* const kWindowChild = "--x11-window-child";

// The peak resident set at the four points of the route.
struct PeakFigures
{
    double afterStart = 0.0;
    double atMenu = 0.0;
    double afterLevel = 0.0;
    double afterResults = 0.0;
};

// Start, main menu, the first level's compared frames, played on to its
// results and those watched; the frame rates printed when asked.
int RunRoute(bool printRates, PeakFigures& peaks, const char*& results)
{
    Bench::ScratchGame installation("quillory-boardframe");
    if (!installation.IsReady())
        return 1;
    ResultsGame game;
    game.Frame();
    peaks.afterStart = Bench::PeakResidentMegabytes();
    if (!game.FramesUntil([&] { return game.IsMainMenuReady(); }, Bench::kSecondsAllowed)) {
        std::fprintf(stderr, "the game never opened its main menu\n");
        return 1;
    }
    peaks.atMenu = Bench::PeakResidentMegabytes();
    if (!game.EnterFirstLevel(Bench::kSecondsAllowed)) {
        std::fprintf(stderr, "the game never started its first level (%.0f MB at the menu)\n", peaks.atMenu);
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
    if (printRates)
        std::printf("first level with its HUD, cursor trail and swaps every %d frames: %u models, %u drawn, "
                    "%u triangles: whole frame %.1f fps (goal >= 60), render pass alone %.1f fps, whole / "
                    "render pass time = %.3f (goal <= 1.3)\n",
                    Bench::kFramesPerSwap, models.GetModelCount(), models.GetStatistics().drawnModels,
                    models.GetStatistics().drawnTriangles, 1.0 / medians.oursSeconds, 1.0 / medians.rawSeconds,
                    medians.oursSeconds / medians.rawSeconds);
    peaks.afterLevel = Bench::PeakResidentMegabytes();

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
    if (!ended ||
        !game.FramesUntil([&] { return (results = game.ResultsShown()) != nullptr; }, Bench::kSecondsAllowed)) {
        std::fprintf(stderr, "the level never showed its results (%.0f MB after the level)\n", peaks.afterLevel);
        return 1;
    }
    const auto shown = std::chrono::steady_clock::now();
    game.FramesUntil(
        [&] { return std::chrono::steady_clock::now() - shown > std::chrono::duration<double>(kResultsSeconds); },
        Bench::kSecondsAllowed);
    peaks.afterResults = Bench::PeakResidentMegabytes();
    return 0;
}

void PrintPeaks(const char* where, const PeakFigures& peaks, const char* results)
{
    std::printf("peak resident set (VmHWM) %s: %.0f MB after the start, %.0f MB at the main menu, %.0f MB "
                "after the level, %.0f MB after its results%s%s%s (goal < 300 MB)\n",
                where, peaks.afterStart, peaks.atMenu, peaks.afterLevel, peaks.afterResults,
                results != nullptr ? " (" : "", results != nullptr ? results : "", results != nullptr ? ")" : "");
}

} // namespace

int main(int argc, char** argv)
{
    int status = 0;
    if (Bench::IsSetupChild(argc, argv, status))
        return status;
    PeakFigures peaks;
    const char* results = nullptr;
    if (argc >= 2 && std::strcmp(argv[1], kWindowChild) == 0) {
        status = RunRoute(false, peaks, results);
        if (status == 0)
            std::printf("%.1f %.1f %.1f %.1f\n", peaks.afterStart, peaks.atMenu, peaks.afterLevel, peaks.afterResults);
        return status;
    }
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const std::string where = driver != nullptr ? std::string("over SDL's ") + driver + " driver" : "offscreen";
    status = RunRoute(true, peaks, results);
    if (status != 0)
        return status;
    PrintPeaks(where.c_str(), peaks, results);
    if (std::getenv("DISPLAY") == nullptr || (driver != nullptr && std::strcmp(driver, "offscreen") != 0))
        return 0;
    // The same route in a window on the X display, in a process of its own.
    setenv("SDL_VIDEODRIVER", "x11", 1);
    const std::vector<double> window =
        Bench::RunChild(std::filesystem::canonical("/proc/self/exe").string(), {kWindowChild});
    if (window.size() != 4) {
        std::fprintf(stderr, "the route in an X11 window did not finish\n");
        return 1;
    }
    PrintPeaks("in a real X11 window", PeakFigures{window[0], window[1], window[2], window[3]}, nullptr);
    return 0;
}

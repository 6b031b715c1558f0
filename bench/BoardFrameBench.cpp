// The first level in play as a player sees it at 1024 x 768: the level with
// its head-up display, the game cursor's trail behind a circling mouse, and a
// listed move swapped every second so that groups fall and cascade. Whole
// frames of the game (GameBase::Frame) against the render pass alone of the
// same scene (the model manager's draw and the present), alternating; prints
// both frame rates and the ratio (goals: 60 frames per second or more, ratio
// at most 1.3), and the peak resident set (VmHWM) after the start, at the main
// menu and after the level's frames (goal: under 300 MB). A first run in a
// child process saves the profile.
// Release build, offscreen GL (llvmpipe); needs the built data set.
#include <cstdio>

#include "bench/AlternatingFrames.h"
#include "bench/ScratchGame.h"
#include "engine/scene/ModelManager.h"

int main(int argc, char** argv)
{
    int status = 0;
    if (Bench::IsSetupChild(argc, argv, status))
        return status;
    Bench::ScratchGame installation("quillory-boardframe");
    if (!installation.IsReady())
        return 1;
    Bench::RunningGame game;
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
    std::printf("peak resident set (VmHWM): %.0f MB after the start, %.0f MB at the main menu, %.0f MB "
                "after the level (goal < 300 MB; the level's results not reached here)\n",
                afterStart, atMenu, Bench::PeakResidentMegabytes());
    return 0;
}

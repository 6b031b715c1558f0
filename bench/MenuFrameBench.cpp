// The open main menu over the full menu background, as a returning player
// sees it at 1024 x 768: whole frames of the game (GameBase::Frame: input,
// screens, background, sounds, the engine's update, draw and present) against
// the render pass alone of the same scene (the model manager's draw and the
// present), alternating; prints both frame rates and the ratio (goals: 60
// frames per second or more, ratio at most 1.2). A first run in a child
// process saves the profile, so that the measured run opens the main menu.
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
    Bench::ScratchGame installation("quillory-menuframe");
    if (!installation.IsReady())
        return 1;
    Bench::RunningGame game;
    if (!game.FramesUntil([&] { return game.IsMainMenuReady(); }, Bench::kSecondsAllowed)) {
        std::fprintf(stderr, "the game never opened its main menu\n");
        return 1;
    }
    OrrelayEngine::ModelManager& models = *game.GetEngine()->GetModelManager();
    const Bench::FrameMedians medians = Bench::CompareAlternatingFrames(
        [&] {
            game.Frame();
            Bench::FinishPicture();
        },
        [&] {
            models.RenderAll();
            models.PresentFrame();
            Bench::FinishPicture();
        },
        Bench::kComparedFrames);
    std::printf("stand-ins for models the data set lacks:%s\n", installation.StandInText().c_str());
    std::printf("main menu over the background: %u models, %u drawn, %u triangles: whole frame %.1f fps "
                "(goal >= 60), render pass alone %.1f fps, whole / render pass time = %.3f (goal <= 1.2)\n",
                models.GetModelCount(), models.GetStatistics().drawnModels, models.GetStatistics().drawnTriangles,
                1.0 / medians.oursSeconds, 1.0 / medians.rawSeconds, medians.oursSeconds / medians.rawSeconds);
    return 0;
}

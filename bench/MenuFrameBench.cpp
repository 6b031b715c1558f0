// The open main menu over the full menu background, as a returning player
// sees it at 1024 x 768: whole frames of the game (GameBase::Frame: input,
// screens, background, sounds, the engine's update, draw and present) against
// the render pass alone of the same scene (the model manager's draw and the
// present), alternating; prints both frame rates and the ratio (goals: 60
// frames per second or more, ratio at most 1.2). A first run in a child
// process saves the profile, so that the measured run opens the main menu.
// Release build, offscreen GL (llvmpipe); needs the built data set.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/AlternatingFrames.h"
#include "bench/GameRun.h"
#include "bench/RawGLDrawing.h"
#include "engine/scene/ModelManager.h"

namespace {

constexpr int kComparedFrames = 301;

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == Bench::kSetupChild)
        return Bench::RunSetupChild(argv[2]);

    namespace fs = std::filesystem;
    std::string root = (fs::temp_directory_path() / "quillory-menuframe-XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr) {
        std::fprintf(stderr, "no scratch folder\n");
        return 1;
    }
    const std::vector<std::string> standIns = Bench::InstallGame(root);
    if (Bench::RunChild(fs::canonical("/proc/self/exe").string(), {Bench::kSetupChild, root}).size() != 1) {
        std::fprintf(stderr, "the first run made no profile (is there a display, or SDL_VIDEODRIVER=offscreen?)\n");
        std::error_code ignored;
        fs::remove_all(root, ignored);
        return 1;
    }
    int status = 0;
    {
        Bench::UseInstallation(root);
        Bench::RunningGame game;
        if (!game.FramesUntil([&] { return game.IsMainMenuReady(); }, Bench::kSecondsAllowed)) {
            std::fprintf(stderr, "the game never opened its main menu\n");
            status = 1;
        } else {
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
                kComparedFrames);
            std::string standInText;
            for (const std::string& name : standIns)
                standInText += " " + name;
            std::printf("stand-ins for models the data set lacks:%s\n",
                        standIns.empty() ? " none" : standInText.c_str());
            std::printf("main menu over the background: %u models, %u drawn, %u triangles: whole frame %.1f fps "
                        "(goal >= 60), render pass alone %.1f fps, whole / render pass time = %.3f (goal <= 1.2)\n",
                        models.GetModelCount(), models.GetStatistics().drawnModels,
                        models.GetStatistics().drawnTriangles, 1.0 / medians.oursSeconds, 1.0 / medians.rawSeconds,
                        medians.oursSeconds / medians.rawSeconds);
        }
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return status;
}

// The first level in play with its head-up display at 1024 x 768: score texts
// float up and collected mana flies to the bar after the swaps made every
// second, the cursor circling; whole frames with the HUD shown against the
// same frames with the HUD's windows hidden, alternating; prints both frame
// rates, the ratio (goal: at most 1.15) and the mana flights alive at the
// end. A first run in a child process saves the profile.
// Release build, offscreen GL (llvmpipe); needs the built data set.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/AlternatingFrames.h"
#include "bench/GameRun.h"
#include "bench/RawGLDrawing.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/ModelManager.h"
#include "game/gui/GUIGameLogicWindow.h"

namespace {

constexpr int kComparedFrames = 301;
constexpr int kFramesPerSwap = 40;

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == Bench::kSetupChild)
        return Bench::RunSetupChild(argv[2]);

    namespace fs = std::filesystem;
    std::string root = (fs::temp_directory_path() / "quillory-hudframe-XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr) {
        std::fprintf(stderr, "no scratch folder\n");
        return 1;
    }
    Bench::InstallGame(root);
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
        const bool inLevel = game.FramesUntil([&] { return game.IsMainMenuReady(); }, Bench::kSecondsAllowed) &&
                             game.EnterFirstLevel(Bench::kSecondsAllowed);
        auto* hud = dynamic_cast<Tansywell::GUIGameLogicWindow*>(game.gameLogicWindow_.get());
        if (!inLevel || hud == nullptr || hud->GetRootWindow() == nullptr) {
            std::fprintf(stderr, "the game never started its first level with its HUD\n");
            status = 1;
        } else {
            OrrelayEngine::GUIWindow& root = *hud->GetRootWindow();
            int frame = 0;
            const auto frameWithHud = [&](bool shown) {
                if (shown)
                    root.SetFlags(OrrelayEngine::GUIWindow::kFlagShown);
                else
                    root.ClearFlags(OrrelayEngine::GUIWindow::kFlagShown);
                Bench::MoveMouseInCircle(frame);
                if (++frame % kFramesPerSwap == 0)
                    game.SwapAListedMove();
                game.Frame();
                Bench::FinishPicture();
            };
            for (int settle = 0; settle < 120; ++settle)
                frameWithHud(true);
            const Bench::FrameMedians medians = Bench::CompareAlternatingFrames(
                [&] { frameWithHud(true); }, [&] { frameWithHud(false); }, kComparedFrames);
            root.SetFlags(OrrelayEngine::GUIWindow::kFlagShown);
            std::printf("first level, swaps every %d frames, %zu mana flights alive at the end: with the HUD %.1f "
                        "fps, HUD hidden %.1f fps, with / without time = %.3f (goal <= 1.15)\n",
                        kFramesPerSwap, hud->GetManaEffects().size(), 1.0 / medians.oursSeconds,
                        1.0 / medians.rawSeconds, medians.oursSeconds / medians.rawSeconds);
        }
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return status;
}

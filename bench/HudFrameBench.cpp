// The first level in play with its head-up display at 1024 x 768: score texts
// float up and collected mana flies to the bar after the swaps made every
// second, the cursor circling; whole frames with the HUD shown against the
// same frames with the HUD's windows hidden, alternating; prints both frame
// rates, the ratio (goal: at most 1.15) and the mana flights alive at the
// end. A first run in a child process saves the profile.
// Release build, offscreen GL (llvmpipe); needs the built data set.
#include <cstdio>

#include "bench/AlternatingFrames.h"
#include "bench/ScratchGame.h"
#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIGameLogicWindow.h"

int main(int argc, char** argv)
{
    int status = 0;
    if (Bench::IsSetupChild(argc, argv, status))
        return status;
    Bench::ScratchGame installation("quillory-hudframe");
    if (!installation.IsReady())
        return 1;
    Bench::RunningGame game;
    const bool inLevel = game.FramesUntil([&] { return game.IsMainMenuReady(); }, Bench::kSecondsAllowed) &&
                         game.EnterFirstLevel(Bench::kSecondsAllowed);
    auto* hud = dynamic_cast<Tansywell::GUIGameLogicWindow*>(game.gameLogicWindow_.get());
    if (!inLevel || hud == nullptr || hud->GetRootWindow() == nullptr) {
        std::fprintf(stderr, "the game never started its first level with its HUD\n");
        return 1;
    }
    OrrelayEngine::GUIWindow& root = *hud->GetRootWindow();
    int frame = 0;
    const auto frameWithHud = [&](bool shown) {
        if (shown)
            root.SetFlags(OrrelayEngine::GUIWindow::kFlagShown);
        else
            root.ClearFlags(OrrelayEngine::GUIWindow::kFlagShown);
        Bench::PlayLevelFrame(game, frame);
    };
    for (int settle = 0; settle < Bench::kSettleFrames; ++settle)
        frameWithHud(true);
    const Bench::FrameMedians medians = Bench::CompareAlternatingFrames(
        [&] { frameWithHud(true); }, [&] { frameWithHud(false); }, Bench::kComparedFrames);
    root.SetFlags(OrrelayEngine::GUIWindow::kFlagShown);
    std::printf("first level, swaps every %d frames, %zu mana flights alive at the end: with the HUD %.1f "
                "fps, HUD hidden %.1f fps, with / without time = %.3f (goal <= 1.15)\n",
                Bench::kFramesPerSwap, hud->GetManaEffects().size(), 1.0 / medians.oursSeconds,
                1.0 / medians.rawSeconds, medians.oursSeconds / medians.rawSeconds);
    return 0;
}

// A returning player's cold start of the whole game: the game brought up in
// a fresh child process of this program, with a profile saved by an earlier
// run, timed from just before the child is spawned to its first presented
// frame, to the introduction's end (the load begins), to the resource set
// loaded (the menus made) and to the main menu open with its buttons
// answering. Five such starts alternate with five
// engine-alone starts (the engine child of bench_EngineStartBench, built
// beside this program), and the medians are compared (goal: main menu in
// under 1.5 s). The introduction's designed length is printed beside them:
// the load begins only once the titles have faded in and "LOADING" is typed.
// Release build, offscreen GL (llvmpipe); needs the built data set.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/AlternatingFrames.h"
#include "bench/GameRun.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "game/gui/GUIBackgroundWindow.h"

namespace {

constexpr int kStartsEach = 5;
const char* const kGameChild = "--game-child";
const char* const kEngineChild = "--engine-child";

double SecondsSince(std::int64_t stamp)
{
    return static_cast<double>(Bench::NowNanoseconds() - stamp) * 1e-9;
}

// Prints the seconds to the first presented frame, to the introduction's
// end, to the menus made and to the main menu ready.
int RunGameChild(const std::string& root, const char* startStamp)
{
    const std::int64_t start = std::atoll(startStamp);
    Bench::UseInstallation(root);
    Bench::RunningGame game;
    game.Frame();
    const double firstFrame = SecondsSince(start);
    // The state is reached at the end of a frame; the load runs in the next.
    const Tansywell::GUIBackgroundWindow* background = game.GetBackgroundWindow();
    if (!game.FramesUntil([&] { return background->GetState() >= Tansywell::GUIBackgroundWindow::kStateWaitForLoad; },
                          Bench::kSecondsAllowed))
        return 1;
    const double introduction = SecondsSince(start);
    if (!game.FramesUntil([&] { return game.GetMenuWindowManager() != nullptr; }, Bench::kSecondsAllowed))
        return 1;
    const double loaded = SecondsSince(start);
    if (!game.FramesUntil([&] { return game.IsMainMenuReady(); }, Bench::kSecondsAllowed))
        return 1;
    const double menu = SecondsSince(start);
    std::printf("%.9f %.9f %.9f %.9f\n", firstFrame, introduction, loaded, menu);
    std::fflush(stdout);
    return 0;
}

// The introduction's length as the data set designs it: the frame and the
// logo play, then the mounts, then the titles fade in while "LOADING" is
// typed; the load begins once both are done. Frames and typing as the
// background paces them; the frames the game takes between steps not counted.
double DesignedIntroductionSeconds(std::uint32_t titles)
{
    using Tansywell::GUIBackgroundWindow;
    EngineTests::NullEngine probe;
    probe.settings.installFolder = QUILLORY_BUILD_DIR;
    OrrelayEngine::Engine& engine = probe.Start();
    const auto longestPlay = [&](std::initializer_list<const char*> names) {
        double longest = 0.0;
        for (const char* name : names) {
            const std::unique_ptr<OrrelayEngine::Model> model(engine.GetModelManager()->LoadModelTemplate(
                std::string("ui\\menus\\models\\background\\") + name + ".mlf", nullptr, 0));
            const OrrelayEngine::AnimationControl* animation = model->GetAnimationControl();
            // A model stops on its last frame.
            const std::uint32_t frames = animation != nullptr ? animation->GetFrameCount() : 1;
            longest = std::max(longest, (frames - 1) / static_cast<double>(GUIBackgroundWindow::kIntroAnimationSpeed));
        }
        return longest;
    };
    OrrelayEngine::GUITextManager* texts = engine.GetGUIManager()->GetTextManager();
    texts->Load("ui\\texts\\en\\loading.ini");
    const double typing = texts->GetText("LOADING").size() / static_cast<double>(GUIBackgroundWindow::kPrinterSpeed);
    double fading = 0.0;
    if (titles > 0) {
        const double count = titles;
        fading = (GUIBackgroundWindow::kTitleFadeSeconds +
                  GUIBackgroundWindow::kTitleStagger * GUIBackgroundWindow::kTitleFadeSeconds * (count - 1) / count) /
                 count;
    }
    return longestPlay({"frame", "logo"}) + longestPlay({"mount_title", "mount_text", "text_appear"}) +
           std::max(typing, fading);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == kGameChild)
        return RunGameChild(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == Bench::kSetupChild)
        return Bench::RunSetupChild(argv[2]);

    namespace fs = std::filesystem;
    // No sound card is needed for the engine alone either.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const fs::path self = fs::canonical("/proc/self/exe");
    const std::string engineBench = (self.parent_path() / "bench_EngineStartBench").string();
    std::string root = (fs::temp_directory_path() / "quillory-gamestart-XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr) {
        std::fprintf(stderr, "no scratch folder\n");
        return 1;
    }
    std::uint32_t titles = 0;
    const std::vector<std::string> standIns = Bench::InstallGame(root, &titles);
    // The engine alone starts over the same data set in a folder of its own.
    const std::string engineFolder = root + "/engine";
    fs::create_directories(engineFolder + "/Data");
    std::error_code ignored;
    fs::create_symlink(QUILLORY_BUILD_DIR "/data/pack0.pak", engineFolder + "/Data/pack0.pak", ignored);

    int status = 0;
    if (Bench::RunChild(self.string(), {Bench::kSetupChild, root}).size() != 1) {
        std::fprintf(stderr, "the first run made no profile\n");
        status = 1;
    }
    std::vector<double> firstFrames;
    std::vector<double> introductions;
    std::vector<double> loads;
    std::vector<double> menus;
    std::vector<double> engineStarts;
    for (int start = 0; start < kStartsEach && status == 0; ++start) {
        const std::vector<double> game = Bench::RunChild(self.string(), {kGameChild, root});
        const std::vector<double> engine = Bench::RunChild(engineBench, {kEngineChild, engineFolder});
        if (game.size() != 4 || engine.size() != 1) {
            std::fprintf(stderr, "a start failed (is there a display, or SDL_VIDEODRIVER=offscreen?)\n");
            status = 1;
            break;
        }
        firstFrames.push_back(game[0]);
        introductions.push_back(game[1]);
        loads.push_back(game[2]);
        menus.push_back(game[3]);
        engineStarts.push_back(engine[0]);
    }
    fs::remove_all(root, ignored);
    if (status != 0)
        return status;

    std::string standInText;
    for (const std::string& name : standIns)
        standInText += " " + name;
    std::printf("stand-ins for models the data set lacks:%s\n", standIns.empty() ? " none" : standInText.c_str());
    std::printf("introduction as designed: %.2f s (%u title(s) in title_en.ini; the load begins once they have "
                "faded in and \"LOADING\" is typed)\n",
                DesignedIntroductionSeconds(titles), titles);
    const double menu = Bench::Median(menus);
    const double engine = Bench::Median(engineStarts);
    std::printf("game start (medians of %d): first frame %.0f ms, introduction done (load begun) %.0f ms, resource "
                "set loaded %.0f ms, main menu ready %.0f ms (goal < 1500 ms); engine alone to its first frame %.0f "
                "ms; main menu / engine alone = %.2f\n",
                kStartsEach, Bench::Median(firstFrames) * 1000.0, Bench::Median(introductions) * 1000.0,
                Bench::Median(loads) * 1000.0, menu * 1000.0, engine * 1000.0, menu / engine);
    return 0;
}

// What the frame benchmarks of the running game share: a scratch
// installation whose profile a first run in a child process saved (so the
// measured run opens the main menu), removed again at the end, and the level
// in play driven as a player would: the mouse circling so the cursor leaves
// its trail, a listed move swapped every so many frames so groups fall and
// cascade, each frame waited for until its picture is finished.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "bench/GameRun.h"
#include "bench/RawGLDrawing.h"

namespace Bench {

// Frames of each kind compared, and the first level's settling before them.
constexpr int kComparedFrames = 301;
constexpr int kSettleFrames = 120;
// A swap about once a second at the measured rates.
constexpr int kFramesPerSwap = 40;

// Whether this process is the first run's child; its exit status in status.
inline bool IsSetupChild(int argc, char** argv, int& status)
{
    if (argc != 4 || std::string(argv[1]) != kSetupChild)
        return false;
    status = RunSetupChild(argv[2]);
    return true;
}

class ScratchGame
{
public:
    // name: the scratch folder's prefix below the temporary folder.
    explicit ScratchGame(const char* name)
    {
        namespace fs = std::filesystem;
        root_ = (fs::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
        if (mkdtemp(root_.data()) == nullptr) {
            std::fprintf(stderr, "no scratch folder\n");
            root_.clear();
            return;
        }
        standIns_ = InstallGame(root_);
        if (RunChild(fs::canonical("/proc/self/exe").string(), {kSetupChild, root_}).size() != 1) {
            std::fprintf(stderr, "the first run made no profile (is there a display, or SDL_VIDEODRIVER=offscreen?)\n");
            return;
        }
        UseInstallation(root_);
        ready_ = true;
    }
    ScratchGame(const ScratchGame&) = delete;
    ScratchGame& operator=(const ScratchGame&) = delete;
    ~ScratchGame()
    {
        std::error_code ignored;
        if (!root_.empty())
            std::filesystem::remove_all(root_, ignored);
    }

    // The installation is laid out, the profile saved and the platform pointed at it.
    bool IsReady() const { return ready_; }
    // The models the data set lacks, written as stand-ins.
    std::string StandInText() const
    {
        std::string text;
        for (const std::string& name : standIns_)
            text += " " + name;
        return standIns_.empty() ? " none" : text;
    }

private:
    std::string root_;
    std::vector<std::string> standIns_;
    bool ready_ = false;
};

// One frame of the level as a player drives it; frame counts the frames.
inline void PlayLevelFrame(RunningGame& game, int& frame)
{
    MoveMouseInCircle(frame);
    if (++frame % kFramesPerSwap == 0)
        game.SwapAListedMove();
    game.Frame();
    FinishPicture();
}

} // namespace Bench

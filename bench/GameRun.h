// The whole game in a benchmark's process, as a player starts it: the real
// Game over OpenGL on the offscreen video driver, full screen at 1024 x 768,
// installed in a scratch folder beside the data set the build made, with
// scratch user folders. Where the data set still lacks a model that the
// introduction waits for, a still quad stands in for it (a missing model is
// a box without animation, and the introduction would wait for ever); the
// data set's own models are used as soon as it has them.
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/ModelFileWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/Random.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "framework/GameLoaderBase.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/Game.h"
#include "game/GameLoader.h"
#include "game/gui/GUIIntroductionWindow.h"
#include "game/gui/GUIMainMenuWindow.h"
#include "game/gui/GUIStartGameLogicWindow.h"
#include "game/gui/GUIWelcomeWindow.h"
#include "game/logic/Board.h"
#include "game/logic/BoardItem.h"
#include "game/logic/GameLogic.h"
#include "platform/FileSystem.h"
#include "platform/InputDevice.h"
#include "tests/engine/core/NullEngine.h"
#include "tests/game/gui/MenuHarness.h"

extern char** environ;

namespace Bench {

// How long a run may take to reach a screen.
constexpr double kSecondsAllowed = 60.0;
// The argument that makes a benchmark's child run the first start.
inline const char* const kSetupChild = "--setup-child";

inline std::int64_t NowNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The introduction's models, below the data folder.
inline const std::vector<std::string>& IntroductionModels()
{
    static const std::vector<std::string> names = {"frame", "logo", "mount_title", "mount_text", "text_appear", "text"};
    return names;
}

// Lays out <root>/install (the data set linked in, stand-ins written) and
// <root>/user; returns the names of the stand-ins written, and the data set's
// title count when asked.
inline std::vector<std::string> InstallGame(const std::string& root, std::uint32_t* titles = nullptr)
{
    namespace fs = std::filesystem;
    const fs::path install = fs::path(root) / "install";
    fs::create_directories(install / "data");
    fs::create_directories(fs::path(root) / "user");
    std::error_code ignored;
    fs::create_symlink(QUILLORY_BUILD_DIR "/data/pack0.pak", install / "data" / "pack0.pak", ignored);
    std::vector<std::string> standIns;
    EngineTests::NullEngine probe;
    probe.settings.installFolder = QUILLORY_BUILD_DIR;
    OrrelayEngine::Engine& engine = probe.Start();
    for (const std::string& name : IntroductionModels()) {
        const std::string path = "data\\ui\\menus\\models\\background\\" + name + ".mlf";
        if (engine.GetFileManager()->Exists(path))
            continue;
        const fs::path file = install / "data" / "ui" / "menus" / "models" / "background" / (name + ".mlf");
        fs::create_directories(file.parent_path());
        Content::ModelFileWriter().Build(MenuTests::MakeQuad(0, 0, 800, 600, 4)).Save(file.string());
        standIns.push_back(name + ".mlf");
    }
    if (titles != nullptr) {
        const char* const list = "data\\ui\\menus\\models\\background\\title_en.ini";
        *titles = 0;
        if (engine.GetFileManager()->Exists(list)) {
            std::unique_ptr<OrrelayEngine::FileBinary> file = engine.GetFileManager()->OpenFile(list, false, true);
            std::string bytes(file->GetSize(), '\0');
            if (!bytes.empty())
                file->Read(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
            // Wide text: the digits of the count, with the units' zero bytes and any mark dropped.
            std::string text;
            for (const char c : bytes) {
                if (c >= '0' && c <= '9')
                    text += c;
                else if (c != '\0' && !text.empty())
                    break;
            }
            *titles = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
        }
    }
    return standIns;
}

// Points the platform at an installation made by InstallGame.
inline void UseInstallation(const std::string& root)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("XDG_DATA_HOME", (root + "/user/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/user/config").c_str(), 1);
    Platform::SetExecutableFolderForTests(root + "/install");
}

// The game as the loader makes it; the screens a benchmark waits for made reachable.
class RunningGame : public Tansywell::Game
{
public:
    using GameBase::gameLogicWindow_;
    using GameBase::mainMenuWindow_;
    using GameBase::profileManager_;
    using GameBase::startGameLogicWindow_;
    using GameBase::welcomeWindow_;

    RunningGame() : Game(Tansywell::GameLoader::kMakerName, Tansywell::GameLoader::kProductName, 104, InitLater{})
    {
        Init();
    }

    // The main menu open with its buttons answering.
    bool IsMainMenuReady() const
    {
        const auto* menu = dynamic_cast<const Tansywell::GUIMainMenuWindow*>(mainMenuWindow_.get());
        return menu != nullptr && menu->IsActive() && !menu->AnyControlAnimating();
    }

    bool IsWelcomeShown() const
    {
        const auto* welcome = dynamic_cast<const Tansywell::GUIWelcomeWindow*>(welcomeWindow_.get());
        return welcome != nullptr && welcome->IsActive();
    }

    // Frames until the condition holds; false after the time allowed.
    template <typename Condition>
    bool FramesUntil(Condition condition, double seconds)
    {
        const auto start = std::chrono::steady_clock::now();
        while (!condition()) {
            if (IsExitRequested() || std::chrono::steady_clock::now() - start > std::chrono::duration<double>(seconds))
                return false;
            LoopFrame();
        }
        return true;
    }

    // One pass of the loader's loop up to its frame: the messages pending
    // before it go first, as a player's clicks and the platform's own do.
    void LoopFrame()
    {
        while (GameFramework::GameLoaderBase::RunLoopPass(*this) == GameFramework::GameLoaderBase::LoopPass::kMessage) {
        }
    }

    // From the main menu into the first level, answering each screen on the
    // way once, as one click on its button would: start, the introduction's
    // start, the stage map's start; true once the level runs.
    bool EnterFirstLevel(double seconds)
    {
        const void* answered = nullptr;
        const auto answerOnce = [&](auto* screen, bool ready, std::uint32_t result) {
            if (screen == nullptr || !ready || answered == screen)
                return;
            screen->SetResult(result);
            answered = static_cast<const void*>(screen);
        };
        return FramesUntil(
            [&] {
                if (GetGameLogic() != nullptr &&
                    GetGameLogic()->GetState() == GameFramework::GameLogicBase::kStateRunning)
                    return true;
                answerOnce(mainMenuWindow_.get(), IsMainMenuReady(), Tansywell::GUIMainMenuWindow::kResultStart);
                Tansywell::GUIIntroductionWindow* introduction = GetIntroductionWindow();
                answerOnce(introduction, introduction != nullptr && introduction->IsActive(),
                           Tansywell::GUIIntroductionWindow::kResultStartGame);
                const auto* map = dynamic_cast<const Tansywell::GUIStartGameLogicWindow*>(startGameLogicWindow_.get());
                answerOnce(startGameLogicWindow_.get(), map != nullptr && map->IsActive(),
                           Tansywell::GUIStartGameLogicWindow::kResultStart);
                return false;
            },
            seconds);
    }

    // A listed move swapped as a player's click would swap it: only while the
    // level plays, with both items there and at rest.
    void SwapAListedMove()
    {
        auto* logic = dynamic_cast<Tansywell::GameLogic*>(GetGameLogic());
        Tansywell::Board* board = logic != nullptr ? logic->GetBoard() : nullptr;
        if (board == nullptr || board->GetMoveCount() == 0 || board->GetQueuedGroupCount() != 0 || board->IsWon() ||
            board->IsLost())
            return;
        const std::uint32_t move = OrrelayEngine::RandomModulo(board->GetMoveCount());
        Tansywell::Cell* first = board->GetMoveFirst(move);
        Tansywell::Cell* second = board->GetMoveSecond(move);
        const Tansywell::BoardItem* a = board->GetItem(first);
        const Tansywell::BoardItem* b = board->GetItem(second);
        if (a != nullptr && b != nullptr && !a->IsLocked() && !b->IsLocked())
            board->TrySwap(first, second);
    }

    // A profile made current and saved, so that the next start opens the main menu.
    void MakeProfile(const std::wstring& name)
    {
        GameFramework::ProfileBase* profile = profileManager_->AddProfile(name);
        profileManager_->SetCurrentProfile(profile, true);
        profileManager_->Save();
    }
};

// Spawns the program with the arguments and the start stamp last; the
// numbers it prints, or none when it failed.
inline std::vector<double> RunChild(const std::string& program, std::vector<std::string> arguments)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    arguments.insert(arguments.begin(), program);
    arguments.push_back(std::to_string(NowNanoseconds()));
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[128];
    ssize_t got = 0;
    while (spawned == 0 && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    std::vector<double> numbers;
    const char* at = output.c_str();
    char* end = nullptr;
    for (double value = std::strtod(at, &end); end != at; value = std::strtod(at, &end)) {
        numbers.push_back(value);
        at = end;
    }
    return numbers;
}

// The first run: the welcome screen, a profile, and out.
inline int RunSetupChild(const std::string& root)
{
    UseInstallation(root);
    RunningGame game;
    if (!game.FramesUntil([&] { return game.IsWelcomeShown() || game.IsMainMenuReady(); }, kSecondsAllowed)) {
        std::fprintf(stderr, "the game never reached its welcome screen\n");
        return 1;
    }
    game.MakeProfile(L"Ada");
    std::printf("1\n");
    std::fflush(stdout);
    return 0;
}

// The mouse moves round a circle, one step a frame, so the game cursor
// leaves its trail.
inline void MoveMouseInCircle(int frame)
{
    const double angle = frame * 0.15 + 1.5707963;
    const auto dx = static_cast<std::int32_t>(std::lround(12.0 * std::cos(angle)));
    const auto dy = static_cast<std::int32_t>(std::lround(12.0 * std::sin(angle)));
    Platform::InputDevice::Deliver(Platform::InputEvent{Platform::InputDeviceKind::Mouse, Platform::kMouseOffsetX, dx});
    Platform::InputDevice::Deliver(Platform::InputEvent{Platform::InputDeviceKind::Mouse, Platform::kMouseOffsetY, dy});
}

// The process's peak resident set in megabytes, from /proc; 0 where unknown.
inline double PeakResidentMegabytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return 0.0;
    char line[256];
    double kilobytes = 0.0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kilobytes = std::atof(line + 6);
    }
    std::fclose(status);
    return kilobytes / 1024.0;
}

} // namespace Bench

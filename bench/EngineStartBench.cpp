// A player's cold start: the engine brought up to its first presented frame
// (Engine constructed, one PreFrame and one Frame) against a bare window with
// an OpenGL context and one present made with SDL calls alone. Each start runs
// in a fresh child process of this program, the two kinds alternating five
// times each, and the medians are compared (goal: the engine at most 1.5 times
// the bare start, Release build). The time runs from just before the child is
// spawned to its first present, so loading the program counts too; the data
// pack is built before anything is timed.
// Run with SDL_VIDEODRIVER=offscreen where there is no display.
#include <SDL2/SDL.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/AlternatingFrames.h"
#include "content/FontFileWriter.h"
#include "content/PackWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/FatalError.h"

extern char** environ;

namespace {

constexpr int kStartsEach = 5;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
const char* const kEngineChild = "--engine-child";
const char* const kBareChild = "--bare-child";

std::int64_t NowNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What a child prints: the seconds from the start stamp its parent gave it.
void ReportSince(const char* startStamp)
{
    const double seconds = static_cast<double>(NowNanoseconds() - std::atoll(startStamp)) * 1e-9;
    std::printf("%.9f\n", seconds);
    std::fflush(stdout);
}

// A small installation as the game's would be: a font in the first pack.
void BuildInstallation(const std::string& folder)
{
    std::vector<OrrelayEngine::FontFile::Glyph> glyphs;
    for (wchar_t character = L' '; character < 127; ++character) {
        OrrelayEngine::FontFile::Glyph glyph;
        glyph.character = character;
        glyph.du = 0.05f;
        glyph.dv = 0.05f;
        glyph.width = 0.6f;
        glyphs.push_back(glyph);
    }
    Content::PackWriter pack;
    pack.AddEntry("data\\ui\\fonts\\default.fnt", Content::FontFileWriter().Build(glyphs).GetBytes());
    std::filesystem::create_directories(folder + "/Data");
    pack.Write(folder + "/Data/pack0.pak");
}

int RunEngineChild(const std::string& folder, const char* startStamp)
{
    OrrelayEngine::EngineSettings settings;
    settings.applicationName = "Quillory";
    settings.version = 104;
    settings.installFolder = folder;
    settings.saveConfigOnExit = true;
    settings.configName = "Quillory";
    settings.logEnabled = true;
    settings.logFolder = folder;
    settings.logName = "Quillory";
    settings.configFolder = folder;
    settings.dataFolder = "Data";
    settings.minimizeOnFocusLoss = true;
    settings.videoMode = "800x600x32";
    settings.centreWindow = true;
    try {
        OrrelayEngine::Engine engine(settings);
        engine.PreFrame();
        engine.Frame(0);
        ReportSince(startStamp);
    } catch (const OrrelayEngine::FatalError& error) {
        std::fprintf(stderr, "engine start failed: %s\n", error.GetMessage().c_str());
        return 1;
    }
    return 0;
}

int RunBareChild(const char* startStamp)
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init failed: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_Window* window = SDL_CreateWindow("Quillory 1.04", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth,
                                          kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
        std::fprintf(stderr, "no OpenGL window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SwapWindow(window);
    ReportSince(startStamp);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

// Spawns this program as a child of the given kind and reads the seconds it
// reports; a negative result when it failed.
double TimeChild(const std::string& self, const std::vector<std::string>& arguments)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1.0;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);

    std::vector<std::string> all = {self};
    all.insert(all.end(), arguments.begin(), arguments.end());
    all.push_back(std::to_string(NowNanoseconds()));
    std::vector<char*> argv;
    for (std::string& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[64];
    ssize_t got = 0;
    while (spawned == 0 && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        output.empty()) {
        return -1.0;
    }
    return std::atof(output.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == kEngineChild) {
        return RunEngineChild(argv[2], argv[3]);
    }
    if (argc == 3 && std::string(argv[1]) == kBareChild) {
        return RunBareChild(argv[2]);
    }

    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    std::string folder = (std::filesystem::temp_directory_path() / "quillory-start-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        std::fprintf(stderr, "no scratch folder\n");
        return 1;
    }
    BuildInstallation(folder);

    std::vector<double> engineTimes;
    std::vector<double> bareTimes;
    for (int start = 0; start < kStartsEach; ++start) {
        engineTimes.push_back(TimeChild(self, {kEngineChild, folder}));
        bareTimes.push_back(TimeChild(self, {kBareChild}));
        if (engineTimes.back() < 0.0 || bareTimes.back() < 0.0) {
            std::fprintf(stderr, "a start failed (is there a display, or SDL_VIDEODRIVER=offscreen?)\n");
            std::filesystem::remove_all(folder);
            return 1;
        }
    }
    std::filesystem::remove_all(folder);

    const double engineMedian = Bench::Median(engineTimes);
    const double bareMedian = Bench::Median(bareTimes);
    std::printf("engine start to first frame: %.1f ms, bare GL window to first present: %.1f ms, ratio %.2f\n",
                engineMedian * 1000.0, bareMedian * 1000.0, engineMedian / bareMedian);
    return 0;
}

// The program's outermost object for this game: its construction makes the
// game (maker "Quorvane Games", product "Quillory", default version 104),
// runs it until it ends and takes it down again, all inside the framework's
// guard. Afterwards it tells whether the game ended normally, so that the
// program's exit status can say so, and it opens the statistics page that the
// program shows on every way out. The engine's factory record it hands to the
// game lets a test run the real game over stand-in services; the program
// passes none. Main thread only.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/EngineFactories.h"
#include "framework/GameLoaderBase.h"

namespace Tansywell {

class GameLoader : public GameFramework::GameLoaderBase
{
public:
    static constexpr char kMakerName[] = "Quorvane Games";
    static constexpr char kProductName[] = "Quillory";
    static constexpr std::uint32_t kDefaultVersion = 104;
    static constexpr char kStatisticsHostValue[] = "StatsHost";
    static constexpr char kStatisticsPath[] = "/stats/quillory.html";

    // Returns only once the game has ended, whichever way it ended.
    GameLoader(void* instance, void* previousInstance, const std::string& commandLine, std::int32_t showCommand,
               const OrrelayEngine::EngineFactories& factories = OrrelayEngine::EngineFactories());
    ~GameLoader() override;

    void CreateGame() override;
    void Run() override;
    void DestroyGame() override;

    // False after a fatal error or any other exception.
    bool HasEndedNormally() const { return endedNormally_; }

    // The installer's statistics host followed by the page's path; empty when
    // the installer left no host.
    static std::string GetStatisticsAddress();
    // Opens the page in the user's browser when there is an address; a
    // failure to open it is ignored.
    static void OpenStatisticsPage();

    // The whole program: the loader, then the statistics page, which is opened
    // however the game ended, and even when the loader could not be made.
    // Returns 0 after a normal end, else 1.
    static int RunProgram(const std::string& commandLine,
                          const OrrelayEngine::EngineFactories& factories = OrrelayEngine::EngineFactories());

private:
    // Kept for CreateGame, which the base's guard calls.
    OrrelayEngine::EngineFactories factories_;
    // Set once the main loop has returned; the game's release must still succeed.
    bool runFinished_ = false;
    bool endedNormally_ = false;
};

} // namespace Tansywell

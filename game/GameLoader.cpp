#include "game/GameLoader.h"

#include <memory>

#include "game/Game.h"
#include "game/ProgramResources.h"
#include "platform/Shell.h"
#include "tools/RegistryReader.h"

namespace Tansywell {

namespace {

// The show command of a window shown normally.
const std::int32_t kShowNormal = 5;

} // namespace

GameLoader::GameLoader(void* instance, void* previousInstance, const std::string& commandLine, std::int32_t showCommand,
                       const OrrelayEngine::EngineFactories& factories)
    : GameLoaderBase(instance, previousInstance, commandLine, showCommand), factories_(factories)
{
    Execute();
}

GameLoader::~GameLoader() = default;

void GameLoader::CreateGame()
{
    SetGame(std::make_unique<Game>(kMakerName, kProductName, kDefaultVersion, factories_));
}

void GameLoader::Run()
{
    GameLoaderBase::Run();
    runFinished_ = true;
}

void GameLoader::DestroyGame()
{
    // On the error path the guard calls this a second time, after the flag is
    // taken: that call never counts as a normal end.
    const bool runFinished = runFinished_;
    runFinished_ = false;
    GameLoaderBase::DestroyGame();
    endedNormally_ = runFinished;
}

std::string GameLoader::GetStatisticsAddress()
{
    std::string host;
    const std::string key = std::string("SOFTWARE\\") + kMakerName + "\\" + kProductName;
    if (!GameTools::ReadRegistryStringAnyRoot(key, kStatisticsHostValue, host) || host.empty())
        return std::string();
    return host + kStatisticsPath;
}

void GameLoader::OpenStatisticsPage()
{
    const std::string address = GetStatisticsAddress();
    if (!address.empty())
        Platform::OpenWebAddress(address);
}

int GameLoader::RunProgram(const std::string& commandLine, const OrrelayEngine::EngineFactories& factories)
{
    bool endedNormally = false;
    ProgramResources::Register();
    try {
        std::unique_ptr<GameLoader> loader =
            std::make_unique<GameLoader>(nullptr, nullptr, commandLine, kShowNormal, factories);
        endedNormally = loader->HasEndedNormally();
    } catch (...) {
        // The loader could not be made; the page is still opened.
    }
    try {
        OpenStatisticsPage();
    } catch (...) {
    }
    return endedNormally ? 0 : 1;
}

} // namespace Tansywell

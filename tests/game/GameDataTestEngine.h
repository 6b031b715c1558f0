// The engine over the null graphics driver on the manual clock, with the
// game's shared assets loaded over an installation that holds only an empty
// background list: every model is a box, every particle system the default one.
#pragma once

#include <cstdint>
#include <string>

#include "framework/LanguageInfo.h"
#include "game/GameData.h"
#include "tests/tools/ToolsTestEngine.h"

namespace GameTests {

class GameDataTestEngine
{
public:
    // One frame at 60 frames a second, in microseconds.
    static constexpr std::uint64_t kSixtiethOfASecond = 16667;
    static constexpr char kBackgroundList[] = "data/ui/menus/background/background.ini";

    GameDataTestEngine() : engine(tools.engine), data(tools.engine, MakeLanguage())
    {
        Write(kBackgroundList, "0\n");
        data.Load();
        data.WaitForLoad();
    }

    void Frame(std::uint64_t microseconds = kSixtiethOfASecond) { tools.Frame(microseconds); }
    // A file of the installation, by its path below the installation folder.
    void Write(const std::string& relative, const std::string& contents)
    {
        tools.harness.folder.Write(relative, contents);
    }

    static GameFramework::LanguageInfo MakeLanguage()
    {
        GameFramework::LanguageInfo language;
        language.code = "en";
        language.name = "english";
        return language;
    }

    ToolsTests::ToolsTestEngine tools;
    OrrelayEngine::Engine* engine;
    Tansywell::GameData data;
};

} // namespace GameTests

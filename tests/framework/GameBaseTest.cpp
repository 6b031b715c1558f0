#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/core/FatalError.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "platform/AppWindow.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/StubGame.h"

namespace {

using FrameworkTests::StubGame;
using FrameworkTests::StubGameEnvironment;
using FrameworkTests::StubGameRun;

TEST(GameBase, VersionComesFromTheRegistryElseTheDefault)
{
    struct Case
    {
        const char* registry;
        std::uint32_t version;
    };
    const Case cases[] = {{"Version=105\n", 105}, {"Version=abc\n", 0}, {"", 104}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.registry);
        StubGameRun run;
        run.env.WriteRegistry(c.registry);
        StubGame game(run.log);
        EXPECT_EQ(c.version, game.GetVersion());
    }
}

TEST(GameBase, InstallFolderIsTheProgramsWhenItHoldsTheDataElseTheRegistrys)
{
    struct Case
    {
        const char* name;
        bool packBeside;
        bool installPath;
        bool expectProgramFolder;
    };
    const Case cases[] = {
        {"pack beside the program", true, true, true},
        {"registry's path", false, true, false},
        {"neither", false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StubGameRun run;
        if (c.packBeside)
            run.env.WriteData("data/PACK0.pak", "");
        run.env.WriteRegistry(c.installPath ? "InstallPath=/opt/quillory\n" : "");
        StubGame game(run.log);
        EXPECT_EQ(c.expectProgramFolder ? run.env.InstallFolder() : "/opt/quillory", game.GetInstallFolder());
        EXPECT_EQ(run.env.folder.Path() + "/userdata\\Quorvane Games\\Quillory", game.GetUserFolder());
    }
}

TEST(GameBase, InitReadsTheFontListAndTextsAndShowsOnlyTheLogos)
{
    StubGameRun run;
    run.env.WriteData("data/ui/fonts/en.ini",
                      StubGameEnvironment::FontList("ui\\fonts\\main.fnt ui\\fonts\\main.tga 32bit 12.5 4 1.5 1 0\n"
                                                    "ui\\fonts\\main.fnt ui\\fonts\\main.tga 32bit 20 6 2 0 1\n",
                                                    2, 7));
    run.env.WriteData("data/audio/menu/click.wav", "");
    StubGame& game = run.Start();

    EXPECT_EQ(2u, game.GetFontCount());
    EXPECT_EQ(7u, game.GetConsoleFontId());
    OrrelayEngine::GUIFontManager* fonts = game.GetEngine()->GetGUIManager()->GetFontManager();
    const OrrelayEngine::GUIFont* first = fonts->FindFont(0);
    const OrrelayEngine::GUIFont* second = fonts->FindFont(1);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_FLOAT_EQ(12.5f, first->GetSize());
    EXPECT_FLOAT_EQ(4.0f, first->GetSpaceAdvance());
    EXPECT_FLOAT_EQ(1.5f, first->GetSpacing());
    EXPECT_FALSE(first->IsMonospace());
    EXPECT_EQ(2u, first->GetGlyphTableSize()) << "lower-case glyphs added";
    EXPECT_FLOAT_EQ(20.0f, second->GetSize());
    EXPECT_TRUE(second->IsMonospace());
    EXPECT_EQ(1u, second->GetGlyphTableSize());

    EXPECT_EQ("Quillory \xc3\xa9t\xc3\xa9", game.GetEngine()->GetWindow()->GetAppWindow()->GetTitle());
    EXPECT_EQ("audio\\menu\\click.wav", game.FindSoundFile("menu", "click"));
    EXPECT_EQ("audio\\menu\\swap.ogg", game.FindSoundFile("menu", "swap"));

    EXPECT_EQ(std::vector<std::string>{"logos show"}, run.log.Lines());
    EXPECT_NE(nullptr, game.loading);
    const void* later[] = {game.levelLoading,  game.welcome,       game.exit,          game.mainMenu,
                           game.profiles,      game.newProfile,    game.renameProfile, game.deleteProfile,
                           game.nameConflict,  game.startGame,     game.continueGame,  game.highScores,
                           game.options,       game.help,          game.inGame,        game.pause,
                           game.gameMenu,      game.menuExit,      game.restart,       game.gameExit,
                           game.levelComplete, game.stageComplete, game.gameComplete,  game.gameOver};
    EXPECT_EQ(24u, std::count(std::begin(later), std::end(later), nullptr));
}

TEST(GameBase, AFontListWithoutFontsKeepsTheConsoleFontId)
{
    StubGameRun run;
    run.env.WriteData("data/ui/fonts/en.ini", StubGameEnvironment::FontList("", 0, 5));
    StubGame& game = run.Start();
    EXPECT_EQ(0u, game.GetFontCount());
    EXPECT_EQ(5u, game.GetConsoleFontId());
    EXPECT_EQ(nullptr, game.GetEngine()->GetGUIManager()->GetFontManager()->FindFont(0));
}

TEST(GameBase, MissingFontsOrTextsEndTheGameWithTheFileError)
{
    struct Case
    {
        const char* removed;
        const char* named;
    };
    const Case cases[] = {
        {"data/ui/fonts/en.ini", "en.ini"},
        {"data/ui/fonts/main.fnt", "main.fnt"},
        {"data/ui/texts/en/common.ini", "common.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.removed);
        StubGameRun run;
        run.env.RemoveData(c.removed);
        try {
            run.Start();
            ADD_FAILURE() << "Init went on";
        } catch (const OrrelayEngine::FatalError& error) {
            EXPECT_NE(std::string::npos, error.GetMessage().find(c.named)) << error.GetMessage();
        }
        run.game.reset();
    }
}

TEST(GameBase, ReleasesLevelScreensServicesAndTheEngineInOrder)
{
    StubGameRun run;
    std::filesystem::create_directories(run.env.NativeUserFolder());
    run.Boot(true);
    run.game->startGame->Show(2);
    run.PlayLevel();
    run.Answer(run.game->restart, GameFramework::GameBase::kResultPlayOn);
    run.PlayLevel();
    run.log.Clear();
    run.game.reset();

    std::vector<std::string> released;
    for (const std::string& line : run.log.Lines())
        if (line[0] == '~')
            released.push_back(line);
    const std::vector<std::string> expected = {
        "~logic",          "~level_complete", "~stage_complete", "~game_complete",   "~game_over",
        "~game_exit",      "~restart",        "~menu_exit",      "~game_menu",       "~pause",
        "~in_game",        "~help",           "~options",        "~high_scores",     "~continue",
        "~start_game",     "~name_conflict",  "~profiles",       "~new_profile",     "~rename_profile",
        "~delete_profile", "~main_menu",      "~exit",           "~welcome",         "~level_loading",
        "~loading",        "~logos",          "~cursor",         "~profile_manager", "~level_manager",
        "~game_data",      "~level_data00_2", "~level_data00_1"};
    EXPECT_EQ(expected, released);

    const std::string htmlLog =
        FrameworkTests::FrameworkEnvironment::ReadAll(run.env.NativeUserFolder() + "/Quillory.html");
    EXPECT_NE(std::string::npos, htmlLog.find("Log end: ")) << "the engine, and its log, go last";
}

} // namespace

#include <gtest/gtest.h>

#include <functional>

#include "engine/core/Engine.h"
#include "platform/Clock.h"
#include "tests/framework/StubGame.h"

namespace {

using FrameworkTests::StubGame;
using FrameworkTests::StubGameRun;
using GameFramework::GameBase;
using GameFramework::GameLogicBase;
using GameFramework::LevelPosition;
using GameFramework::ProfileBase;
using Lines = std::vector<std::string>;

TEST(GameBaseFlow, AfterTheGlobalLoadTheProfilesChooseTheFirstScreen)
{
    for (bool withProfile : {false, true}) {
        SCOPED_TRACE(withProfile);
        StubGameRun run;
        StubGame& game = run.Start();
        if (withProfile)
            run.AddProfile(L"Ann");
        game.logos->Answer(GameBase::kResultDone);
        run.Frames(3);
        EXPECT_EQ((Lines{"logos show", "logos hide", "loading show game_data", "load game_data", "loading hide",
                         withProfile ? "main_menu show" : "welcome show", "cursor visible"}),
                  run.log.Lines());
    }
}

TEST(GameBaseFlow, MenuCodesLeadToTheirScreens)
{
    struct Case
    {
        const char* name;
        std::function<void(StubGameRun&)> arrange;
        std::function<Lines(StubGameRun&)> answer;
        Lines expected;
        std::function<void(StubGameRun&)> check;
    };
    auto noArrange = [](StubGameRun&) {};
    auto noCheck = [](StubGameRun&) {};
    auto current = [](StubGameRun& run) { return run.game->profileManager_->GetCurrentProfile(); };
    const Case cases[] = {
        {"play with no game under way",
         noArrange,
         [](StubGameRun& run) { return run.Answer(run.game->mainMenu, GameBase::kResultPlay); },
         {"main_menu hide", "start_game show 2"},
         noCheck},
        {"play with a game under way",
         [&](StubGameRun& run) { current(run)->SetGameUnderWay(true); },
         [](StubGameRun& run) { return run.Answer(run.game->mainMenu, GameBase::kResultPlay); },
         {"main_menu hide", "continue show"},
         noCheck},
        {"play after the last profile was deleted",
         [](StubGameRun& run) { run.game->profileManager_->DeleteProfile(L"Ann"); },
         [](StubGameRun& run) { return run.Answer(run.game->mainMenu, GameBase::kResultPlay); },
         {"main_menu hide", "welcome show"},
         noCheck},
        {"high scores from the main menu",
         noArrange,
         [](StubGameRun& run) { return run.Answer(run.game->mainMenu, GameBase::kResultToHighScores); },
         {"main_menu hide", "high_scores show 2 none"},
         noCheck},
        {"a new game in place of the one under way",
         [&](StubGameRun& run) { current(run)->SetGameUnderWay(true); },
         [](StubGameRun& run) { return run.Answer(run.game->continueGame, GameBase::kResultPlayOn); },
         {"continue hide", "start_game show 7"},
         [&](StubGameRun& run) { EXPECT_FALSE(current(run)->IsGameUnderWay()); }},
        {"the exit question confirmed",
         noArrange,
         [](StubGameRun& run) { return run.Answer(run.game->exit, GameBase::kResultQuit); },
         {},
         [](StubGameRun& run) { EXPECT_TRUE(run.game->IsExitRequested()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StubGameRun run;
        run.Boot(true);
        c.arrange(run);
        EXPECT_EQ(c.expected, c.answer(run));
        c.check(run);
    }
}

TEST(GameBaseFlow, ACodeSetInAnUpdateIsHandledOnceInTheNextFrame)
{
    StubGameRun run;
    run.Boot(true);
    run.game->mainMenu->Answer(GameBase::kResultToOptions);
    run.Frames(1);
    EXPECT_EQ(Lines{}, run.log.Lines());
    run.Frames(1);
    EXPECT_EQ((Lines{"main_menu hide", "options show"}), run.log.Lines());
    run.Frames(2);
    EXPECT_EQ((Lines{"main_menu hide", "options show"}), run.log.Lines());
}

TEST(GameBaseFlow, LevelResourceSetsLiveUntilTheLevelAfterTheNextStarts)
{
    StubGameRun run;
    run.Boot(true);
    run.game->startGame->Show(GameBase::kStartFromMainMenu);
    run.log.Clear();
    run.game->startGame->Answer(GameBase::kResultPlay);
    run.Frames(3);
    EXPECT_EQ((Lines{"start_game hide", "level_loading show level_data00_1", "load level_data00_1 level00.xml",
                     "level_loading hide", "cursor visible", "in_game show level"}),
              run.log.Lines());
    ASSERT_NE(nullptr, run.game->GetGameLogic());

    for (const char* released : {"", "~level_data00_1"}) {
        SCOPED_TRACE(released);
        EXPECT_EQ((Lines{"restart hide", "in_game hide", "~logic", "start_game show 6"}),
                  run.Answer(run.game->restart, GameBase::kResultPlayOn));
        const Lines start = run.Answer(run.game->startGame, GameBase::kResultPlay);
        ASSERT_FALSE(start.empty());
        EXPECT_EQ(*released != '\0', start.front() == released);
        run.Frames(1);
    }
}

TEST(GameBaseFlow, TheEndOfALevelMovesIntoTheProfileAndTheNextScreens)
{
    struct Step
    {
        std::function<Lines(StubGameRun&)> answer;
        Lines expected;
    };
    struct Case
    {
        const char* name;
        LevelPosition position;
        std::uint32_t totalScore;
        std::uint32_t levelScore;
        std::uint32_t state;
        Lines endFrame;
        std::vector<Step> then;
        std::function<void(const ProfileBase&)> check;
    };
    const Case cases[] = {
        {"a middle win",
         {0, 0},
         0,
         150,
         GameLogicBase::kStateWon,
         {"in_game inactive", "level_complete show 0,0 2.5"},
         {},
         [](const ProfileBase& profile) {
             EXPECT_EQ((LevelPosition{0, 1}), profile.GetCurrentPosition());
             EXPECT_TRUE(profile.IsGameUnderWay());
             EXPECT_EQ(150u, profile.GetTotalScore());
             EXPECT_FALSE(profile.GetFurthestPositionFlag());
             ASSERT_EQ(1u, profile.GetLevelResults().size());
             EXPECT_FLOAT_EQ(2.5f, profile.GetLevelResults()[0]->timeSeconds);
         }},
        {"the last win of the last stage",
         {1, 1},
         0,
         0,
         GameLogicBase::kStateWon,
         {"in_game inactive", "level_complete show 1,1 2.5"},
         {{[](StubGameRun& run) { return run.Answer(run.game->levelComplete, GameBase::kResultStageComplete); },
           {"level_complete hide", "stage_complete show 1,1"}},
          {[](StubGameRun& run) { return run.Answer(run.game->stageComplete, GameBase::kResultGameComplete); },
           {"stage_complete hide", "in_game hide", "~logic", "game_complete show"}}},
         [](const ProfileBase& profile) {
             EXPECT_EQ((LevelPosition{1, 1}), profile.GetCurrentPosition());
             EXPECT_EQ((LevelPosition{1, 1}), profile.GetFurthestPosition());
             EXPECT_TRUE(profile.GetFurthestPositionFlag());
             EXPECT_FALSE(profile.IsGameUnderWay());
         }},
        {"game over without a score",
         {0, 1},
         0,
         0,
         GameLogicBase::kStateLost,
         {"in_game inactive", "game_over show"},
         {{[](StubGameRun& run) { return run.Answer(run.game->gameOver, GameBase::kResultDone); },
           {"game_over hide", "main_menu show", "in_game hide", "~logic"}}},
         [](const ProfileBase& profile) { EXPECT_FALSE(profile.IsGameUnderWay()); }},
        {"game over with a score",
         {0, 1},
         500,
         120,
         GameLogicBase::kStateLost,
         {"in_game inactive", "game_over show"},
         {{[](StubGameRun& run) { return run.Answer(run.game->gameOver, GameBase::kResultDone); },
           {"game_over hide", "high_scores show 11 entry 620", "in_game hide", "~logic"}}},
         [](const ProfileBase&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StubGameRun run;
        run.Boot(true);
        ProfileBase& profile = *run.game->profileManager_->GetCurrentProfile();
        profile.SetCurrentPosition(c.position);
        profile.SetTotalScore(c.totalScore);
        profile.SetGameUnderWay(true);
        run.game->startGame->Show(GameBase::kStartFromMainMenu);
        run.PlayLevel();
        GameLogicBase& level = *run.game->GetGameLogic();
        level.SetScore(c.levelScore);
        Platform::AdvanceManualClock(2500000);
        level.SetState(c.state);
        EXPECT_EQ(c.endFrame, run.Answer(run.game->mainMenu, GameBase::kResultNone));
        for (const Step& step : c.then)
            EXPECT_EQ(step.expected, step.answer(run));
        c.check(profile);
    }
}

} // namespace

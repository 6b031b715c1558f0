#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/HighScoresTable.h"
#include "framework/Mixer.h"
#include "game/LevelManager.h"
#include "game/gui/GUIContinueGameLogicWindow.h"
#include "game/gui/GUIGameCompleteWindow.h"
#include "game/gui/GUIGameLogicGameExitWindow.h"
#include "game/gui/GUIGameLogicLoadingWindow.h"
#include "game/gui/GUIGameLogicMenuExitWindow.h"
#include "game/gui/GUIGameLogicMenuWindow.h"
#include "game/gui/GUIGameLogicPauseWindow.h"
#include "game/gui/GUIGameLogicProgress.h"
#include "game/gui/GUIGameLogicQuestion.h"
#include "game/gui/GUIGameLogicRestartWindow.h"
#include "game/gui/GUIGameOverWindow.h"
#include "game/gui/GUIHighScoresWindow.h"
#include "game/gui/GUILevelCompleteWindow.h"
#include "game/gui/GUIStageCompleteWindow.h"
#include "game/gui/GUIUpgradeWindow.h"
#include "tests/game/gui/HudHarness.h"

namespace {

using namespace Tansywell;
using HudTests::HudHarness;
using OrrelayEngine::Vector2;

// Names a screen type for a case that builds the screen itself.
template <typename T>
struct Tag
{
    using type = T;
};

// The menu background ready behind the screens, a campaign of one stage whose
// levels weigh 2, 3 and 5, and a high-score table.
class ScreensTest : public ::testing::Test
{
public:
    ScreensTest()
    {
        h.WriteText("data/levels/stages_info.ini", "1\n");
        h.WriteText("data/levels/stage0.ini", "3\na 3 hills 1\nb 3 hills 1\nc 3 hills 1\n");
        h.WriteText("data/boards/a.ini", "2\n");
        h.WriteText("data/boards/b.ini", "3\n");
        h.WriteText("data/boards/c.ini", "5\n");
        levels = std::make_unique<LevelManager>(h.t.engine);
        profile = h.SetReached(0, 0);
        h.StartBackground();
        h.RunIntroduction();
        parent = h.background->GetMenuParent();
    }

    // Steps until the screen's frame is open and faded in.
    template <typename Screen>
    void Open(Screen& screen, std::function<void()> show)
    {
        h.screens = [&screen] { screen.Update(); };
        show();
        ASSERT_TRUE(h.StepUntil([&screen] { return screen.IsActive(); }));
        // Past the opening and the fade-in.
        h.Steps(40);
    }

    // A level starts: the background fades out, its title area closed.
    void Suspend()
    {
        h.background->Suspend();
        h.Steps(2);
    }

    // Hides the screen and waits until it has closed.
    template <typename Screen>
    void Close(Screen& screen)
    {
        screen.Hide();
        h.StepUntil([this] { return h.manager->free && h.manager->IsTitleAreaClosed(); });
    }

    // Steps until the screen answers; 0 when it does not within the limit.
    template <typename Screen>
    std::uint32_t AnswerOf(Screen& screen, int limit = 1500)
    {
        h.StepUntil([&screen] { return screen.GetResult() != 0; }, limit);
        return screen.GetResult();
    }

    OrrelayEngine::Engine* Engine() { return h.t.engine; }
    const GameData* Data() { return &h.t.data; }

    HudHarness h;
    std::unique_ptr<LevelManager> levels;
    Profile* profile = nullptr;
    OrrelayEngine::GUIWindow* parent = nullptr;
    GameFramework::HighScoresTable table{h.t.engine, 10, h.t.tools.harness.settings.logFolder};
};

TEST_F(ScreensTest, EveryButtonAnswersItsCode)
{
    const GameData& data = h.t.data;
    const Vector2 small0 = HudHarness::Centre(data.smallWindow.button[0]);
    const Vector2 small1 = HudHarness::Centre(data.smallWindow.button[1]);
    const Vector2 big[3] = {HudHarness::Centre(data.bigWindow.button[0]), HudHarness::Centre(data.bigWindow.button[1]),
                            HudHarness::Centre(data.bigWindow.button[2])};
    struct Case
    {
        const char* what;
        std::function<std::uint32_t(ScreensTest&)> run;
        std::uint32_t expected;
    };
    // Each case opens a new screen, clicks one button and waits for the answer.
    const auto click = [](auto& test, auto& screen, auto show, Vector2 point, bool overLevel = true) {
        if (overLevel)
            test.Suspend();
        test.Open(screen, show);
        test.h.ClickAt(point);
        const std::uint32_t answer = test.AnswerOf(screen);
        test.Close(screen);
        return answer;
    };
    // Each case builds its screen with make(test) and opens it with show(screen).
    const auto build = [&click](auto make, auto show, Vector2 point, bool overLevel = true) {
        return [&click, make, show, point, overLevel](ScreensTest& t) {
            const auto s = make(t);
            return click(
                t, *s, [&] { show(*s); }, point, overLevel);
        };
    };
    const auto plain = [](auto& s) { s.Show(); };
    // The pause window, the in-game questions and the end screens share one constructor.
    const auto question = [&build, &plain](auto tag, Vector2 point, bool overLevel = true) {
        using Screen = typename decltype(tag)::type;
        const auto make = [](ScreensTest& t) {
            return std::make_unique<Screen>(t.Engine(), &t.h.mixer, t.Data(), t.h.manager.get(), t.parent);
        };
        return build(make, plain, point, overLevel);
    };
    const auto menu = [](ScreensTest& t) {
        return std::make_unique<GUIGameLogicMenuWindow>(t.Engine(), &t.h.mixer, t.h.profiles.get(), t.Data(),
                                                        t.h.manager.get(), t.parent);
    };
    const auto levelComplete = [](ScreensTest& t) {
        return std::make_unique<GUILevelCompleteWindow>(t.Engine(), t.Data(), &t.h.mixer, t.levels.get(),
                                                        t.h.profiles.get(), t.h.manager.get(), t.parent);
    };
    const auto highScores = [](ScreensTest& t) {
        return std::make_unique<GUIHighScoresWindow>(t.Engine(), t.h.profiles.get(), &t.h.mixer, &t.table, t.Data(),
                                                     t.h.manager.get(), t.parent);
    };
    const auto continueGame = [](ScreensTest& t) {
        return std::make_unique<GUIContinueGameLogicWindow>(t.Engine(), &t.h.mixer, t.Data(), t.h.profiles.get(),
                                                            t.h.manager.get(), t.parent);
    };
    const Case cases[] = {
        {"pause: resume", question(Tag<GUIGameLogicPauseWindow>{}, small0), 19},
        {"menu: exit", build(menu, plain, big[0]), 18},
        {"menu: return", build(menu, plain, big[1]), 19},
        {"restart: yes", question(Tag<GUIGameLogicRestartWindow>{}, small1), 13},
        {"restart: no", question(Tag<GUIGameLogicRestartWindow>{}, small0), 16},
        {"quit to menu: yes", question(Tag<GUIGameLogicMenuExitWindow>{}, small1), 3},
        {"quit to menu: no", question(Tag<GUIGameLogicMenuExitWindow>{}, small0), 16},
        {"quit game: yes", question(Tag<GUIGameLogicGameExitWindow>{}, small1), 22},
        {"quit game: no", question(Tag<GUIGameLogicGameExitWindow>{}, small0), 19},
        {"level complete: continue",
         build(
             levelComplete,
             [](auto& s) {
                 s.Show({0, 0}, 1.0f);
             },
             big[0]),
         13},
        {"level complete: upgrade",
         build(
             levelComplete,
             [](auto& s) {
                 s.Show({0, 2}, 1.0f);
             },
             big[0]),
         24},
        {"game over: continue", question(Tag<GUIGameOverWindow>{}, small0), 1},
        {"game complete: continue", question(Tag<GUIGameCompleteWindow>{}, big[0], false), 1},
        {"high scores: back",
         build(
             highScores, [](auto& s) { s.Show(2, nullptr); }, big[0], false),
         3},
        {"continue: continue", build(continueGame, plain, big[2], false), 14},
        {"continue: new game", build(continueGame, plain, big[1], false), 13},
        {"continue: cancel", build(continueGame, plain, big[0], false), 3},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(test.expected, test.run(*this));
        h.screens = nullptr;
    }
}

TEST_F(ScreensTest, RestartYesWaitsForTheBackgroundAndASecondHideClosesNothing)
{
    GUIGameLogicRestartWindow restart(Engine(), &h.mixer, Data(), h.manager.get(), parent);
    Suspend();
    Open(restart, [&restart] { restart.Show(); });
    const int closings = h.Plays(5);
    h.ClickAt(HudHarness::Centre(h.t.data.smallWindow.button[1]));
    EXPECT_TRUE(restart.IsLeaving());
    EXPECT_EQ(0u, restart.GetResult());
    EXPECT_FALSE(h.manager->IsTransitionDone()) << "the background is coming in";
    EXPECT_EQ(13u, AnswerOf(restart));
    EXPECT_TRUE(h.manager->IsTransitionDone());

    restart.Hide();
    restart.Hide();
    h.Steps(20);
    EXPECT_EQ(closings + 1, h.Plays(5)) << "the frame closed once";
    restart.Show();
    EXPECT_FALSE(restart.IsLeaving()) << "Show starts afresh";
}

TEST_F(ScreensTest, InGameMenuTakesVolumesRoundedAndIgnoresTinyMoves)
{
    GUIGameLogicMenuWindow menu(Engine(), &h.mixer, h.profiles.get(), Data(), h.manager.get(), parent);
    Suspend();
    h.mixer.SetSoundVolume(0.4567f);
    h.mixer.SetMusicVolume(0.1234f);
    Open(menu, [&menu] { menu.Show(); });
    EXPECT_EQ(457u, menu.GetSoundSlider()->scroll->GetPositionIndex());
    EXPECT_EQ(123u, menu.GetMusicSlider()->scroll->GetPositionIndex());
    EXPECT_FLOAT_EQ(0.4567f, h.mixer.GetSoundVolume()) << "a move of 0.0003 changes nothing";
    menu.GetSoundSlider()->scroll->SetPosition(600u);
    h.Step();
    EXPECT_FLOAT_EQ(0.6f, h.mixer.GetSoundVolume());

    // The slider's sound plays only while its knob is held.
    h.mixer.AddSound(0, "sound0", true, 1);
    OrrelayEngine::GUIButton* knob = menu.GetSoundSlider()->scroll->GetKnob();
    Vector2 onKnob(-1, -1);
    for (float x = 0; x < 800 && onKnob.x < 0; x += 1) {
        for (float y = 0; y < 600 && onKnob.x < 0; y += 2) {
            knob->Update(Vector2(x, y), false, false);
            if (knob->IsMouseOver())
                onKnob = Vector2(x, y);
        }
    }
    ASSERT_GE(onKnob.x, 0.0f);
    EXPECT_EQ(0, h.Plays(0));
    HudHarness::PointAt(onKnob.x, onKnob.y);
    ToolsTests::ToolsTestEngine::MouseButton(true);
    h.Steps(3);
    const int held = h.Plays(0);
    EXPECT_GT(held, 0);
    ToolsTests::ToolsTestEngine::MouseButton(false);
    h.Steps(3);
    EXPECT_EQ(held, h.Plays(0));
}

TEST_F(ScreensTest, LevelCompleteCountsManaAndTheBonusOnceAndSavesIt)
{
    profile->SetTotalScore(1000);
    struct Case
    {
        std::uint32_t level;
        float startValue;
        float speed;
        const wchar_t* finalLine;
        std::uint32_t answer;
    };
    // The stage weighs 2 + 3 + 5 = 10.
    const Case cases[] = {
        {0, 0.0f, 0.09f, L"UNKNOWN (20 / 100)", 13},
        {1, 0.2f, 0.135f, L"UNKNOWN (50 / 100)", 13},
        {2, 0.5f, 0.225f, L"UNKNOWN (100 / 100)", 24},
    };
    std::uint32_t expectedScore = 1000;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.level);
        GUILevelCompleteWindow screen(Engine(), Data(), &h.mixer, levels.get(), h.profiles.get(), h.manager.get(),
                                      parent);
        LevelBonusRecord record;
        screen.SetLevelBonusRecord(&record);
        screen.SetLevelBonus(1000, false);
        Suspend();
        screen.Show({0, test.level}, 1.0f);
        EXPECT_FLOAT_EQ(test.startValue, screen.GetManaBar()->GetValue());
        EXPECT_FLOAT_EQ(test.speed, screen.GetManaBar()->GetSpeed());
        h.screens = [&screen, &record] {
            screen.Update();
            // What the head-up display does once the count starts.
            if (record.energyCounting && record.storedEnergy < 0.0001f)
                record.storedEnergy = 0.25f;
        };
        ASSERT_TRUE(h.StepUntil([&screen] { return screen.GetBonus() == 250u; }, 3000));
        EXPECT_TRUE(record.manaTaken);
        EXPECT_EQ(test.finalLine, screen.GetManaLine());
        expectedScore += 250;
        EXPECT_EQ(expectedScore, profile->GetTotalScore());
        h.Steps(30);
        EXPECT_EQ(expectedScore, profile->GetTotalScore()) << "the bonus is added once";

        h.ClickAt(HudHarness::Centre(h.t.data.bigWindow.button[0]));
        EXPECT_EQ(test.answer, AnswerOf(screen));
        EXPECT_FALSE(record.manaTaken);
        EXPECT_FALSE(record.energyCounting);
        Profile saved(Engine(), profile->GetFileName(), h.t.tools.harness.settings.logFolder);
        EXPECT_EQ(expectedScore, saved.GetTotalScore()) << "saved with the answer";
        Close(screen);
        h.screens = nullptr;
    }
}

TEST_F(ScreensTest, LevelCompleteOfAStageWorthNothingShowsAFullBar)
{
    h.WriteText("data/boards/a.ini", "0\n");
    h.WriteText("data/boards/b.ini", "0\n");
    h.WriteText("data/boards/c.ini", "0\n");
    LevelManager empty(Engine());
    GUILevelCompleteWindow screen(Engine(), Data(), &h.mixer, &empty, h.profiles.get(), h.manager.get(), parent);
    screen.SetLevelBonus(1000, true);
    Suspend();
    Open(screen, [&screen] { screen.Show({0, 1}, 1.0f); });
    h.Steps(60);
    EXPECT_FLOAT_EQ(1.0f, screen.GetManaBar()->GetValue());
    EXPECT_EQ(L"UNKNOWN (0 / 0)", screen.GetManaLine());
    EXPECT_EQ(0u, screen.GetBonus()) << "no bonus in relax mode";
}

TEST_F(ScreensTest, TwoGameOversInOneRunAreBothShown)
{
    GUIGameOverWindow over(Engine(), &h.mixer, Data(), h.manager.get(), parent);
    int answers = 0;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        Suspend();
        answers = 0;
        over.Show();
        EXPECT_FALSE(over.IsLeaving()) << "the first game over's leaving is over";
        h.screens = [&over, &answers] {
            over.Update();
            answers += over.GetResult() != 0 ? 1 : 0;
        };
        h.Steps(60);
        EXPECT_EQ(0, answers) << "no answer before the button";
        h.ClickAt(HudHarness::Centre(h.t.data.smallWindow.button[0]));
        EXPECT_EQ(1u, AnswerOf(over));
        // The game clears the answer after taking it; the hidden screen, still
        // updated, must not give it again (each answer is a high-score entry).
        over.SetResult(0);
        answers = 0;
        Close(over);
        h.Steps(30);
        EXPECT_EQ(0, answers) << "answered once";
    }
}

TEST_F(ScreensTest, StageCompleteAnswersOnceByTheLastLevel)
{
    GUIStageCompleteWindow stage(Engine(), levels.get());
    stage.Update();
    EXPECT_EQ(0u, stage.GetResult());
    for (std::uint32_t level : {1u, 2u}) {
        stage.Show({0, level});
        stage.Update();
        EXPECT_EQ(level == 2 ? 21u : 13u, stage.GetResult());
        stage.Update();
        EXPECT_EQ(0u, stage.GetResult()) << "once";
    }
}

TEST_F(ScreensTest, GameCompletePrintsOnlyTheLinesItHasPageByPage)
{
    OrrelayEngine::GUITextManager* texts = Engine()->GetGUIManager()->GetTextManager();
    GUIGameCompleteWindow screen(Engine(), &h.mixer, Data(), h.manager.get(), parent);
    texts->SetText("GAME_COMPLETE_TEXT_SIZE", L"500");
    screen.Show();
    EXPECT_EQ(120u, screen.GetLineCount());
    EXPECT_EQ(10u, screen.GetPageCount());
    screen.Hide();
    h.StepUntil([this] { return h.manager->free; });

    texts->SetText("GAME_COMPLETE_TEXT_SIZE", L"14");
    Open(screen, [&screen] { screen.Show(); });
    EXPECT_EQ(2u, screen.GetPageCount());
    EXPECT_EQ(12u, screen.GetPrintedLines());
    h.ClickAt(HudHarness::Centre(h.t.data.bigWindow.button[0]));
    EXPECT_EQ(0u, screen.GetResult()) << "the first page turns";
    h.Steps(60);
    EXPECT_EQ(1u, screen.GetPage());
    EXPECT_EQ(2u, screen.GetPrintedLines());
    EXPECT_FLOAT_EQ(1.0f, screen.GetPageAlpha());
    h.ClickAt(HudHarness::Centre(h.t.data.bigWindow.button[0]));
    EXPECT_EQ(1u, screen.GetResult());
}

TEST_F(ScreensTest, HighScoresShowTheTableAndOfferRelaxOnce)
{
    GUIHighScoresWindow scores(Engine(), h.profiles.get(), &h.mixer, &table, Data(), h.manager.get(), parent);
    Open(scores, [&scores] { scores.Show(2, nullptr); });
    EXPECT_EQ(0u, scores.GetPrintedEntries());
    EXPECT_EQ("BACK", scores.GetButtonCaptionKey());
    Close(scores);

    table.Insert(L"Ann", 0, 500);
    table.Insert(L"Bob", 0, 300);
    profile->SetFlag(Profile::kFlagRelaxOfferPending, true);
    for (std::uint32_t expected : {26u, 3u}) {
        SCOPED_TRACE(expected);
        Open(scores, [this, &scores] { scores.Show(11, table.GetEntry(0, 1)); });
        EXPECT_EQ(2u, scores.GetPrintedEntries());
        EXPECT_EQ("OK", scores.GetButtonCaptionKey());
        h.ClickAt(HudHarness::Centre(h.t.data.bigWindow.button[0]));
        EXPECT_EQ(expected, scores.GetResult());
        Close(scores);
    }
    Profile saved(Engine(), profile->GetFileName(), h.t.tools.harness.settings.logFolder);
    EXPECT_FALSE(saved.GetFlag(Profile::kFlagRelaxOfferPending));
}

TEST_F(ScreensTest, UpgradeNoticeFadesInLateIgnoresEarlyKeysAndAnswersByKind)
{
    constexpr std::uint16_t kKeySpace = 0x39;
    GUIUpgradeWindow notice(Engine(), nullptr, h.manager.get(), parent);
    h.screens = [&notice] { notice.Update(); };
    for (std::uint32_t kind : {8u, 2u}) {
        SCOPED_TRACE(kind);
        if (kind == 8)
            h.manager->ShowUpgradeScene();
        notice.Activate(kind);
        ASSERT_TRUE(h.StepUntil([&notice] { return notice.GetNoticeWindow()->IsVisible(); }));
        h.Key(kKeySpace);
        EXPECT_TRUE(notice.IsActive()) << "a key in the first second is ignored";
        while (notice.GetTimer() < 2.5f)
            h.Step(10000);
        EXPECT_NEAR(0.0f, notice.GetAlpha(), 0.011f) << "invisible until 2.5 s";
        while (notice.GetTimer() < 3.5f)
            h.Step(10000);
        EXPECT_FLOAT_EQ(1.0f, notice.GetAlpha()) << "full at 3.5 s";

        h.Key(kKeySpace);
        EXPECT_FALSE(notice.IsActive());
        h.Step(100000);
        EXPECT_GT(notice.GetAlpha(), 0.8f) << "fading out from full strength";
        EXPECT_EQ(kind == 8 ? 20u : 3u, AnswerOf(notice));
        notice.Deactivate();
    }
}

TEST_F(ScreensTest, LevelLoadingPrintsLoadingThenLoadsAndAnswers)
{
    GUIGameLogicLoadingWindow loading(Engine(), h.manager.get());
    h.screens = [&loading] { loading.Update(); };
    loading.Show(nullptr);
    h.Step();
    EXPECT_TRUE(loading.IsTextAsked()) << "the menus are free";
    EXPECT_EQ(1u, AnswerOf(loading));
    h.Step();
    EXPECT_EQ(0u, loading.GetResult()) << "once";
}

TEST_F(ScreensTest, ContinueShowsTheGameUnderWay)
{
    profile->SetCurrentPosition({0, 2});
    profile->SetTotalScore(4321);
    GUIContinueGameLogicWindow screen(Engine(), &h.mixer, Data(), h.profiles.get(), h.manager.get(), parent);
    screen.Show();
    EXPECT_EQ(4321u, screen.GetScore());
    EXPECT_EQ(2u, screen.GetPosition().level);
}

} // namespace

// Every menu, head-up display and result screen of the game as a player sees
// it: the whole game over the built data set on OpenGL (the offscreen video
// driver), driven by the manual clock, shows each screen as its flow does,
// steps until it is open and still, writes its picture to
// <build>/screenshots/<screen>_<width>x<height>.png and holds its layout to
// the facts of ScreenLayoutFacts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "content/HudLayout.h"
#include "content/PngWriter.h"
#include "content/TitleArt.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "engine/scene/AnimationControl.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/gui/GUIContinueGameLogicWindowBase.h"
#include "framework/gui/GUIDeleteProfileWindowBase.h"
#include "framework/gui/GUIExitWindowBase.h"
#include "framework/gui/GUIGameCompleteWindowBase.h"
#include "framework/gui/GUIGameLogicGameExitWindowBase.h"
#include "framework/gui/GUIGameLogicMenuExitWindowBase.h"
#include "framework/gui/GUIGameLogicMenuWindowBase.h"
#include "framework/gui/GUIGameLogicPauseWindowBase.h"
#include "framework/gui/GUIGameLogicRestartWindowBase.h"
#include "framework/gui/GUIGameOverWindowBase.h"
#include "framework/gui/GUIHelpWindowBase.h"
#include "framework/gui/GUIHighScoresWindowBase.h"
#include "framework/gui/GUILevelCompleteWindowBase.h"
#include "framework/gui/GUILoadingWindowBase.h"
#include "framework/gui/GUIMainMenuWindowBase.h"
#include "framework/gui/GUINewProfileWindowBase.h"
#include "framework/gui/GUIOptionsWindowBase.h"
#include "framework/gui/GUIProfileNameConflictWindowBase.h"
#include "framework/gui/GUIProfilesWindowBase.h"
#include "framework/gui/GUIRenameProfileWindowBase.h"
#include "framework/gui/GUIStartGameLogicWindowBase.h"
#include "framework/gui/GUIWelcomeWindowBase.h"
#include "game/gui/GUIBackgroundWindow.h"
#include "game/gui/GUIDeleteProfileWindow.h"
#include "game/gui/GUIGameLogicWindow.h"
#include "game/gui/GUIIntroductionWindow.h"
#include "game/gui/GUILevelCompleteWindow.h"
#include "game/gui/GUIRelaxWindow.h"
#include "game/gui/GUIUpgradeWindow.h"
#include "game/logic/Board.h"
#include "game/logic/Cell.h"
#include "game/logic/Character.h"
#include "game/logic/GameLogic.h"
#include "platform/Clock.h"
#include "platform/InputDevice.h"
#include "platform/VirtualKeys.h"
#include "tests/game/StartUpEnvironment.h"
#include "tests/game/screens/ScreenshotGame.h"
#include "tests/game/screens/ScreenshotSession.h"
#include "tools/GUITextPrinter.h"

namespace {

using ScreenTests::MenuWindowView;
using ScreenTests::ScreenLayoutFacts;
using ScreenTests::ScreenshotGame;
using Tansywell::Character;
using Tansywell::GUIMenuWindow;

constexpr std::uint64_t kFrameMicroseconds = 100000;
// The widest name the name rules let through: every place that prints the
// player's name must hold it.
const std::wstring kWidestName(20, L'W');
// Frames a screen gets to settle once it reports itself open.
constexpr int kStillFrames = 1;

struct ScreenSize
{
    std::uint32_t width;
    std::uint32_t height;
};

class Screenshots : public testing::TestWithParam<ScreenSize>, protected ScreenTests::ScreenshotSession
{
protected:
    Screenshots() : ScreenshotSession(kFrameMicroseconds) {}
    void SetUp() override { Open(GetParam().width, GetParam().height); }
    void TearDown() override { Close(); }

    bool StepUntil(const std::function<bool()>& condition, int limit = 600)
    {
        return ScreenshotSession::StepUntil(condition, limit);
    }

    void Steps(int count)
    {
        for (int i = 0; i < count; ++i) {
            Frame();
        }
    }

    // A menu screen opened by show, photographed once open and still, then
    // closed; the character, where it stands, keeps clear of the screen's
    // frame, the title and whatever else is given (in game, the screens
    // cover the board and the character under them).
    void ShootMenu(const char* name, GUIMenuWindow* screen, const std::function<void()>& show,
                   const std::function<void()>& hide, bool checkCharacter = true,
                   std::vector<ScreenLayoutFacts::Rectangle> characterClear = {})
    {
        SCOPED_TRACE(name);
        ASSERT_NE(nullptr, screen);
        show();
        // Open, and its title typed out in full.
        const Tansywell::GUIBackgroundWindow* background = game_->GetBackgroundWindow();
        ASSERT_TRUE(StepUntil([screen, background] {
            return MenuWindowView::IsOpen(*screen) && (background == nullptr || background->IsTextPrinted());
        })) << name
            << " never opened";
        Steps(kStillFrames);
        if (checkCharacter) {
            characterClear.push_back(ScreenLayoutFacts::FrameBox(*MenuWindowView::Frame(*screen)));
            characterClear.push_back(TitleArea());
        }
        Shoot(name, MenuWindowView::Frame(*screen), {}, checkCharacter, characterClear);
        hide();
        ASSERT_TRUE(StepUntil([screen] { return !screen->IsActive(); })) << name << " never closed";
    }

    // The next frame written to <name>_<w>x<h>.png and held to the facts.
    void Shoot(const std::string& name, const OrrelayEngine::GUIWindow* frame,
               const std::vector<ScreenLayoutFacts::Rectangle>& keepClear, bool checkCharacter = false,
               const std::vector<ScreenLayoutFacts::Rectangle>& characterClear = {})
    {
        ScreenLayoutFacts facts;
        OrrelayEngine::GUIManager& gui = *game_->GetEngine()->GetGUIManager();
        game_->afterWindowsUpdate = [&facts, &gui] { facts.CollectTexts(gui); };
        Frame();
        game_->afterWindowsUpdate = nullptr;
        const ScreenLayoutFacts::Picture with = game_->Draw(true);
        const ScreenLayoutFacts::Picture without = game_->Draw(false);
        facts.CheckControls(gui, frame, keepClear);
        facts.CheckTexts(with, without, frame);
        if (checkCharacter && game_->GetCharacter() != nullptr) {
            facts.CheckCharacter(*game_->GetCharacter(), characterClear, characterBubbles_);
        }

        const std::string file = name + "_" + std::to_string(with.width) + "x" + std::to_string(with.height) + ".png";
        std::vector<std::uint8_t> rgba;
        rgba.reserve(with.rgb.size() / 3 * 4);
        for (std::size_t i = 0; i < with.rgb.size(); i += 3) {
            rgba.insert(rgba.end(), {with.rgb[i], with.rgb[i + 1], with.rgb[i + 2], 255});
        }
        const std::vector<std::uint8_t> png = Content::PngWriter::Encode(with.width, with.height, rgba);
        std::ofstream(folder_ / file, std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));

        std::printf("[screenshot] %s: %zu controls, %zu texts\n", file.c_str(), facts.GetControlCount(),
                    facts.GetTextCount());
        for (const ScreenLayoutFacts::Fault& fault : facts.GetFaults()) {
            ADD_FAILURE() << file << " " << fault.kind << ": " << fault.text;
        }
    }

    static ScreenLayoutFacts::Rectangle Box(const Content::LayoutBox& box)
    {
        return {OrrelayEngine::Vector2(box.left, box.bottom),
                OrrelayEngine::Vector2(box.left + box.width, box.bottom + box.height)};
    }

    // The HUD's frame, bars and fields, which stay round the results too.
    static std::vector<ScreenLayoutFacts::Rectangle> HudParts()
    {
        using Content::HudLayout;
        std::vector<ScreenLayoutFacts::Rectangle> parts;
        for (const Content::LayoutBox& part :
             {HudLayout::kLeftStrip, HudLayout::kLeftCorner, HudLayout::kRightStrip, HudLayout::kRightCorner,
              HudLayout::kRightFoot, HudLayout::kEnergyFrame, HudLayout::kManaFrame}) {
            parts.push_back(Box(part));
        }
        return parts;
    }

    static ScreenLayoutFacts::Rectangle TitleArea()
    {
        using Content::TitleArt;
        return Box(Content::LayoutBox{TitleArt::kTextAreaLeft, TitleArt::kTextAreaBottom, TitleArt::kTextAreaWidth,
                                      TitleArt::kTextAreaHeight});
    }

    // The character's speech of key typed out to its last line.
    static bool LinesTyped(const Character& character, const char* key, std::uint32_t lines)
    {
        // Bubble b holds lines b (b + 1) / 2 to b (b + 1) / 2 + b.
        const GameTools::GUITextPrinter* last = character.GetPrinter(lines * (lines - 1) / 2 + lines - 1);
        return character.GetTextKey() == key && last->IsDone() && !last->GetTargetText().empty();
    }

    static bool IsStanding(const Character& character, std::uint32_t stand)
    {
        return character.GetBodyAnimation() != nullptr && character.GetBodyAnimation()->currentId == stand;
    }

    template <class Screen>
    static GUIMenuWindow* AsMenu(Screen* screen)
    {
        return dynamic_cast<GUIMenuWindow*>(screen);
    }

    // The board's cells on the screen, each a square as wide as the closest
    // two cells lie apart.
    std::vector<ScreenLayoutFacts::Rectangle> BoardCells() const
    {
        const Tansywell::Board& board = *static_cast<Tansywell::GameLogic*>(game_->gameLogic_.get())->GetBoard();
        std::vector<OrrelayEngine::Vector2> centres;
        for (std::uint32_t i = 0; i < board.GetCellCount(); ++i) {
            centres.push_back(board.GetCellScreenPosition(board.GetCellAt(i)));
        }
        float spacing = 40.0f;
        for (std::size_t i = 0; i < centres.size(); ++i) {
            for (std::size_t j = i + 1; j < centres.size(); ++j) {
                spacing = std::min(spacing, std::hypot(centres[i].x - centres[j].x, centres[i].y - centres[j].y));
            }
        }
        std::vector<ScreenLayoutFacts::Rectangle> cells;
        for (const OrrelayEngine::Vector2& c : centres) {
            const float half = spacing * 0.5f;
            cells.push_back(
                {OrrelayEngine::Vector2(c.x - half, c.y - half), OrrelayEngine::Vector2(c.x + half, c.y + half)});
        }
        return cells;
    }

    // The bubbles speak on the board's screen; the tutorial's last lesson may
    // still be fading out there when the results open over it.
    bool characterBubbles_ = true;
};

TEST_P(Screenshots, EveryScreenHoldsItsLayout)
{
    ScreenshotGame& game = *game_;
    namespace gf = GameFramework;

    // The loading screen while the introduction plays.
    ASSERT_TRUE(StepUntil([&game] { return game.loadingWindow_ != nullptr && game.GetBackgroundWindow() != nullptr; }));
    Steps(30);
    Shoot("loading", nullptr, {});

    // The first run asks for a name.
    ASSERT_TRUE(StepUntil(
        [&game] {
            auto* welcome = AsMenu(game.welcomeWindow_.get());
            return welcome != nullptr && MenuWindowView::IsOpen(*welcome);
        },
        3600))
        << "the welcome screen never opened";
    Steps(kStillFrames);
    Shoot("welcome", MenuWindowView::Frame(*AsMenu(game.welcomeWindow_.get())), {});
    game.welcomeWindow_->Hide();
    ASSERT_TRUE(StepUntil([&game] { return !AsMenu(game.welcomeWindow_.get())->IsActive(); }));
    game.profileManager_->AddProfile(L"Ann");
    game.profileManager_->AddProfile(L"\u00C9mile");
    gf::ProfileBase* player = game.profileManager_->AddProfile(kWidestName);
    game.profileManager_->SetCurrentProfile(player, true);

    // The character on the menus, as their handlers bring it.
    Character* bee = game.GetCharacter();
    ASSERT_NE(nullptr, bee);
    bee->SetState(Character::kStateMenus);
    ASSERT_TRUE(StepUntil([bee] { return IsStanding(*bee, Character::kBodyMenuStand); }))
        << "the character never came in on the menus";

    ShootMenu(
        "main_menu", AsMenu(game.mainMenuWindow_.get()), [&game] { game.mainMenuWindow_->Show(); },
        [&game] { game.mainMenuWindow_->Hide(); });
    ShootMenu(
        "new_profile", AsMenu(game.newProfileWindow_.get()), [&game] { game.newProfileWindow_->Show(true); },
        [&game] { game.newProfileWindow_->Hide(); });
    ShootMenu(
        "rename_profile", AsMenu(game.renameProfileWindow_.get()),
        [&game] { game.renameProfileWindow_->Show(true, kWidestName); },
        [&game] { game.renameProfileWindow_->Hide(); });
    ShootMenu(
        "delete_profile", AsMenu(game.deleteProfileWindow_.get()),
        [&game] { game.deleteProfileWindow_->Show(kWidestName); }, [&game] { game.deleteProfileWindow_->Hide(); });
    {
        const auto* remove = dynamic_cast<const Tansywell::GUIDeleteProfileWindow*>(game.deleteProfileWindow_.get());
        ASSERT_NE(nullptr, remove);
        bool named = false;
        for (std::uint32_t i = 0; i < Tansywell::GUIDeleteProfileWindow::kLineCount; ++i) {
            named = named || remove->GetLine(i).find(kWidestName) != std::wstring::npos;
        }
        EXPECT_TRUE(named) << "the delete question never names the profile";
    }
    ShootMenu(
        "name_conflict", AsMenu(game.profileNameConflictWindow_.get()),
        [&game] { game.profileNameConflictWindow_->Show(ScreenshotGame::kConflictFromNewProfile); },
        [&game] { game.profileNameConflictWindow_->Hide(); });
    ShootMenu(
        "stage_map", AsMenu(game.startGameLogicWindow_.get()),
        [&game] { game.startGameLogicWindow_->Show(ScreenshotGame::kStartFromMainMenu); },
        [&game] { game.startGameLogicWindow_->Hide(); });
    ShootMenu(
        "quit", AsMenu(game.exitWindow_.get()), [&game] { game.exitWindow_->Show(ScreenshotGame::kExitFromMainMenu); },
        [&game] { game.exitWindow_->Hide(); });
    ShootMenu(
        "help", AsMenu(game.helpWindow_.get()), [&game] { game.helpWindow_->Show(); },
        [&game] { game.helpWindow_->Hide(); });
    ShootMenu(
        "relax", game.GetRelaxWindow(), [&game] { game.GetRelaxWindow()->Show(); },
        [&game] { game.GetRelaxWindow()->Hide(); });
    ShootMenu(
        "options", AsMenu(game.optionsWindow_.get()), [&game] { game.optionsWindow_->Show(); },
        [&game] { game.optionsWindow_->Hide(); });
    ShootMenu(
        "profiles", AsMenu(game.profilesWindow_.get()), [&game] { game.profilesWindow_->Show(); },
        [&game] { game.profilesWindow_->Hide(); });
    ShootMenu(
        "introduction", game.GetIntroductionWindow(), [&game] { game.GetIntroductionWindow()->Show(); },
        [&game] { game.GetIntroductionWindow()->Hide(); });

    // The upgrade notice over the background's upgrade scene, as the main
    // menu opens it, until a key brings the menu back.
    Tansywell::GUIUpgradeWindow* upgrade = game.GetUpgradeWindow();
    ASSERT_NE(nullptr, upgrade);
    // The notice waits for the character to have gone.
    bee->Dismiss();
    upgrade->Activate(Tansywell::GUIUpgradeWindow::kKindFromMainMenu);
    ASSERT_TRUE(StepUntil([upgrade] { return upgrade->GetAlpha() >= 1.0f; })) << "the upgrade notice never showed";
    Shoot("upgrade", nullptr, {});
    Platform::InputDevice::Deliver(
        Platform::InputEvent{Platform::InputDeviceKind::Keyboard, Platform::KeyCode::kSpace, Platform::kInputDownFlag});
    Frame();
    Platform::InputDevice::Deliver(
        Platform::InputEvent{Platform::InputDeviceKind::Keyboard, Platform::KeyCode::kSpace, 0});
    auto* mainMenu = AsMenu(game.mainMenuWindow_.get());
    ASSERT_TRUE(StepUntil([upgrade, mainMenu] { return !upgrade->IsActive() && MenuWindowView::IsOpen(*mainMenu); }))
        << "the notice never gave way to the main menu";
    game.mainMenuWindow_->Hide();
    ASSERT_TRUE(StepUntil([mainMenu] { return !mainMenu->IsActive(); }));

    // The first level under its head-up display, as the stage map starts it.
    game.StartLevel();
    auto* hud = dynamic_cast<Tansywell::GUIGameLogicWindow*>(game.gameLogicWindow_.get());
    ASSERT_NE(nullptr, hud);
    ASSERT_TRUE(StepUntil(
        [&game, hud] { return game.gameLogic_ != nullptr && hud->IsShown() && hud->GetAlpha() >= 1.0f; }, 3600))
        << "the level never started";
    // The items fly in, the character greets the player and the tutorial's
    // first lesson is typed out.
    Steps(20);
    ASSERT_TRUE(StepUntil([bee] { return LinesTyped(*bee, "CHARACTER_TUTORIAL_MAKE_SWAP_0", 2); }))
        << "the character never spoke the first lesson";
    std::vector<ScreenLayoutFacts::Rectangle> clear = BoardCells();
    const std::vector<ScreenLayoutFacts::Rectangle> hudParts = HudParts();
    clear.insert(clear.end(), hudParts.begin(), hudParts.end());
    Shoot("hud", hud->GetRootWindow(), BoardCells(), true, clear);

    // The in-game screens stop the level as its flow does, and let it go on.
    auto inGame = [this, &game](const char* name, GUIMenuWindow* screen, const std::function<void()>& show,
                                const std::function<void()>& hide) {
        game.gameLogicWindow_->SetActive(false);
        game.PauseLevel(true);
        ShootMenu(name, screen, show, hide, false);
        game.gameLogicWindow_->SetActive(true);
        game.PauseLevel(false);
    };
    inGame(
        "pause", AsMenu(game.gameLogicPauseWindow_.get()), [&game] { game.gameLogicPauseWindow_->Show(); },
        [&game] { game.gameLogicPauseWindow_->Hide(); });
    inGame(
        "game_menu", AsMenu(game.gameLogicMenuWindow_.get()), [&game] { game.gameLogicMenuWindow_->Show(); },
        [&game] { game.gameLogicMenuWindow_->Hide(); });
    inGame(
        "leave_level", AsMenu(game.gameLogicMenuExitWindow_.get()), [&game] { game.gameLogicMenuExitWindow_->Show(); },
        [&game] { game.gameLogicMenuExitWindow_->Hide(); });
    inGame(
        "restart_level", AsMenu(game.gameLogicRestartWindow_.get()), [&game] { game.gameLogicRestartWindow_->Show(); },
        [&game] { game.gameLogicRestartWindow_->Hide(); });
    inGame(
        "quit_game", AsMenu(game.gameLogicGameExitWindow_.get()), [&game] { game.gameLogicGameExitWindow_->Show(); },
        [&game] { game.gameLogicGameExitWindow_->Hide(); });
    ShootMenu(
        "game_over", AsMenu(game.gameOverWindow_.get()), [&game] { game.ProcessGameOverState(); },
        [&game] { game.gameOverWindow_->Hide(); }, false);

    // Level complete once its mana is counted and its bonus line, faded in,
    // counts up.
    auto* results = dynamic_cast<Tansywell::GUILevelCompleteWindow*>(game.levelCompleteWindow_.get());
    GUIMenuWindow* complete = results;
    ASSERT_NE(nullptr, complete);
    // The board has the character say its word and fly up to the menus' place.
    bee->SayLevelEnd();
    characterBubbles_ = false;
    game.ProcessLevelWonState();
    ASSERT_TRUE(StepUntil([complete] { return MenuWindowView::IsOpen(*complete); })) << "level complete never opened";
    ASSERT_TRUE(StepUntil([bee] { return IsStanding(*bee, Character::kBodyMenuStand); }))
        << "the character never turned for the level's end";
    ASSERT_TRUE(StepUntil([results] {
        return results->GetBonusTimer() >= Tansywell::GUILevelCompleteWindow::kBonusDelaySeconds + 0.5f;
    })) << "the bonus line never showed";
    StepUntil([results] { return results->GetBonus() > 0; }, 30);
    std::vector<ScreenLayoutFacts::Rectangle> resultsClear = HudParts();
    resultsClear.insert(resultsClear.end(), {ScreenLayoutFacts::FrameBox(*MenuWindowView::Frame(*complete)),
                                             TitleArea(), Box(Content::HudLayout::kUpgradePicture)});
    Shoot("level_complete", MenuWindowView::Frame(*complete), {}, true, resultsClear);
    game.levelCompleteWindow_->Hide();
    ASSERT_TRUE(StepUntil([complete] { return !complete->IsActive(); }));
    game.CloseLevel();

    ShootMenu(
        "game_complete", AsMenu(game.gameCompleteWindow_.get()), [&game] { game.gameCompleteWindow_->Show(); },
        [&game] { game.gameCompleteWindow_->Hide(); });
    ShootMenu(
        "high_scores", AsMenu(game.highScoresWindow_.get()),
        [&game] {
            const std::uint32_t category = game.profileManager_->GetCurrentProfile()->GetScoreCategory();
            game.highScoresTable_->Insert(L"Bea", category, 48210);
            game.highScoresTable_->Insert(L"Cyril", category, 31075);
            game.highScoresTable_->Insert(L"Dora", category, 9020);
            game.ShowHighScoresAfterGame(27500, ScreenshotGame::kHighScoresAfterGameOver);
        },
        [&game] { game.highScoresWindow_->Hide(); });
    ShootMenu(
        "continue", AsMenu(game.continueGameLogicWindow_.get()), [&game] { game.continueGameLogicWindow_->Show(); },
        [&game] { game.continueGameLogicWindow_->Hide(); });
}

INSTANTIATE_TEST_SUITE_P(Sizes, Screenshots, testing::Values(ScreenSize{800, 600}, ScreenSize{1024, 768}),
                         [](const testing::TestParamInfo<ScreenSize>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

} // namespace

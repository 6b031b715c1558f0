// The menu background as a player meets it on the way through the game: the
// whole game over the built data set on OpenGL (the offscreen video driver),
// played with the pointer from a profile that stands at the last level of the
// first stage. The garden with its new place comes in after that level, the
// next level won loads over the sky with "LOADING" on the panel, the sky
// stands behind the main menu after a game over, the high scores and the
// relax offer, and again after another resolution is applied. Each picture is
// written to <build>/screenshots/flow_<name>.png.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "content/PngWriter.h"
#include "engine/core/Config.h"
#include "engine/core/ConfigValues.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUITextManager.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelRecord.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/gui/GUIStartGameLogicWindowBase.h"
#include "game/gui/GUIBackgroundWindow.h"
#include "game/gui/GUIGameLogicWindow.h"
#include "game/gui/GUIStartGameLogicWindow.h"
#include "game/gui/GUIUpgradeWindow.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/InputDevice.h"
#include "tests/game/StartUpEnvironment.h"
#include "tests/game/screens/ScreenshotGame.h"
#include "tests/game/screens/ScreenshotSession.h"
#include "tools/GUITextPrinter.h"

namespace {

using ScreenTests::MenuWindowView;
using ScreenTests::ScreenLayoutFacts;
using ScreenTests::ScreenshotGame;

constexpr std::uint64_t kFrameMicroseconds = 50000;

class MenuBackgroundFlow : public testing::Test, protected ScreenTests::ScreenshotSession
{
protected:
    MenuBackgroundFlow() : ScreenshotSession(kFrameMicroseconds) {}
    void SetUp() override { Open(800, 600); }
    void TearDown() override { Close(); }

    bool StepUntil(const std::function<bool()>& condition, int limit = 1200)
    {
        return ScreenshotSession::StepUntil(condition, limit);
    }

    // The shown, enabled button that drew the caption in the last frame.
    OrrelayEngine::GUIButton* Button(const std::string& key) const
    {
        OrrelayEngine::GUIButton* found = nullptr;
        game_->GetEngine()->GetGUIManager()->ForEachWindow([&](OrrelayEngine::GUIWindow& window) {
            auto* button = dynamic_cast<OrrelayEngine::GUIButton*>(&window);
            if (found != nullptr || button == nullptr || !button->IsVisible() || !button->IsEnabled()) {
                return;
            }
            for (std::uint32_t i = 0; i < window.GetDrawnTextCount(); ++i) {
                if (window.GetDrawnText(i).isKey != 0 && window.GetDrawnText(i).key == key) {
                    found = button;
                }
            }
        });
        return found;
    }

    // Waits for the button, then the pointer goes to its middle and clicks.
    bool Click(const std::string& key)
    {
        if (!StepUntil([this, &key] { return Button(key) != nullptr; })) {
            return false;
        }
        OrrelayEngine::Vector2 low;
        OrrelayEngine::Vector2 extent;
        Button(key)->GetHitRectangle(low, extent);
        const OrrelayEngine::Window& window = *game_->GetEngine()->GetWindow();
        const OrrelayEngine::GUIManager& gui = *game_->GetEngine()->GetGUIManager();
        const float x = (low.x + extent.x * 0.5f) / gui.GetScreenWidth() * static_cast<float>(window.GetWidth());
        const float y = (low.y + extent.y * 0.5f) / gui.GetScreenHeight() * static_cast<float>(window.GetHeight());
        Platform::RecordCursorPosition(static_cast<std::int32_t>(x),
                                       static_cast<std::int32_t>(static_cast<float>(window.GetHeight()) - 1.0f - y));
        Frame();
        for (bool down : {true, false}) {
            Platform::InputDevice::Deliver(Platform::InputEvent{
                Platform::InputDeviceKind::Mouse, Platform::kMouseOffsetButton0, down ? Platform::kInputDownFlag : 0});
            Frame();
        }
        return true;
    }

    // The level of the profile's position, played until its board is in view.
    bool PlayLevel()
    {
        game_->StartLevel();
        auto* hud = dynamic_cast<Tansywell::GUIGameLogicWindow*>(game_->gameLogicWindow_.get());
        return StepUntil(
            [this, hud] { return game_->gameLogic_ != nullptr && hud->IsShown() && hud->GetAlpha() >= 1.0f; }, 3600);
    }

    // The frame drawn into <build>/screenshots/flow_<name>.png.
    ScreenLayoutFacts::Picture Shoot(const std::string& name)
    {
        Frame();
        const ScreenLayoutFacts::Picture picture = game_->Draw(true);
        std::vector<std::uint8_t> rgba;
        rgba.reserve(picture.rgb.size() / 3 * 4);
        for (std::size_t i = 0; i < picture.rgb.size(); i += 3) {
            rgba.insert(rgba.end(), {picture.rgb[i], picture.rgb[i + 1], picture.rgb[i + 2], 255});
        }
        const std::vector<std::uint8_t> png = Content::PngWriter::Encode(picture.width, picture.height, rgba);
        std::ofstream(folder_ / ("flow_" + name + ".png"), std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        return picture;
    }

    // The sky: at the left, below the corner's garland and clear of the
    // menus' frames, on average clearly blue and light.
    static void ExpectSky(const ScreenLayoutFacts::Picture& picture)
    {
        double sum[3] = {0.0, 0.0, 0.0};
        std::size_t count = 0;
        for (std::uint32_t row = picture.height * 22 / 100; row < picture.height * 32 / 100; ++row) {
            for (std::uint32_t x = picture.width * 2 / 100; x < picture.width * 10 / 100; ++x) {
                const std::size_t at = (static_cast<std::size_t>(row) * picture.width + x) * 3;
                for (int c = 0; c < 3; ++c) {
                    sum[c] += picture.rgb[at + c];
                }
                ++count;
            }
        }
        const double red = sum[0] / static_cast<double>(count);
        const double blue = sum[2] / static_cast<double>(count);
        EXPECT_GT(blue, 120.0) << "the top of the screen is dark";
        EXPECT_GT(blue, red + 20.0) << "the top of the screen is not sky";
    }

    void ExpectBackgroundShown() const
    {
        const Tansywell::GUIBackgroundWindow* background = game_->GetBackgroundWindow();
        ASSERT_NE(nullptr, background);
        EXPECT_TRUE(background->IsVisible());
        EXPECT_TRUE(background->GetThemedWindows().back()->IsVisible());
    }
};

TEST_F(MenuBackgroundFlow, TheGardenTheLoadingAndTheMenusStandOnTheBackgroundThroughTheFlow)
{
    ScreenshotGame& game = *game_;
    ASSERT_TRUE(StepUntil(
        [&game] {
            auto* welcome = dynamic_cast<Tansywell::GUIMenuWindow*>(game.welcomeWindow_.get());
            return welcome != nullptr && MenuWindowView::IsOpen(*welcome);
        },
        3600))
        << "the welcome screen never opened";
    game.welcomeWindow_->Hide();
    GameFramework::ProfileBase* ann = game.profileManager_->AddProfile(L"Ann");
    game.profileManager_->SetCurrentProfile(ann, true);
    // Ann stands at the first stage's last level, with a score for the table.
    const GameFramework::LevelPosition last{0, 5};
    ann->SetCurrentPosition(last);
    ann->SetFurthestPosition(last, false);
    ann->SetTotalScore(12000);
    ann->SetGameUnderWay(true);
    ann->Save();

    // The level won: its results, then the upgrade into the garden, where the
    // new place comes in under "Click to continue".
    ASSERT_TRUE(PlayLevel()) << "the stage's last level never started";
    game.gameLogic_->SetState(GameFramework::GameLogicBase::kStateWon);
    ASSERT_TRUE(Click("LEVEL_COMPLETE_UPGRADE"));
    Tansywell::GUIUpgradeWindow* notice = game.GetUpgradeWindow();
    ASSERT_TRUE(StepUntil([notice] { return notice->IsActive() && notice->GetAlpha() >= 1.0f; }))
        << "the upgrade notice never showed";
    const Tansywell::GUIBackgroundWindow* background = game.GetBackgroundWindow();
    EXPECT_TRUE(background->IsUpgradeScene());
    ExpectBackgroundShown();
    EXPECT_EQ(1, background->GetReachedPlaces());
    bool placeShown = false;
    for (const OrrelayEngine::GUIWindow* place : background->GetPlaceWindows()) {
        placeShown = placeShown || place->IsVisible();
    }
    EXPECT_TRUE(placeShown) << "the new place is not in the garden";
    ExpectSky(Shoot("garden_after_stage"));

    // A click: the menus come back and the map walks on to the next stage.
    ASSERT_TRUE(StepUntil([notice] { return notice->GetTimer() > 1.5f; }));
    Platform::InputDevice::Deliver(Platform::InputEvent{Platform::InputDeviceKind::Mouse, Platform::kMouseOffsetButton0,
                                                        Platform::kInputDownFlag});
    Frame();
    Platform::InputDevice::Deliver(
        Platform::InputEvent{Platform::InputDeviceKind::Mouse, Platform::kMouseOffsetButton0, 0});
    auto* map = dynamic_cast<Tansywell::GUIStartGameLogicWindow*>(game.startGameLogicWindow_.get());
    ASSERT_TRUE(StepUntil([map] { return map->IsAdvancing(); })) << "the map does not walk into the new stage";
    ASSERT_TRUE(StepUntil([map] { return !map->IsAdvancing() && MenuWindowView::IsOpen(*map); }));
    Shoot("map_after_stage");
    ASSERT_TRUE(Click("START_GAME_CONTINUE")) << "the stage map never came after the garden";

    // The next stage's first level won: the level after it loads over the
    // menus' background with "LOADING" on its panel.
    auto* hud = dynamic_cast<Tansywell::GUIGameLogicWindow*>(game.gameLogicWindow_.get());
    const auto levelInView = [&game, hud] {
        return game.gameLogic_ != nullptr && hud->IsShown() && hud->GetAlpha() >= 1.0f;
    };
    ASSERT_TRUE(StepUntil(levelInView, 3600)) << "the next stage never started";
    game.gameLogic_->SetState(GameFramework::GameLogicBase::kStateWon);
    ASSERT_TRUE(Click("CONTINUE"));
    const std::wstring& loading = game.GetEngine()->GetGUIManager()->GetTextManager()->GetText("LOADING");
    const GameTools::GUITextPrinter* panel = background->GetTextPrinter();
    ASSERT_TRUE(StepUntil([panel, &loading] { return panel->GetTargetText() == loading && panel->IsDone(); }))
        << "\"LOADING\" never stood on the panel";
    ExpectBackgroundShown();
    ExpectSky(Shoot("loading_between_levels"));

    // That level lost: game over, the high scores, the relax offer declined.
    ASSERT_TRUE(StepUntil(levelInView, 3600)) << "the next level never started";
    EXPECT_EQ(1u, game.gameLogic_->GetLevel()->levelIndex);
    game.gameLogic_->SetState(GameFramework::GameLogicBase::kStateLost);
    ASSERT_TRUE(Click("CONTINUE"));
    ASSERT_TRUE(Click("OK"));
    ASSERT_TRUE(Click("NO"));
    auto* mainMenu = dynamic_cast<Tansywell::GUIMenuWindow*>(game.mainMenuWindow_.get());
    ASSERT_TRUE(StepUntil([mainMenu] { return MenuWindowView::IsOpen(*mainMenu); })) << "no main menu after the offer";
    ExpectBackgroundShown();
    ExpectSky(Shoot("menu_after_relax_offer"));

    // Another resolution applied in the options.
    ASSERT_TRUE(Click("MAIN_MENU_OPTIONS"));
    auto* options = dynamic_cast<Tansywell::GUIMenuWindow*>(game.optionsWindow_.get());
    ASSERT_TRUE(StepUntil([options] { return MenuWindowView::IsOpen(*options); }));
    const std::uint32_t mode = game.optionsWindow_->GetSelectedMode();
    game.optionsWindow_->SetSelectedMode(mode > 0 ? mode - 1 : mode + 1);
    ASSERT_TRUE(Click("OPTIONS_APPLY"));
    ASSERT_TRUE(StepUntil([mainMenu] { return MenuWindowView::IsOpen(*mainMenu); })) << "no main menu after Apply";
    ExpectBackgroundShown();
    const ScreenLayoutFacts::Picture resized = Shoot("menu_after_resolution");
    EXPECT_NE(800u, resized.width) << "the resolution did not change";
    ExpectSky(resized);
}

} // namespace

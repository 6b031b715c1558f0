// The pointer's sparkles as a player sees them: the whole game over the built
// data set on OpenGL (the offscreen video driver) draws a menu frame with the
// trail and the click burst, and again with the trail switched off; the
// pixels where the sparkles were left must differ.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "game/gui/GUIBackgroundWindow.h"
#include "game/gui/GUIGameCursor.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/InputDevice.h"
#include "tests/game/StartUpEnvironment.h"
#include "tests/game/screens/ScreenshotGame.h"

namespace {

using ScreenTests::ScreenLayoutFacts;

class SparkleGame : public ScreenTests::ScreenshotGame
{
public:
    using ScreenshotGame::ScreenshotGame;

    Tansywell::GUIGameCursor* Cursor() const { return dynamic_cast<Tansywell::GUIGameCursor*>(gameCursor_.get()); }
};

class MenuSparklesGL : public testing::Test
{
protected:
    void SetUp() override
    {
        env_ = std::make_unique<GameTests::StartUpEnvironment>(GameTests::InstallBuiltDataSet(installation_), true);
        try {
            game_ = std::make_unique<SparkleGame>(800, 600);
        } catch (const OrrelayEngine::FatalError& error) {
            FAIL() << error.GetMessage();
        } catch (const OrrelayEngine::FileError& error) {
            FAIL() << error.GetMessage();
        }
    }

    void TearDown() override
    {
        game_.reset();
        env_.reset();
    }

    void Frames(int count, std::uint64_t microseconds)
    {
        for (int i = 0; i < count; ++i) {
            Platform::AdvanceManualClock(microseconds);
            game_->Frame();
        }
    }

    static void MouseButton(bool down)
    {
        Platform::InputDevice::Deliver(Platform::InputEvent{
            Platform::InputDeviceKind::Mouse, Platform::kMouseOffsetButton0, down ? Platform::kInputDownFlag : 0});
    }

    // The pointer rests at (x, y) for a moment, clicking there when asked;
    // the frame then, the cursor drawn over the sparkles as the game draws it.
    ScreenLayoutFacts::Picture Rest(int x, int y, bool click)
    {
        Platform::RecordCursorPosition(x, y);
        Frames(50, kFrame);
        if (click) {
            MouseButton(true);
            Frames(1, kFrame);
            MouseButton(false);
            Frames(2, kFrame);
        }
        return game_->Draw(true);
    }

    // Pixels of the rectangle whose colour differs clearly.
    static int Differing(const ScreenLayoutFacts::Picture& a, const ScreenLayoutFacts::Picture& b, int left, int top,
                         int right, int bottom)
    {
        int count = 0;
        for (int row = top; row < bottom; ++row) {
            for (int column = left; column < right; ++column) {
                const std::size_t at = (static_cast<std::size_t>(row) * a.width + column) * 3;
                int distance = 0;
                for (int c = 0; c < 3; ++c) {
                    distance += std::abs(static_cast<int>(a.rgb[at + c]) - static_cast<int>(b.rgb[at + c]));
                }
                count += distance > 24 ? 1 : 0;
            }
        }
        return count;
    }

    static constexpr std::uint64_t kFrame = 20000;

    TestSupport::ScratchFolder installation_;
    std::unique_ptr<GameTests::StartUpEnvironment> env_;
    std::unique_ptr<SparkleGame> game_;
};

TEST_F(MenuSparklesGL, TrailAndClickBurstShowOverTheMenus)
{
    SparkleGame& game = *game_;
    for (int i = 0; i < 3600 && !(game.GetBackgroundWindow() != nullptr && game.GetBackgroundWindow()->GetState() >= 5);
         ++i) {
        Frames(1, 100000);
    }
    ASSERT_NE(nullptr, game.Cursor());
    ASSERT_NE(nullptr, game.Cursor()->GetTrail()) << "the menus never came";

    // Over the hills on the left, clear of the first screen. The arrow
    // covers the square below and right of its tip: the trail must slide out
    // of it to its lower right, the burst must spread past it to the upper left.
    struct Case
    {
        const char* what;
        bool click;
        int left, top, right, bottom;
    };
    constexpr int kX = 150;
    constexpr int kY = 300;
    for (const Case& c : {Case{"trail at rest", false, kX + 16, kY + 20, kX + 44, kY + 50},
                          Case{"click burst", true, kX - 30, kY - 30, kX - 4, kY - 4}}) {
        SCOPED_TRACE(c.what);
        game.Cursor()->SetTrailEnabled(false);
        const ScreenLayoutFacts::Picture without = Rest(kX, kY, c.click);
        game.Cursor()->SetTrailEnabled(true);
        const ScreenLayoutFacts::Picture with = Rest(kX, kY, c.click);
        EXPECT_GE(Differing(with, without, c.left, c.top, c.right, c.bottom), 40);
        // Away from the pointer nothing changes.
        EXPECT_EQ(Differing(with, without, kX + 200, kY - 60, kX + 260, kY), 0);
    }
}

} // namespace

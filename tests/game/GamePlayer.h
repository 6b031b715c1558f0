// An automated player of the whole game in this process: the real game over
// the built data set, drawn by the null graphics device, with SDL's offscreen
// video and dummy audio drivers, in a scratch user folder. It plays only
// through the platform's event queue (mouse, buttons, keys, typed text),
// aimed at what a player sees: the widget that shows a caption, a cell where
// the board puts it on the screen. Time is the platform's manual clock, 1/30 s
// a frame, so the random generator (seeded from the tick at start) deals the
// same game every run.
#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/GameLoaderBase.h"
#include "framework/GameLogicBase.h"
#include "game/Game.h"
#include "game/GameLoader.h"
#include "platform/AppWindow.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "tests/game/StartUpEnvironment.h"

namespace PlayTests {

constexpr std::uint64_t kFrameMicroseconds = 33333;
constexpr std::uint32_t kFramesPerSecond = 30;

// The built data set installed beside the program, with still stand-ins only
// for what it does not hold yet.
struct InstalledDataSet
{
    TestSupport::ScratchFolder installation;
    std::string programFolder = GameTests::InstallBuiltDataSet(installation);
};

// A player's machine: a user folder of its own, no installer values, the
// program's folder with its data set, the manual clock, and sound played
// through SDL's (dummy) audio driver.
class PlayMachine : private InstalledDataSet, public GameTests::StartUpEnvironment
{
public:
    PlayMachine() : StartUpEnvironment(programFolder)
    {
        Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Sdl);
    }
};

// The game as its loader makes it, with the factory record that selects the
// null graphics device. What the test reads for its checks (never to steer)
// is made visible here.
class PlayedGame : public Tansywell::Game
{
public:
    using GameBase::highScoresTable_;
    using GameBase::levelCompleteWindow_;
    using GameBase::mixer_;
    using GameBase::profileManager_;

    explicit PlayedGame(const OrrelayEngine::EngineFactories& factories = GameTests::MakeNullGraphicsFactories())
        : Game(Tansywell::GameLoader::kMakerName, Tansywell::GameLoader::kProductName,
               Tansywell::GameLoader::kDefaultVersion, factories)
    {}
};

class GamePlayer
{
public:
    GamePlayer() = default;
    GamePlayer(const GamePlayer&) = delete;
    GamePlayer& operator=(const GamePlayer&) = delete;

    // Starts the game with the clock at zero; false (with the error) when it
    // cannot start. A helper limit and a delay hold the resource loads back.
    bool Start(std::uint32_t loadingHelperLimit = OrrelayEngine::EngineFactories::kLoadingHelpersAsShipped,
               std::uint32_t loadingDelayMilliseconds = 0)
    {
        Platform::SetManualClock(true);
        Platform::DiscardPendingEvents();
        OrrelayEngine::EngineFactories factories = GameTests::MakeNullGraphicsFactories();
        factories.loadingHelperLimit = loadingHelperLimit;
        factories.loadingDelayMilliseconds = loadingDelayMilliseconds;
        try {
            game_ = std::make_unique<PlayedGame>(factories);
        } catch (const OrrelayEngine::FatalError& error) {
            ADD_FAILURE() << "the game did not start: " << error.GetMessage();
        } catch (const OrrelayEngine::FileError& error) {
            ADD_FAILURE() << "the game did not start: " << error.GetMessage();
        }
        exited_ = false;
        return game_ != nullptr;
    }

    // Ends the game as its loader does once the loop has returned; false when
    // taking it down failed (the loader would then exit with an error status).
    bool Stop()
    {
        try {
            game_.reset();
            return true;
        } catch (...) {
            game_.release();
            return false;
        }
    }

    PlayedGame& GetGame() const { return *game_; }
    bool HasExited() const { return exited_; }
    std::uint64_t FrameCount() const { return frames_; }
    // Called after every frame from now on.
    void SetFrameObserver(std::function<void()> observer) { frameObserver_ = std::move(observer); }
    OrrelayEngine::GUIManager& Gui() const { return *game_->GetEngine()->GetGUIManager(); }

    // One frame a thirtieth of a second after the last; the messages pending
    // before it go first, as the loader's loop takes them.
    void Frame()
    {
        if (exited_)
            return;
        Platform::AdvanceManualClock(kFrameMicroseconds);
        for (;;) {
            const auto pass = GameFramework::GameLoaderBase::RunLoopPass(*game_);
            if (pass == GameFramework::GameLoaderBase::LoopPass::kExit) {
                exited_ = true;
                return;
            }
            if (pass == GameFramework::GameLoaderBase::LoopPass::kFrame)
                break;
        }
        ++frames_;
        if (frameObserver_)
            frameObserver_();
    }
    void Frames(std::uint32_t count)
    {
        for (std::uint32_t i = 0; i < count && !exited_; ++i)
            Frame();
    }

    // Frames until the condition holds, at most the given seconds of game time.
    // A wait that is not required fails quietly.
    bool WaitFor(const std::function<bool()>& condition, float seconds, const std::string& what, bool required = true)
    {
        const std::uint32_t limit = static_cast<std::uint32_t>(seconds * kFramesPerSecond);
        for (std::uint32_t i = 0; i <= limit; ++i) {
            if (condition())
                return true;
            if (exited_)
                break;
            Frame();
        }
        if (required)
            ADD_FAILURE() << what << ": not reached in " << seconds << " s of play; " << Screen();
        return false;
    }

    // What the player sees: every caption and line drawn in the last frame,
    // and the level's state; printed when a step fails.
    std::string Screen() const
    {
        if (game_ == nullptr)
            return "no game";
        std::string out =
            "after frame " + std::to_string(frames_) + (exited_ ? " (exited)" : "") + " the screen shows:";
        Gui().ForEachWindow([&out](OrrelayEngine::GUIWindow& window) {
            for (std::uint32_t i = 0; i < window.GetDrawnTextCount(); ++i) {
                const OrrelayEngine::GUIWindow::TextRecord& text = window.GetDrawnText(i);
                std::string narrow = text.key;
                if (text.isKey == 0)
                    OrrelayEngine::WideToString(text.text, narrow);
                out += " [" + narrow + "]";
            }
        });
        if (game_->GetMenuWindowManager() == nullptr)
            out += " (the assets are still loading)";
        if (const GameFramework::GameLogicBase* logic = game_->GetGameLogic())
            out += "; a level in state " + std::to_string(logic->GetState());
        return out;
    }

    // The shown widget that drew this caption in the last frame; a button
    // only while it takes clicks.
    OrrelayEngine::GUIWindow* FindCaption(const std::string& key) const
    {
        OrrelayEngine::GUIWindow* found = nullptr;
        Gui().ForEachWindow([&](OrrelayEngine::GUIWindow& window) {
            if (found != nullptr || !window.IsVisible() || !DrewKey(window, key))
                return;
            const auto* button = dynamic_cast<const OrrelayEngine::GUIButton*>(&window);
            if (button == nullptr || button->IsEnabled())
                found = &window;
        });
        return found;
    }
    bool Shows(const std::string& key) const { return FindCaption(key) != nullptr; }
    // Any drawn plain text holding this.
    bool ShowsText(const std::wstring& part) const
    {
        bool found = false;
        Gui().ForEachWindow([&](OrrelayEngine::GUIWindow& window) {
            for (std::uint32_t i = 0; i < window.GetDrawnTextCount() && window.IsVisible(); ++i) {
                const OrrelayEngine::GUIWindow::TextRecord& text = window.GetDrawnText(i);
                found = found || (text.isKey == 0 && text.text.find(part) != std::wstring::npos);
            }
        });
        return found;
    }
    static bool DrewKey(const OrrelayEngine::GUIWindow& window, const std::string& key)
    {
        for (std::uint32_t i = 0; i < window.GetDrawnTextCount(); ++i) {
            if (window.GetDrawnText(i).isKey != 0 && window.GetDrawnText(i).key == key)
                return true;
        }
        return false;
    }
    static OrrelayEngine::Vector2 HitCentre(const OrrelayEngine::GUIWindow& window)
    {
        OrrelayEngine::Vector2 low;
        OrrelayEngine::Vector2 extent;
        window.GetHitRectangle(low, extent);
        return OrrelayEngine::Vector2(low.x + extent.x * 0.5f, low.y + extent.y * 0.5f);
    }

    // Waits for the caption, then clicks it.
    bool Click(const std::string& key, float seconds = 20.0f)
    {
        if (!WaitFor([&] { return Shows(key); }, seconds, "the caption " + key))
            return false;
        ClickAt(HitCentre(*FindCaption(key)));
        return true;
    }

    // The mouse over a point in GUI coordinates (800 x 600, y up), in the
    // window's client pixels.
    void MoveTo(const OrrelayEngine::Vector2& gui)
    {
        SDL_Event event{};
        event.motion.type = SDL_MOUSEMOTION;
        event.motion.windowID = WindowId();
        ToClient(gui, event.motion.x, event.motion.y);
        Push(event);
        Frame();
    }
    void Button(bool down)
    {
        SDL_Event event{};
        event.button.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = WindowId();
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = 1;
        event.button.x = mouseX_;
        event.button.y = mouseY_;
        Push(event);
        Frame();
    }
    void ClickAt(const OrrelayEngine::Vector2& gui)
    {
        MoveTo(gui);
        Button(true);
        Button(false);
    }
    // A drag with the button held, in steps a frame apart.
    void Drag(const OrrelayEngine::Vector2& from, const OrrelayEngine::Vector2& to)
    {
        MoveTo(from);
        Button(true);
        constexpr int kSteps = 6;
        for (int i = 1; i <= kSteps; ++i) {
            const float t = static_cast<float>(i) / kSteps;
            MoveTo(OrrelayEngine::Vector2(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t));
        }
        Button(false);
    }
    // A press and a release of a key, a frame each.
    void Key(SDL_Keycode key, SDL_Scancode scancode)
    {
        for (bool down : {true, false}) {
            SDL_Event event{};
            event.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
            event.key.windowID = WindowId();
            event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
            event.key.keysym.sym = key;
            event.key.keysym.scancode = scancode;
            Push(event);
            Frame();
        }
    }
    void Type(const std::string& text)
    {
        SDL_Event event{};
        event.text.type = SDL_TEXTINPUT;
        event.text.windowID = WindowId();
        text.copy(event.text.text, sizeof(event.text.text) - 1);
        Push(event);
        Frame();
    }

private:
    std::uint32_t WindowId() const { return game_->GetEngine()->GetWindow()->GetAppWindow()->GetId(); }
    void ToClient(const OrrelayEngine::Vector2& gui, std::int32_t& x, std::int32_t& y)
    {
        const OrrelayEngine::Window& window = *game_->GetEngine()->GetWindow();
        const float width = static_cast<float>(window.GetWidth());
        const float height = static_cast<float>(window.GetHeight());
        x = static_cast<std::int32_t>(gui.x / Gui().GetScreenWidth() * width);
        y = static_cast<std::int32_t>(height - 1.0f - gui.y / Gui().GetScreenHeight() * height);
        mouseX_ = x;
        mouseY_ = y;
    }
    static void Push(SDL_Event& event)
    {
        event.common.timestamp = SDL_GetTicks();
        ASSERT_EQ(1, SDL_PushEvent(&event)) << SDL_GetError();
    }

    std::unique_ptr<PlayedGame> game_;
    std::uint64_t frames_ = 0;
    std::function<void()> frameObserver_;
    bool exited_ = false;
    std::int32_t mouseX_ = 0;
    std::int32_t mouseY_ = 0;
};

// The data set's assets have loaded and the menus exist. Until the data set
// carries the introduction's models the game waits at the loading screen, so
// the routes stop there.
inline bool AssetsLoaded(GamePlayer& player)
{
    for (std::uint32_t i = 0; i < 60 * kFramesPerSecond && player.GetGame().GetMenuWindowManager() == nullptr; ++i)
        player.Frame();
    return player.GetGame().GetMenuWindowManager() != nullptr;
}

// The first start's way in: the welcome dialog, the name typed and ENTER,
// the main menu greeting the new player.
inline bool EnterAsNewPlayer(GamePlayer& player, const std::string& name)
{
    if (!player.WaitFor([&] { return player.Shows("ENTER_YOUR_NAME"); }, 60.0f, "the welcome dialog"))
        return false;
    // The dialog takes typing once it has opened.
    player.Frames(2 * kFramesPerSecond);
    player.Type(name);
    const std::wstring wide = OrrelayEngine::StringToWide(name);
    if (!player.WaitFor([&] { return player.ShowsText(wide); }, 2.0f, "the name typed"))
        return false;
    player.Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    return player.WaitFor([&] { return player.Shows("MAIN_MENU_START") && player.ShowsText(wide); }, 20.0f,
                          "the main menu greeting " + name);
}

// From the main menu through the introduction's pages to the stage map;
// the pages counted.
inline bool OpenStageMap(GamePlayer& player, int& pages)
{
    pages = 0;
    if (!player.Click("MAIN_MENU_START"))
        return false;
    for (;;) {
        if (!player.WaitFor([&] { return player.Shows("START_GAME_START") || player.Shows("CONTINUE"); }, 20.0f,
                            "the introduction or the stage map"))
            return false;
        if (player.Shows("START_GAME_START") || pages == 10)
            break;
        player.Click("CONTINUE");
        ++pages;
        player.Frames(kFramesPerSecond);
    }
    return player.WaitFor([&] { return player.Shows("START_GAME_START"); }, 20.0f, "the stage map");
}

} // namespace PlayTests

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "engine/core/Window.h"
#include "framework/GameLoaderBase.h"
#include "platform/AppWindow.h"
#include "tests/framework/StubGame.h"

namespace {

using FrameworkTests::StubGame;
using FrameworkTests::StubGameRun;
using GameFramework::GameLoaderBase;

class ScriptedLoader : public GameLoaderBase
{
public:
    ScriptedLoader(FrameworkTests::CallLog& log, std::function<void(ScriptedLoader&)> create)
        : GameLoaderBase(nullptr, nullptr, "", 0), log_(log), create_(std::move(create))
    {}
    void CreateGame() override { create_(*this); }
    void DestroyGame() override
    {
        const auto* game = dynamic_cast<StubGame*>(GetGame());
        log_.Add("destroy: game " + std::string(game != nullptr ? "frames " + std::to_string(game->frames) : "none") +
                 ", boxes " + std::to_string(Platform::GetRecordedMessageBoxes().size()));
        GameLoaderBase::DestroyGame();
        if (throwOnDestroy_ > 0) {
            --throwOnDestroy_;
            throw std::runtime_error("release failed");
        }
    }
    using GameLoaderBase::SetGame;

    int throwOnDestroy_ = 0;

private:
    FrameworkTests::CallLog& log_;
    std::function<void(ScriptedLoader&)> create_;
};

TEST(GameLoaderBase, AnErrorDestroysTheGameFirstThenShowsItsBox)
{
    struct Case
    {
        const char* name;
        std::function<void()> fail;
        std::string text;
    };
    const Case cases[] = {
        {"fatal error", [] { throw OrrelayEngine::FatalError("Direct3D device lost for good"); },
         "Direct3D device lost for good"},
        {"allocation failure", [] { throw std::bad_alloc(); }, "Unhandled exception!"},
        {"file error", [] { throw OrrelayEngine::FileError("data\\x.ini"); }, "Unhandled exception!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StubGameRun run;
        ScriptedLoader loader(run.log, [&](ScriptedLoader&) { c.fail(); });
        EXPECT_NO_THROW(loader.Execute());
        EXPECT_EQ(std::vector<std::string>{"destroy: game none, boxes 0"}, run.log.Lines());
        const auto boxes = Platform::GetRecordedMessageBoxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ("Fatal Error", boxes[0].caption);
        EXPECT_EQ(c.text, boxes[0].text);
        EXPECT_EQ(Platform::MessageBoxIcon::Error, boxes[0].icon);
    }
}

TEST(GameLoaderBase, AReleaseThatFailsNeitherEscapesNorDeletesTwice)
{
    struct Case
    {
        const char* name;
        bool failFirst;
        std::vector<std::string> destroys;
        std::string text;
    };
    const Case cases[] = {
        {"after the loop",
         false,
         {"destroy: game frames 0, boxes 0", "destroy: game none, boxes 0"},
         "Unhandled exception!"},
        {"after a fatal error", true, {"destroy: game frames 0, boxes 0"}, "broken data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StubGameRun run;
        ScriptedLoader loader(run.log, [&](ScriptedLoader& self) {
            auto game = std::make_unique<StubGame>(run.log);
            game->Init();
            Platform::PostWindowMessage(*game->GetEngine()->GetWindow()->GetAppWindow(),
                                        Platform::WindowMessage{Platform::WindowMessageType::Close, 0});
            self.SetGame(std::move(game));
            if (c.failFirst)
                throw OrrelayEngine::FatalError("broken data");
        });
        loader.throwOnDestroy_ = 1;
        EXPECT_NO_THROW(loader.Execute());
        EXPECT_EQ(nullptr, loader.GetGame());
        std::vector<std::string> destroys;
        for (const std::string& line : run.log.Lines())
            if (line.rfind("destroy", 0) == 0)
                destroys.push_back(line);
        EXPECT_EQ(c.destroys, destroys);
        const auto boxes = Platform::GetRecordedMessageBoxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(c.text, boxes[0].text);
    }
}

TEST(GameLoaderBase, PendingMessagesAllGoBeforeTheNextFrame)
{
    StubGameRun run;
    StubGame& game = run.Start();
    Platform::DiscardPendingEvents();
    const Platform::AppWindow& window = *game.GetEngine()->GetWindow()->GetAppWindow();
    for (int i = 0; i < 1000; ++i)
        Platform::PostWindowMessage(window, Platform::WindowMessage{Platform::WindowMessageType::SetFocus, 0});
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(GameLoaderBase::LoopPass::kMessage, GameLoaderBase::RunLoopPass(game));
    EXPECT_EQ(0u, game.frames);
    GameLoaderBase::LoopPass pass = GameLoaderBase::LoopPass::kMessage;
    while (game.frames == 0) {
        pass = GameLoaderBase::RunLoopPass(game);
        ASSERT_NE(GameLoaderBase::LoopPass::kExit, pass);
    }
    EXPECT_EQ(GameLoaderBase::LoopPass::kFrame, pass) << "the pass that ran the frame says so";
}

TEST(GameLoaderBase, ClosingTheWindowEndsTheLoopBeforeAnotherFrame)
{
    StubGameRun run;
    ScriptedLoader loader(run.log, [&](ScriptedLoader& self) {
        auto game = std::make_unique<StubGame>(run.log);
        game->Init();
        game->Frame();
        Platform::PostWindowMessage(*game->GetEngine()->GetWindow()->GetAppWindow(),
                                    Platform::WindowMessage{Platform::WindowMessageType::Close, 0});
        self.SetGame(std::move(game));
    });
    loader.Execute();
    const std::vector<std::string> lines = run.log.Lines();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "destroy: game frames 1, boxes 0"));
    EXPECT_TRUE(Platform::GetRecordedMessageBoxes().empty());
}

} // namespace

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "content/BmpFileWriter.h"
#include "content/FixturePicture.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "framework/DataKeeper.h"
#include "framework/LanguageInfo.h"
#include "platform/GraphicsDriverGL.h"
#include "support/LeakCheckPause.h"
#include "support/LogSearch.h"
#include "tests/engine/core/NullEngine.h"

namespace {

using GameFramework::DataKeeper;
using OrrelayEngine::Engine;

GameFramework::LanguageInfo English()
{
    GameFramework::LanguageInfo language;
    language.code = "en";
    language.identifier = 0x409;
    language.name = "english";
    return language;
}

// A keeper whose loading step is the test's.
class ScriptedKeeper : public DataKeeper
{
public:
    ScriptedKeeper(Engine* engine, std::function<void()> step) : DataKeeper(engine, English(), true), step_(step) {}
    ~ScriptedKeeper() override { StopLoading(); }
    void LoadResources() override { step_(); }

private:
    std::function<void()> step_;
};

class DataKeeperTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine_ = &harness_.Start();
        engine_->GetMessageManager()->SetSpacing(false);
    }

    bool Logged(const std::string& text) const
    {
        return TestSupport::Logged(*engine_->GetMessageManager(), text, TestSupport::LogMatch::kWhole);
    }

    EngineTests::NullEngine harness_;
    Engine* engine_ = nullptr;
};

TEST_F(DataKeeperTest, ResourceListsAreLoadedUnderTheirNames)
{
    harness_.folder.Write("data/ui/menus/set.xml",
                          "<resources>\r\n<stars><loop counter=\"n\" start=\"0\" count=\"2\">"
                          "<model name=\"star%n%\" file_name=\"star%n%.mlf\" color_verticies=\"1\" "
                          "animation_speed=\"3.5\" /></loop></stars>\r\n"
                          "<shader name=\"glow\" diffuse_file_name=\"glow.bmp\" />\r\n</resources>\r\n");
    DataKeeper keeper(engine_, English(), false);
    keeper.GetResourceFiles().push_back("data\\ui\\menus\\set.xml");
    keeper.GetResourceFiles().push_back("data\\ui\\menus\\missing.xml");
    keeper.Load();
    EXPECT_TRUE(keeper.IsLoadFinished());

    for (const char* name : {"stars/star0", "stars/star1"}) {
        SCOPED_TRACE(name);
        OrrelayEngine::Model* star = keeper.FindModel(name);
        ASSERT_NE(nullptr, star);
        // A model file that is not there comes back as a box named after it.
        EXPECT_EQ("ui\\menus\\" + std::string(name).substr(6) + ".mlf", star->GetName());
        EXPECT_NE(0u, star->GetFlags() & OrrelayEngine::Model::kFlagVertexColor);
        EXPECT_FLOAT_EQ(3.5f, star->GetAnimationControl()->speed);
    }
    ASSERT_NE(nullptr, keeper.FindShaderUser("glow"));
    EXPECT_EQ("ui\\menus\\glow.bmp", keeper.FindShaderUser("glow")->GetStage(0).diffuseFileName);
    EXPECT_EQ(nullptr, keeper.FindModel("star0"));
}

TEST_F(DataKeeperTest, DuplicatesAreLoggedAndDeletedUnnamedOnesNumbered)
{
    OrrelayEngine::ShaderManager* shaders = engine_->GetShaderManager();
    OrrelayEngine::ModelManager* models = engine_->GetModelManager();
    const std::uint32_t usersBefore = shaders->GetShaderUserCount();
    {
        DataKeeper keeper(engine_, English(), false);
        OrrelayEngine::ShaderUser* first = shaders->CreateShaderUser(OrrelayEngine::ShaderDescriptor());
        keeper.AddShaderUser("a", first);
        keeper.AddShaderUser("a", shaders->CreateShaderUser(OrrelayEngine::ShaderDescriptor()));
        EXPECT_EQ(usersBefore + 1, shaders->GetShaderUserCount()) << "the refused user is given back";
        EXPECT_EQ(first, keeper.FindShaderUser("a"));
        EXPECT_TRUE(Logged("Error: (DataKeeper::AddShaderUser): Shader User \"a\" is duplicated!\n"));

        OrrelayEngine::Model* model = models->CreateBox({-1, -1, -1}, {1, 1, 1}, nullptr, nullptr, 0);
        keeper.AddModel("m", model);
        keeper.AddModel("m", models->CreateBox({-1, -1, -1}, {1, 1, 1}, nullptr, nullptr, 0));
        EXPECT_EQ(model, keeper.FindModel("m"));
        EXPECT_TRUE(Logged("Error: (DataKeeper::AddModel): Model \"m\" is duplicated!\n"));
        keeper.AddParticleSystem("p", nullptr);
        EXPECT_EQ(nullptr, keeper.FindParticleSystem("p")) << "null is ignored";

        DataKeeper unnamed(engine_, English(), false);
        OrrelayEngine::Model* one = models->CreateBox({-1, -1, -1}, {1, 1, 1}, nullptr, nullptr, 0);
        OrrelayEngine::Model* two = models->CreateBox({-1, -1, -1}, {1, 1, 1}, nullptr, nullptr, 0);
        unnamed.AddUnnamedModel(one);
        unnamed.AddUnnamedModel(nullptr);
        unnamed.AddUnnamedModel(two);
        EXPECT_EQ(one, unnamed.FindModel("123456789"));
        EXPECT_EQ(two, unnamed.FindModel("123456790"));
    }
    EXPECT_EQ(usersBefore, shaders->GetShaderUserCount()) << "the keeper gives back what it filed";
}

TEST_F(DataKeeperTest, ALoadingThreadsErrorIsThrownWhereTheLoadIsCollected)
{
    std::thread::id loadingThread;
    ScriptedKeeper keeper(engine_, [&loadingThread] {
        loadingThread = std::this_thread::get_id();
        throw OrrelayEngine::Error("the list is broken");
    });
    keeper.Load();
    try {
        keeper.WaitForLoad();
        ADD_FAILURE() << "the error did not reach the collecting thread";
    } catch (const OrrelayEngine::Error& error) {
        EXPECT_EQ("the list is broken", error.GetMessage());
    }
    EXPECT_NE(std::this_thread::get_id(), loadingThread);
    EXPECT_TRUE(keeper.IsLoadFinished());
    EXPECT_NO_THROW(keeper.WaitForLoad()) << "an error is thrown once";
}

TEST_F(DataKeeperTest, ASecondLoadWhileOneRunsIsRefused)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    int runs = 0;
    ScriptedKeeper keeper(engine_, [&runs, released] {
        ++runs;
        released.wait();
    });
    keeper.Load();
    keeper.Load();
    EXPECT_FALSE(keeper.IsLoadFinished());
    EXPECT_TRUE(Logged("Error: (DataKeeper::Load): a load is already running; this one is refused!\n"));
    release.set_value();
    keeper.WaitForLoad();
    EXPECT_TRUE(keeper.IsLoadFinished());
    EXPECT_EQ(1, runs);
}

TEST_F(DataKeeperTest, AFinishedKeepersDestructorReturnsAtOnce)
{
    auto keeper = std::make_unique<ScriptedKeeper>(engine_, [] {});
    keeper->Load();
    keeper->WaitForLoad();
    std::packaged_task<void()> destroy([&keeper] { keeper.reset(); });
    std::future<void> destroyed = destroy.get_future();
    std::thread destroyer(std::move(destroy));
    const bool returned = destroyed.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    EXPECT_TRUE(returned);
    if (returned)
        destroyer.join();
    else
        destroyer.detach();
}

// A keeper whose loading step spreads the test's steps over helper threads.
class ParallelKeeper : public DataKeeper
{
public:
    ParallelKeeper(Engine* engine, std::vector<std::function<void(DataKeeper&)>> steps)
        : DataKeeper(engine, English(), true), steps_(std::move(steps))
    {}
    ~ParallelKeeper() override { StopLoading(); }
    void LoadResources() override
    {
        std::vector<std::function<void()>> bound;
        for (const auto& step : steps_)
            bound.push_back([this, step] { step(*this); });
        RunInParallel(bound);
    }

private:
    std::vector<std::function<void(DataKeeper&)>> steps_;
};

TEST_F(DataKeeperTest, StepsRunInParallelFileEveryObjectAndPassTheFirstErrorOn)
{
    constexpr int kSteps = 24;
    // A step waits until a second thread has taken one, so that the steps are
    // seen shared however the threads are scheduled; the time limit only
    // ends a test whose helpers never came.
    const bool helpersExpected = std::thread::hardware_concurrency() > 1;
    std::mutex threadsMutex;
    std::condition_variable threadCame;
    std::set<std::thread::id> threads;
    std::atomic<int> runs{0};
    OrrelayEngine::ModelManager* models = engine_->GetModelManager();
    std::vector<std::function<void(DataKeeper&)>> steps;
    for (int i = 0; i < kSteps; ++i) {
        steps.push_back([&, i](DataKeeper& keeper) {
            ++runs;
            {
                std::unique_lock<std::mutex> lock(threadsMutex);
                threads.insert(std::this_thread::get_id());
                threadCame.notify_all();
                if (helpersExpected)
                    threadCame.wait_for(lock, std::chrono::seconds(30), [&] { return threads.size() > 1; });
            }
            // A missing file: a box, logged from this thread.
            keeper.AddUnnamedModel(models->LoadModelTemplate("missing" + std::to_string(i) + ".mlf", nullptr, 0));
        });
    }
    {
        ParallelKeeper keeper(engine_, steps);
        keeper.Load();
        keeper.WaitForLoad();
        EXPECT_EQ(kSteps, runs.load());
        for (int i = 0; i < kSteps; ++i)
            EXPECT_NE(nullptr, keeper.FindModel(std::to_string(DataKeeper::kFirstUnnamedNumber + i))) << i;
        if (helpersExpected) {
            EXPECT_GT(threads.size(), 1u) << "the steps shared threads";
        }
    }

    runs = 0;
    steps.insert(steps.begin(), [](DataKeeper&) { throw OrrelayEngine::Error("the first step failed"); });
    ParallelKeeper failing(engine_, steps);
    failing.Load();
    try {
        failing.WaitForLoad();
        ADD_FAILURE() << "the step's error was lost";
    } catch (const OrrelayEngine::Error& error) {
        EXPECT_EQ("the first step failed", error.GetMessage());
    }
    EXPECT_LT(runs.load(), kSteps) << "no step starts after one failed";
}

// A picture loaded on the loading thread is only a CPU surface until the
// drawing thread first draws it; then it must show as loaded.
TEST(DataKeeperGL, ATextureLoadedOnTheLoadingThreadDrawsRight)
{
    TestSupport::PinGraphicsLibraries();
    TestSupport::ScopedLeakCheckPause pause;
    std::unique_ptr<Platform::GraphicsDriverGL> made;
    if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(800, 600, made)))
        GTEST_SKIP() << "no OpenGL context under this video driver";
    Platform::GraphicsDriverGL* driver = made.get();
    EngineTests::NullEngine harness;
    harness.factories.graphicsDriver = [&made](OrrelayEngine::Window&) {
        return std::unique_ptr<Platform::GraphicsDriver>(std::move(made));
    };
    Content::FixturePicture red;
    red.width = 8;
    red.height = 8;
    red.channels = 3;
    for (std::uint32_t i = 0; i < red.width * red.height; ++i)
        red.pixels.insert(red.pixels.end(), {230, 20, 10});
    const Content::ByteBuffer picture = Content::BmpFileWriter(red).Build();
    const std::vector<std::uint8_t>& bytes = picture.GetBytes();
    harness.folder.Write("data/ui/red.bmp", std::string(bytes.begin(), bytes.end()));
    harness.folder.Write("data/ui/set.xml",
                         "<resources><shader name=\"red\" diffuse_file_name=\"red.bmp\" /></resources>");
    Engine& engine = harness.Start();

    auto keeper = std::make_unique<DataKeeper>(&engine, English(), true);
    keeper->GetResourceFiles().push_back("data\\ui\\set.xml");
    keeper->Load();
    keeper->WaitForLoad();
    OrrelayEngine::ShaderUser* user = keeper->FindShaderUser("red");
    ASSERT_NE(nullptr, user);
    ASSERT_NE(nullptr, user->GetShader()->GetTexture(0, 0));

    engine.GetGUIManager()->CreateQuadWindow(OrrelayEngine::GUIWindow::kFlagShown, {0.0f, 0.0f}, {800.0f, 600.0f},
                                             *user, nullptr, {1.0f, 1.0f});
    engine.PreFrame();
    engine.UpdateSubsystems();
    std::uint8_t bgra[4] = {};
    ASSERT_EQ(Platform::kGraphicsOk, driver->ReadBackBuffer(400, 300, 1, 1, bgra));
    EXPECT_NEAR(230, bgra[2], 2);
    EXPECT_NEAR(20, bgra[1], 2);
    EXPECT_NEAR(10, bgra[0], 2);
    keeper.reset();
}

} // namespace

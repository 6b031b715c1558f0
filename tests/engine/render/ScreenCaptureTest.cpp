#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/core/Config.h"
#include "engine/file/FileManager.h"
#include "engine/render/RenderSystemTestSupport.h"
#include "engine/render/ScreenCapture.h"
#include "platform/AviTestReader.h"
#include "support/AllocationCounter.h"
#include "support/LogSearch.h"
#include "support/ScratchFolder.h"

namespace OrrelayEngine {
namespace {

class ScreenCaptureTest : public testing::Test
{
protected:
    void SetUp() override
    {
        render_.Start();
        render_.system->Refresh();
        files_ = std::make_unique<FileManager>(&render_.log, folder_.string(), "");
        capture_ = std::make_unique<ScreenCapture>(&render_.log, files_.get(), &render_.config, render_.system.get(),
                                                   (folder_ / "ScreenCaptures").string() + "\\");
    }

    void TearDown() override
    {
        capture_.reset();
        files_.reset();
    }

    void Touch(const std::string& name)
    {
        std::filesystem::create_directories(folder_ / "ScreenCaptures");
        std::ofstream(folder_ / "ScreenCaptures" / name) << "x";
    }

    bool Captured(const std::string& name) const { return std::filesystem::exists(folder_ / "ScreenCaptures" / name); }

    void Issue(const char* command) { render_.config.SetCommandIdle(command, false); }

    std::uint32_t CountLogged(const std::string& text) const { return TestSupport::CountLogged(render_.log, text); }

    std::string NameOf(const std::string& file) const { return (folder_ / "ScreenCaptures").string() + "\\" + file; }

    TestSupport::ScratchFolder scratch_;
    std::filesystem::path folder_ = scratch_.Root();
    RenderTest::NullRenderSystem render_;
    std::unique_ptr<FileManager> files_;
    std::unique_ptr<ScreenCapture> capture_;
};

TEST_F(ScreenCaptureTest, NamesTakeTheFirstFreeNumberOfTheirOwnExtension)
{
    Touch("picture000.bmp");
    Touch("picture001.bmp");
    Touch("movie000.avi");
    struct Case
    {
        std::int32_t format;
        const char* expected;
    };
    const Case cases[] = {{0, "picture002.bmp"}, {1, "picture000.tga"}, {2, "picture000.jpg"}, {-7, "picture000.jpg"}};
    for (const Case& c : cases) {
        capture_->MakeScreenshotName(c.format);
        EXPECT_EQ(capture_->GetFileName(), NameOf(c.expected));
    }
    capture_->MakeMovieName();
    EXPECT_EQ(capture_->GetFileName(), NameOf("movie001.avi"));
    // With every number taken the last one is used again.
    for (int n = 0; n < 1000; ++n) {
        char name[32];
        std::snprintf(name, sizeof(name), "picture%03d.tga", n);
        Touch(name);
    }
    capture_->MakeScreenshotName(1);
    EXPECT_EQ(capture_->GetFileName(), NameOf("picture999.tga"));
}

TEST_F(ScreenCaptureTest, EachCommandSavesTheFormatItsNameSays)
{
    render_.config.GetValues()->screenshotFormat = -3;
    Issue("sc_take_screenshot");
    capture_->Update();
    EXPECT_EQ(render_.config.GetValues()->screenshotFormat, 0);
    EXPECT_TRUE(render_.config.IsCommandIdle("sc_take_screenshot"));
    EXPECT_TRUE(Captured("picture000.bmp"));

    Issue("sc_take_screenshot_tga");
    capture_->Update();
    EXPECT_TRUE(Captured("picture000.tga"));
    Issue("sc_take_screenshot_jpg");
    capture_->Update();
    EXPECT_TRUE(Captured("picture000.jpg"));
    render_.config.GetValues()->screenshotFormat = 2;
    Issue("sc_take_screenshot");
    capture_->Update();
    EXPECT_TRUE(Captured("picture001.jpg"));

    // What was written reads back as a picture of the screen's size.
    for (const char* name : {"picture000.bmp", "picture000.tga", "picture000.jpg"}) {
        Image image;
        ASSERT_TRUE(image.Load(&render_.log, files_.get(), NameOf(name))) << name;
        EXPECT_EQ(image.GetWidth(), render_.system->GetCurrentMode()->width);
    }
    // A frame without a command writes nothing.
    capture_->Update();
    EXPECT_FALSE(Captured("picture002.jpg"));
    EXPECT_FALSE(Captured("picture001.bmp"));
}

TEST_F(ScreenCaptureTest, MovieFramesStayConsecutiveAroundScreenshotsAndRepeatedCommands)
{
    Issue("sc_stop_movie_record");
    capture_->Update();
    EXPECT_EQ(CountLogged("AVI record finished"), 0u);

    Issue("sc_start_movie_record");
    capture_->Update();
    ASSERT_TRUE(capture_->IsRecording());
    EXPECT_EQ(CountLogged("AVI recording is starting..."), 1u);
    EXPECT_EQ(capture_->GetFrameNumber(), 1);
    Issue("sc_start_movie_record");
    capture_->Update();
    EXPECT_EQ(CountLogged("AVI recording was already started"), 1u);
    EXPECT_EQ(capture_->GetFrameNumber(), 2);

    Issue("sc_take_screenshot");
    capture_->Update();
    EXPECT_EQ(capture_->GetFrameNumber(), 2);
    capture_->Update();
    EXPECT_EQ(capture_->GetFrameNumber(), 3);
    Issue("sc_stop_movie_record");
    capture_->Update();
    EXPECT_FALSE(capture_->IsRecording());
    EXPECT_EQ(CountLogged("AVI record finished"), 1u);
    // The repeated start is the only error.
    EXPECT_EQ(CountLogged("Error"), 1u);

    const PlatformTests::AviTestReader movie((folder_ / "ScreenCaptures" / "movie000.avi").string());
    ASSERT_TRUE(movie.valid) << movie.error;
    EXPECT_EQ(movie.totalFrames, 3u);
    EXPECT_EQ(movie.frames.size(), 3u);
    EXPECT_EQ(movie.rate, ScreenCapture::kMovieFramesPerSecond);
    EXPECT_EQ(movie.width, render_.system->GetCurrentMode()->width);
    EXPECT_EQ(movie.bitCount, 24u);
}

TEST_F(ScreenCaptureTest, WithoutAPictureNothingIsWrittenAndTheFailureIsLogged)
{
    ScreenCapture blind(&render_.log, files_.get(), &render_.config, nullptr, (folder_ / "Blind").string());
    Issue("sc_take_screenshot_tga");
    blind.Update();
    EXPECT_EQ(CountLogged("Failed to print image from screen"), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Blind"));
    Issue("sc_start_movie_record");
    blind.Update();
    EXPECT_EQ(CountLogged("Failed to create avi stream"), 1u);
    EXPECT_FALSE(blind.IsRecording());
}

TEST_F(ScreenCaptureTest, FramesWithoutACommandAllocateNothing)
{
    for (int frame = 0; frame < 3; ++frame) {
        capture_->Update();
    }
    TestSupport::ScopedAllocationCount idle;
    for (int frame = 0; frame < 50; ++frame) {
        capture_->Update();
    }
    EXPECT_EQ(idle.Count(), 0u) << "polling the commands";

    // A recording frame writes to the movie it opened at the start, and takes
    // no memory for it.
    Issue("sc_start_movie_record");
    for (int frame = 0; frame < 3; ++frame) {
        capture_->Update();
    }
    TestSupport::ScopedAllocationCount recording;
    for (int frame = 0; frame < 10; ++frame) {
        capture_->Update();
    }
    EXPECT_EQ(recording.Count(), 0u) << "recording";
    EXPECT_EQ(capture_->GetFrameNumber(), 13);
}

} // namespace
} // namespace OrrelayEngine

#include "platform/Shell.h"

#include "ScopedEnvironment.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <sys/stat.h>

namespace {

using PlatformTests::ScopedEnvironment;
using PlatformTests::TemporaryFolder;

class ShellTest : public testing::Test
{
protected:
    void TearDown() override { Platform::SetWebOpenMode(Platform::WebOpenMode::Disabled); }
};

TEST_F(ShellTest, RecordModeKeepsAddressesSinceItWasSet)
{
    Platform::SetWebOpenMode(Platform::WebOpenMode::Record);
    EXPECT_TRUE(Platform::OpenWebAddress("https://stats.example.org/stats/quillory.html"));
    EXPECT_TRUE(Platform::OpenWebAddress("https://example.org/"));
    EXPECT_FALSE(Platform::OpenWebAddress("")) << "an empty address is never handed on";
    EXPECT_FALSE(Platform::OpenWebAddress("--help")) << "an address must not read as an option";
    EXPECT_EQ(Platform::GetRecordedWebAddresses(),
              (std::vector<std::string>{"https://stats.example.org/stats/quillory.html", "https://example.org/"}));

    Platform::SetWebOpenMode(Platform::WebOpenMode::Record);
    EXPECT_TRUE(Platform::GetRecordedWebAddresses().empty());
}

TEST_F(ShellTest, DisabledModeHandsNothingOn)
{
    Platform::SetWebOpenMode(Platform::WebOpenMode::Record);
    Platform::SetWebOpenMode(Platform::WebOpenMode::Disabled);
    EXPECT_FALSE(Platform::OpenWebAddress("https://example.org/"));
    EXPECT_TRUE(Platform::GetRecordedWebAddresses().empty());
}

// A stand-in launcher on PATH that writes down its argument, so the real
// detached start is exercised without a browser.
TEST_F(ShellTest, LaunchStartsLauncherFromPathDetached)
{
    TemporaryFolder temp;
    const std::string marker = temp.Path() + "/opened.txt";
    const std::string launcher = temp.Write("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + marker +
                                                                ".part'\nmv '" + marker + ".part' '" + marker + "'\n");
    chmod(launcher.c_str(), 0755);

    ScopedEnvironment env;
    env.Set("PATH", temp.Path() + "/empty:" + temp.Path() + "/bin:/usr/bin:/bin");
    Platform::SetWebOpenMode(Platform::WebOpenMode::Launch);
    EXPECT_TRUE(Platform::OpenWebAddress("https://example.org/a b"));

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(marker) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream file(marker);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()),
              "https://example.org/a b");

    env.Set("PATH", temp.Path() + "/empty");
    EXPECT_FALSE(Platform::OpenWebAddress("https://example.org/")) << "no launcher, nothing started";
}

} // namespace

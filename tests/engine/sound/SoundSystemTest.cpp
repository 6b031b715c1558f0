#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SoundTestFixture.h"
#include "engine/core/Error.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/AudioDevice.h"
#include "support/ScopedPlatformFailure.h"

namespace SoundTests {
namespace {

using OrrelayEngine::Error;
using OrrelayEngine::SoundManager;
using OrrelayEngine::SoundSystem_DS7;
using Platform::AudioFailure;

class SoundSystemTest : public SoundTest
{
protected:
    std::unique_ptr<SoundSystem_DS7> MakeSystem(bool use3D)
    {
        return std::make_unique<SoundSystem_DS7>(log_.get(), files_.get(), timers_.get(), nullptr, nullptr, use3D);
    }
};

TEST_F(SoundSystemTest, StartUpLogsEveryStepInOrder)
{
    {
        auto system = MakeSystem(true);
        EXPECT_TRUE(system->Is3D());
        EXPECT_TRUE(system->HasListener());
        EXPECT_FLOAT_EQ(system->GetListenerFront().z, -1.0f);
        EXPECT_FLOAT_EQ(system->GetListenerTop().y, 1.0f);
    }
    const std::vector<std::string> expected{
        "\nInitialization of DirectSound Subsystem:",
        "...Creating a device...",
        "...Set cooperative level...",
        "...Create primary buffer...",
        "...Set primary buffer format...",
        "...Get the 3D listener from the primary buffer...",
        "",
        "DirectSound system destroying:",
        "...Releasing 3D listener...",
        "...Releasing primary buffer...",
        "...Releasing device...",
    };
    EXPECT_EQ(Messages(), expected);
}

TEST_F(SoundSystemTest, FailedStepLogsReleasesAndThrows)
{
    struct Case
    {
        AudioFailure failure;
        const char* error;
    };
    const Case cases[] = {
        {AudioFailure::kOpen, "Error: Failed to create a device!"},
        {AudioFailure::kCooperativeLevel, "Error: Failed to set cooperative level!"},
        {AudioFailure::kPrimaryBuffer, "Error: Failed to create primary buffer!"},
        {AudioFailure::kPrimaryFormat, "Error: Failed to set primary buffer format!"},
    };
    for (const Case& c : cases) {
        log_->ClearMessages();
        const TestSupport::ScopedPlatformFailure failure(c.failure);
        bool thrown = false;
        try {
            MakeSystem(false);
        } catch (const Error& error) {
            thrown = true;
            EXPECT_EQ(error.GetMessage(), "");
        }
        EXPECT_TRUE(thrown) << c.error;
        const auto messages = Messages();
        ASSERT_GE(messages.size(), 4u);
        EXPECT_EQ(messages[messages.size() - 5], std::string(c.error) + "\n") << c.error;
        EXPECT_EQ(messages[messages.size() - 4], "DirectSound system destroying:");
        EXPECT_EQ(messages.back(), "...Releasing device...");
    }
}

TEST_F(SoundSystemTest, NoDeviceMeansASilentGame)
{
    const TestSupport::ScopedPlatformFailure failOpen(AudioFailure::kOpen);
    std::unique_ptr<SoundSystem_DS7> system;
    std::unique_ptr<SoundManager> manager;
    try {
        system = MakeSystem(true);
        manager = std::make_unique<SoundManager>(log_.get(), files_.get(), system.get());
    } catch (const Error&) {
        // The engine's guard: no sound system and no sound manager.
    }
    EXPECT_EQ(system, nullptr);
    EXPECT_EQ(manager, nullptr);
    EXPECT_TRUE(Logged("Failed to create a device"));
}

TEST_F(SoundSystemTest, MissingListenerTurnsThreeDOff)
{
    const TestSupport::ScopedPlatformFailure failListener(AudioFailure::kListener);
    auto system = MakeSystem(true);
    EXPECT_FALSE(system->Is3D());
    EXPECT_FALSE(system->HasListener());
    EXPECT_TRUE(Logged("Error: Failed to get the 3D listener from the primary buffer!"));
    // Refresh touches no listener and reports nothing.
    log_->ClearMessages();
    system->Refresh();
    EXPECT_EQ(log_->GetMessageCount(), 0u);
}

TEST_F(SoundSystemTest, RefreshRestoresALostPrimaryBuffer)
{
    auto system = MakeSystem(true);
    system->GetDevice()->SimulateLoss();
    log_->ClearMessages();
    system->Refresh();
    EXPECT_EQ(log_->GetMessageCount(), 0u);
    system->CheckResult("Test", Platform::kAudioErrBufferLost);
    EXPECT_TRUE(Logged("Error: DirectSound Subsystem (Test): The buffer memory has been lost and must be restored.!"));
}

TEST_F(SoundSystemTest, ResultTextsCoverTheTableAndUnknownCodes)
{
    struct Case
    {
        Platform::AudioResult code;
        const char* text;
    };
    const Case cases[] = {
        {Platform::kAudioErrNoDriver, "No sound driver is available for use."},
        {Platform::kAudioErrInvalidParam, "An invalid parameter was passed to the returning function."},
        {Platform::kAudioErrBadFormat, "The specified wave format is not supported."},
        {Platform::kAudioErrControlUnavailable,
         "The buffer control (volume, pan, and so on) requested by the caller is not available."},
        {static_cast<Platform::AudioResult>(0x887800AAu),
         "The IDirectSound::Initialize method has not been called or has not been called successfully before other "
         "methods were called."},
        {-5, "Unknown error (Code: -5)"},
        {static_cast<Platform::AudioResult>(0x88780001u), "Unknown error (Code: -2005401599)"},
        {7, "Unknown error (Code: 7)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SoundSystem_DS7::GetResultText(c.code), c.text);
    }
    auto system = MakeSystem(false);
    log_->ClearMessages();
    system->CheckResult("Op", Platform::kAudioOk);
    EXPECT_EQ(log_->GetMessageCount(), 0u);
    system->CheckResult("Op", 7);
    EXPECT_TRUE(Logged("Error: DirectSound Subsystem (Op): Unknown error (Code: 7)!"));
}

} // namespace
} // namespace SoundTests

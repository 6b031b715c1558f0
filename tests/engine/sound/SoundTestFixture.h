// Shared set-up of the sound tests: a log kept in memory, a file layer over a
// fresh temporary folder, and the platform audio device switched to manual
// output so that nothing plays unless a test mixes it.
#pragma once

#include "support/ScratchFolder.h"
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/PackWriter.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileManager.h"
#include "platform/AudioDevice.h"
#include "support/LogSearch.h"

namespace SoundTests {

class SoundTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Manual);
        Platform::AudioDevice::SetFailureForTests(Platform::AudioFailure::kNone);
        log_ = std::make_unique<OrrelayEngine::MessageManager>("Test", false, false, "", "");
        log_->SetSpacing(false);
        files_ = std::make_unique<OrrelayEngine::FileManager>(log_.get(), folder_.string(), "");
        timers_ = std::make_unique<OrrelayEngine::TimerManager>();
        log_->ClearMessages();
    }

    void TearDown() override
    {
        Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Sdl);
        Platform::AudioDevice::SetFailureForTests(Platform::AudioFailure::kNone);
        std::error_code ignored;
    }

    // Writes a file in the test folder and returns its absolute engine path.
    std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        const std::string path = (folder_ / name).string();
        Content::PackWriter::SaveBytes(path, bytes);
        return path;
    }

    bool Logged(const std::string& text) const { return TestSupport::Logged(*log_, text); }

    std::vector<std::string> Messages() const { return TestSupport::LoggedTexts(*log_); }

    TestSupport::ScratchFolder scratch_;
    std::filesystem::path folder_ = scratch_.Root();
    std::unique_ptr<OrrelayEngine::MessageManager> log_;
    std::unique_ptr<OrrelayEngine::FileManager> files_;
    std::unique_ptr<OrrelayEngine::TimerManager> timers_;
};

} // namespace SoundTests

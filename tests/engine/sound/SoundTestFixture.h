// Shared set-up of the sound tests: a log kept in memory, a file layer over a
// fresh temporary folder, and the platform audio device switched to manual
// output so that nothing plays unless a test mixes it.
#pragma once

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

namespace SoundTests {

class SoundTest : public testing::Test
{
protected:
    void SetUp() override
    {
        static std::atomic<int> counter{0};
        folder_ = std::filesystem::temp_directory_path() /
                  ("quillory_sound_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
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
        std::filesystem::remove_all(folder_, ignored);
    }

    // Writes a file in the test folder and returns its absolute engine path.
    std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        const std::string path = (folder_ / name).string();
        Content::PackWriter::SaveBytes(path, bytes);
        return path;
    }

    bool Logged(const std::string& text) const
    {
        for (std::uint32_t i = 0; i < log_->GetMessageCount(); ++i) {
            if (log_->GetMessageAt(i).text.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (std::uint32_t i = 0; i < log_->GetMessageCount(); ++i) {
            texts.push_back(log_->GetMessageAt(i).text);
        }
        return texts;
    }

    std::filesystem::path folder_;
    std::unique_ptr<OrrelayEngine::MessageManager> log_;
    std::unique_ptr<OrrelayEngine::FileManager> files_;
    std::unique_ptr<OrrelayEngine::TimerManager> timers_;
};

} // namespace SoundTests

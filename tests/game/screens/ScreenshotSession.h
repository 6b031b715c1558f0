// What a screenshot test holds while it runs: the built data set installed in
// a scratch folder, a start-up environment over it, the game drawn at the
// chosen size, and the folder the pictures are written to; frames of a fixed
// length on the manual clock.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "platform/Clock.h"
#include "tests/game/StartUpEnvironment.h"
#include "tests/game/screens/ScreenshotGame.h"

namespace ScreenTests {

class ScreenshotSession
{
protected:
    explicit ScreenshotSession(std::uint64_t frameMicroseconds) : frameMicroseconds_(frameMicroseconds) {}

    void Open(std::uint32_t width, std::uint32_t height)
    {
        env_ = std::make_unique<GameTests::StartUpEnvironment>(GameTests::InstallBuiltDataSet(installation_), true);
        try {
            game_ = std::make_unique<ScreenshotGame>(width, height);
        } catch (const OrrelayEngine::FatalError& error) {
            FAIL() << error.GetMessage();
        } catch (const OrrelayEngine::FileError& error) {
            FAIL() << error.GetMessage();
        }
        folder_ = std::filesystem::path(QUILLORY_BUILD_DIR) / "screenshots";
        std::filesystem::create_directories(folder_);
    }

    void Close()
    {
        game_.reset();
        env_.reset();
    }

    void Frame()
    {
        Platform::AdvanceManualClock(frameMicroseconds_);
        game_->Frame();
    }

    // Frames until the condition holds; false after the limit.
    bool StepUntil(const std::function<bool()>& condition, int limit)
    {
        for (int i = 0; i < limit; ++i) {
            if (condition()) {
                return true;
            }
            Frame();
        }
        return condition();
    }

    TestSupport::ScratchFolder installation_;
    std::unique_ptr<GameTests::StartUpEnvironment> env_;
    std::unique_ptr<ScreenshotGame> game_;
    std::filesystem::path folder_;

private:
    std::uint64_t frameMicroseconds_;
};

} // namespace ScreenTests

#include "platform/MessageBox.h"

#include "ScopedEnvironment.h"

#include <gtest/gtest.h>

namespace {

using PlatformTests::ScopedEnvironment;

TEST(MessageBox, WithoutUsableDisplayGoesToStandardError)
{
    const struct
    {
        std::optional<std::string> driver;
        std::optional<std::string> display;
        std::optional<std::string> wayland;
    } cases[] = {
        {std::string("offscreen"), std::nullopt, std::nullopt},
        {std::string("dummy"), std::nullopt, std::nullopt},
        // A headless driver wins over a display that happens to be set.
        {std::string("offscreen"), std::string(":0"), std::nullopt},
        {std::string("Dummy"), std::nullopt, std::string("wayland-0")},
        {std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        ScopedEnvironment env;
        env.Set("SDL_VIDEODRIVER", c.driver);
        env.Set("DISPLAY", c.display);
        env.Set("WAYLAND_DISPLAY", c.wayland);

        testing::internal::CaptureStderr();
        Platform::ShowMessageBox("Fatal Error", "Failed to open \"data\\pack0.pak\" file",
                                 Platform::MessageBoxIcon::Error);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fatal Error: Failed to open \"data\\pack0.pak\" file\n")
            << c.driver.value_or("(no driver)") << " " << c.display.value_or("(no display)");
    }
}

} // namespace

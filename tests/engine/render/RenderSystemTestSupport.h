// A render system over the null graphics driver, with a log kept in memory and
// a configuration that reads no file, for tests of the cache, the start-up and
// the reset path.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/render/DeviceTexture.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "platform/GraphicsDeviceNull.h"
#include "platform/GraphicsDriverNull.h"
#include "support/LogSearch.h"

namespace RenderTest {

class NullRenderSystem
{
public:
    NullRenderSystem() : log("Test", false, false, "", ""), config(&log, nullptr, "folder", "", false, "", false, false)
    {
        log.SetSpacing(false);
        auto made = std::make_unique<Platform::GraphicsDriverNull>();
        driver = made.get();
        pendingDriver = std::move(made);
    }

    // Builds the render system over the driver as configured so far.
    OrrelayEngine::RenderSystem_D3D7& Start(bool stencil = true, bool keepWindowSize = false)
    {
        system = std::make_unique<OrrelayEngine::RenderSystem_D3D7>(&log, &config, nullptr, stencil, keepWindowSize,
                                                                    std::move(pendingDriver));
        return *system;
    }

    Platform::GraphicsDeviceNull& Device() { return *driver->GetDevice(); }

    bool Logged(const std::string& text) const { return TestSupport::Logged(log, text); }

    std::uint32_t IndexOfMessage(const std::string& exact) const
    {
        for (std::uint32_t i = 0; i < log.GetMessageCount(); ++i) {
            if (log.GetMessageAt(i).text == exact) {
                return i;
            }
        }
        return 0xFFFFFFFFu;
    }

    OrrelayEngine::MessageManager log;
    OrrelayEngine::Config config;
    Platform::GraphicsDriverNull* driver;
    std::unique_ptr<Platform::GraphicsDriverNull> pendingDriver;
    std::unique_ptr<OrrelayEngine::RenderSystem_D3D7> system;
};

// A texture that only counts what the render system asks of it.
class CountingTexture : public OrrelayEngine::DeviceTexture
{
public:
    Platform::TextureSurface* GetSurface() override { return nullptr; }
    void ReleaseSurface() override { ++releases; }
    void Restore() override { ++restores; }
    const std::string& GetName() const override { return name; }

    std::string name = "wood.bmp";
    int releases = 0;
    int restores = 0;
};

} // namespace RenderTest

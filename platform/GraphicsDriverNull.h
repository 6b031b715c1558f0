// A graphics driver with no output, for tests. By default it reports one
// primary adapter with a 1024x768x32 desktop, the usual 4:3 modes at 16 and
// 32 bits, a hardware transform-and-lighting device and a software device,
// and depth formats 16, 32 and 32 with 8 stencil bits. Tests replace what it
// reports and make single steps fail, so that every choice and fall-back of
// the render system can be reached.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/GraphicsDriver.h"

namespace Platform {

class GraphicsDeviceNull;

class GraphicsDriverNull : public GraphicsDriver
{
public:
    enum class Step
    {
        OpenAdapter,
        SetCooperativeLevel,
        GetDisplayMode,
        SetDisplayMode,
        CreateScreenBuffers,
        Present,
        Count
    };

    GraphicsDriverNull();
    ~GraphicsDriverNull() override;

    std::vector<AdapterDescription> EnumerateAdapters() override;
    GraphicsResult OpenAdapter(std::uint32_t adapter) override;
    void CloseAdapter() override;
    GraphicsResult SetCooperativeLevel(bool fullScreen) override;
    GraphicsResult GetDisplayMode(DisplayMode& mode) override;
    GraphicsResult SetDisplayMode(const DisplayMode& mode) override;
    GraphicsResult CreateScreenBuffers(std::uint32_t width, std::uint32_t height, bool fullScreen) override;
    void ReleaseScreenBuffers() override;
    std::vector<ZBufferFormat> EnumerateZBufferFormats(std::uint32_t device) override;
    GraphicsResult CreateDevice(std::uint32_t device, std::unique_ptr<GraphicsDevice>& out) override;
    GraphicsResult Present(bool waitForVerticalBlank) override;
    GraphicsResult ReadBackBuffer(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height,
                                  std::uint8_t* pixels) override;

    // What the driver reports and how its steps answer.
    void SetAdapters(const std::vector<AdapterDescription>& adapters) { adapters_ = adapters; }
    void SetZBufferFormats(const std::vector<ZBufferFormat>& formats) { zBufferFormats_ = formats; }
    void SetStepResult(Step step, GraphicsResult result);
    // Creating the device of this index (on the open adapter) answers result.
    void SetDeviceCreationResult(std::uint32_t device, GraphicsResult result);

    // What the tests read. The device is borrowed from whoever created it and is
    // null once it is destroyed.
    GraphicsDeviceNull* GetDevice() const { return device_; }
    std::uint32_t GetOpenAdapter() const { return openAdapter_; }
    bool IsFullScreen() const { return fullScreen_; }
    const DisplayMode& GetScreenBufferSize() const { return screenBuffers_; }
    std::uint32_t GetCreateDeviceCount() const { return createDeviceCount_; }
    std::uint32_t GetPresentCount() const { return presentCount_; }
    bool GetLastPresentWaited() const { return lastPresentWaited_; }
    std::uint32_t GetRestoreCount() const { return restoreCount_; }

    GraphicsResult RestoreAllSurfaces() override;

    // Called by the device as it goes.
    void ForgetDevice(const GraphicsDeviceNull* device);

private:
    static constexpr std::uint32_t kNoAdapter = 0xFFFFFFFFu;

    std::vector<AdapterDescription> adapters_;
    std::vector<ZBufferFormat> zBufferFormats_;
    std::array<GraphicsResult, static_cast<std::size_t>(Step::Count)> stepResults_{};
    std::vector<GraphicsResult> deviceCreationResults_;
    GraphicsDeviceNull* device_ = nullptr;
    std::uint32_t openAdapter_ = kNoAdapter;
    bool fullScreen_ = false;
    DisplayMode displayMode_;
    DisplayMode screenBuffers_;
    std::uint32_t createDeviceCount_ = 0;
    std::uint32_t presentCount_ = 0;
    bool lastPresentWaited_ = false;
    std::uint32_t restoreCount_ = 0;
};

} // namespace Platform

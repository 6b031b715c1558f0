#include "platform/GraphicsDriverNull.h"

#include <cstring>

#include "platform/GraphicsDeviceNull.h"

namespace Platform {

namespace {

// Lets the driver forget a device that the render system destroys first.
class TrackedDeviceNull : public GraphicsDeviceNull
{
public:
    TrackedDeviceNull(const DeviceDescription& description, GraphicsDriverNull* driver)
        : GraphicsDeviceNull(description, driver), owner_(driver)
    {}
    ~TrackedDeviceNull() override { owner_->ForgetDevice(this); }

private:
    GraphicsDriverNull* owner_;
};

DeviceDescription MakeNullDevice(const char* name, DeviceKind kind, bool hardware)
{
    DeviceDescription device;
    device.name = name;
    device.description = name;
    device.kind = kind;
    device.hardwareRasterization = hardware;
    device.renderDepths = kRenderDepth16 | kRenderDepth24 | kRenderDepth32;
    device.maxTextureWidth = 2048;
    device.maxTextureHeight = 2048;
    device.maxSimultaneousTextures = 8;
    device.maxAnisotropy = 16;
    device.maxActiveLights = kMaxLights;
    return device;
}

} // namespace

GraphicsDriverNull::GraphicsDriverNull()
{
    AdapterDescription adapter;
    adapter.description = "Null display driver";
    adapter.primary = true;
    adapter.canRenderWindowed = true;
    adapter.desktopMode = DisplayMode{1024, 768, 32, 60};
    const std::uint32_t sizes[][2] = {{640, 480}, {800, 600}, {1024, 768}};
    for (const auto& size : sizes) {
        for (std::uint32_t bits : {16u, 32u}) {
            adapter.displayModes.push_back(DisplayMode{size[0], size[1], bits, 60});
        }
    }
    adapter.devices.push_back(MakeNullDevice("Null hardware device", DeviceKind::HardwareTransformAndLighting, true));
    adapter.devices.push_back(MakeNullDevice("Null software device", DeviceKind::Software, false));
    adapters_.push_back(adapter);
    zBufferFormats_ = {ZBufferFormat{16, 0}, ZBufferFormat{32, 0}, ZBufferFormat{32, 8}};
    displayMode_ = adapter.desktopMode;
}

GraphicsDriverNull::~GraphicsDriverNull() = default;

std::vector<AdapterDescription> GraphicsDriverNull::EnumerateAdapters()
{
    return adapters_;
}

GraphicsResult GraphicsDriverNull::OpenAdapter(std::uint32_t adapter)
{
    const GraphicsResult result = stepResults_[static_cast<std::size_t>(Step::OpenAdapter)];
    if (GraphicsFailed(result)) {
        return result;
    }
    if (adapter >= adapters_.size()) {
        return kGraphicsErrInvalidParams;
    }
    openAdapter_ = adapter;
    displayMode_ = adapters_[adapter].desktopMode;
    ClearDeviceLoss();
    return kGraphicsOk;
}

void GraphicsDriverNull::CloseAdapter()
{
    ReleaseScreenBuffers();
    openAdapter_ = kNoAdapter;
    ClearDeviceLoss();
}

GraphicsResult GraphicsDriverNull::SetCooperativeLevel(bool fullScreen)
{
    const GraphicsResult result = stepResults_[static_cast<std::size_t>(Step::SetCooperativeLevel)];
    if (!GraphicsFailed(result)) {
        fullScreen_ = fullScreen;
    }
    return result;
}

GraphicsResult GraphicsDriverNull::GetDisplayMode(DisplayMode& mode)
{
    mode = displayMode_;
    return stepResults_[static_cast<std::size_t>(Step::GetDisplayMode)];
}

GraphicsResult GraphicsDriverNull::SetDisplayMode(const DisplayMode& mode)
{
    const GraphicsResult result = stepResults_[static_cast<std::size_t>(Step::SetDisplayMode)];
    if (!GraphicsFailed(result)) {
        displayMode_ = mode;
    }
    return result;
}

GraphicsResult GraphicsDriverNull::CreateScreenBuffers(std::uint32_t width, std::uint32_t height, bool fullScreen)
{
    const GraphicsResult result = stepResults_[static_cast<std::size_t>(Step::CreateScreenBuffers)];
    if (GraphicsFailed(result)) {
        return result;
    }
    if (openAdapter_ == kNoAdapter) {
        return kGraphicsErrInvalidObject;
    }
    screenBuffers_ = DisplayMode{width, height, displayMode_.bitsPerPixel, 0};
    fullScreen_ = fullScreen;
    return kGraphicsOk;
}

void GraphicsDriverNull::ReleaseScreenBuffers()
{
    screenBuffers_ = DisplayMode{};
}

std::vector<ZBufferFormat> GraphicsDriverNull::EnumerateZBufferFormats(std::uint32_t)
{
    return zBufferFormats_;
}

GraphicsResult GraphicsDriverNull::CreateDevice(std::uint32_t device, std::unique_ptr<GraphicsDevice>& out)
{
    out.reset();
    ++createDeviceCount_;
    if (openAdapter_ == kNoAdapter || device >= adapters_[openAdapter_].devices.size()) {
        return kGraphicsErrInvalidParams;
    }
    if (device < deviceCreationResults_.size() && GraphicsFailed(deviceCreationResults_[device])) {
        return deviceCreationResults_[device];
    }
    auto created = std::make_unique<TrackedDeviceNull>(adapters_[openAdapter_].devices[device], this);
    device_ = created.get();
    out = std::move(created);
    return kGraphicsOk;
}

GraphicsResult GraphicsDriverNull::Present(bool waitForVerticalBlank)
{
    ++presentCount_;
    lastPresentWaited_ = waitForVerticalBlank;
    if (AreSurfacesLost()) {
        return kGraphicsErrSurfaceLost;
    }
    return stepResults_[static_cast<std::size_t>(Step::Present)];
}

GraphicsResult GraphicsDriverNull::ReadBackBuffer(std::uint32_t, std::uint32_t, std::uint32_t width,
                                                  std::uint32_t height, std::uint8_t* pixels)
{
    if (pixels == nullptr) {
        return kGraphicsErrInvalidParams;
    }
    std::memset(pixels, 0, static_cast<std::size_t>(width) * height * 4);
    return kGraphicsOk;
}

void GraphicsDriverNull::SetStepResult(Step step, GraphicsResult result)
{
    stepResults_[static_cast<std::size_t>(step)] = result;
}

void GraphicsDriverNull::SetDeviceCreationResult(std::uint32_t device, GraphicsResult result)
{
    if (device >= deviceCreationResults_.size()) {
        deviceCreationResults_.resize(device + 1, kGraphicsOk);
    }
    deviceCreationResults_[device] = result;
}

GraphicsResult GraphicsDriverNull::RestoreAllSurfaces()
{
    ++restoreCount_;
    return GraphicsDriver::RestoreAllSurfaces();
}

void GraphicsDriverNull::ForgetDevice(const GraphicsDeviceNull* device)
{
    if (device_ == device) {
        device_ = nullptr;
    }
}

} // namespace Platform

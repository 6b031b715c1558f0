// The graphics driver: what the engine enumerates (adapters, their devices
// and display modes, depth-buffer and texture formats) and the screen it draws
// to (cooperative level, display mode, screen buffers, present, lost surfaces).
// It makes the drawing device and texture surfaces.
//
// Two implementations: GraphicsDriverGL on an OpenGL context through SDL, and
// GraphicsDriverNull, which draws nothing and lets tests choose what it reports.
// Both can simulate a lost device so that the reset path is testable: until the
// adapter is opened again (or the loss is ended), TestCooperativeLevel answers the
// simulated code, and scene, present and restore calls answer kGraphicsErrSurfaceLost
// until RestoreAllSurfaces succeeds.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/GraphicsResult.h"
#include "platform/GraphicsTypes.h"
#include "platform/TextureSurface.h"

namespace Platform {

class GraphicsDevice;

class GraphicsDriver
{
public:
    virtual ~GraphicsDriver();

    virtual std::vector<AdapterDescription> EnumerateAdapters() = 0;

    // The adapter the following calls refer to; CloseAdapter releases the screen
    // buffers and ends a simulated loss.
    virtual GraphicsResult OpenAdapter(std::uint32_t adapter) = 0;
    virtual void CloseAdapter() = 0;

    virtual GraphicsResult SetCooperativeLevel(bool fullScreen) = 0;
    virtual GraphicsResult GetDisplayMode(DisplayMode& mode) = 0;
    virtual GraphicsResult SetDisplayMode(const DisplayMode& mode) = 0;
    virtual GraphicsResult CreateScreenBuffers(std::uint32_t width, std::uint32_t height, bool fullScreen) = 0;
    virtual void ReleaseScreenBuffers() = 0;

    virtual std::vector<ZBufferFormat> EnumerateZBufferFormats(std::uint32_t device) = 0;
    // The texel formats of the CPU texture surfaces every driver shares.
    virtual std::vector<PixelFormat> EnumerateTextureFormats();
    // The device draws into the screen buffers; it must be destroyed before they are released.
    virtual GraphicsResult CreateDevice(std::uint32_t device, std::unique_ptr<GraphicsDevice>& out) = 0;

    // Safe on any thread.
    GraphicsResult CreateTextureSurface(const TextureSurfaceDescription& description,
                                        std::unique_ptr<TextureSurface>& out);

    virtual GraphicsResult TestCooperativeLevel();
    virtual GraphicsResult RestoreAllSurfaces();
    // Shows the back buffer: flips in full screen, copies to the window otherwise.
    virtual GraphicsResult Present(bool waitForVerticalBlank) = 0;
    // The back buffer as it stands, rows top-down, 4 bytes per pixel B, G, R, A.
    virtual GraphicsResult ReadBackBuffer(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height,
                                          std::uint8_t* pixels) = 0;

    // Test hooks: lose the device (cooperativeLevelResult is what TestCooperativeLevel
    // answers meanwhile, kGraphicsOk when only the surfaces are lost), and end it.
    void SimulateDeviceLoss(GraphicsResult cooperativeLevelResult);
    void EndDeviceLossSimulation();
    bool AreSurfacesLost() const { return surfacesLost_; }

protected:
    void ClearDeviceLoss();

private:
    GraphicsResult lossResult_ = kGraphicsOk;
    bool surfacesLost_ = false;
};

} // namespace Platform

#include "platform/GraphicsDriver.h"

namespace Platform {

GraphicsDriver::~GraphicsDriver() = default;

std::vector<PixelFormat> GraphicsDriver::EnumerateTextureFormats()
{
    PixelFormat argb8888{32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, true, false, false, 0};
    PixelFormat xrgb8888{32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0, false, false, false, 0};
    PixelFormat rgb565{16, 0xF800, 0x07E0, 0x001F, 0, false, false, false, 0};
    PixelFormat argb1555{16, 0x7C00, 0x03E0, 0x001F, 0x8000, true, false, false, 0};
    PixelFormat argb4444{16, 0x0F00, 0x00F0, 0x000F, 0xF000, true, false, false, 0};
    return {argb8888, xrgb8888, rgb565, argb1555, argb4444};
}

GraphicsResult GraphicsDriver::CreateTextureSurface(const TextureSurfaceDescription& description,
                                                    std::unique_ptr<TextureSurface>& out)
{
    return TextureSurface::Create(description, out);
}

GraphicsResult GraphicsDriver::TestCooperativeLevel()
{
    return lossResult_;
}

GraphicsResult GraphicsDriver::RestoreAllSurfaces()
{
    if (GraphicsFailed(lossResult_)) {
        return lossResult_;
    }
    surfacesLost_ = false;
    return kGraphicsOk;
}

void GraphicsDriver::SimulateDeviceLoss(GraphicsResult cooperativeLevelResult)
{
    lossResult_ = cooperativeLevelResult;
    surfacesLost_ = true;
}

void GraphicsDriver::EndDeviceLossSimulation()
{
    lossResult_ = kGraphicsOk;
}

void GraphicsDriver::ClearDeviceLoss()
{
    lossResult_ = kGraphicsOk;
    surfacesLost_ = false;
}

} // namespace Platform

#include "platform/GraphicsDriver.h"

namespace Platform {

GraphicsDriver::~GraphicsDriver() = default;

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

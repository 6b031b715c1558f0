// Result codes of the graphics services. They carry the numbers of the
// DirectDraw codes the engine's result-text table knows, so that the engine's
// error paths and log texts stay meaningful over OpenGL. 0 is success; every
// failure is negative.
#pragma once

#include <cstdint>

namespace Platform {

using GraphicsResult = std::int32_t;

constexpr GraphicsResult kGraphicsOk = 0;
constexpr GraphicsResult kGraphicsErrUnsupported = static_cast<GraphicsResult>(0x80004001u);
constexpr GraphicsResult kGraphicsErrGeneric = static_cast<GraphicsResult>(0x80004005u);
constexpr GraphicsResult kGraphicsErrOutOfMemory = static_cast<GraphicsResult>(0x8007000Eu);
constexpr GraphicsResult kGraphicsErrInvalidParams = static_cast<GraphicsResult>(0x80070057u);
constexpr GraphicsResult kGraphicsErrInvalidMode = static_cast<GraphicsResult>(0x88760078u);
constexpr GraphicsResult kGraphicsErrInvalidObject = static_cast<GraphicsResult>(0x88760082u);
constexpr GraphicsResult kGraphicsErrInvalidPixelFormat = static_cast<GraphicsResult>(0x88760091u);
constexpr GraphicsResult kGraphicsErrNoExclusiveMode = static_cast<GraphicsResult>(0x887600E1u);
constexpr GraphicsResult kGraphicsErrNotFound = static_cast<GraphicsResult>(0x887600FFu);
constexpr GraphicsResult kGraphicsErrNoZBufferHardware = static_cast<GraphicsResult>(0x88760154u);
constexpr GraphicsResult kGraphicsErrOutOfVideoMemory = static_cast<GraphicsResult>(0x8876017Cu);
constexpr GraphicsResult kGraphicsErrSurfaceBusy = static_cast<GraphicsResult>(0x887601AEu);
constexpr GraphicsResult kGraphicsErrSurfaceLost = static_cast<GraphicsResult>(0x887601C2u);
constexpr GraphicsResult kGraphicsErrTooBigSize = static_cast<GraphicsResult>(0x887601E0u);
constexpr GraphicsResult kGraphicsErrNoDirectDrawHardware = static_cast<GraphicsResult>(0x88760233u);
constexpr GraphicsResult kGraphicsErrNoHwnd = static_cast<GraphicsResult>(0x88760239u);
constexpr GraphicsResult kGraphicsErrNotLocked = static_cast<GraphicsResult>(0x88760248u);
constexpr GraphicsResult kGraphicsErrWrongMode = static_cast<GraphicsResult>(0x8876024Bu);
constexpr GraphicsResult kGraphicsErrD3DNotInitialized = static_cast<GraphicsResult>(0x887602B7u);

inline bool GraphicsFailed(GraphicsResult result)
{
    return result < 0;
}

} // namespace Platform

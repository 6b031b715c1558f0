// What the render system needs of a texture: the device surface to put on a
// stage (rebuilt on demand when it has none), releasing and rebuilding that
// surface around a device reset, and a name for the log. The texture classes
// implement it; the render system only borrows textures.
#pragma once

#include <string>

namespace Platform {
class TextureSurface;
}

namespace OrrelayEngine {

class DeviceTexture
{
public:
    virtual ~DeviceTexture() = default;

    virtual Platform::TextureSurface* GetSurface() = 0;
    virtual void ReleaseSurface() = 0;
    virtual void Restore() = 0;
    virtual const std::string& GetName() const = 0;
};

} // namespace OrrelayEngine

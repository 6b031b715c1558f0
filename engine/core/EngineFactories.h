// What the engine makes its platform services with, handed to its
// constructor: the real ones by default, stand-ins in tests (the null
// graphics driver with the display modes a test chooses). A record passed in
// rather than virtual members, because the engine's constructor calls them.
#pragma once

#include <functional>
#include <memory>

namespace Platform {
class GraphicsDriver;
}

namespace OrrelayEngine {

class Window;

struct EngineFactories
{
    // Called once the window exists. Without a function, or when it gives
    // null, the render system opens the OpenGL driver on the window itself.
    std::function<std::unique_ptr<Platform::GraphicsDriver>(Window& window)> graphicsDriver;
};

} // namespace OrrelayEngine

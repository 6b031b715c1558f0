// What the engine makes its platform services with, handed to its
// constructor: the real ones by default, stand-ins in tests (the null
// graphics driver with the display modes a test chooses). A record passed in
// rather than virtual members, because the engine's constructor calls them.
#pragma once

#include <cstdint>
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
    // At most this many helper threads beside its own for a resource load;
    // kLoadingHelpersAsShipped leaves the number to the load and the machine.
    static constexpr std::uint32_t kLoadingHelpersAsShipped = ~0u;
    std::uint32_t loadingHelperLimit = kLoadingHelpersAsShipped;
    // Real milliseconds each resource load waits before it starts: a load
    // made slow on purpose, to show that nothing depends on how long it took.
    std::uint32_t loadingDelayMilliseconds = 0;
};

} // namespace OrrelayEngine

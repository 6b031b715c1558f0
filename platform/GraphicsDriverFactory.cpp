#include "platform/GraphicsDriverFactory.h"

#include "platform/GraphicsDriverGL.h"

namespace Platform {

std::unique_ptr<GraphicsDriver> CreateGraphicsDriver(AppWindow* window)
{
    std::unique_ptr<GraphicsDriverGL> driver;
    if (window == nullptr || GraphicsFailed(GraphicsDriverGL::CreateForWindow(window, driver))) {
        return nullptr;
    }
    return driver;
}

} // namespace Platform

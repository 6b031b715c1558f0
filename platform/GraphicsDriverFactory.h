// Which graphics driver the platform draws with. The engine asks for a driver
// here and never names a backend; tests hand the engine a driver of their own
// (usually GraphicsDriverNull) instead.
#pragma once

#include <functional>
#include <memory>

namespace Platform {

class AppWindow;
class GraphicsDriver;

// Makes a driver that draws into the window; null when none can be made there.
using GraphicsDriverFactory = std::function<std::unique_ptr<GraphicsDriver>(AppWindow* window)>;

// The platform's own: OpenGL on the window's drawing surface. The window is
// borrowed and must outlive the driver; a null window gets no driver.
std::unique_ptr<GraphicsDriver> CreateGraphicsDriver(AppWindow* window);

} // namespace Platform

#include "support/LeakCheckPause.h"

#include <dlfcn.h>

// Weak, so that a build without the sanitizers links and skips the calls.
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

namespace TestSupport {

ScopedLeakCheckPause::ScopedLeakCheckPause()
{
    if (__lsan_disable != nullptr) {
        __lsan_disable();
    }
}

ScopedLeakCheckPause::~ScopedLeakCheckPause()
{
    if (__lsan_enable != nullptr) {
        __lsan_enable();
    }
}

namespace {
bool graphicsUsed = false;
}

bool GraphicsWereUsed()
{
    return graphicsUsed;
}

void PinGraphicsLibraries()
{
    graphicsUsed = true;
    static const bool pinned = [] {
        // The dispatching loaders SDL opens, Mesa's EGL and GLX back ends, and
        // the one file every Mesa DRI driver name links to; their dependencies
        // stay with them. A library that is not installed is not pinned.
        const char* const libraries[] = {"libEGL.so.1",
                                         "libGL.so.1",
                                         "libGLdispatch.so.0",
                                         "libEGL_mesa.so.0",
                                         "libGLX_mesa.so.0",
                                         "libglapi.so.0",
                                         "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"};
        for (const char* library : libraries) {
            dlopen(library, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        }
        return true;
    }();
    (void)pinned;
}

} // namespace TestSupport

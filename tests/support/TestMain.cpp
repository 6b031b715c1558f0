// Test entry: headless SDL drivers, then GoogleTest. The process keeps the "C"
// locale it starts with: whatever needs another sets it, as the game does.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/GraphicsDriverGL.h"
#include "support/LeakCheckPause.h"

// Weak, so that a build without the sanitizers links and skips the call.
extern "C" int __lsan_do_recoverable_leak_check() __attribute__((weak));

int main(int argc, char** argv)
{
    // Tests never need a display or a sound card; a caller may still choose other drivers.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();

    // A process that drove the GL driver skips the leak check: the driver keeps
    // allocations for the life of the process, and under load the checker's
    // thread scan crashes on the driver's worker threads. Every other process
    // is checked here, before static destruction, and _Exit skips the check at exit.
    if (__lsan_do_recoverable_leak_check != nullptr) {
        const bool graphics = TestSupport::GraphicsWereUsed() || Platform::GraphicsDriverGL::ContextEverRequested();
        if (!graphics && __lsan_do_recoverable_leak_check() != 0) {
            result = 1;
        }
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}

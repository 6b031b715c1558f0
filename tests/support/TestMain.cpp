// Test entry: headless SDL drivers and the process locale the game runs with, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Locale.h"

int main(int argc, char** argv)
{
    // Tests never need a display or a sound card; a caller may still choose other drivers.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Platform::SetProcessLocale();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

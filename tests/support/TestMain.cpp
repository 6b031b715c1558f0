// Test entry: the process locale the game runs with, then GoogleTest.
#include <gtest/gtest.h>

#include "platform/Locale.h"

int main(int argc, char** argv)
{
    Platform::SetProcessLocale();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

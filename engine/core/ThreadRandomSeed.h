// While one lives, the thread that made it draws its random numbers from a
// generator of its own, started at the given seed; the one it drew from
// before is back when it ends. Loading work seeds each of its steps from what
// the step loads, so the numbers a loaded object takes are the same however
// the steps were spread over threads.
#pragma once

#include <cstdint>

namespace OrrelayEngine {

class ThreadRandomSeed
{
public:
    explicit ThreadRandomSeed(std::uint32_t seed);
    ~ThreadRandomSeed();

    ThreadRandomSeed(const ThreadRandomSeed&) = delete;
    ThreadRandomSeed& operator=(const ThreadRandomSeed&) = delete;

private:
    std::uint32_t state_;
    std::uint32_t* previous_;
};

} // namespace OrrelayEngine

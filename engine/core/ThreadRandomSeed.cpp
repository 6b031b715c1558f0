#include "engine/core/ThreadRandomSeed.h"

#include "engine/core/Random.h"

namespace OrrelayEngine {

ThreadRandomSeed::ThreadRandomSeed(std::uint32_t seed) : state_(seed), previous_(SetThreadRandomState(&state_))
{}

ThreadRandomSeed::~ThreadRandomSeed()
{
    SetThreadRandomState(previous_);
}

} // namespace OrrelayEngine

// Texture names whose surfaces went away, waiting to be deleted on the drawing
// thread. A surface may be destroyed on any thread (or after its device), while
// GL names may only be deleted where the context is current; the queue is shared
// so that it outlives whichever of the two goes first.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace Platform {

class GLTextureNameQueue
{
public:
    void Push(std::uint32_t name);
    // Moves the waiting names into out (cleared first); drawing thread only.
    void TakeAll(std::vector<std::uint32_t>& out);

private:
    std::mutex mutex_;
    std::vector<std::uint32_t> names_;
};

} // namespace Platform

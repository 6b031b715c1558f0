#include "platform/GLTextureNameQueue.h"

namespace Platform {

void GLTextureNameQueue::Push(std::uint32_t name)
{
    std::lock_guard<std::mutex> guard(mutex_);
    names_.push_back(name);
}

void GLTextureNameQueue::TakeAll(std::vector<std::uint32_t>& out)
{
    out.clear();
    std::lock_guard<std::mutex> guard(mutex_);
    out.swap(names_);
}

} // namespace Platform

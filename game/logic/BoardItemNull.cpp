#include "game/logic/BoardItemNull.h"

namespace Tansywell {

BoardItemNull::BoardItemNull(std::uint32_t kind) : BoardItem(kind)
{}

BoardItemNull::~BoardItemNull() = default;

void BoardItemNull::Spawn()
{
    active_ = 1;
    alive_ = 1;
    locked_ = 0;
    resting_ = true;
}

void BoardItemNull::Destroy()
{
    // Gone at once, drawn or not: the pool's next update recycles it.
    active_ = 1;
    alive_ = 0;
}

void BoardItemNull::MoveTo(const OrrelayEngine::Vector3& destination)
{
    home_ = destination;
    resting_ = true;
}

void BoardItemNull::Jump()
{
    ++jumps_;
    resting_ = true;
}

void BoardItemNull::Reset()
{
    home_ = OrrelayEngine::Vector3();
    locked_ = 1;
    webbed_ = 0;
    bonus_ = nullptr;
    alive_ = 1;
    active_ = 0;
    resting_ = true;
    jumps_ = 0;
}

} // namespace Tansywell

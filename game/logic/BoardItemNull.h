// An item that is never drawn: every movement ends at once, so it rests and
// can be picked as soon as it arrives, and a destroyed item waits only for
// the pool's next update to be recycled. Tests may hold it in flight to see
// the board wait for it.
#pragma once

#include <cstdint>

#include "game/logic/BoardItem.h"

namespace Tansywell {

class BoardItemNull : public BoardItem
{
public:
    explicit BoardItemNull(std::uint32_t kind);
    ~BoardItemNull() override;

    void Spawn() override;
    void Destroy() override;
    void MoveTo(const OrrelayEngine::Vector3& destination) override;
    void Jump() override;
    bool IsResting() const override { return resting_; }

    // Back to a free item: unlocked only by its next arrival.
    void Reset();
    // For tests: an item that has not landed yet.
    void SetResting(bool resting) { resting_ = resting; }
    std::uint32_t GetJumpCount() const { return jumps_; }

private:
    bool resting_ = true;
    std::uint32_t jumps_ = 0;
};

} // namespace Tansywell

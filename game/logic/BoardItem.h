// What the board knows of an item standing on one of its cells: its kind, the
// point it belongs to, whether it may be picked, whether it lies under a web,
// the bonus it carries, and the movements the board asks of it. The drawn
// items of the level derive from it; BoardItemNull stands in when nothing is
// drawn (tests, benchmarks, the level check).
#pragma once

#include <cstdint>

#include "engine/core/Vector3.h"

namespace Tansywell {

class Bonus;

class BoardItem
{
public:
    explicit BoardItem(std::uint32_t kind);
    virtual ~BoardItem();

    BoardItem(const BoardItem&) = delete;
    BoardItem& operator=(const BoardItem&) = delete;

    // Arrival at the home point; the board sets the home first.
    virtual void Spawn() = 0;
    // Flight away; the pool recycles the item once it is no longer alive.
    virtual void Destroy() = 0;
    // A swap flight to another cell's top point, which becomes the home.
    virtual void MoveTo(const OrrelayEngine::Vector3& destination) = 0;
    // A hop in place: a refused swap or a hint.
    virtual void Jump() = 0;
    // The board destroys a queued group only when all its items rest.
    virtual bool IsResting() const = 0;

    std::uint32_t GetKind() const { return kind_; }
    const OrrelayEngine::Vector3& GetHome() const { return home_; }
    void SetHome(const OrrelayEngine::Vector3& home) { home_ = home; }
    bool IsLocked() const { return locked_ != 0; }
    void SetLocked(bool locked) { locked_ = locked ? 1 : 0; }
    bool IsWebbed() const { return webbed_ != 0; }
    void SetWebbed(bool webbed) { webbed_ = webbed ? 1 : 0; }
    // Borrowed from the bonus manager; null when none.
    Bonus* GetBonus() const { return bonus_; }
    void SetBonus(Bonus* bonus) { bonus_ = bonus; }
    bool IsAlive() const { return alive_ != 0; }
    // In play: from a spawn until the pool recycles the item.
    bool IsActive() const { return active_ != 0; }

protected:
    std::uint32_t kind_;
    OrrelayEngine::Vector3 home_;
    std::uint8_t locked_ = 1;
    std::uint8_t webbed_ = 0;
    Bonus* bonus_ = nullptr;
    std::uint8_t alive_ = 1;
    std::uint8_t active_ = 0;
};

} // namespace Tansywell

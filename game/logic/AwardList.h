// The bonuses a resolve step has earned: each goes to the new item that the
// same step's refill puts on its cell, unless that item already has one.
#pragma once

#include <cstdint>
#include <vector>

namespace Tansywell {

class Cell;

class AwardList
{
public:
    struct Award
    {
        Cell* cell;
        std::uint32_t bonusKind;
    };

    AwardList();
    ~AwardList();

    void Reserve(std::uint32_t count) { awards_.reserve(count); }
    void Add(Cell* cell, std::uint32_t bonusKind);
    void Clear() { awards_.clear(); }

    std::uint32_t GetSize() const { return static_cast<std::uint32_t>(awards_.size()); }
    const Award& GetAward(std::uint32_t index) const { return awards_[index]; }

private:
    std::vector<Award> awards_;
};

} // namespace Tansywell

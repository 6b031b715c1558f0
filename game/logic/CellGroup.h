// A list of cells: one connected group of items of one kind as a search found
// it, in the order the search reached them. The board keeps one per cell and
// reuses them for every search.
#pragma once

#include <cstdint>
#include <vector>

namespace Tansywell {

class Cell;

class CellGroup
{
public:
    CellGroup();
    ~CellGroup();

    void Reserve(std::uint32_t count) { cells_.reserve(count); }
    void Clear() { cells_.clear(); }
    void Add(Cell* cell) { cells_.push_back(cell); }
    // Drops the entries from position size on.
    void Truncate(std::uint32_t size);

    std::uint32_t GetSize() const { return static_cast<std::uint32_t>(cells_.size()); }
    bool IsEmpty() const { return cells_.empty(); }
    Cell* GetCell(std::uint32_t index) const { return cells_[index]; }
    Cell* GetFirst() const { return cells_.front(); }
    Cell* GetLast() const { return cells_.back(); }
    const std::vector<Cell*>& GetCells() const { return cells_; }

private:
    std::vector<Cell*> cells_;
};

} // namespace Tansywell

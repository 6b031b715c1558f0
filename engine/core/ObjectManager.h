// A pool that owns objects of one class in a vector of slots. A removed object
// leaves a null slot whose index is reused last-in-first-out; when fewer than
// half the slots are live the nulls are squeezed out, which moves every object
// behind them, so nobody keeps slot indices. Users walk GetSlots() and skip
// null slots. Remove hands an object back without deleting it; the destructor
// deletes whatever is still held.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <stack>
#include <vector>

#include "engine/core/DeleteAll.h"

namespace OrrelayEngine {

template <typename T>
class ObjectManager
{
public:
    ObjectManager() = default;
    virtual ~ObjectManager() { DeleteAll(slots_); }

    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;

    // Takes ownership. Null is ignored; adding an object twice is the caller's fault.
    void Add(T* object)
    {
        if (object == nullptr) {
            return;
        }
        if (!freeSlots_.empty()) {
            slots_[freeSlots_.top()] = object;
            freeSlots_.pop();
        } else {
            slots_.push_back(object);
        }
        ++count_;
    }

    // Gives ownership back to the caller, who deletes the object. False for
    // null or an object not held, and then nothing changes.
    bool Remove(T* object)
    {
        if (object == nullptr) {
            return false;
        }
        const auto found = std::find(slots_.begin(), slots_.end(), object);
        if (found == slots_.end()) {
            return false;
        }
        *found = nullptr;
        freeSlots_.push(static_cast<std::uint32_t>(found - slots_.begin()));
        --count_;
        if (count_ * 2 < slots_.size()) {
            EraseNulls(slots_);
            freeSlots_ = FreeStack();
        }
        return true;
    }

    std::uint32_t GetCount() const { return count_; }
    const std::vector<T*>& GetSlots() const { return slots_; }

private:
    using FreeStack = std::stack<std::uint32_t, std::deque<std::uint32_t>>;

    std::uint32_t count_ = 0;
    std::vector<T*> slots_;
    FreeStack freeSlots_;
};

} // namespace OrrelayEngine

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
#include <unordered_map>
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
            places_[object] = freeSlots_.top();
            freeSlots_.pop();
        } else {
            places_[object] = static_cast<std::uint32_t>(slots_.size());
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
        const auto found = places_.find(object);
        if (found == places_.end()) {
            return false;
        }
        slots_[found->second] = nullptr;
        freeSlots_.push(found->second);
        places_.erase(found);
        --count_;
        if (count_ * 2 < slots_.size()) {
            EraseNulls(slots_);
            freeSlots_ = FreeStack();
            for (std::uint32_t i = 0; i < slots_.size(); ++i) {
                places_[slots_[i]] = i;
            }
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
    // The slot of every object held: a removal costs the same however many
    // objects the pool holds (a board of tens of thousands of cells removes
    // its models one by one).
    std::unordered_map<const T*, std::uint32_t> places_;
};

} // namespace OrrelayEngine

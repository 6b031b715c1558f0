// Helpers over vectors of owning raw pointers, the way the managers hold what
// they create. DeleteAll deletes each element through `delete` (so a class with
// a virtual destructor is destroyed as its real type) and then empties the
// vector, keeping its capacity. It deletes one level only: an element that is
// itself a list of pointers it owns must have those deleted first by its owner
// (a list of borrowed pointers, such as a group of cells, must not be).
#pragma once

#include <algorithm>
#include <vector>

namespace OrrelayEngine {

template <typename T>
void DeleteAll(std::vector<T*>& objects)
{
    for (T* object : objects) {
        delete object;
    }
    objects.clear();
}

// Removes every null element; the others close up in their order. Deletes nothing.
template <typename T>
void EraseNulls(std::vector<T*>& objects)
{
    objects.erase(std::remove(objects.begin(), objects.end(), nullptr), objects.end());
}

// Forgets every element after they were handed to another owner; the size stays.
template <typename T>
void SetAllNull(std::vector<T*>& objects)
{
    std::fill(objects.begin(), objects.end(), nullptr);
}

} // namespace OrrelayEngine

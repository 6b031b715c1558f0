#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/DeleteAll.h"

namespace OrrelayEngine {
namespace {

struct Base
{
    explicit Base(int* liveCount) : live(liveCount) { ++*live; }
    virtual ~Base() { --*live; }
    int* live;
};

// Owns memory of its own, so deleting it as a Base must still release that
// (the address sanitizer reports the leak otherwise).
struct Derived : Base
{
    explicit Derived(int* liveCount) : Base(liveCount), name(200, L'x') {}
    std::wstring name;
};

TEST(DeleteAll, DeletesEveryElementSkipsNullsAndEmptiesTheVector)
{
    int live = 0;
    std::vector<Base*> objects{new Base(&live), nullptr, new Derived(&live), nullptr, new Base(&live)};
    const auto capacity = objects.capacity();
    DeleteAll(objects);
    EXPECT_EQ(live, 0);
    EXPECT_TRUE(objects.empty());
    EXPECT_EQ(objects.capacity(), capacity);
}

TEST(DeleteAll, EraseNullsClosesUpInOrderAndSetAllNullKeepsTheSize)
{
    int a = 1;
    int b = 2;
    int c = 3;
    std::vector<int*> pointers{nullptr, &a, nullptr, nullptr, &b, &c, nullptr};
    EraseNulls(pointers);
    EXPECT_EQ(pointers, (std::vector<int*>{&a, &b, &c}));
    SetAllNull(pointers);
    EXPECT_EQ(pointers, (std::vector<int*>(3, nullptr)));
}

} // namespace
} // namespace OrrelayEngine

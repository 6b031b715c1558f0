#include <gtest/gtest.h>

#include <vector>

#include "engine/core/ObjectManager.h"

namespace OrrelayEngine {
namespace {

class Pooled
{
public:
    Pooled(int id, std::vector<int>* deleted) : id_(id), deleted_(deleted) {}
    virtual ~Pooled() { deleted_->push_back(id_); }
    int GetId() const { return id_; }

private:
    int id_;
    std::vector<int>* deleted_;
};

class ObjectManagerTest : public testing::Test
{
protected:
    // Adds objects with the ids 0..count-1.
    void Fill(int count)
    {
        for (int id = 0; id < count; ++id) {
            objects_.push_back(new Pooled(id, &deleted_));
            pool_.Add(objects_.back());
        }
    }

    // The slot vector as ids, -1 for a null slot.
    std::vector<int> Slots() const
    {
        std::vector<int> ids;
        for (const Pooled* object : pool_.GetSlots()) {
            ids.push_back(object == nullptr ? -1 : object->GetId());
        }
        return ids;
    }

    // Removed objects are the caller's to delete.
    void RemoveAndDelete(int id)
    {
        ASSERT_TRUE(pool_.Remove(objects_[id]));
        delete objects_[id];
    }

    std::vector<int> deleted_;
    std::vector<Pooled*> objects_;
    ObjectManager<Pooled> pool_;
};

TEST_F(ObjectManagerTest, FreedSlotsAreReusedLastInFirstOut)
{
    Fill(6);
    RemoveAndDelete(2);
    RemoveAndDelete(5);
    EXPECT_EQ(Slots(), (std::vector<int>{0, 1, -1, 3, 4, -1}));
    pool_.Add(new Pooled(10, &deleted_));
    pool_.Add(new Pooled(11, &deleted_));
    pool_.Add(new Pooled(12, &deleted_));
    EXPECT_EQ(Slots(), (std::vector<int>{0, 1, 11, 3, 4, 10, 12}));
    EXPECT_EQ(pool_.GetCount(), 7u);
}

TEST_F(ObjectManagerTest, CompactsOnlyWhenFewerThanHalfTheSlotsAreLive)
{
    Fill(4);
    const std::vector<int> afterEachRemoval[] = {
        {0, -1, 2, 3},  // count 3: 6 is not less than 4
        {0, -1, 2, -1}, // count 2: 4 is not less than 4
        {2},            // count 1: 2 < 4, the nulls go and the stack empties
    };
    const int removed[] = {1, 3, 0};
    for (int step = 0; step < 3; ++step) {
        RemoveAndDelete(removed[step]);
        EXPECT_EQ(pool_.GetCount(), static_cast<std::uint32_t>(3 - step));
        EXPECT_EQ(Slots(), afterEachRemoval[step]);
    }
    pool_.Add(new Pooled(7, &deleted_));
    EXPECT_EQ(Slots(), (std::vector<int>{2, 7}));
}

TEST_F(ObjectManagerTest, CompactionKeepsTheLiveOrder)
{
    Fill(8);
    for (int id : {0, 2, 3, 5, 7}) {
        RemoveAndDelete(id);
    }
    EXPECT_EQ(Slots(), (std::vector<int>{1, 4, 6}));
}

TEST_F(ObjectManagerTest, NullAndForeignObjectsChangeNothing)
{
    Fill(2);
    pool_.Add(nullptr);
    Pooled stranger(99, &deleted_);
    EXPECT_FALSE(pool_.Remove(&stranger));
    EXPECT_FALSE(pool_.Remove(nullptr));
    EXPECT_EQ(pool_.GetCount(), 2u);
    EXPECT_EQ(Slots(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(deleted_.empty());
}

TEST(ObjectManager, DestructionDeletesEveryHeldObjectOnce)
{
    std::vector<int> deleted;
    Pooled* removed = new Pooled(1, &deleted);
    {
        ObjectManager<Pooled> pool;
        pool.Add(new Pooled(0, &deleted));
        pool.Add(removed);
        pool.Add(new Pooled(2, &deleted));
        pool.Add(new Pooled(3, &deleted));
        ASSERT_TRUE(pool.Remove(removed)); // leaves a null slot behind
    }
    EXPECT_EQ(deleted, (std::vector<int>{0, 2, 3}));
    delete removed;
}

} // namespace
} // namespace OrrelayEngine

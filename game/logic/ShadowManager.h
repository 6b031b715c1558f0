// Gives every item in play a shadow on the board: shadows are made on demand,
// reused when their item leaves, and kept until the manager goes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace OrrelayEngine {
class Engine;
}

namespace Tansywell {

class GameData;
class Item;
class Shadow;

class ShadowManager
{
public:
    ShadowManager(OrrelayEngine::Engine* engine, const GameData* gameData);
    virtual ~ShadowManager();

    ShadowManager(const ShadowManager&) = delete;
    ShadowManager& operator=(const ShadowManager&) = delete;

    // The first free shadow, else a new one, follows the item.
    void Attach(const Item* item);
    // Null, or an item no shadow follows, changes nothing.
    void Release(const Item* item);
    void UpdateAll();

    // Applies to shadows made from now on.
    void SetGroundHeight(float height) { groundHeight_ = height; }
    float GetGroundHeight() const { return groundHeight_; }
    std::uint32_t GetShadowCount() const { return static_cast<std::uint32_t>(shadows_.size()); }
    Shadow* GetShadow(std::uint32_t index) const { return shadows_[index].get(); }
    // Null when no shadow follows the item.
    Shadow* FindShadow(const Item* item) const;

private:
    OrrelayEngine::Engine* engine_;
    const GameData* gameData_;
    std::vector<std::unique_ptr<Shadow>> shadows_;
    float groundHeight_ = 0.0f;
};

} // namespace Tansywell

// A flat model lying on the board under one item: it turns and flaps with
// the item, wears its kind's shadow texture and fades as the item rises. A
// shadow with no item is hidden and waits to be given another.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class AnimationControl;
class Engine;
class Model;
class ModelManager;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;
class Item;

class Shadow
{
public:
    // groundHeight: where the shadow's centre lies.
    Shadow(OrrelayEngine::Engine* engine, const GameData* gameData, float groundHeight);
    virtual ~Shadow();

    Shadow(const Shadow&) = delete;
    Shadow& operator=(const Shadow&) = delete;

    void Update();

    // Null frees the shadow.
    void SetItem(const Item* item) { item_ = item; }
    const Item* GetItem() const { return item_; }
    OrrelayEngine::Model* GetModel() const { return model_; }
    float GetGroundZ() const { return groundZ_; }

private:
    void Follow();
    void SetAlpha(float alpha);

    OrrelayEngine::ModelManager* modelManager_;
    const GameData* gameData_;
    const Item* item_ = nullptr;
    // The item followed in the previous frame: a new one brings its kind's
    // texture and its whole animation table.
    const Item* lastItem_ = nullptr;
    OrrelayEngine::Model* model_ = nullptr;
    OrrelayEngine::AnimationControl* animation_ = nullptr;
    float groundZ_ = 0.0f;
    // The alpha last written, so that a still shadow rewrites no vertex.
    float alpha_ = -1.0f;
};

} // namespace Tansywell

// A special power riding on one item: a model that follows the item, fades out
// in its last second and dies 40 seconds after it was made.
#pragma once

#include <cstdint>

#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"

namespace OrrelayEngine {
class Engine;
class Model;
class ModelManager;
class TimerManager;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;

class Bonus
{
public:
    enum Kind : std::uint32_t
    {
        kItemDestruction = 0,
        kCombinationDestruction = 1,
        kColorDestruction = 2
    };

    static constexpr float kLifetime = 40.0f;
    static constexpr float kFadeStart = 39.0f;

    // kind 0, 1 or 2.
    Bonus(OrrelayEngine::Engine* engine, const GameData* gameData, std::uint32_t kind);
    virtual ~Bonus();

    Bonus(const Bonus&) = delete;
    Bonus& operator=(const Bonus&) = delete;

    void Update();
    // Every frame from the carrying item, so that the bonus follows it.
    void SetColor(const OrrelayEngine::Color& color) { color_ = color; }
    void SetMatrix(const OrrelayEngine::Matrix4& matrix);

    std::uint32_t GetKind() const { return kind_; }
    bool IsAlive() const { return alive_ != 0; }
    float GetAge() const { return age_; }
    OrrelayEngine::Model* GetModel() const { return model_; }

private:
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::ModelManager* modelManager_;
    const GameData* gameData_;
    std::uint32_t kind_;
    OrrelayEngine::Model* model_ = nullptr;
    OrrelayEngine::Matrix4 baseMatrix_;
    float age_ = 0.0f;
    std::uint8_t alive_ = 1;
    OrrelayEngine::Color color_{1.0f, 1.0f, 1.0f, 1.0f};
};

} // namespace Tansywell

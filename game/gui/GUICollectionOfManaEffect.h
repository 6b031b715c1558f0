// Collected mana flying from a board cell to the top of the mana bar: a
// particle system that travels a quadratic curve in 1.2 s, bulging up and to
// the left, and then stops emitting. It is free again for another flight once
// its last particle has died.
#pragma once

#include "engine/core/Vector2.h"

namespace OrrelayEngine {
class Engine;
class GUIWindow;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;
class GUIGameLogicProgress;

class GUICollectionOfManaEffect
{
public:
    static constexpr float kFlightSeconds = 1.2f;
    // The curve's control point, from its end point.
    static constexpr float kControlOffsetX = -180.0f;
    static constexpr float kControlOffsetY = 250.0f;
    // In front of the window the flight starts over.
    static constexpr float kDepthInFront = 1.0f;

    // The bar is borrowed; the particles are drawn in front of parent.
    GUICollectionOfManaEffect(OrrelayEngine::Engine* engine, const GameData* data, const GUIGameLogicProgress* manaBar,
                              const OrrelayEngine::GUIWindow* parent);
    ~GUICollectionOfManaEffect();

    GUICollectionOfManaEffect(const GUICollectionOfManaEffect&) = delete;
    GUICollectionOfManaEffect& operator=(const GUICollectionOfManaEffect&) = delete;

    bool IsFree() const;
    void Start(const OrrelayEngine::Vector2& startPoint);
    void Update();

    bool IsFinished() const { return finished_; }
    float GetFlightTime() const { return flightTime_; }
    OrrelayEngine::ParticleSystem* GetParticleSystem() const { return particles_; }
    // Where the flight ends: the top of the bar, in the middle.
    OrrelayEngine::Vector2 GetEndPoint() const;

private:
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::ParticleSystemManager* particleSystemManager_;
    OrrelayEngine::ParticleSystem* particles_;
    float flightTime_ = 0.0f;
    bool finished_ = true;
    const GUIGameLogicProgress* manaBar_;
    OrrelayEngine::Vector2 startPoint_;
};

} // namespace Tansywell

// One item of the board drawn as an animated butterfly of its kind, with
// three particle effects (appear, disappear, swap) and a shadow. Update is the
// per-frame state machine that flies it in, lands it, hops it in place, flies
// it across a swap and away when it is destroyed; the board decides, the item
// only carries out and tells whether it rests.
#pragma once

#include <cstdint>

#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"
#include "game/logic/BoardItem.h"

namespace OrrelayEngine {
class AnimationControl;
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;

class Item : public BoardItem
{
public:
    enum State : std::uint32_t
    {
        kRest = 0,
        kAppear = 1,
        kFlyAway = 2,
        kHop = 3,
        kTakeOff = 4,
        kLanding = 5,
        kFlight = 6
    };

    // Frame ranges of the item model, filed under these ids.
    enum Animation : std::uint32_t
    {
        kAnimationFlight = 0,
        kAnimationUnused1 = 1,
        kAnimationLanding = 2,
        kAnimationRest = 3,
        kAnimationTakeOff = 4,
        kAnimationUnused5 = 5
    };

    // The model is made on the first spawn, not here.
    Item(OrrelayEngine::Engine* engine, const GameData* gameData, std::uint32_t kind);
    ~Item() override;

    // Back to a free item: hidden, still, locked, nothing carried.
    void Reset();
    void Spawn() override;
    void Destroy() override;
    void MoveTo(const OrrelayEngine::Vector3& destination) override;
    // Only a resting item hops: mid-flight it would leave the cell the board
    // has already given it, mid-appearance it would stay locked for ever.
    void Jump() override;
    bool IsResting() const override;
    // Steps of a swap flight: touching down, and the level flight.
    void Land();
    void BeginFlight();

    // Once per frame from the item manager; nothing while not in play.
    void Update();

    // Home + 1.1 half heights: where the item hovers over its cell.
    OrrelayEngine::Vector3 GetRestPoint() const;
    std::uint32_t GetState() const { return state_; }
    const OrrelayEngine::Vector3& GetPosition() const { return position_; }
    float GetHeading() const { return heading_; }
    float GetTargetHeading() const { return targetHeading_; }
    const OrrelayEngine::Vector3& GetDestination() const { return destination_; }
    bool NeedsShadow() const { return needsShadow_ != 0; }
    // Null before the first spawn.
    OrrelayEngine::Model* GetModel() const { return model_; }
    OrrelayEngine::ParticleSystem* GetAppearParticles() const { return appear_; }
    OrrelayEngine::ParticleSystem* GetDisappearParticles() const { return disappear_; }
    OrrelayEngine::ParticleSystem* GetSwapParticles() const { return swap_; }
    // For tests: the facing an item would have after some flights.
    void SetHeading(float heading) { heading_ = heading; }

private:
    void CreateModel();
    void PlayAnimation(std::uint32_t id, float speed, bool loop);
    void SelectRestAnimation();
    bool IsAnimationPlaying() const;
    // Moves toward target at speed; true when the step reached it.
    bool StepToward(const OrrelayEngine::Vector3& target, float speed, float seconds);
    void Turn(float rate, float seconds);
    void SetAlpha(float alpha);
    void PlaceModel();

    void UpdateAppear(float seconds);
    void UpdateFlyAway(float seconds);
    void UpdateHop(float seconds);
    void UpdateTakeOff(float seconds);
    void UpdateLanding(float seconds);
    void UpdateFlight(float seconds);
    void UpdateRestTimer(float seconds);
    void UpdateParticles();
    void UpdateBonus();

    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::ModelManager* modelManager_;
    OrrelayEngine::ParticleSystemManager* particleSystemManager_;
    const GameData* gameData_;
    OrrelayEngine::Model* model_ = nullptr;
    OrrelayEngine::AnimationControl* animation_ = nullptr;
    // A model the model manager does not animate (a box standing in for a
    // missing file) is advanced here, so that its movements still end.
    std::uint8_t advanceAnimation_ = 0;
    OrrelayEngine::ParticleSystem* appear_ = nullptr;
    OrrelayEngine::ParticleSystem* disappear_ = nullptr;
    OrrelayEngine::ParticleSystem* swap_ = nullptr;
    // Turns the model about its own centre.
    OrrelayEngine::Matrix4 baseMatrix_;
    float heading_ = 0.0f;
    float targetHeading_ = 0.0f;
    OrrelayEngine::Vector3 halfSize_;
    OrrelayEngine::Vector3 position_;
    std::uint32_t state_ = kRest;
    std::uint8_t landAfterFlight_ = 0;
    OrrelayEngine::Vector3 destination_;
    std::uint8_t needsShadow_ = 0;
    float timer_ = 0.0f;
    float restTimer_ = 0.0f;
};

} // namespace Tansywell

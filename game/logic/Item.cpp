#include "game/logic/Item.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "game/GameData.h"
#include "game/logic/Bonus.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

constexpr float kPi = 3.14159265358979323846f;
constexpr float kTwoPi = 2.0f * kPi;
constexpr float kHalfPi = 0.5f * kPi;

// Items hover this many half heights above their home.
constexpr float kHoverHalfHeights = 1.1f;
// The appearance starts this far behind and above the rest point.
constexpr float kAppearDistance = 100.0f;
// A fly-away aims this far, rising one unit for every two it goes forward.
constexpr float kFlyAwayDistance = 400.0f;
constexpr float kFlyAwayForward = 100.0f;
constexpr float kFlyAwayRise = 50.0f;
// Take-offs and hops climb toward this height above the rest point; their
// animation ends long before they get there.
constexpr float kClimbHeight = 200.0f;

constexpr float kAppearSpeedPerSecond = 105.0f;
constexpr float kFlyAwaySpeedPerSecond = 105.0f;
constexpr float kHopSpeedPerSecond = 65.0f;
constexpr float kFlightSpeedPerSecond = 100.0f;

constexpr float kTakeOffTurnRate = 4.5f;
constexpr float kLandingTurnRate = 6.5f;
constexpr float kHeadingTolerance = 0.0001f;

constexpr float kFastFramesPerSecond = 60.0f;
constexpr float kSlowFramesPerSecond = 30.0f;
// The appearance is fully opaque after half a second; a fly-away has faded
// out 2.2 seconds after it began.
constexpr float kAppearFadePerSecond = 2.0f;
constexpr float kFlyAwayFadeSeconds = 2.2f;
constexpr float kHiddenAlpha = 0.0001f;

constexpr float kFirstRestDelayMaxSeconds = 10.0f;
constexpr float kRestDelayMinSeconds = 2.0f;
constexpr float kRestDelayMaxSeconds = 10.0f;

struct AnimationRange
{
    std::uint32_t id;
    std::uint32_t first;
    std::uint32_t last;
};

constexpr AnimationRange kAnimationRanges[] = {
    {Item::kAnimationFlight, 0, 10}, {Item::kAnimationUnused1, 10, 15}, {Item::kAnimationLanding, 15, 25},
    {Item::kAnimationRest, 25, 60},  {Item::kAnimationTakeOff, 60, 70}, {Item::kAnimationUnused5, 70, 75},
};

// The facing that looks from the item toward a neighbour's cell: one of the
// six hexagon directions, told apart by the slope of (dx, dy).
float HeadingToward(float dx, float dy)
{
    const float ax = std::fabs(dx);
    const float ay = std::fabs(dy);
    if (ay / 2.0f < ax && ax / 2.0f < ay) {
        if (dx > 0.0f)
            return dy > 0.0f ? 5.0f * kPi / 4.0f : 3.0f * kPi / 4.0f;
        return dy > 0.0f ? 7.0f * kPi / 4.0f : kPi / 4.0f;
    }
    if (ay < ax)
        return dx > 0.0f ? kPi : 0.0f;
    return dy > 0.0f ? 3.0f * kPi / 2.0f : kHalfPi;
}

// The same facing as angle, taken within half a turn of from, so that no
// turn goes the long way round.
float NearestEquivalent(float angle, float from)
{
    return from + std::remainder(angle - from, kTwoPi);
}

// Headings stay within one turn so that they keep their precision.
float WrapHeading(float heading)
{
    const float wrapped = std::fmod(heading, kTwoPi);
    return wrapped < 0.0f ? wrapped + kTwoPi : wrapped;
}

void SetEmitting(ParticleSystem* system, bool emitting)
{
    if (system != nullptr)
        system->emitting = emitting ? 1 : 0;
}

} // namespace

Item::Item(Engine* engine, const GameData* gameData, std::uint32_t kind)
    : BoardItem(kind), timerManager_(engine->GetTimerManager()), modelManager_(engine->GetModelManager()),
      particleSystemManager_(engine->GetParticleSystemManager()), gameData_(gameData)
{
    Reset();
}

Item::~Item()
{
    modelManager_->DeleteModel(model_);
    particleSystemManager_->DeleteParticleSystem(appear_);
    particleSystemManager_->DeleteParticleSystem(disappear_);
    particleSystemManager_->DeleteParticleSystem(swap_);
}

void Item::Reset()
{
    home_ = Vector3();
    position_ = Vector3();
    destination_ = Vector3();
    heading_ = 0.0f;
    targetHeading_ = 0.0f;
    timer_ = 0.0f;
    restTimer_ = 0.0f;
    state_ = kRest;
    landAfterFlight_ = 0;
    active_ = 0;
    needsShadow_ = 0;
    webbed_ = 0;
    alive_ = 1;
    locked_ = 1;
    bonus_ = nullptr;
    if (model_ != nullptr)
        model_->ClearFlags(Model::kFlagVisible);
    for (ParticleSystem* system : {appear_, disappear_, swap_}) {
        if (system != nullptr) {
            system->emitting = 0;
            system->elapsedTime = 0.0f;
        }
    }
}

void Item::CreateModel()
{
    model_ = modelManager_->CreateCopy(gameData_->butterfly, nullptr, 0);
    if (model_ == nullptr)
        return;
    const std::vector<ShaderUser*>& textures = gameData_->butterflyTextures;
    if (kind_ < textures.size() && textures[kind_] != nullptr)
        model_->SetShader(*textures[kind_]);
    model_->SetFlags(Model::kFlagSecondGroup);
    advanceAnimation_ = (model_->GetFlags() & (Model::kFlagKeyframe | Model::kFlagSkinned)) == 0 ? 1 : 0;

    // Turning about the centre of the world box rather than the model's origin.
    Matrix4 toCentre;
    MatrixSetTranslation(toCentre, model_->box.centre * -1.0f);
    baseMatrix_ = toCentre * model_->matrix;
    halfSize_ = model_->box.halfSize;
    model_->ClearFlags(Model::kFlagVisible);

    animation_ = model_->GetAnimationControl();
    for (const AnimationRange& range : kAnimationRanges)
        animation_->AddAnimation(range.id, range.first, range.last);

    ParticleSystem** systems[] = {&appear_, &disappear_, &swap_};
    const ParticleSystem* templates[] = {gameData_->butterflyAppear, gameData_->butterflyDisappear,
                                         gameData_->butterflySwap};
    for (std::size_t i = 0; i < 3; ++i) {
        ParticleSystem* system = particleSystemManager_->CreateCopy(templates[i]);
        if (system != nullptr) {
            system->repeat = 1;
            system->SetVisible(true);
        }
        *systems[i] = system;
    }
}

Vector3 Item::GetRestPoint() const
{
    return home_ + Vector3(0.0f, 0.0f, kHoverHalfHeights * halfSize_.z);
}

void Item::PlayAnimation(std::uint32_t id, float speed, bool loop)
{
    if (animation_ == nullptr)
        return;
    animation_->SetAnimation(id);
    animation_->speed = speed;
    animation_->loop = loop ? 1 : 0;
    if (loop)
        animation_->RandomizePhase();
    animation_->Play();
}

void Item::SelectRestAnimation()
{
    if (animation_ == nullptr)
        return;
    animation_->SetAnimation(kAnimationRest);
    animation_->speed = kSlowFramesPerSecond;
    animation_->loop = 0;
    animation_->Stop();
}

bool Item::IsAnimationPlaying() const
{
    return animation_ != nullptr && animation_->playing != 0;
}

bool Item::IsResting() const
{
    return animation_ != nullptr && animation_->currentId == kAnimationRest;
}

void Item::Spawn()
{
    if (model_ == nullptr)
        CreateModel();
    if (model_ != nullptr)
        model_->SetFlags(Model::kFlagVisible);
    SetAlpha(0.0f);
    PlayAnimation(kAnimationFlight, kFastFramesPerSecond, true);
    heading_ = RandomFloatRange(0.0f, kTwoPi);
    targetHeading_ = heading_;
    position_ =
        home_ + Vector3(kAppearDistance * std::cos(heading_), kAppearDistance * std::sin(heading_), kAppearDistance);
    timer_ = 0.0f;
    state_ = kAppear;
    active_ = 1;
    needsShadow_ = 1;
    SetEmitting(appear_, true);
}

void Item::Destroy()
{
    if (model_ == nullptr || (model_->GetFlags() & Model::kFlagVisible) == 0) {
        // Never shown: nothing to fly away, the next pool update takes it back.
        active_ = 1;
        alive_ = 0;
        return;
    }
    PlayAnimation(kAnimationFlight, kFastFramesPerSecond, true);
    const Vector3 ahead(kFlyAwayForward * std::cos(heading_ + kPi), kFlyAwayForward * std::sin(heading_ + kPi),
                        kFlyAwayRise);
    home_ = position_ + ahead.Normalized() * kFlyAwayDistance;
    timer_ = 0.0f;
    state_ = kFlyAway;
    SetEmitting(disappear_, true);
}

void Item::MoveTo(const Vector3& destination)
{
    destination_ = destination;
    PlayAnimation(kAnimationTakeOff, kSlowFramesPerSecond, false);
    state_ = kTakeOff;
    landAfterFlight_ = 1;
    targetHeading_ =
        NearestEquivalent(HeadingToward(destination.x - position_.x, destination.y - position_.y), heading_);
}

void Item::Jump()
{
    if (!IsResting())
        return;
    PlayAnimation(kAnimationTakeOff, kSlowFramesPerSecond, false);
    state_ = kHop;
}

void Item::Land()
{
    PlayAnimation(kAnimationLanding, kSlowFramesPerSecond, false);
    state_ = kLanding;
    targetHeading_ = heading_ + RandomFloatRange(0.0f, kHalfPi);
    SetEmitting(swap_, false);
}

void Item::BeginFlight()
{
    state_ = kFlight;
}

void Item::Update()
{
    if (active_ == 0)
        return;
    needsShadow_ = 0;
    const float seconds = timerManager_->GetFrameTime();
    if (advanceAnimation_ != 0 && animation_ != nullptr)
        animation_->Advance(seconds);

    const std::uint32_t stateBefore = state_;
    switch (state_) {
    case kAppear:
        UpdateAppear(seconds);
        break;
    case kFlyAway:
        UpdateFlyAway(seconds);
        break;
    case kHop:
        UpdateHop(seconds);
        break;
    case kTakeOff:
        UpdateTakeOff(seconds);
        break;
    case kLanding:
        UpdateLanding(seconds);
        break;
    case kFlight:
        UpdateFlight(seconds);
        break;
    default:
        break;
    }
    // A movement that ended this frame still places the model where it ended.
    if (stateBefore != kRest)
        PlaceModel();

    UpdateRestTimer(seconds);
    UpdateParticles();
    UpdateBonus();
}

bool Item::StepToward(const Vector3& target, float speed, float seconds)
{
    const Vector3 next = position_ + (target - position_).Normalized() * (speed * seconds);
    if (target.IsBetween(position_, next))
        return true;
    position_ = next;
    return false;
}

void Item::Turn(float rate, float seconds)
{
    const float difference = targetHeading_ - heading_;
    const float distance = std::fabs(difference);
    if (distance <= kHeadingTolerance)
        return;
    const float step = std::min(distance, distance * rate * seconds);
    heading_ += difference < 0.0f ? -step : step;
}

void Item::SetAlpha(float alpha)
{
    if (model_ != nullptr)
        model_->SetColor(Color(1.0f, 1.0f, 1.0f, alpha));
}

void Item::PlaceModel()
{
    if (model_ == nullptr)
        return;
    Matrix4 translation;
    MatrixSetTranslation(translation, position_);
    Matrix4 rotation;
    MatrixSetRotationZ(rotation, heading_ + kHalfPi);
    model_->matrix = translation * rotation * baseMatrix_;
    model_->box.SetTransform(model_->matrix);
}

void Item::UpdateAppear(float seconds)
{
    timer_ += seconds;
    SetAlpha(std::min(1.0f, kAppearFadePerSecond * timer_));
    const Vector3 rest = GetRestPoint();
    if (!StepToward(rest, kAppearSpeedPerSecond, seconds))
        return;
    position_ = rest;
    state_ = kRest;
    SelectRestAnimation();
    restTimer_ = RandomFloatRange(0.0f, kFirstRestDelayMaxSeconds);
    locked_ = 0;
    SetEmitting(appear_, false);
}

void Item::UpdateFlyAway(float seconds)
{
    timer_ += seconds;
    const float alpha = std::clamp(kFlyAwayFadeSeconds - timer_, 0.0f, 1.0f);
    SetAlpha(alpha);
    const Vector3 away = GetRestPoint();
    if (!StepToward(away, kFlyAwaySpeedPerSecond, seconds) && alpha >= kHiddenAlpha)
        return;
    SetEmitting(disappear_, false);
    position_ = away;
    state_ = kRest;
    alive_ = 0;
}

void Item::UpdateHop(float seconds)
{
    const bool climbing = animation_ != nullptr && animation_->currentId == kAnimationTakeOff;
    if (IsAnimationPlaying()) {
        Vector3 target = GetRestPoint();
        if (climbing)
            target.z += kClimbHeight;
        StepToward(target, kHopSpeedPerSecond, seconds);
        return;
    }
    if (climbing) {
        PlayAnimation(kAnimationLanding, kSlowFramesPerSecond, false);
        return;
    }
    position_ = GetRestPoint();
    state_ = kRest;
    SelectRestAnimation();
}

void Item::UpdateTakeOff(float seconds)
{
    Turn(kTakeOffTurnRate, seconds);
    if (IsAnimationPlaying()) {
        StepToward(GetRestPoint() + Vector3(0.0f, 0.0f, kClimbHeight), kHopSpeedPerSecond, seconds);
        return;
    }
    heading_ = WrapHeading(targetHeading_);
    targetHeading_ = heading_;
    PlayAnimation(kAnimationFlight, kSlowFramesPerSecond, true);
    home_ = destination_;
    BeginFlight();
    SetEmitting(swap_, true);
}

void Item::UpdateLanding(float seconds)
{
    Turn(kLandingTurnRate, seconds);
    if (IsAnimationPlaying()) {
        StepToward(GetRestPoint(), kHopSpeedPerSecond, seconds);
        return;
    }
    heading_ = WrapHeading(targetHeading_);
    targetHeading_ = heading_;
    position_ = GetRestPoint();
    state_ = kRest;
    SelectRestAnimation();
    landAfterFlight_ = 0;
}

void Item::UpdateFlight(float seconds)
{
    const Vector3 target(home_.x, home_.y, position_.z);
    if (!StepToward(target, kFlightSpeedPerSecond, seconds))
        return;
    position_ = target;
    state_ = kRest;
    if (landAfterFlight_ != 0)
        Land();
}

void Item::UpdateRestTimer(float seconds)
{
    if (!IsResting() || webbed_ != 0)
        return;
    restTimer_ -= seconds;
    if (restTimer_ > 0.0f)
        return;
    restTimer_ = RandomFloatRange(kRestDelayMinSeconds, kRestDelayMaxSeconds);
    if (animation_->playing == 0) {
        animation_->SetAnimation(kAnimationRest);
        animation_->Play();
    }
}

void Item::UpdateParticles()
{
    if (appear_ == nullptr || disappear_ == nullptr || swap_ == nullptr)
        return;
    const float alpha = model_->GetColor().a;
    const Vector3& centre = model_->box.centre;
    const ParticleSystem* templates[] = {gameData_->butterflyAppear, gameData_->butterflyDisappear,
                                         gameData_->butterflySwap};
    ParticleSystem* systems[] = {appear_, disappear_, swap_};
    for (std::size_t i = 0; i < 3; ++i) {
        systems[i]->SetPosition(centre);
        for (std::uint32_t key = 0; key < ParticleFile::kKeyCount; ++key)
            systems[i]->settings.color[key].a = templates[i]->settings.color[key].a * alpha;
    }
}

void Item::UpdateBonus()
{
    if (bonus_ == nullptr)
        return;
    Matrix4 translation;
    MatrixSetTranslation(translation, position_);
    bonus_->SetMatrix(translation);
    if (model_ != nullptr)
        bonus_->SetColor(model_->GetColor());
}

} // namespace Tansywell

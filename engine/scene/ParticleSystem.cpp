#include "engine/scene/ParticleSystem.h"

#include <cmath>
#include <memory>

#include "engine/core/Error.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/SpriteGroup.h"
#include "engine/scene/SpriteGroupManager.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kKeyCount = ParticleFile::kKeyCount;
constexpr float kLastKey = static_cast<float>(kKeyCount - 1);
// Speeds are in hundreds of units a second.
constexpr float kUnitsPerSpeed = 100.0f;
constexpr float kFloorLift = 0.001f;
constexpr float kDeathMargin = 0.0001f;
// A key's direction or spread shorter than this repeats the previous key.
constexpr float kDirectionKeyThreshold = 0.05f;

// Where a fraction (0..1 of a cycle or a life, times five) falls between
// the six keys: key k, the key after it (0 after the last), and the weight
// of the later one. Values out of range, not a number included, are clamped
// so that no key outside the table is read.
struct KeyPosition
{
    std::uint32_t k;
    std::uint32_t n;
    float f;
    float g;

    explicit KeyPosition(float x)
    {
        if (!(x >= 0.0f)) {
            x = 0.0f;
        } else if (x > kLastKey) {
            x = kLastKey;
        }
        k = static_cast<std::uint32_t>(x);
        n = k + 1 == kKeyCount ? 0 : k + 1;
        f = x - static_cast<float>(k);
        g = 1.0f - f;
    }

    float Blend(const float (&keys)[kKeyCount]) const { return keys[k] * g + keys[n] * f; }
    Vector3 Blend(const Vector3 (&keys)[kKeyCount]) const { return keys[k] * g + keys[n] * f; }
    Color Blend(const Color (&keys)[kKeyCount]) const { return keys[k] * g + keys[n] * f; }
};

bool IsPositiveSpan(float seconds)
{
    return seconds > 0.0f && std::isfinite(seconds);
}

} // namespace

ParticleSystem::ParticleSystem(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                               ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager, Camera* camera)
    : log_(log), fileManager_(fileManager), timerManager_(timerManager), shaderManager_(shaderManager),
      spriteGroupManager_(spriteGroupManager), name_("self_made")
{
    SetSelfMadeDefaults();
    const ShaderDescriptor plain;
    FinishConstruction(&plain, camera);
}

ParticleSystem::ParticleSystem(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                               ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager,
                               const std::string& fileName, Camera* camera)
    : log_(log), fileManager_(fileManager), timerManager_(timerManager), shaderManager_(shaderManager),
      spriteGroupManager_(spriteGroupManager), name_(fileName)
{
    ParticleFile contents;
    try {
        std::unique_ptr<FileBinary> file = fileManager_->OpenFile(FileManager::GetDataPath(fileName), false, true);
        contents.Read(*file, fileName);
    } catch (const FileError& error) {
        if (log_ != nullptr) {
            log_->LogError(error.GetMessage());
        }
        throw Error(error.GetMessage());
    }
    if (contents.fileMaxParticles != contents.maxParticles && log_ != nullptr) {
        log_->LogWarning("Particle system \"" + fileName + "\" asks for " + UIntToString(contents.fileMaxParticles) +
                         " particles; " + UIntToString(contents.maxParticles) + " are made");
    }
    settings = contents.settings;
    maxParticles_ = contents.maxParticles;
    emitterShape = contents.emitterShape;
    emitterBox.Set(contents.emitterBoxMin, contents.emitterBoxMax);

    std::string shaderName = fileName;
    FileManager::SetExtension(shaderName, "srf");
    ShaderDescriptor descriptor;
    descriptor.ConstructFromFile(log_, fileManager_, shaderName);
    FinishConstruction(&descriptor, camera);
}

ParticleSystem::ParticleSystem(const ParticleSystem& source)
    : settings(source.settings), emitterShape(source.emitterShape), emitterBox(source.emitterBox), log_(source.log_),
      fileManager_(source.fileManager_), timerManager_(source.timerManager_), shaderManager_(source.shaderManager_),
      spriteGroupManager_(source.spriteGroupManager_), name_(source.name_), maxParticles_(source.maxParticles_)
{
    spriteGroup_ = spriteGroupManager_->CreateCopy(source.spriteGroup_, false);
    ResetPool();
}

ParticleSystem::~ParticleSystem()
{
    spriteGroupManager_->DeleteSpriteGroup(spriteGroup_);
}

void ParticleSystem::SetSelfMadeDefaults()
{
    settings = ParticleFile::Settings();
    settings.duration = 1.0f;
    settings.gravityOn = 1;
    settings.gravity = 1.0f;
    settings.floorOn = 1;
    settings.floorHeight = -1.0f;
    settings.bounce = 0.9f;
    settings.stopAtRest = 1;
    settings.restSpeed = 0.4f;
    settings.smoothEmission = 1;
    for (std::uint32_t k = 0; k < kKeyCount; ++k) {
        settings.emissionRate[k] = 10.0f;
        settings.lifetime[k] = 1.0f;
        settings.lifetimeSpread[k] = 0.0f;
        settings.direction[k] = Vector3(0.0f, 0.0f, 0.0f);
        settings.directionSpread[k] = Vector3(1.0f, 1.0f, 1.0f);
        settings.color[k] = Color(1.0f, 1.0f, 1.0f, 1.0f);
        settings.size[k] = 1.0f;
        settings.speed[k] = 1.0f;
        settings.speedSpread[k] = 0.0f;
    }
    maxParticles_ = kSelfMadeParticles;
    emitterShape = kShapePoint;
    emitterBox.Set(Vector3(-0.5f, -0.5f, -0.5f), Vector3(0.5f, 0.5f, 0.5f));
}

void ParticleSystem::FinishConstruction(const ShaderDescriptor* descriptor, Camera* camera)
{
    spriteGroup_ = spriteGroupManager_->CreateRegisteredSpriteGroup(maxParticles_, descriptor, camera);
    ResetPool();
}

void ParticleSystem::ResetPool()
{
    particles_.assign(maxParticles_, Particle());
    freeParticles_.clear();
    freeParticles_.reserve(maxParticles_);
    for (std::uint32_t i = maxParticles_; i > 0; --i) {
        freeParticles_.push_back(i - 1);
    }
    elapsedTime = 0.0f;
    repeat = 0;
    emitting = 0;
    liveCount_ = 0;
    peakCount_ = 0;
    lastKey_ = -1;
    position = Vector3();
    alongSegments = 0;
    emissionCarry_ = 0.0f;
}

Model* ParticleSystem::GetModel() const
{
    return spriteGroup_->GetModel();
}

void ParticleSystem::SetVisible(bool visible)
{
    spriteGroup_->SetVisible(visible);
}

bool ParticleSystem::IsVisible() const
{
    return spriteGroup_->IsVisible();
}

void ParticleSystem::Update()
{
    Advance(timerManager_ != nullptr ? timerManager_->GetFrameTime() : 0.0f);
}

Vector3 ParticleSystem::PickStartPoint() const
{
    switch (emitterShape) {
    case kShapeBox:
        return Vector3(position.x + RandomFloatRange(emitterBox.worldMin.x, emitterBox.worldMax.x),
                       position.y + RandomFloatRange(emitterBox.worldMin.y, emitterBox.worldMax.y),
                       position.z + RandomFloatRange(emitterBox.worldMin.z, emitterBox.worldMax.z));
    case kShapePointList: {
        const std::uint32_t count = static_cast<std::uint32_t>(pathPoints.size());
        if (count == 0) {
            return Vector3();
        }
        if (alongSegments == 0) {
            return pathPoints[RandomInt(0, count - 1)];
        }
        if (count < 2) {
            return pathPoints[0];
        }
        const std::uint32_t i = RandomInt(0, count - 2);
        const Vector3& a = pathPoints[i];
        const Vector3& b = pathPoints[i + 1];
        return a + (b - a) * RandomFloat();
    }
    default:
        return position;
    }
}

void ParticleSystem::Emit(float frameSeconds)
{
    const bool validCycle = IsPositiveSpan(settings.duration);
    const KeyPosition key(validCycle ? elapsedTime / settings.duration * kLastKey : 0.0f);
    float lifeBase;
    float lifeSpread;
    if (settings.smoothEmission != 0) {
        emissionCarry_ += key.Blend(settings.emissionRate) * frameSeconds;
        lifeBase = key.Blend(settings.lifetime);
        lifeSpread = key.Blend(settings.lifetimeSpread);
    } else {
        // A burst of the key's count on entering the key.
        if (static_cast<std::int32_t>(key.k) != lastKey_) {
            emissionCarry_ += settings.emissionRate[key.k];
        }
        lifeBase = settings.lifetime[key.k];
        lifeSpread = settings.lifetimeSpread[key.k];
    }
    // A carry too large to count is simply more than the pool holds.
    if (!std::isfinite(emissionCarry_)) {
        emissionCarry_ = emissionCarry_ > 0.0f ? static_cast<float>(maxParticles_) : 0.0f;
    }
    const float whole = std::trunc(emissionCarry_);
    std::uint32_t births = 0;
    if (whole > 0.0f) {
        emissionCarry_ -= whole;
        const float room = static_cast<float>(freeParticles_.size());
        births = whole >= room ? static_cast<std::uint32_t>(freeParticles_.size()) : static_cast<std::uint32_t>(whole);
    }
    // Births beyond the free pool are dropped, not owed.
    for (std::uint32_t i = 0; i < births; ++i) {
        const std::uint32_t index = freeParticles_.back();
        freeParticles_.pop_back();
        Particle& particle = particles_[index];
        particle.dead = 0;
        const Vector3 start = PickStartPoint();
        particle.spriteIndex = spriteGroup_->AddSprite(start, settings.size[0], settings.color[0]);
        particle.lifetime = RandomFloatAround(lifeBase, lifeSpread);
        particle.age = 0.0f;
        particle.heading = Vector3();
        for (std::uint32_t j = 0; j < kKeyCount; ++j) {
            const Vector3& direction = settings.direction[j];
            const Vector3& spread = settings.directionSpread[j];
            if (j == 0 || direction.Length() >= kDirectionKeyThreshold || spread.Length() >= kDirectionKeyThreshold) {
                particle.headingKeys[j] =
                    Vector3(RandomFloatAround(direction.x, spread.x), RandomFloatAround(direction.y, spread.y),
                            RandomFloatAround(direction.z, spread.z));
            } else {
                particle.headingKeys[j] = particle.headingKeys[j - 1];
            }
            particle.headingKeys[j].SetLength(1.0f);
            particle.speedKeys[j] = RandomFloatAround(settings.speed[j], settings.speedSpread[j]);
        }
        particle.fallSpeed = 0.0f;
        particle.speedFactor = 1.0f;
    }
    lastKey_ = static_cast<std::int32_t>(key.k);
}

void ParticleSystem::MoveParticles(float frameSeconds)
{
    liveCount_ = 0;
    for (std::uint32_t index = 0; index < maxParticles_; ++index) {
        Particle& particle = particles_[index];
        if (particle.dead != 0) {
            continue;
        }
        particle.age += frameSeconds;
        // Written so that a life of zero, below zero or not a number ends here.
        if (!(particle.age < particle.lifetime)) {
            spriteGroup_->ReleaseSprite(particle.spriteIndex);
            particle.dead = 1;
            freeParticles_.push_back(index);
            continue;
        }
        const KeyPosition key(particle.age / particle.lifetime * kLastKey);
        const float speed =
            (particle.speedKeys[key.k] * key.g + particle.speedKeys[key.n] * key.f) * particle.speedFactor;
        particle.heading = particle.headingKeys[key.k] * key.g + particle.headingKeys[key.n] * key.f;
        particle.heading.SetLength(1.0f);
        Vector3 step = particle.heading * (speed * kUnitsPerSpeed * frameSeconds);
        if (settings.gravityOn != 0) {
            particle.fallSpeed += settings.gravity * frameSeconds;
            step.z -= particle.fallSpeed * kUnitsPerSpeed * frameSeconds;
        }
        SpriteGroup::Sprite* sprite = spriteGroup_->GetSprite(particle.spriteIndex);
        if (sprite == nullptr) {
            ++liveCount_;
            continue;
        }
        sprite->position += step;
        if (settings.floorOn != 0 && sprite->position.z < settings.floorHeight) {
            sprite->position.z = settings.floorHeight + kFloorLift;
            particle.fallSpeed = 0.0f;
            particle.speedFactor *= settings.bounce;
            if (particle.speedFactor < settings.restSpeed) {
                particle.speedFactor = 0.0f;
                if (settings.stopAtRest != 0) {
                    particle.age = particle.lifetime + kDeathMargin;
                }
            }
            Vector3 bounced(step.x, step.y, std::fabs(step.z));
            bounced.SetLength(1.0f);
            particle.heading = bounced;
            for (Vector3& headingKey : particle.headingKeys) {
                headingKey = bounced;
            }
        }
        sprite->color = key.Blend(settings.color);
        sprite->size = key.Blend(settings.size);
        ++liveCount_;
    }
}

void ParticleSystem::Advance(float frameSeconds)
{
    if (!spriteGroup_->IsVisible()) {
        return;
    }
    if (emitting != 0) {
        elapsedTime += frameSeconds;
        if (!IsPositiveSpan(settings.duration)) {
            // No cycle to run: the effect ends instead of dividing by zero.
            elapsedTime = 0.0f;
            lastKey_ = -1;
            emitting = 0;
        } else if (repeat != 0) {
            if (elapsedTime >= settings.duration) {
                elapsedTime = std::fmod(elapsedTime, settings.duration);
            }
        } else if (elapsedTime >= settings.duration) {
            elapsedTime = 0.0f;
            lastKey_ = -1;
            emitting = 0;
        }
    }
    if (emitting != 0) {
        Emit(frameSeconds);
    }
    MoveParticles(frameSeconds);
    if (liveCount_ > peakCount_) {
        peakCount_ = liveCount_;
    }
}

} // namespace OrrelayEngine

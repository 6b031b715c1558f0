// An emitter of short-lived camera-facing quads: the cursor's trail, the
// mana flights, the menu background's sparkles. Each frame it emits new
// particles along a six-key timeline over its cycle, moves the live ones with
// speed, gravity and a bouncing floor, and writes their colour and size into
// the sprites of the sprite group it owns, which draws them as one model.
//
// Particles and sprites are fixed pools sized at construction: birth and
// death allocate nothing. A cycle or a life of zero or less (or not a number)
// ends at once rather than dividing by zero or looping without end. Random
// numbers come from the engine's one generator, so a seed gives one effect.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/BoundingBox.h"
#include "engine/core/Vector3.h"
#include "engine/scene/ParticleFile.h"

namespace OrrelayEngine {

class Camera;
class FileManager;
class MessageManager;
class Model;
class ShaderDescriptor;
class ShaderManager;
class SpriteGroup;
class SpriteGroupManager;
class TimerManager;

class ParticleSystem
{
public:
    static constexpr std::uint32_t kSelfMadeParticles = 100;
    static constexpr std::uint32_t kShapePoint = 0;
    static constexpr std::uint32_t kShapeBox = 1;
    static constexpr std::uint32_t kShapePointList = 2;

    struct Particle
    {
        std::uint8_t dead = 1;
        std::uint32_t spriteIndex = 0;
        float lifetime = 0.0f;
        float age = 0.0f;
        Vector3 heading;
        Vector3 headingKeys[ParticleFile::kKeyCount];
        float speedKeys[ParticleFile::kKeyCount] = {};
        float speedFactor = 1.0f;
        float fallSpeed = 0.0f;
    };

    // The default effect, built in code.
    ParticleSystem(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                   ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager, Camera* camera);
    // Reads the particle file and the shader file of the same name with the
    // extension "srf". A bad file is logged and thrown as Error.
    ParticleSystem(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                   ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager, const std::string& fileName,
                   Camera* camera);
    // Settings, limit and emitter; no particle and no clock state.
    explicit ParticleSystem(const ParticleSystem& source);
    ParticleSystem& operator=(const ParticleSystem&) = delete;
    virtual ~ParticleSystem();

    // Steps by the timer's frame time.
    void Update();
    // Steps by the given seconds; Update calls it with the frame time.
    void Advance(float frameSeconds);

    Model* GetModel() const;
    SpriteGroup* GetSpriteGroup() const { return spriteGroup_; }
    void SetVisible(bool visible);
    bool IsVisible() const;
    void SetPosition(const Vector3& newPosition) { position = newPosition; }

    const std::string& GetName() const { return name_; }
    std::uint32_t GetMaxParticles() const { return maxParticles_; }
    std::uint32_t GetLiveCount() const { return liveCount_; }
    std::uint32_t GetPeakCount() const { return peakCount_; }
    std::int32_t GetLastKey() const { return lastKey_; }
    float GetEmissionCarry() const { return emissionCarry_; }
    const Particle& GetParticle(std::uint32_t index) const { return particles_[index]; }

    ParticleFile::Settings settings;
    float elapsedTime = 0.0f;
    std::uint8_t repeat = 0;
    std::uint8_t emitting = 0;
    Vector3 position;
    std::uint32_t emitterShape = kShapePoint;
    BoundingBox emitterBox;
    std::vector<Vector3> pathPoints;
    std::uint8_t alongSegments = 0;

private:
    void SetSelfMadeDefaults();
    // Sprite group, particle pool and clock; camera null means the current one.
    void FinishConstruction(const ShaderDescriptor* descriptor, Camera* camera);
    void ResetPool();
    Vector3 PickStartPoint() const;
    void Emit(float frameSeconds);
    void MoveParticles(float frameSeconds);

    MessageManager* log_;
    FileManager* fileManager_;
    TimerManager* timerManager_;
    ShaderManager* shaderManager_;
    SpriteGroupManager* spriteGroupManager_;
    std::string name_;
    SpriteGroup* spriteGroup_ = nullptr;
    float emissionCarry_ = 0.0f;
    // The top is the back; index 0 is taken first from a new system.
    std::vector<std::uint32_t> freeParticles_;
    std::uint32_t maxParticles_ = 0;
    std::vector<Particle> particles_;
    std::uint32_t liveCount_ = 0;
    std::uint32_t peakCount_ = 0;
    std::int32_t lastKey_ = -1;
};

} // namespace OrrelayEngine

// The game's mouse pointer: a textured cursor with a particle trail that
// follows the pointer and a particle burst at each click. The particles come
// from the resource set, so until it has loaded the cursor works without them.
#pragma once

#include "tools/GUIGameCursorBase.h"

namespace OrrelayEngine {
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;

class GUIGameCursor : public GameTools::GUIGameCursorBase
{
public:
    static constexpr float kCursorSize = 40.0f;
    static constexpr std::uint32_t kSystemCursorResource = 1000;
    // Where the trail leaves the pointer: behind the tip of the arrow.
    static constexpr float kTrailOffsetX = 12.0f;
    static constexpr float kTrailOffsetY = -18.0f;
    static constexpr float kParticleDepth = -21.0f;

    explicit GUIGameCursor(OrrelayEngine::Engine* engine);
    ~GUIGameCursor() override;

    bool Update() override;
    void SetVisible(bool visible) override;
    // Copies the trail and click effects of the loaded resource set.
    void SetParticleSystems(const GameData* data);
    // The trail emits exactly while this is set; clicks burst only then too.
    void SetTrailEnabled(bool enabled);
    bool IsTrailEnabled() const { return trailEnabled_; }

    OrrelayEngine::ParticleSystem* GetTrail() const { return trail_; }
    OrrelayEngine::ParticleSystem* GetClick() const { return click_; }

private:
    void DeleteParticleSystems();

    OrrelayEngine::ParticleSystemManager* particleManager_;
    [[maybe_unused]] OrrelayEngine::ModelManager* modelManager_;
    OrrelayEngine::ParticleSystem* trail_ = nullptr;
    OrrelayEngine::ParticleSystem* click_ = nullptr;
    bool trailEnabled_ = true;
};

} // namespace Tansywell

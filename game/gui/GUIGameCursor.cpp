#include "game/gui/GUIGameCursor.h"

#include <string>

#include "engine/core/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/Model.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "game/GameData.h"

namespace Tansywell {

using OrrelayEngine::ParticleSystem;
using OrrelayEngine::Vector2;
using OrrelayEngine::Vector3;

namespace {

constexpr std::uint32_t kCursorId = 0;
// Built once: a name built per frame would allocate.
const std::string kClickKey("MOUSE1");

void PrepareEffect(ParticleSystem* system, bool repeat)
{
    if (system == nullptr) {
        return;
    }
    if (OrrelayEngine::Model* model = system->GetModel()) {
        model->SetFlags(OrrelayEngine::Model::kFlagFixedDepth);
        model->depth = GUIGameCursor::kParticleDepth;
    }
    system->repeat = repeat ? 1 : 0;
    system->SetVisible(true);
}

} // namespace

GUIGameCursor::GUIGameCursor(OrrelayEngine::Engine* engine)
    : GUIGameCursorBase(engine), particleManager_(engine->GetParticleSystemManager()),
      modelManager_(engine->GetModelManager())
{
    const OrrelayEngine::ShaderDescriptor texture = OrrelayEngine::MakeSingleTextureShaderDescriptor(
        "ui\\cursors\\cursor.jpg", "ui\\cursors\\cursor_alpha.jpg", true);
    AddCursor(kCursorId, kSystemCursorResource, guiManager_->CreateCursor(texture, kCursorSize));
    SetCursor(kCursorId);
}

GUIGameCursor::~GUIGameCursor()
{
    DeleteParticleSystems();
}

void GUIGameCursor::DeleteParticleSystems()
{
    particleManager_->DeleteParticleSystem(trail_);
    particleManager_->DeleteParticleSystem(click_);
    trail_ = nullptr;
    click_ = nullptr;
}

void GUIGameCursor::SetParticleSystems(const GameData* data)
{
    DeleteParticleSystems();
    trail_ = particleManager_->CreateCopy(data->cursorTrain);
    click_ = particleManager_->CreateCopy(data->cursorClick);
    PrepareEffect(trail_, true);
    PrepareEffect(click_, false);
    SetTrailEnabled(trailEnabled_);
}

void GUIGameCursor::SetTrailEnabled(bool enabled)
{
    trailEnabled_ = enabled;
    if (trail_ != nullptr) {
        trail_->emitting = enabled ? 1 : 0;
    }
}

void GUIGameCursor::SetVisible(bool visible)
{
    GUIGameCursorBase::SetVisible(visible);
    if (trail_ != nullptr) {
        trail_->emitting = visible && trailEnabled_ ? 1 : 0;
    }
}

bool GUIGameCursor::Update()
{
    Vector2 pointer;
    guiManager_->GetCursorPosition(pointer);
    if (trailEnabled_ && trail_ != nullptr) {
        trail_->SetPosition(Vector3(pointer.x + kTrailOffsetX, pointer.y + kTrailOffsetY, 0.0f));
    }
    if (trailEnabled_ && click_ != nullptr && controls_->WasKeyPressed(kClickKey)) {
        click_->SetPosition(Vector3(pointer.x, pointer.y, 0.0f));
        click_->elapsedTime = 0.0f;
        click_->emitting = 1;
    }
    return GUIGameCursorBase::Update();
}

} // namespace Tansywell

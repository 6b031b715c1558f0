#include "engine/scene/SpriteGroup.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Matrix4.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"

namespace OrrelayEngine {

namespace {

constexpr float kAngleTolerance = 0.0001f;
constexpr std::uint32_t kVerticesPerSprite = 4;
constexpr std::uint32_t kIndicesPerSprite = 6;
constexpr float kCornerUv[4][2] = {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}};

} // namespace

SpriteGroup::SpriteGroup(MessageManager* log, CameraManager* cameraManager, ModelManager* modelManager,
                         ShaderManager* shaderManager, std::uint32_t spriteCount, const ShaderDescriptor* descriptor,
                         Camera* camera)
    : log_(log), cameraManager_(cameraManager), modelManager_(modelManager), shaderManager_(shaderManager),
      spriteCount_(spriteCount), sprites_(spriteCount), drawList_(spriteCount, nullptr), camera_(camera)
{
    if (camera_ == nullptr && cameraManager_ != nullptr) {
        camera_ = cameraManager_->GetCurrentCamera();
    }
    model_ = modelManager_->CreateSelfMade(kModelFlags, spriteCount * kVerticesPerSprite,
                                           spriteCount * kIndicesPerSprite, 1, descriptor, camera_);
    WriteFixedVertexData();
    ResetFreeStack();
}

SpriteGroup::SpriteGroup(const SpriteGroup& source, bool copySprites)
    : sortByDepth(source.sortByDepth), centre(source.centre), groupColor(source.groupColor), log_(source.log_),
      cameraManager_(source.cameraManager_), modelManager_(source.modelManager_), shaderManager_(source.shaderManager_),
      spriteCount_(source.spriteCount_), sprites_(source.spriteCount_), drawList_(source.spriteCount_, nullptr),
      camera_(source.camera_)
{
    model_ = modelManager_->CreateCopy(source.model_, nullptr, 0);
    if (copySprites) {
        sprites_ = source.sprites_;
        freeSprites_ = source.freeSprites_;
    } else {
        ResetFreeStack();
    }
}

SpriteGroup::~SpriteGroup()
{
    modelManager_->DeleteModel(model_);
}

void SpriteGroup::ResetFreeStack()
{
    freeSprites_.clear();
    freeSprites_.reserve(spriteCount_);
    for (std::uint32_t i = 0; i < spriteCount_; ++i) {
        freeSprites_.push_back(i);
    }
}

void SpriteGroup::WriteFixedVertexData()
{
    if (spriteCount_ == 0) {
        return;
    }
    std::vector<std::uint32_t> indices(static_cast<std::size_t>(spriteCount_) * kIndicesPerSprite);
    for (std::uint32_t i = 0; i < spriteCount_; ++i) {
        const std::uint32_t first = i * kVerticesPerSprite;
        const std::uint32_t quad[kIndicesPerSprite] = {first, first + 1, first + 2, first + 2, first + 1, first + 3};
        std::copy(quad, quad + kIndicesPerSprite, indices.begin() + static_cast<std::ptrdiff_t>(i) * kIndicesPerSprite);
    }
    model_->GetIndexBuffer()->SetIndices(0, static_cast<std::uint32_t>(indices.size()), indices.data());
    VertexBuffer* vertices = model_->GetVertexBuffer();
    ColoredVertex* locked = vertices->LockColoredVertices(0, spriteCount_ * kVerticesPerSprite);
    if (locked != nullptr) {
        for (std::uint32_t i = 0; i < spriteCount_ * kVerticesPerSprite; ++i) {
            locked[i].u = kCornerUv[i % kVerticesPerSprite][0];
            locked[i].v = kCornerUv[i % kVerticesPerSprite][1];
        }
    }
    vertices->Unlock();
}

std::uint32_t SpriteGroup::AddSprite(const Vector3& position, float size, const Color& color)
{
    if (freeSprites_.empty()) {
        return kNoSprite;
    }
    const std::uint32_t index = freeSprites_.back();
    freeSprites_.pop_back();
    Sprite& sprite = sprites_[index];
    sprite.free = 0;
    sprite.position = position;
    sprite.size = size;
    sprite.color = color;
    sprite.angle = 0.0f;
    return index;
}

void SpriteGroup::ReleaseSprite(std::uint32_t index)
{
    // Releasing twice would put the index on the stack twice and hand one
    // sprite to two owners.
    if (index >= spriteCount_ || sprites_[index].free != 0) {
        return;
    }
    sprites_[index].free = 1;
    freeSprites_.push_back(index);
}

SpriteGroup::Sprite* SpriteGroup::GetSprite(std::uint32_t index)
{
    return index < spriteCount_ ? &sprites_[index] : nullptr;
}

bool SpriteGroup::IsVisible() const
{
    return (model_->GetFlags() & Model::kFlagVisible) != 0;
}

void SpriteGroup::SetVisible(bool visible)
{
    if (visible) {
        model_->SetFlags(Model::kFlagVisible);
    } else {
        model_->ClearFlags(Model::kFlagVisible);
    }
}

void SpriteGroup::Build()
{
    if (!IsVisible() || camera_ == nullptr) {
        return;
    }
    const Vector3 eye = camera_->GetPosition();
    const Vector3 right = camera_->GetRightAxis();
    const Vector3 up = camera_->GetUpAxis();
    const Vector3 back = camera_->GetBackAxis();

    std::uint32_t listed = 0;
    for (Sprite& sprite : sprites_) {
        if (sprite.free != 0) {
            continue;
        }
        if (sortByDepth != 0) {
            sprite.depth = back.Dot(eye - sprite.position);
            // A position that is not a number (a damaged effect file can make
            // one) compares with nothing, which would leave the sort undefined.
            if (std::isnan(sprite.depth)) {
                sprite.depth = 0.0f;
            }
        }
        drawList_[listed++] = &sprite;
    }
    if (sortByDepth != 0) {
        std::sort(drawList_.begin(), drawList_.begin() + listed,
                  [](const Sprite* a, const Sprite* b) { return a->depth > b->depth; });
    }

    VertexBuffer* vertices = model_->GetVertexBuffer();
    ColoredVertex* out = listed > 0 ? vertices->LockColoredVertices(0, listed * kVerticesPerSprite) : nullptr;
    Vector3 sum;
    if (out != nullptr) {
        for (std::uint32_t j = 0; j < listed; ++j) {
            const Sprite& sprite = *drawList_[j];
            const Vector3& p = sprite.position;
            const float s = sprite.size;
            sum += p;
            Vector3 corners[4] = {p + (right * -1.0f - up) * s, p + (up - right) * s, p + (right - up) * s,
                                  p + (right + up) * s};
            if (std::fabs(sprite.angle) > kAngleTolerance) {
                Matrix4 rotation;
                MatrixSetRotationAxis(rotation, back, sprite.angle);
                for (Vector3& corner : corners) {
                    corner = p + rotation.TransformPoint(corner - p);
                }
            }
            const Color tint = sprite.color.Modulate(groupColor);
            const std::uint32_t packed = vertices->PackColor(tint.r, tint.g, tint.b, tint.a);
            for (std::uint32_t k = 0; k < kVerticesPerSprite; ++k) {
                ColoredVertex& vertex = out[j * kVerticesPerSprite + k];
                vertex.x = corners[k].x;
                vertex.y = corners[k].y;
                vertex.z = corners[k].z;
                vertex.color = packed;
            }
        }
    }
    vertices->Unlock();
    if (listed > 0) {
        centre = sum / static_cast<float>(listed);
    }
    drawnCount_ = listed;
    model_->GetIndexBuffer()->SetUsedCount(listed * kIndicesPerSprite);
}

} // namespace OrrelayEngine

// One hexagonal place of the board: its layers, whether it is closed (no item
// until opened) or blocked (its item under a web), the model that shows that
// state, the box that answers the mouse's ray, the glow of a hovered or
// selected cell and the mana effect it plays when it loses a layer.
#pragma once

#include <cstdint>

#include "engine/core/BoundingBox.h"
#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;
struct CellRecord;

class Cell
{
public:
    // How fast the highlight turns from white to yellow and back, per second.
    static constexpr float kHighlightSpeed = 3.5f;

    Cell(OrrelayEngine::Engine* engine, const GameData* gameData, const CellRecord& record, std::uint32_t listIndex);
    virtual ~Cell();

    Cell(const Cell&) = delete;
    Cell& operator=(const Cell&) = delete;

    // The world box of the pick model.
    const OrrelayEngine::BoundingBox& GetBoundingBox() const;
    // The visible model's matrix.
    const OrrelayEngine::Matrix4& GetModelMatrix() const;
    // Where the cell's item stands: the top of the pick box's centre (z is up).
    OrrelayEngine::Vector3 GetTopPosition() const;
    // The pick box's centre in the world, where the camera sees it (with the
    // placement of a camera that carries the board).
    OrrelayEngine::Vector3 GetCentre() const;
    bool IntersectRay(const OrrelayEngine::Vector3& origin, const OrrelayEngine::Vector3& direction,
                      float* distance) const;

    // Every frame, for every cell.
    void SetHighlight(bool hovered, bool selected);

    // Each true when it changed something.
    bool RemoveLayer();
    bool Unblock();
    bool OpenClosed();
    void RebuildModel();

    std::uint32_t GetLayerCount() const { return layerCount_; }
    bool IsClosed() const { return closed_ != 0; }
    bool IsBlocked() const { return blocked_ != 0; }
    std::uint32_t GetX() const { return x_; }
    std::uint32_t GetY() const { return y_; }
    std::uint32_t GetListIndex() const { return listIndex_; }
    bool IsHovered() const { return hovered_ != 0; }
    bool IsSelected() const { return selected_ != 0; }
    const OrrelayEngine::Color& GetColor() const { return color_; }
    const OrrelayEngine::Matrix4& GetWorldMatrix() const { return worldMatrix_; }
    OrrelayEngine::Model* GetModel() const { return model_; }
    // Null unless blocked.
    OrrelayEngine::Model* GetBlockModel() const { return blockModel_; }
    OrrelayEngine::ParticleSystem* GetLayerParticles() const { return particles_; }

private:
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::ModelManager* modelManager_;
    OrrelayEngine::ParticleSystemManager* particleSystemManager_;
    const GameData* gameData_;
    std::uint32_t layerCount_;
    std::uint8_t closed_;
    std::uint8_t blocked_;
    std::uint32_t x_;
    std::uint32_t y_;
    OrrelayEngine::Vector3 firstTranslation_;
    OrrelayEngine::Quaternion rotation_;
    OrrelayEngine::Vector3 secondTranslation_;
    OrrelayEngine::Vector3 furtherVector_;
    OrrelayEngine::Matrix4 worldMatrix_;
    std::uint32_t listIndex_;
    OrrelayEngine::Model* model_ = nullptr;
    OrrelayEngine::Model* blockModel_ = nullptr;
    OrrelayEngine::Model* pickModel_ = nullptr;
    OrrelayEngine::ParticleSystem* particles_ = nullptr;
    OrrelayEngine::Vector3 centre_;
    std::uint8_t hovered_ = 0;
    std::uint8_t selected_ = 0;
    OrrelayEngine::Color color_{1.0f, 1.0f, 1.0f, 1.0f};
};

} // namespace Tansywell

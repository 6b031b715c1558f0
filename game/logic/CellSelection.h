// The animated marker over one selected cell: it fades in, loops while the
// cell stays selected, and fades out once released, then reports itself dead.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class AnimationControl;
class Engine;
class Model;
} // namespace OrrelayEngine

namespace Tansywell {

class Cell;

class CellSelection
{
public:
    // The marker model's three animations.
    static constexpr std::uint32_t kAppear = 0;
    static constexpr std::uint32_t kLoop = 1;
    static constexpr std::uint32_t kVanish = 2;

    // The model is borrowed from the manager's pool.
    CellSelection(OrrelayEngine::Engine* engine, const Cell* cell, OrrelayEngine::Model* model);
    virtual ~CellSelection();

    CellSelection(const CellSelection&) = delete;
    CellSelection& operator=(const CellSelection&) = delete;

    // The cell is no longer selected: vanish once the appearance ends.
    void Release();
    void Update();

    const Cell* GetCell() const { return cell_; }
    OrrelayEngine::Model* GetModel() const { return model_; }
    bool IsWanted() const { return wanted_ != 0; }
    bool IsAlive() const { return alive_ != 0; }

private:
    const Cell* cell_;
    OrrelayEngine::Model* model_;
    OrrelayEngine::AnimationControl* animation_;
    std::uint8_t wanted_ = 1;
    std::uint8_t alive_ = 1;
};

} // namespace Tansywell

// Shows the marker over the selected cell: one CellSelection per marker still
// on screen, drawn from a small pool of marker models made in advance. A cell
// selected again while its old marker fades out gets a second, new marker.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace OrrelayEngine {
class Engine;
class Model;
class ModelManager;
} // namespace OrrelayEngine

namespace Tansywell {

class Cell;
class CellSelection;
class GameData;

class CellSelectionManager
{
public:
    static constexpr std::uint32_t kMarkersMadeAtStart = 4;

    CellSelectionManager(OrrelayEngine::Engine* engine, const GameData* gameData);
    virtual ~CellSelectionManager();

    CellSelectionManager(const CellSelectionManager&) = delete;
    CellSelectionManager& operator=(const CellSelectionManager&) = delete;

    // Once per frame; null when no cell is selected.
    void Update(const Cell* selected);

    std::uint32_t GetSelectionCount() const { return static_cast<std::uint32_t>(selections_.size()); }
    const CellSelection* GetSelection(std::uint32_t index) const { return selections_[index].get(); }
    std::uint32_t GetMarkerCount() const { return static_cast<std::uint32_t>(markers_.size()); }
    std::uint32_t GetFreeMarkerCount() const { return static_cast<std::uint32_t>(freeMarkers_.size()); }

private:
    OrrelayEngine::Model* CreateMarker();

    OrrelayEngine::Engine* engine_;
    OrrelayEngine::ModelManager* modelManager_;
    const GameData* gameData_;
    std::vector<OrrelayEngine::Model*> markers_;
    std::vector<OrrelayEngine::Model*> freeMarkers_;
    std::vector<std::unique_ptr<CellSelection>> selections_;
};

} // namespace Tansywell

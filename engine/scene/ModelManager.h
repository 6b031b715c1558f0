// The factory of models and the owner of the frame's one scene: once per
// frame RenderAll updates every registered model, keeps the visible ones and
// draws them between the frame's only BeginScene and EndScene, the first sort
// group (0x200) front to back and then the second (0x400) back to front.
// Models in neither group are drawn with the first. Equal keys keep the order
// in which the models were registered, so the picture does not flicker.
//
// Templates and boxes are not registered and belong to their creators; every
// other model belongs to the manager. A model file that cannot be read becomes
// a 2 x 2 x 2 box named after the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/ObjectManager.h"
#include "engine/scene/Model.h"

namespace OrrelayEngine {

class ModelManager
{
public:
    struct Statistics
    {
        std::uint32_t visibleTriangles = 0;
        std::uint32_t drawnTriangles = 0;
        std::uint32_t visibleModels = 0;
        std::uint32_t drawnModels = 0;
    };

    ModelManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager, RenderSystem* renderSystem,
                 CameraManager* cameraManager, LightManager* lightManager, ShaderManager* shaderManager);
    virtual ~ModelManager();
    ModelManager(const ModelManager&) = delete;
    ModelManager& operator=(const ModelManager&) = delete;

    Model* CreateBox(const Vector3& minCorner, const Vector3& maxCorner, const ShaderDescriptor* descriptor,
                     Camera* camera, std::uint32_t extraFlags);
    Model* CreateSelfMade(std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount,
                          std::uint32_t frameCount, const ShaderDescriptor* descriptor, Camera* camera);
    Model* LoadModelTemplate(const std::string& fileName, Camera* camera, std::uint32_t extraFlags);
    Model* LoadModel(const std::string& fileName, Camera* camera, std::uint32_t extraFlags);
    Model* CreateCopy(const Model* source, Camera* camera, std::uint32_t extraFlags);
    // Null or a model not registered here: nothing happens.
    void DeleteModel(Model* model);

    void RenderAll();
    void PresentFrame();

    // The draw order of the last RenderAll.
    std::uint32_t GetDrawCount() const { return static_cast<std::uint32_t>(drawList_.size()); }
    Model* GetDrawn(std::uint32_t position) const { return drawList_[position].model; }
    const Statistics& GetStatistics() const { return statistics_; }
    std::uint32_t GetModelCount() const { return models_.GetCount(); }
    const ModelServices& GetServices() const { return services_; }

private:
    struct DrawEntry
    {
        Model* model;
        float key;
        std::uint32_t group;
        std::uint32_t order;
    };

    Model* LoadOrBox(const std::string& fileName, Camera* camera, std::uint32_t extraFlags);

    ModelServices services_;
    ObjectManager<Model> models_;
    std::vector<DrawEntry> drawList_;
    Statistics statistics_;
};

} // namespace OrrelayEngine

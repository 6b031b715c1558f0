#include "engine/scene/ModelManager.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Error.h"
#include "engine/render/RenderSystem.h"

namespace OrrelayEngine {

namespace {

const Vector3 kFallbackBoxMin(-1.0f, -1.0f, -1.0f);
const Vector3 kFallbackBoxMax(1.0f, 1.0f, 1.0f);

} // namespace

ModelManager::ModelManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                           RenderSystem* renderSystem, CameraManager* cameraManager, LightManager* lightManager,
                           ShaderManager* shaderManager)
{
    services_.log = log;
    services_.fileManager = fileManager;
    services_.timerManager = timerManager;
    services_.renderSystem = renderSystem;
    services_.cameraManager = cameraManager;
    services_.lightManager = lightManager;
    services_.shaderManager = shaderManager;
}

ModelManager::~ModelManager() = default;

Model* ModelManager::CreateBox(const Vector3& minCorner, const Vector3& maxCorner, const ShaderDescriptor* descriptor,
                               Camera* camera, std::uint32_t extraFlags)
{
    return new Model(services_, minCorner, maxCorner, descriptor, camera, extraFlags);
}

Model* ModelManager::CreateSelfMade(std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount,
                                    std::uint32_t frameCount, const ShaderDescriptor* descriptor, Camera* camera)
{
    Model* model = new Model(services_, flags, vertexCount, indexCount, frameCount, descriptor, camera);
    models_.Add(model);
    return model;
}

Model* ModelManager::LoadOrBox(const std::string& fileName, Camera* camera, std::uint32_t extraFlags)
{
    try {
        return new Model(services_, fileName, camera, extraFlags);
    } catch (const Error&) {
        // The reader has logged the cause; a box keeps the game going.
        Model* box = new Model(services_, kFallbackBoxMin, kFallbackBoxMax, nullptr, camera, extraFlags);
        box->SetName(fileName);
        return box;
    }
}

Model* ModelManager::LoadModelTemplate(const std::string& fileName, Camera* camera, std::uint32_t extraFlags)
{
    return LoadOrBox(fileName, camera, extraFlags);
}

Model* ModelManager::LoadModel(const std::string& fileName, Camera* camera, std::uint32_t extraFlags)
{
    Model* model = LoadOrBox(fileName, camera, extraFlags);
    models_.Add(model);
    return model;
}

Model* ModelManager::CreateCopy(const Model* source, Camera* camera, std::uint32_t extraFlags)
{
    if (source == nullptr) {
        return nullptr;
    }
    Model* model = new Model(*source, camera, extraFlags);
    models_.Add(model);
    return model;
}

void ModelManager::DeleteModel(Model* model)
{
    if (models_.Remove(model)) {
        delete model;
    }
}

void ModelManager::RenderAll()
{
    statistics_ = Statistics();
    RenderSystem* renderSystem = services_.renderSystem;
    if (!renderSystem->IsDeviceReady()) {
        return;
    }
    drawList_.clear();
    const std::vector<Model*>& slots = models_.GetSlots();
    if (drawList_.capacity() < slots.size()) {
        drawList_.reserve(slots.size());
    }
    std::uint32_t order = 0;
    for (Model* model : slots) {
        if (model == nullptr) {
            continue;
        }
        model->Update(true);
        if ((model->GetFlags() & Model::kFlagVisible) == 0) {
            continue;
        }
        statistics_.visibleTriangles += model->GetPrimitiveCount();
        statistics_.drawnTriangles += model->GetVisiblePrimitives();
        ++statistics_.visibleModels;
        if (model->GetVisiblePrimitives() == 0) {
            continue;
        }
        ++statistics_.drawnModels;
        const std::uint32_t flags = model->GetFlags();
        const std::uint32_t group =
            (flags & Model::kFlagFirstGroup) == 0 && (flags & Model::kFlagSecondGroup) != 0 ? 1 : 0;
        float key = model->depth + model->depthBias;
        // A key that is not a number compares with nothing; it would break the sort.
        if (std::isnan(key)) {
            key = 0.0f;
        }
        drawList_.push_back(DrawEntry{model, key, group, order++});
    }
    // The registration order breaks ties, which makes the order total (a
    // strict weak ordering whatever the flags) and as stable as the slots.
    std::sort(drawList_.begin(), drawList_.end(), [](const DrawEntry& a, const DrawEntry& b) {
        if (a.group != b.group) {
            return a.group < b.group;
        }
        if (a.key != b.key) {
            return a.group == 0 ? a.key < b.key : b.key < a.key;
        }
        return a.order < b.order;
    });
    renderSystem->BeginScene();
    for (const DrawEntry& entry : drawList_) {
        entry.model->Render();
    }
    renderSystem->EndScene();
}

void ModelManager::PresentFrame()
{
    if (services_.renderSystem->IsDeviceReady()) {
        services_.renderSystem->SwapBuffers();
    }
}

} // namespace OrrelayEngine

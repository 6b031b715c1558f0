#include "engine/gui/GUICursor.h"

#include "engine/input/Controls.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ModeInfo.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kQuadModelFlags = 0x48C11;
constexpr std::uint32_t kCopyFlagsSet = Model::kFlagFixedDepth | Model::kFlagSecondGroup;
constexpr std::uint32_t kCopyFlagsCleared = Model::kFlagVisible | Model::kFlagLit | Model::kFlagDepthTest;
constexpr std::uint32_t kQuadVertexCount = 4;

} // namespace

GUICursor::GUICursor(ModelManager* modelManager, Controls* controls, Camera* guiCamera,
                     const ShaderDescriptor& textureDescriptor, float size)
    : renderSystem(modelManager->GetServices().renderSystem), modelManager(modelManager), controls(controls),
      camera(guiCamera)
{
    model = modelManager->CreateSelfMade(kQuadModelFlags, kQuadVertexCount, kQuadVertexCount, 1, &textureDescriptor,
                                         guiCamera);
    const float corners[kQuadVertexCount][4] = {
        {size, -size, 1.0f, 0.0f},
        {size, 0.0f, 1.0f, 1.0f},
        {0.0f, -size, 0.0f, 0.0f},
        {0.0f, 0.0f, 0.0f, 1.0f},
    };
    PlainVertex* vertices = model->GetVertexBuffer()->LockVertices(0, kQuadVertexCount);
    for (std::uint32_t i = 0; i < kQuadVertexCount; ++i) {
        vertices[i] = PlainVertex{corners[i][0], corners[i][1], 0.0f, 0.0f, 0.0f, 1.0f, corners[i][2], corners[i][3]};
    }
    model->GetVertexBuffer()->Unlock();
    const std::uint32_t indices[kQuadVertexCount] = {0, 1, 2, 3};
    model->GetIndexBuffer()->SetIndices(0, kQuadVertexCount, indices);
    model->ComputeBoundingBox(model->box);
    model->depth = kDepth;
    baseMatrix = model->matrix;
}

GUICursor::GUICursor(ModelManager* modelManager, Controls* controls, Camera* guiCamera, const Model* source)
    : renderSystem(modelManager->GetServices().renderSystem), modelManager(modelManager), controls(controls),
      camera(guiCamera)
{
    if (source == nullptr) {
        return;
    }
    model = modelManager->CreateCopy(source, guiCamera, 0);
    model->SetFlags(kCopyFlagsSet);
    model->ClearFlags(kCopyFlagsCleared);
    model->depth = kDepth;
    baseMatrix = model->matrix;
}

GUICursor::~GUICursor()
{
    if (model != nullptr) {
        modelManager->DeleteModel(model);
    }
}

void GUICursor::Update()
{
    const ModeInfo* mode = renderSystem != nullptr ? renderSystem->GetCurrentMode() : nullptr;
    // Without a screen size there is nothing to divide by: the cursor rests at the origin.
    if (mode == nullptr || mode->width == 0 || mode->height == 0 || controls == nullptr) {
        position = Vector2();
        return;
    }
    const Vector2 client = controls->GetCursorPosition();
    const auto width = static_cast<float>(mode->width);
    const auto height = static_cast<float>(mode->height);
    position.x = camera->width * (client.x / width);
    position.y = camera->height * ((height - client.y - 1.0f) / height);
}

void GUICursor::Render()
{
    if (model == nullptr) {
        return;
    }
    model->matrix = baseMatrix;
    model->Update(false);
    Matrix4 translation;
    MatrixSetTranslation(translation, Vector3(position.x, position.y, 0.0f));
    model->matrix = translation * model->matrix;
    model->Update(false);
    if (visible != 0) {
        model->SetFlags(Model::kFlagVisible);
    } else {
        model->ClearFlags(Model::kFlagVisible);
    }
}

} // namespace OrrelayEngine

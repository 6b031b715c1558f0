#include "engine/gui/GUIWindow.h"

#include "engine/core/Matrix4.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"

namespace OrrelayEngine {

namespace {

// Static, fixed depth, second sort group (drawn back to front), box from
// vertices, visible; the same word as the cursor's quad.
constexpr std::uint32_t kQuadModelFlags = 0x48C11;
constexpr std::uint32_t kModelNotForGUI = Model::kFlagVisible | Model::kFlagLit | Model::kFlagDepthTest;
constexpr std::uint32_t kModelForGUI = Model::kFlagFixedDepth | Model::kFlagSecondGroup;
constexpr std::uint32_t kQuadVertexCount = 4;

std::uint32_t ModelOptions(std::uint32_t windowFlags)
{
    return (windowFlags & GUIWindow::kFlagColoredVertices) != 0 ? Model::kFlagVertexColor : 0;
}

float LayerDepth(std::uint32_t flags)
{
    if ((flags & GUIWindow::kFlagLayerLow) != 0) {
        return GUIWindow::kDepthLayerLow;
    }
    if ((flags & GUIWindow::kFlagLayerMiddle) != 0) {
        return GUIWindow::kDepthLayerMiddle;
    }
    if ((flags & GUIWindow::kFlagLayerHigh) != 0) {
        return GUIWindow::kDepthLayerHigh;
    }
    return GUIWindow::kDepthNoLayer;
}

// translation(x, y, 0) x scale(sx, sy, 1) x base, written out: the scale and
// translation touch only the first two rows.
Matrix4 PlacedMatrix(const Vector2& corner, const Vector2& scale, const Matrix4& base)
{
    Matrix4 placed = base;
    for (int column = 0; column < 4; ++column) {
        placed.m[column] = scale.x * base.m[column] + corner.x * base.m[12 + column];
        placed.m[4 + column] = scale.y * base.m[4 + column] + corner.y * base.m[12 + column];
    }
    return placed;
}

void FillQuad(Model& model, const Vector2& extent)
{
    // Corner (1, 0), (1, 1), (0, 0), (0, 1) as a strip; v = 0 on the bottom edge.
    const float corners[kQuadVertexCount][4] = {
        {1.0f, 0.0f, extent.x, 0.0f},
        {1.0f, 1.0f, extent.x, extent.y},
        {0.0f, 0.0f, 0.0f, 0.0f},
        {0.0f, 1.0f, 0.0f, extent.y},
    };
    VertexBuffer* vertices = model.GetVertexBuffer();
    const bool colored = vertices->HasColor();
    auto* bytes = static_cast<std::uint8_t*>(vertices->Lock(0, kQuadVertexCount));
    const std::uint32_t white = vertices->PackColor(1.0f, 1.0f, 1.0f, 1.0f);
    for (std::uint32_t i = 0; i < kQuadVertexCount; ++i) {
        float* out = reinterpret_cast<float*>(bytes + static_cast<std::size_t>(i) * vertices->GetStride());
        out[0] = corners[i][0], out[1] = corners[i][1], out[2] = 0.0f;
        out[3] = 0.0f, out[4] = 0.0f, out[5] = 1.0f;
        if (colored) {
            ColoredVertex& vertex = reinterpret_cast<ColoredVertex*>(bytes)[i];
            vertex.color = white;
            vertex.u = corners[i][2], vertex.v = corners[i][3];
        } else {
            PlainVertex& vertex = reinterpret_cast<PlainVertex*>(bytes)[i];
            vertex.u = corners[i][2], vertex.v = corners[i][3];
        }
    }
    vertices->Unlock();
    const std::uint32_t indices[kQuadVertexCount] = {0, 1, 2, 3};
    model.GetIndexBuffer()->SetIndices(0, kQuadVertexCount, indices);
    model.ComputeBoundingBox(model.box);
}

} // namespace

GUIWindow::GUIWindow(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                     GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
                     const Vector2& position, const Vector2& size, GUIWindow* parent,
                     const ShaderDescriptor& textureDescriptor, const Vector2& textureExtent)
    : messageManager(messageManager), shaderManager(shaderManager), modelManager(modelManager),
      fontManager(fontManager), textManager(textManager), camera(guiCamera)
{
    model = modelManager->CreateSelfMade(kQuadModelFlags | ModelOptions(flags), kQuadVertexCount, kQuadVertexCount, 1,
                                         &textureDescriptor, guiCamera);
    FillQuad(*model, textureExtent);
    builtInQuad = 1;
    FinishConstruction(flags, parent, position, size);
}

GUIWindow::GUIWindow(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                     GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
                     const Vector2& position, const Vector2& size, GUIWindow* parent, const std::string& modelFileName)
    : messageManager(messageManager), shaderManager(shaderManager), modelManager(modelManager),
      fontManager(fontManager), textManager(textManager), camera(guiCamera)
{
    model = modelManager->LoadModel(modelFileName, guiCamera, ModelOptions(flags));
    model->ClearFlags(kModelNotForGUI);
    model->SetFlags(kModelForGUI);
    FinishConstruction(flags, parent, position, size);
}

GUIWindow::GUIWindow(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                     GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
                     const Vector2& position, const Vector2& size, GUIWindow* parent, const Model* source)
    : messageManager(messageManager), shaderManager(shaderManager), modelManager(modelManager),
      fontManager(fontManager), textManager(textManager), camera(guiCamera)
{
    if (source != nullptr) {
        model = modelManager->CreateCopy(source, guiCamera, ModelOptions(flags));
        model->ClearFlags(kModelNotForGUI);
        model->SetFlags(kModelForGUI);
    }
    FinishConstruction(flags, parent, position, size);
}

void GUIWindow::FinishConstruction(std::uint32_t initialFlags, GUIWindow* initialParent, const Vector2& initialPosition,
                                   const Vector2& initialSize)
{
    flags = 0;
    SetFlags(initialFlags);
    depthOrder = 1;
    SetParent(initialParent);
    position = initialPosition;
    size = initialSize;
}

GUIWindow::~GUIWindow()
{
    LeaveParent();
    for (GUIWindow* child : children) {
        // Cleared first, so that the child does not walk our list while we do.
        child->parent = nullptr;
        child->SetParent(nullptr);
    }
    children.clear();
    if (model != nullptr) {
        modelManager->DeleteModel(model);
    }
}

bool GUIWindow::Update(const Vector2& mouse, bool /*held*/, bool /*pressed*/)
{
    mouseOver = 0;
    if (visible == 0) {
        return false;
    }
    Vector2 low;
    Vector2 extent;
    GetHitRectangle(low, extent);
    const Vector2 high(low.x + extent.x, low.y + extent.y);
    // Strict on every side: the edge itself is outside.
    mouseOver = (low.x < mouse.x && mouse.x < high.x && low.y < mouse.y && mouse.y < high.y) ? 1 : 0;
    return true;
}

void GUIWindow::GetHitRectangle(Vector2& low, Vector2& extent) const
{
    low = GetAbsolutePosition();
    extent = size;
    if (hasHitRectangle != 0) {
        low += hitOffset;
        extent = hitSize;
    }
}

bool GUIWindow::Render()
{
    drawnTextCount = 0;
    if (visible == 0) {
        textCount = 0;
        return false;
    }
    if (placesModel != 0 && model != nullptr) {
        model->matrix = PlacedMatrix(GetAbsolutePosition(), size, model->baseMatrix);
        model->box.SetTransform(model->matrix);
    }
    for (std::uint32_t i = 0; i < textCount; ++i) {
        PrintRecord(*textRecords[i]);
    }
    drawnTextCount = textCount;
    textCount = 0;
    return true;
}

void GUIWindow::SetFlags(std::uint32_t bits)
{
    if ((flags & bits) != 0) {
        return;
    }
    flags |= bits;
    if ((bits & kFlagShown) != 0) {
        UpdateVisibility();
    }
    if (parent == nullptr) {
        depth = LayerDepth(flags);
        WriteDepthToModel();
    }
}

void GUIWindow::ClearFlags(std::uint32_t bits)
{
    if ((flags & bits) == 0) {
        return;
    }
    flags &= ~bits;
    if ((bits & kFlagShown) != 0) {
        UpdateVisibility();
    }
    if ((bits & kLayerFlags) != 0) {
        depth = kDepthNoLayer;
        WriteDepthToModel();
    }
}

bool GUIWindow::IsSelfOrDescendant(const GUIWindow* window) const
{
    for (const GUIWindow* walk = window; walk != nullptr; walk = walk->parent) {
        if (walk == this) {
            return true;
        }
    }
    return false;
}

void GUIWindow::LeaveParent()
{
    if (parent == nullptr) {
        return;
    }
    std::vector<GUIWindow*>& siblings = parent->children;
    for (auto it = siblings.begin(); it != siblings.end(); ++it) {
        if (*it == this) {
            siblings.erase(it);
            break;
        }
    }
    parent = nullptr;
}

void GUIWindow::SetParent(GUIWindow* newParent)
{
    // A window under itself would make every walk up or down the tree endless.
    if (IsSelfOrDescendant(newParent)) {
        if (messageManager != nullptr) {
            messageManager->LogError("GUIWindow::SetParent: a window cannot become its own ancestor");
        }
        return;
    }
    LeaveParent();
    parent = newParent;
    if (parent != nullptr) {
        parent->children.push_back(this);
        flags &= ~kLayerFlags;
        SetDepthOrder(depthOrder);
    } else if ((flags & kLayerFlags) == 0) {
        depth = kDepthNoLayer;
        WriteDepthToModel();
    }
    UpdateVisibility();
}

void GUIWindow::SetDepthOrder(std::int32_t order)
{
    depthOrder = order;
    if (parent != nullptr) {
        depth = parent->depth - static_cast<float>(order) * kDepthPerOrder;
        WriteDepthToModel();
    }
    for (GUIWindow* child : children) {
        child->SetDepthOrder(child->depthOrder);
    }
}

void GUIWindow::WriteDepthToModel()
{
    if (model != nullptr) {
        model->depth = depth;
    }
}

void GUIWindow::UpdateVisibility()
{
    const std::uint8_t wasVisible = visible;
    visible = ((flags & kFlagShown) != 0 && (parent == nullptr || parent->visible != 0)) ? 1 : 0;
    if (visible != 0 && wasVisible == 0) {
        mouseOver = 0;
    }
    if (model != nullptr) {
        if (visible != 0) {
            model->SetFlags(Model::kFlagVisible);
        } else {
            model->ClearFlags(Model::kFlagVisible);
        }
    }
    for (GUIWindow* child : children) {
        child->UpdateVisibility();
    }
}

void GUIWindow::SetColor(const Color& colour)
{
    if (model != nullptr) {
        model->SetColor(colour);
    }
}

void GUIWindow::GetColor(Color& out) const
{
    out = model != nullptr ? model->GetColor() : Color(1.0f, 1.0f, 1.0f, 1.0f);
}

Vector2 GUIWindow::GetAbsolutePosition() const
{
    Vector2 absolute = position;
    absolute += GetParentPosition();
    return absolute;
}

Vector2 GUIWindow::GetParentPosition() const
{
    return parent != nullptr ? parent->GetAbsolutePosition() : Vector2();
}

void GUIWindow::SetTextArea(const Vector2& offset, const Vector2& areaSize)
{
    hasTextArea = 1;
    textAreaOffset = offset;
    textAreaSize = areaSize;
}

void GUIWindow::SetHitRectangle(const Vector2& offset, const Vector2& rectangleSize)
{
    hasHitRectangle = 1;
    hitOffset = offset;
    hitSize = rectangleSize;
}

ShaderUser* GUIWindow::GetShaderUser() const
{
    return model != nullptr ? model->GetShaderUser() : nullptr;
}

void GUIWindow::CopyModel(const Model* source)
{
    if (model == nullptr || source == nullptr || source == model) {
        return;
    }
    model->matrix = source->matrix;
    model->baseMatrix = source->baseMatrix;
    model->box = source->box;
    model->depthBias = source->depthBias;
    model->GetAnimationControl()->AssignState(*source->GetAnimationControl());
}

void GUIWindow::ReserveTextRecords(std::uint32_t count, std::size_t textCapacity)
{
    while (textRecords.size() < count) {
        textRecords.push_back(std::make_unique<TextRecord>());
    }
    for (const std::unique_ptr<TextRecord>& record : textRecords) {
        record->text.reserve(textCapacity);
    }
}

GUIWindow::TextRecord& GUIWindow::NextTextRecord()
{
    if (textCount == textRecords.size()) {
        textRecords.push_back(std::make_unique<TextRecord>());
    }
    return *textRecords[textCount++];
}

void GUIWindow::PrintText(std::uint32_t alignFlags, std::uint32_t fontId, const Vector2& offset, const Color& colour,
                          const std::wstring& text, float angle, float textSize)
{
    if (text.empty()) {
        return;
    }
    TextRecord& record = NextTextRecord();
    record.alignFlags = alignFlags;
    record.fontId = fontId;
    record.angle = angle;
    record.size = textSize;
    record.offset = offset;
    record.colour = colour;
    record.text = text;
    record.number = -1;
    record.isKey = 0;
}

void GUIWindow::PrintTextKey(std::uint32_t alignFlags, std::uint32_t fontId, const Vector2& offset, const Color& colour,
                             const std::string& key, std::int32_t number, float angle, float textSize)
{
    TextRecord& record = NextTextRecord();
    record.alignFlags = alignFlags;
    record.fontId = fontId;
    record.angle = angle;
    record.size = textSize;
    record.offset = offset;
    record.colour = colour;
    record.key = key;
    record.number = number;
    record.isKey = 1;
}

void GUIWindow::PrintRecord(TextRecord& record)
{
    if (fontManager == nullptr) {
        return;
    }
    if (record.isKey != 0 && textManager == nullptr) {
        return;
    }
    const std::wstring& text = record.isKey != 0 ? textManager->GetText(record.key, record.number) : record.text;
    GUIFont* font = record.size >= 0.0f ? fontManager->FindFont(record.fontId) : nullptr;
    if (font == nullptr) {
        fontManager->PrintText(record.alignFlags, record.fontId, record.angle, this, record.offset, record.colour,
                               text);
        return;
    }
    // The size holds for this text only; batches read it from the font as they print.
    const float ownSize = font->GetSize();
    font->SetSize(record.size);
    fontManager->PrintText(record.alignFlags, record.fontId, record.angle, this, record.offset, record.colour, text);
    font->SetSize(ownSize);
}

} // namespace OrrelayEngine

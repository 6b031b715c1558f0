// The base of every GUI element: a rectangle in GUI coordinates (x right, y up)
// with an optional model that draws it, a parent and children, a show flag, a
// depth, a mouse-over test and the texts to print on it this frame. Panels and
// pictures are plain windows; buttons, sliders, scrolls and edit boxes derive
// from it. Windows are made and deleted only by the GUIManager.
//
// A window's position is its corner relative to its parent's corner. Hiding a
// parent hides its subtree without touching the children's own show flags.
// A top-level window's depth comes from its layer flag; a child sits
// depthOrder x 0.01 in front of its parent (more negative is drawn later).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

namespace OrrelayEngine {

class Camera;
class GUIFontManager;
class GUITextManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;

class GUIWindow
{
public:
    static constexpr std::uint32_t kFlagShown = 1;
    static constexpr std::uint32_t kFlagColoredVertices = 2;
    // Depth layers of a top-level window; a higher layer is drawn over a lower.
    static constexpr std::uint32_t kFlagLayerLow = 4;
    static constexpr std::uint32_t kFlagLayerMiddle = 8;
    static constexpr std::uint32_t kFlagLayerHigh = 16;
    static constexpr std::uint32_t kLayerFlags = kFlagLayerLow | kFlagLayerMiddle | kFlagLayerHigh;

    static constexpr float kDepthLayerLow = -10.0f;
    static constexpr float kDepthLayerMiddle = -20.0f;
    static constexpr float kDepthLayerHigh = -30.0f;
    static constexpr float kDepthNoLayer = -15.0f;
    static constexpr float kDepthPerOrder = 0.01f;

    // One text queued for this frame: ready text, or a text key looked up when
    // the window renders. Records are kept and reused, so that a steady frame
    // reuses their strings' storage.
    struct TextRecord
    {
        std::uint32_t alignFlags = 0;
        std::uint32_t fontId = 0;
        float angle = 0.0f;
        // Negative: the font's own size.
        float size = -1.0f;
        Vector2 offset;
        Color colour;
        std::wstring text;
        std::string key;
        std::int32_t number = -1;
        std::uint8_t isKey = 0;
    };

    // A quad built in code, 1 x 1 with its corner at the origin, scaled by
    // the window's size; textureExtent is the (u, v) of its far corner, with
    // v = 0 on the bottom edge.
    GUIWindow(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
              const Vector2& position, const Vector2& size, GUIWindow* parent,
              const ShaderDescriptor& textureDescriptor, const Vector2& textureExtent);
    // A model read from a model file.
    GUIWindow(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
              const Vector2& position, const Vector2& size, GUIWindow* parent, const std::string& modelFileName);
    // A copy of a loaded model; null gives a window without a model.
    GUIWindow(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
              const Vector2& position, const Vector2& size, GUIWindow* parent, const Model* source);
    virtual ~GUIWindow();
    GUIWindow(const GUIWindow&) = delete;
    GUIWindow& operator=(const GUIWindow&) = delete;

    // Tests the mouse (GUI coordinates) against the window; false when the
    // window is not visible. held and pressed are for derived classes.
    virtual bool Update(const Vector2& mouse, bool held, bool pressed);
    // Places the model and prints the queued texts; false when not visible
    // (the queued texts are dropped then).
    virtual bool Render();
    virtual void SetDepthOrder(std::int32_t order);
    virtual void SetColor(const Color& colour);
    virtual void UpdateVisibility();

    // Nothing changes when any of the bits is already set.
    void SetFlags(std::uint32_t bits);
    // Nothing changes when none of the bits is set.
    void ClearFlags(std::uint32_t bits);
    std::uint32_t GetFlags() const { return flags; }
    // The window itself or one of its descendants is refused (logged).
    void SetParent(GUIWindow* newParent);
    GUIWindow* GetParent() const { return parent; }
    const std::vector<GUIWindow*>& GetChildren() const { return children; }

    bool IsVisible() const { return visible != 0; }
    bool IsMouseOver() const { return mouseOver != 0; }
    float GetDepth() const { return depth; }
    std::int32_t GetDepthOrder() const { return depthOrder; }

    Vector2 GetAbsolutePosition() const;
    Vector2 GetParentPosition() const;
    const Vector2& GetPosition() const { return position; }
    void SetPosition(const Vector2& newPosition) { position = newPosition; }
    const Vector2& GetSize() const { return size; }
    void SetSize(const Vector2& newSize) { size = newSize; }

    bool HasTextArea() const { return hasTextArea != 0; }
    const Vector2& GetTextAreaOffset() const { return textAreaOffset; }
    const Vector2& GetTextAreaSize() const { return textAreaSize; }
    void SetTextArea(const Vector2& offset, const Vector2& areaSize);
    bool HasHitRectangle() const { return hasHitRectangle != 0; }
    void SetHitRectangle(const Vector2& offset, const Vector2& rectangleSize);
    // The rectangle the mouse test uses, in GUI coordinates: its lower-left
    // corner and its extent.
    void GetHitRectangle(Vector2& low, Vector2& extent) const;
    bool PlacesModel() const { return placesModel != 0; }
    void SetPlacesModel(bool places) { placesModel = places ? 1 : 0; }
    bool HasBuiltInQuad() const { return builtInQuad != 0; }

    Model* GetModel() const { return model; }
    Camera* GetCamera() const { return camera; }
    ShaderUser* GetShaderUser() const;
    // Without a model the colour is white.
    void GetColor(Color& out) const;
    void CopyModel(const Model* source);

    // An empty text is not queued.
    void PrintText(std::uint32_t alignFlags, std::uint32_t fontId, const Vector2& offset, const Color& colour,
                   const std::wstring& text, float angle = 0, float textSize = -1);
    void PrintTextKey(std::uint32_t alignFlags, std::uint32_t fontId, const Vector2& offset, const Color& colour,
                      const std::string& key, std::int32_t number = -1, float angle = 0, float textSize = -1);
    std::uint32_t GetQueuedTextCount() const { return textCount; }
    // One of this frame's texts, index below GetQueuedTextCount (tools that
    // inspect a screen read them before the window renders).
    const TextRecord& GetQueuedText(std::uint32_t index) const { return *textRecords[index]; }
    // The texts the last render drew: what a player reads on the window. The
    // records stay as drawn until the window queues texts again.
    std::uint32_t GetDrawnTextCount() const { return drawnTextCount; }
    const TextRecord& GetDrawnText(std::uint32_t index) const { return *textRecords[index]; }
    // Makes at least count records with room for textCapacity characters, so
    // that a window whose text count or length varies (a blinking caret, a
    // line typed out) takes no memory when it first needs more.
    void ReserveTextRecords(std::uint32_t count, std::size_t textCapacity);

protected:
    MessageManager* messageManager;
    ShaderManager* shaderManager;
    ModelManager* modelManager;
    GUIFontManager* fontManager;
    GUITextManager* textManager;
    Camera* camera;
    std::uint8_t mouseOver = 0;
    Model* model = nullptr;

private:
    void FinishConstruction(std::uint32_t initialFlags, GUIWindow* initialParent, const Vector2& initialPosition,
                            const Vector2& initialSize);
    void WriteDepthToModel();
    bool IsSelfOrDescendant(const GUIWindow* window) const;
    void LeaveParent();
    TextRecord& NextTextRecord();
    void PrintRecord(TextRecord& record);

    std::uint32_t flags = 0;
    std::uint8_t visible = 0;
    Vector2 position;
    Vector2 size;
    GUIWindow* parent = nullptr;
    std::vector<GUIWindow*> children;
    std::int32_t depthOrder = 1;
    float depth = kDepthNoLayer;
    std::uint8_t hasHitRectangle = 0;
    Vector2 hitOffset;
    Vector2 hitSize;
    std::uint8_t hasTextArea = 0;
    Vector2 textAreaOffset;
    Vector2 textAreaSize;
    std::uint8_t placesModel = 1;
    std::uint8_t builtInQuad = 0;
    std::uint32_t textCount = 0;
    std::uint32_t drawnTextCount = 0;
    std::vector<std::unique_ptr<TextRecord>> textRecords;
};

} // namespace OrrelayEngine

// One place or path piece of the stage map: its model shown in the frame of
// its state (0 ahead, 1 passed, 2 highlighted, 3 chosen, 4 locked), a shadow
// beside it (frame 5) and an invisible button over it that the map's
// double-click detecter watches.
#pragma once

#include <cstdint>

#include "engine/core/Matrix4.h"

namespace OrrelayEngine {
class Engine;
class GUIButton;
class GUIManager;
class GUIWindow;
class MessageManager;
class Model;
} // namespace OrrelayEngine

namespace GameTools {
class GUIDoubleClickDetecter;
}

namespace Tansywell {

class GameData;

class GUIMapElement
{
public:
    enum State : std::int32_t
    {
        kStateAhead = 0,
        kStatePassed = 1,
        kStateHighlighted = 2,
        kStateChosen = 3,
        kStateLocked = 4
    };
    static constexpr std::uint32_t kShadowFrame = 5;

    // The detecter is borrowed and watches the element's button while it lives.
    GUIMapElement(OrrelayEngine::Engine* engine, const GameData* data, GameTools::GUIDoubleClickDetecter* detecter,
                  std::int32_t kind, const OrrelayEngine::Matrix4& matrix, std::uint32_t stage, std::uint32_t level,
                  OrrelayEngine::GUIWindow* parent);
    virtual ~GUIMapElement();
    GUIMapElement(const GUIMapElement&) = delete;
    GUIMapElement& operator=(const GUIMapElement&) = delete;

    void SetState(std::int32_t state);
    void SetAlpha(float alpha);
    void SetVisible(bool visible);
    // No more choice on this element while the path reveals itself.
    void Mark();
    void Highlight(bool allowed);
    void SetCheckPointVariant(bool checkPoint);

    bool IsVisible() const;
    bool IsClicked() const;
    bool IsDoubleClicked() const;

    std::int32_t GetKind() const { return kind_; }
    std::int32_t GetState() const { return state_; }
    std::uint32_t GetStage() const { return stage_; }
    std::uint32_t GetLevel() const { return level_; }
    bool IsHighlighted() const { return highlighted_; }
    bool IsMarked() const { return marked_; }
    bool IsCheckPointVariant() const { return checkPointVariant_; }
    OrrelayEngine::GUIWindow* GetPlaceWindow() const { return placeWindow_; }
    OrrelayEngine::GUIButton* GetButton() const { return button_; }
    // The frame the place shows.
    std::uint32_t GetShownFrame() const { return shownFrame_; }

private:
    const OrrelayEngine::Model* ModelFor(bool checkPointVariant) const;
    void CreateWindows(const OrrelayEngine::Model* model);
    void ShowFrame(OrrelayEngine::GUIWindow* window, std::uint32_t frame);

    [[maybe_unused]] OrrelayEngine::Engine* engine_;
    OrrelayEngine::GUIManager* guiManager_;
    [[maybe_unused]] OrrelayEngine::MessageManager* log_;
    const GameData* data_;
    GameTools::GUIDoubleClickDetecter* detecter_;
    OrrelayEngine::GUIWindow* parent_;
    OrrelayEngine::GUIWindow* placeWindow_ = nullptr;
    OrrelayEngine::GUIWindow* shadowWindow_ = nullptr;
    OrrelayEngine::GUIButton* button_ = nullptr;
    OrrelayEngine::Matrix4 matrix_;
    std::int32_t kind_;
    bool highlighted_ = false;
    std::uint32_t stage_;
    std::uint32_t level_;
    std::int32_t state_ = kStateAhead;
    bool marked_ = false;
    bool checkPointVariant_ = false;
    std::uint32_t shownFrame_ = 0;
};

} // namespace Tansywell

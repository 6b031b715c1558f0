// A bar of the head-up display and of the level-complete screen: a framed
// model whose two-frame animation is the bar (frame 0 full, frame 1 empty),
// a window beside it for its caption, and a shown value that runs toward the
// target its owner gives each frame at a fixed speed. A target above 1 lets
// the value pass 1 while the bar stays full.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class AnimationControl;
struct BoundingBox;
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class TimerManager;
struct Color;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;
class GUIControl;

class GUIGameLogicProgress
{
public:
    static constexpr float kFrameAnimationSpeed = 15.0f;
    static constexpr std::int32_t kBarDepthOrder = 2;
    static constexpr std::int32_t kTextDepthOrder = 3;
    // The bar window's flags: shown, with coloured vertices.
    static constexpr std::uint32_t kBarWindowFlags = 3;

    // speed: value per second. The models are the resource set's; parent is borrowed.
    GUIGameLogicProgress(OrrelayEngine::Engine* engine, const GameData* data, float speed,
                         const OrrelayEngine::Model* background, const OrrelayEngine::Model* bar,
                         const OrrelayEngine::Model* textArea, OrrelayEngine::GUIWindow* parent);
    ~GUIGameLogicProgress();

    GUIGameLogicProgress(const GUIGameLogicProgress&) = delete;
    GUIGameLogicProgress& operator=(const GUIGameLogicProgress&) = delete;

    // Shows the value at once, and the bar and its caption window.
    void SetValue(float value);
    void Hide();
    // Only while the parent window is visible.
    void Update(const OrrelayEngine::Color& colour, float target);

    float GetValue() const { return value_; }
    float GetSpeed() const { return speed_; }
    void SetSpeed(float speed) { speed_ = speed; }
    GUIControl* GetFrame() const { return frame_; }
    OrrelayEngine::GUIWindow* GetBarWindow() const { return barWindow_; }
    OrrelayEngine::GUIWindow* GetTextWindow() const { return textWindow_; }
    OrrelayEngine::Model* GetBarModel() const { return barModel_; }
    const OrrelayEngine::BoundingBox& GetBarBox() const;

private:
    void ShowValueOnBar();

    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::TimerManager* timerManager_;
    float speed_;
    float value_ = 0.0f;
    OrrelayEngine::GUIWindow* parent_;
    GUIControl* frame_ = nullptr;
    OrrelayEngine::GUIWindow* barWindow_ = nullptr;
    OrrelayEngine::Model* barModel_ = nullptr;
    OrrelayEngine::AnimationControl* barAnimation_ = nullptr;
    OrrelayEngine::GUIWindow* textWindow_ = nullptr;
};

} // namespace Tansywell

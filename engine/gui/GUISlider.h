// A window with a knob that the player drags along a straight track; its
// value is a whole position index among a fixed number of positions (at
// least two). The knob's button covers the whole track, so a press anywhere
// on the track takes the knob and it jumps under the mouse. Sliders are
// built as the base of GUIScroll.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/GUIButton.h"

namespace OrrelayEngine {

class GUISlider : public GUIWindow
{
public:
    enum State : std::uint32_t
    {
        kStateNormal = 0,
        kStateMouseOver = 1,
        kStateDisabled = 2
    };

    static constexpr std::uint32_t kOrientationHorizontal = 0;
    static constexpr std::uint32_t kMinPositionCount = 2;
    static constexpr std::uint32_t kKnobHoverSoundEvent = GUISoundManager::kSliderKnobEnter;
    static constexpr std::uint32_t kKnobPressSoundEvent = GUISoundManager::kSliderKnobPress;

    // orientation 0 moves the knob along x, anything else along y. trackStart
    // and trackEnd are where the knob's corner lies at the first and the last
    // position, relative to the slider's corner.
    GUISlider(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
              GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
              GUIWindow* parent, const Model* source, std::uint32_t orientation, const Vector2& trackStart,
              const Vector2& trackEnd, std::uint32_t positionCount);
    ~GUISlider() override;

    bool Update(const Vector2& mouse, bool held, bool pressed) override;
    bool Render() override;
    void SetColor(const Color& colour) override;
    void UpdateVisibility() override;

    // Each replaces the knob with a button of that form covering the track.
    virtual void CreateKnobFromFile(const Vector2& knobSize, const std::string& modelFileName);
    virtual void CreateKnobFromModel(const Vector2& knobSize, const Model* source);
    virtual void CreateKnob(const Vector2& knobSize, const ShaderDescriptor& textureDescriptor,
                            const Vector2& textureExtent);
    virtual void SetEnabled(bool enabled);
    virtual bool IsKnobHeld() const;

    // The window's own placement stays reachable beside the position index.
    using GUIWindow::SetPosition;
    // Positions past the last become the last.
    void SetPosition(std::uint32_t index);
    std::uint32_t GetPositionIndex() const { return positionIndex; }
    // Counts below two become two; the position is kept within the new count.
    void SetPositionCount(std::uint32_t count);
    std::uint32_t GetPositionCount() const { return positionCount; }
    // Inverted: position 0 lies at trackEnd.
    void SetInverted(bool invert) { inverted = invert ? 1 : 0; }
    bool IsInverted() const { return inverted != 0; }
    bool IsEnabled() const { return state != kStateDisabled; }
    std::uint32_t GetState() const { return state; }
    GUIButton* GetKnob() const { return knob.get(); }
    const Vector2& GetKnobSize() const { return knobSize; }
    const Vector2& GetTrackStart() const { return trackStart; }
    const Vector2& GetTrackEnd() const { return trackEnd; }

protected:
    // The knob's button is shown with the slider (and coloured with it).
    std::uint32_t ChildFlags() const;
    // The camera the slider's model is drawn with, else the GUI camera.
    Camera* ChildCamera() const;
    // The new knob is built before the old one goes, so that a knob whose
    // model fails to load leaves the slider with its old one.
    void AdoptKnob(const Vector2& newKnobSize, std::unique_ptr<GUIButton> newKnob);
    // The knob's button covers the whole track: the track's extent plus the knob.
    Vector2 KnobButtonSize(const Vector2& newKnobSize) const;

    GUISoundManager* soundManager;
    std::uint32_t state = kStateNormal;
    std::uint32_t orientation;
    Vector2 trackStart;
    Vector2 trackEnd;
    Vector2 knobSize;
    std::uint8_t inverted = 0;
    std::uint32_t positionCount = kMinPositionCount;
    std::uint32_t positionIndex = 0;
    std::unique_ptr<GUIButton> knob;

private:
    // Where the knob's middle is drawn from its corner: the middle of its
    // model as placed (a knob modelled where the screen shows it is no unit
    // square at the origin), else the middle of the knob's size. A drag puts
    // that point under the mouse.
    Vector2 KnobCentreOffset() const;
    void DragKnob(const Vector2& mouse);
    void PlaceKnobModel();
};

} // namespace OrrelayEngine

// Double clicks on a set of GUI controls (the stage map's elements): press,
// release, press on the same control and release, all within kWindowSeconds
// of the first press. The controls are borrowed; Update runs once per frame
// after input has been read and before the user reads the result.
//
// The press time is kept in double seconds of the frame timer: a float no
// longer resolves the window once the clock has run for a few days.
#pragma once

#include <cstdint>
#include <vector>

namespace OrrelayEngine {
class Controls;
class Engine;
class GUIButton;
class TimerManager;
} // namespace OrrelayEngine

namespace GameTools {

class GUIDoubleClickDetecter
{
public:
    static constexpr double kWindowSeconds = 0.6;

    explicit GUIDoubleClickDetecter(OrrelayEngine::Engine* engine);
    GUIDoubleClickDetecter(OrrelayEngine::TimerManager* timerManager, OrrelayEngine::Controls* controls);
    virtual ~GUIDoubleClickDetecter();

    GUIDoubleClickDetecter(const GUIDoubleClickDetecter&) = delete;
    GUIDoubleClickDetecter& operator=(const GUIDoubleClickDetecter&) = delete;

    void AddControl(OrrelayEngine::GUIButton* control);
    // Null, or a control not watched, is ignored.
    void RemoveControl(OrrelayEngine::GUIButton* control);
    void Update();

    // Set for the one frame in which the double click ended.
    bool IsDoubleClick() const { return doubleClick_ != 0; }
    // The control under the first press; still readable after a double click.
    OrrelayEngine::GUIButton* GetClickedControl() const { return clickedControl_; }
    std::uint32_t GetClickCount() const { return clickCount_; }

private:
    // The first watched control, in list order, that is enabled and under the mouse.
    OrrelayEngine::GUIButton* FindControlUnderMouse() const;
    void BeginClick(OrrelayEngine::GUIButton* control, double now);
    void DropClick();

    [[maybe_unused]] OrrelayEngine::Engine* engine_ = nullptr;
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::Controls* controls_;
    std::vector<OrrelayEngine::GUIButton*> controlList_;
    // Negative while no click is under way.
    double pressTime_ = -1.0;
    std::uint8_t mouseWasDown_ = 0;
    std::uint32_t clickCount_ = 0;
    std::uint8_t doubleClick_ = 0;
    OrrelayEngine::GUIButton* clickedControl_ = nullptr;
};

} // namespace GameTools

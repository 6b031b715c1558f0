// The screen that loads the game's resource set at start, as soon as the menu
// background's introduction is ready for it, then hands the set to the
// background and the cursor's particles to the cursor. Answers 1 when done.
#pragma once

#include "framework/gui/GUILoadingWindowBase.h"

namespace OrrelayEngine {
class GUIManager;
}

namespace Tansywell {

class GUIBackgroundWindow;
class GUIGameCursor;

class GUIGameLoadingWindow : public GameFramework::GUILoadingWindowBase
{
public:
    // Both borrowed; the cursor may be null.
    GUIGameLoadingWindow(OrrelayEngine::Engine* engine, GUIGameCursor* cursor, GUIBackgroundWindow* background);
    ~GUIGameLoadingWindow() override;

    void Update() override;

private:
    [[maybe_unused]] OrrelayEngine::GUIManager* guiManager_;
    GUIGameCursor* cursor_;
    GUIBackgroundWindow* background_;
};

} // namespace Tansywell

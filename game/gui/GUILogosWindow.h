// The first screen of a run: up to two full-screen publisher pictures, each
// held for a moment and then faded out, the second seen behind the first.
// Answers 1 when they are done, at once when there are none.
#pragma once

#include "framework/gui/GUILogosWindowBase.h"

namespace OrrelayEngine {
class FileManager;
class GUIManager;
class GUIWindow;
} // namespace OrrelayEngine

namespace Tansywell {

class GUILogosWindow : public GameFramework::GUILogosWindowBase
{
public:
    static constexpr float kHoldSeconds = 1.5f;

    explicit GUILogosWindow(OrrelayEngine::Engine* engine);
    ~GUILogosWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    OrrelayEngine::GUIWindow* GetFirstWindow() const { return first_; }
    OrrelayEngine::GUIWindow* GetSecondWindow() const { return second_; }

private:
    OrrelayEngine::GUIWindow* CreatePicture(int index) const;
    // Fades the window by the timer; true once it has gone.
    bool FadeOut(OrrelayEngine::GUIWindow* window);
    void DeleteWindows();

    OrrelayEngine::FileManager* fileManager_;
    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::GUIWindow* first_ = nullptr;
    OrrelayEngine::GUIWindow* second_ = nullptr;
    bool running_ = false;
    float timer_ = 0.0f;
};

} // namespace Tansywell
